#include "engine/build/sql/TvlSqlTable.h"

#include "engine/build/sql/SqlValue.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"
#include "engine/script/ScopedValue.h"

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

TvlTable& TvlSqlTable::parameterTable(const std::string& name) const {
    TvlComponent* found = owner() ? owner()->findComponent(name) : nullptr;
    auto* table = dynamic_cast<TvlTable*>(found);
    if (!table) fail(QStringLiteral("No table %1 for the query's parameters").arg(ToQt(name)));
    return *table;
}

QVariantList TvlSqlTable::parameterValues() {
    // A parameter that leads back to this table would open it without end.
    if (readingParameters_) fail(QStringLiteral("The query's parameters refer back to it"));
    const ScopedValue reading(readingParameters_, true);
    QVariantList values;
    for (const SqlFieldParameter& parameter : parameters_) {
        TvlTable& table = parameterTable(parameter.table);
        if (!table.Active()) table.Open();
        const bool onRecord = !(table.Eof() && table.Bof());
        values << (onRecord ? SqlValueOf(table.FieldByName(parameter.field).value()) : QVariant());
    }
    return values;
}

void TvlSqlTable::runWith(QSqlQuery& query, const QVariantList& values) {
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(static_cast<int>(i), values[i]);
    if (!query.exec()) fail(query.lastError().text());
    boundValues_ = values;
}

void TvlSqlTable::execute(QSqlQuery& query) {
    if (SQL.empty()) {
        parameters_.clear();
        if (!query.exec(selectText())) fail(query.lastError().text());
        return;
    }
    SqlParameterizedText parsed = ParseFieldParameters(SQL);
    parameters_ = std::move(parsed.parameters);
    if (parameters_.empty()) {
        if (!query.exec(parsed.text)) fail(query.lastError().text());
        return;
    }
    if (!query.prepare(parsed.text)) fail(query.lastError().text());
    runWith(query, parameterValues());
}

std::vector<TvlTable::FieldDef> TvlSqlTable::doOpen() {
    TvlSqlDatabase& database = requireDatabase();
    database.Open();
    auto query = std::make_unique<QSqlQuery>(database.connection());
    query->setForwardOnly(false);
    execute(*query);
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
    if (!parameters_.empty()) {
        const QVariantList values = parameterValues();
        if (values != boundValues_) runWith(*query_, values);
    }
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
