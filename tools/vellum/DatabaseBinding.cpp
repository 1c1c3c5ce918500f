#include "tools/vellum/DatabaseBinding.h"

#include "engine/build/TvlEngine.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"
#include "tools/vellum/DatabaseConnection.h"
#include "tools/vellum/TemplateUsage.h"

#include <QSqlDriver>

namespace vellum_cli {

DatabaseBinding::DatabaseBinding(const DatabaseOptions& options) {
    const bool sqliteFile = ConfigureConnection(database_, options.database);
    database_.Open();
    if (!sqliteFile) beginReadOnly();
    if (options.offersAllTables())
        addAllTables();
    else
        addNamedTables(options);
    // Last: a constructor that fails must leave nothing registered behind.
    report_.Engine().components().add(&form_);
}

DatabaseBinding::~DatabaseBinding() {
    report_.Engine().components().remove(&form_);
    tables_.clear();
    if (inTransaction_) database_.connection().rollback();
    database_.Close();
}

// A server has no read-only mode of its own for a connection; a
// transaction that is never committed keeps it unchanged.
void DatabaseBinding::beginReadOnly() {
    QSqlDatabase connection = database_.connection();
    if (connection.driver()->hasFeature(QSqlDriver::Transactions))
        inTransaction_ = connection.transaction();
}

vl::TvlSqlTable& DatabaseBinding::addTable(const QString& name) {
    const std::string component = vl::FromQt(name);
    if (form_.findComponent(component))
        throw UsageError("the name \"" + component + "\" is taken by the report");
    tables_.push_back(std::make_unique<vl::TvlSqlTable>(component, &form_, &database_));
    return *tables_.back();
}

void DatabaseBinding::addNamedTables(const DatabaseOptions& options) {
    namedTables_ = true;
    for (const NamedText& table : options.tables)
        addTable(table.name).TableName = vl::FromQt(table.text);
    for (const NamedText& query : options.queries)
        addTable(query.name).SQL = vl::FromQt(query.text);
    // Opening runs every query once: a bad table name or SQL fails here,
    // with the database's message, before anything is built.
    for (const auto& table : tables_)
        table->Open();
}

void DatabaseBinding::addAllTables() {
    const QSqlDatabase connection = database_.connection();
    for (const QString& name : connection.tables(QSql::Tables) + connection.tables(QSql::Views))
        if (!form_.findComponent(vl::FromQt(name))) addTable(name).TableName = vl::FromQt(name);
}

void DatabaseBinding::checkTemplate(const TemplateUsage& usage) const {
    for (const QString& source : usage.dataSources())
        if (!form_.findComponent(vl::FromQt(source)))
            throw vl::VlError("Unable to open dataset " + vl::FromQt(source));
    if (!namedTables_) return;
    for (const auto& table : tables_)
        if (!usage.uses(vl::ToQt(table->name())))
            PrintError("warning: the template does not use \"" + table->name() + "\"");
}

} // namespace vellum_cli
