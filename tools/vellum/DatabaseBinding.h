#pragma once

#include "engine/build/TvlReport.h"
#include "engine/build/sql/TvlSqlDatabase.h"
#include "engine/build/sql/TvlSqlTable.h"
#include "tools/vellum/DatabaseOptions.h"

#include <memory>
#include <vector>

namespace vellum_cli {

class TemplateUsage;

// A report on a database, as a form holding a report component and one
// table component per named query or table would give it: a band whose
// data source is "Orders" walks the table component "Orders", and
// [Orders."Total"] reads its field. Without queries and tables every table
// of the database is offered under its own name. The database is only
// read: a SQLite file is opened read-only, and on other databases whatever
// a query changed is rolled back when the binding ends.
class DatabaseBinding {
public:
    // The form that owns the report and the tables.
    static constexpr const char* kOwnerName = "DatabaseForm";

    // Opens the database and the named queries and tables, so that a
    // missing file, a driver that is not installed and SQL errors are
    // reported (as VlError) before anything is built.
    explicit DatabaseBinding(const DatabaseOptions& options);
    ~DatabaseBinding();
    DatabaseBinding(const DatabaseBinding&) = delete;
    DatabaseBinding& operator=(const DatabaseBinding&) = delete;

    vl::TvlReport& report() { return report_; }
    // The table components, in the order they were given.
    const std::vector<std::unique_ptr<vl::TvlSqlTable>>& tables() const { return tables_; }

    // Checks a loaded template against the tables: raises "Unable to open
    // dataset NAME" when a band walks a data source that no table answers,
    // and warns on standard error about each named query or table that the
    // template does not use.
    void checkTemplate(const TemplateUsage& usage) const;

private:
    vl::TvlSqlTable& addTable(const QString& name);
    void addNamedTables(const DatabaseOptions& options);
    void addAllTables();
    void beginReadOnly();

    vl::TvlComponent form_{kOwnerName};
    vl::TvlSqlDatabase database_{"Database"};
    vl::TvlReport report_{"Report", &form_};
    std::vector<std::unique_ptr<vl::TvlSqlTable>> tables_;
    bool namedTables_ = false;
    bool inTransaction_ = false;
};

} // namespace vellum_cli
