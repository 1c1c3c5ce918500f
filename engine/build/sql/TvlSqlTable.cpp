#include "engine/build/sql/TvlSqlTable.h"

#include "engine/build/sql/SqlValue.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <limits>

namespace vl {

TvlSqlTable::TvlSqlTable(std::string name, TvlComponent* owner, TvlSqlDatabase* database)
    : TvlTable(std::move(name), owner) {
    database_.reset(database);
}

TvlSqlTable::~TvlSqlTable() {
    Close();
}

void TvlSqlTable::SetDatabase(TvlSqlDatabase* database) {
    Close();
    database_.reset(database);
}

void TvlSqlTable::fail(const QString& reason) const {
    throw VlError(name() + ": " + FromQt(reason));
}

TvlSqlDatabase& TvlSqlTable::requireDatabase() const {
    if (!database_) fail(QStringLiteral("No database"));
    return *database_.get();
}

QString TvlSqlTable::selectText() const {
    if (!SQL.empty()) return ToQt(SQL);
    if (TableName.empty()) fail(QStringLiteral("No table name or query"));
    const QSqlDriver* driver = requireDatabase().connection().driver();
    return QStringLiteral("SELECT * FROM ") +
           driver->escapeIdentifier(ToQt(TableName), QSqlDriver::TableName);
}

std::vector<TvlTable::FieldDef> TvlSqlTable::doOpen() {
    TvlSqlDatabase& database = requireDatabase();
    database.Open();
    auto query = std::make_unique<QSqlQuery>(database.connection());
    query->setForwardOnly(false);
    if (!query->exec(selectText())) fail(query->lastError().text());
    if (!query->isSelect()) fail(QStringLiteral("The query returns no records"));
    std::vector<FieldDef> defs;
    const QSqlRecord record = query->record();
    for (int i = 0; i < record.count(); ++i)
        defs.push_back({FromQt(record.fieldName(i)), FieldTypeOf(record.field(i).metaType())});
    query_ = std::move(query);
    database.tableOpened(this);
    return defs;
}

void TvlSqlTable::doClose() {
    query_.reset();
    if (database_) database_.get()->tableClosed(this);
}

bool TvlSqlTable::checkedMove(bool moved) const {
    if (!moved && query_->lastError().isValid()) fail(query_->lastError().text());
    return moved;
}

bool TvlSqlTable::doFirst() {
    return checkedMove(query_->first());
}

bool TvlSqlTable::doNext() {
    const int at = query_->at();
    if (checkedMove(query_->next())) return true;
    // Stay on the last record, as a table cursor does at its end.
    if (at >= 0) query_->seek(at);
    return false;
}

bool TvlSqlTable::doPrior() {
    if (query_->at() <= 0) return false;
    return checkedMove(query_->previous());
}

bool TvlSqlTable::doSeek(std::int64_t position) {
    if (position > std::numeric_limits<int>::max()) return false;
    return checkedMove(query_->seek(static_cast<int>(position)));
}

std::int64_t TvlSqlTable::doPosition() const {
    return query_->at();
}

bool TvlSqlTable::doHasRecord() const {
    return query_ && query_->isValid();
}

StringList TvlSqlTable::doFieldNames() const {
    StringList names;
    if (!SQL.empty() || TableName.empty()) return names;
    TvlSqlDatabase& database = requireDatabase();
    database.Open();
    const QSqlRecord record = database.connection().record(ToQt(TableName));
    for (int i = 0; i < record.count(); ++i)
        names.push_back(FromQt(record.fieldName(i)));
    return names;
}

Variant TvlSqlTable::fieldValue(int index) const {
    return VariantFromSql(query_->value(index));
}

bool TvlSqlTable::fieldIsNull(int index) const {
    return query_->isNull(index);
}

std::vector<std::uint8_t> TvlSqlTable::fieldBytes(int index) const {
    const QVariant v = query_->value(index);
    if (v.metaType().id() == QMetaType::QString) {
        const std::string text = FromQt(v.toString());
        return {text.begin(), text.end()};
    }
    const QByteArray bytes = v.toByteArray();
    return {bytes.begin(), bytes.end()};
}

} // namespace vl
