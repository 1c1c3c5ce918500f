#pragma once

#include "engine/script/Component.h"
#include "engine/script/ComponentRef.h"

#include <QSqlDatabase>
#include <QString>
#include <vector>

namespace vl {

class TvlSqlTable;

// A connection to a database through Qt SQL. The SQLite driver is the
// default; its DatabaseName is the database file, which must exist unless
// CreateIfMissing is set (or it is ":memory:").
class TvlSqlDatabase : public TvlComponent, public RefTarget {
public:
    explicit TvlSqlDatabase(std::string name = {}, TvlComponent* owner = nullptr);
    ~TvlSqlDatabase() override;

    std::string DriverName = "QSQLITE";
    std::string DatabaseName;
    bool CreateIfMissing = false;
    // Driver options, as QSqlDatabase::setConnectOptions takes them.
    std::string ConnectOptions;
    // For database servers; empty (and -1) leave the driver's defaults.
    std::string HostName;
    int Port = -1;
    std::string UserName;
    std::string Password;

    // Raises VlError naming the database and the driver's reason.
    void Open();
    // Closes every table open on this connection first.
    void Close();
    bool Connected() const;

    QSqlDatabase connection() const;
    // Executes a statement that returns no records (for setting up data).
    void Execute(const std::string& sql);

    std::string className() const override { return "TvlSqlDatabase"; }

private:
    friend class TvlSqlTable;
    void tableOpened(TvlSqlTable* table);
    void tableClosed(TvlSqlTable* table);
    void checkFileExists() const;

    QString connectionName_;
    std::vector<TvlSqlTable*> openTables_;
};

} // namespace vl
