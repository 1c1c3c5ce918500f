#include "engine/build/sql/TvlSqlDatabase.h"

#include "engine/build/sql/TvlSqlTable.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <atomic>

namespace vl {

namespace {

QString uniqueConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("vellum-sql-%1").arg(++counter);
}

bool isSqlite(const std::string& driver) {
    return QString::fromStdString(driver).startsWith(QStringLiteral("QSQLITE"));
}

} // namespace

TvlSqlDatabase::TvlSqlDatabase(std::string name, TvlComponent* owner)
    : TvlComponent(std::move(name), owner), connectionName_(uniqueConnectionName()) {}

TvlSqlDatabase::~TvlSqlDatabase() {
    Close();
    if (QSqlDatabase::contains(connectionName_)) QSqlDatabase::removeDatabase(connectionName_);
}

QSqlDatabase TvlSqlDatabase::connection() const {
    return QSqlDatabase::database(connectionName_, false);
}

bool TvlSqlDatabase::Connected() const {
    return QSqlDatabase::contains(connectionName_) && connection().isOpen();
}

void TvlSqlDatabase::checkFileExists() const {
    if (!isSqlite(DriverName) || CreateIfMissing || DatabaseName == ":memory:") return;
    if (!QFileInfo::exists(ToQt(DatabaseName)))
        throw VlError("Database file not found: " + DatabaseName);
}

void TvlSqlDatabase::Open() {
    if (Connected()) return;
    checkFileExists();
    // Asked first, so that Qt does not warn about the driver on its own.
    if (!QSqlDatabase::isDriverAvailable(ToQt(DriverName)))
        throw VlError("Database driver not available: " + DriverName);
    QSqlDatabase db = QSqlDatabase::contains(connectionName_)
                          ? connection()
                          : QSqlDatabase::addDatabase(ToQt(DriverName), connectionName_);
    if (!db.isValid()) throw VlError("Database driver not available: " + DriverName);
    db.setDatabaseName(ToQt(DatabaseName));
    db.setConnectOptions(ToQt(ConnectOptions));
    db.setHostName(ToQt(HostName));
    db.setPort(Port);
    db.setUserName(ToQt(UserName));
    db.setPassword(ToQt(Password));
    if (!db.open())
        throw VlError("Cannot open database " + DatabaseName + ": " +
                      FromQt(db.lastError().text()));
}

void TvlSqlDatabase::Close() {
    // Tables close themselves out of the list, so work on a copy.
    const std::vector<TvlSqlTable*> tables = openTables_;
    for (TvlSqlTable* table : tables)
        table->Close();
    if (QSqlDatabase::contains(connectionName_)) connection().close();
}

void TvlSqlDatabase::Execute(const std::string& sql) {
    Open();
    QSqlQuery query(connection());
    if (!query.exec(ToQt(sql))) throw VlError("SQL error: " + FromQt(query.lastError().text()));
}

void TvlSqlDatabase::tableOpened(TvlSqlTable* table) {
    openTables_.push_back(table);
}

void TvlSqlDatabase::tableClosed(TvlSqlTable* table) {
    std::erase(openTables_, table);
}

} // namespace vl
