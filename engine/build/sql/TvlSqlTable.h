#pragma once

#include "engine/build/sql/SqlParameters.h"
#include "engine/build/sql/TvlSqlDatabase.h"
#include "engine/script/ComponentRef.h"
#include "engine/script/TvlTable.h"

#include <QSqlQuery>
#include <memory>

namespace vl {

// A table over a Qt SQL query: all rows of TableName, or the rows of SQL
// when that is set. Rows already read are kept by the query, so the cursor
// can move back and return to bookmarks.
//
// SQL may take fields of the current record of other tables of the same
// owner as parameters (":Orders.id"), which makes this table the detail of
// those: First runs the query again when their values have changed since
// the last run, so a detail band walks the rows of its master's record.
class TvlSqlTable : public TvlTable {
public:
    explicit TvlSqlTable(std::string name = {}, TvlComponent* owner = nullptr,
                         TvlSqlDatabase* database = nullptr);
    ~TvlSqlTable() override;

    std::string TableName;
    std::string SQL;

    TvlSqlDatabase* Database() const { return database_.get(); }
    void SetDatabase(TvlSqlDatabase* database);

    std::string className() const override { return "TvlSqlTable"; }

protected:
    std::vector<FieldDef> doOpen() override;
    void doClose() override;
    bool doFirst() override;
    bool doNext() override;
    bool doPrior() override;
    bool doSeek(std::int64_t position) override;
    std::int64_t doPosition() const override;
    bool doHasRecord() const override;
    StringList doFieldNames() const override;

    Variant fieldValue(int index) const override;
    bool fieldIsNull(int index) const override;
    std::vector<std::uint8_t> fieldBytes(int index) const override;

private:
    TvlSqlDatabase& requireDatabase() const;
    QString selectText() const;
    void execute(QSqlQuery& query);
    // The current values of the field parameters.
    QVariantList parameterValues();
    TvlTable& parameterTable(const std::string& name) const;
    void runWith(QSqlQuery& query, const QVariantList& values);
    // Turns a failed move into an error when the driver reports one.
    bool checkedMove(bool moved) const;
    [[noreturn]] void fail(const QString& reason) const;

    ComponentRef<TvlSqlDatabase> database_;
    std::unique_ptr<QSqlQuery> query_;
    std::vector<SqlFieldParameter> parameters_;
    QVariantList boundValues_;
    bool readingParameters_ = false;
};

} // namespace vl
