#pragma once

#include <QString>

namespace vl {
class TvlSqlDatabase;
}

namespace vellum_cli {

// Sets a connection up from the --database text:
// - FILE: a SQLite database file, opened read-only (never created);
// - DRIVER:CONNECTION with DRIVER one of sqlite, postgresql (postgres,
//   psql), mysql, mariadb, odbc or a Qt driver name (QPSQL...): for ODBC
//   the connection string as it stands; for the others either a database
//   name or "key=value;..." with host, port, user, password and dbname
//   (database), any other key being passed on as a driver option.
// Returns whether the connection is a SQLite file.
bool ConfigureConnection(vl::TvlSqlDatabase& database, const QString& text);

} // namespace vellum_cli
