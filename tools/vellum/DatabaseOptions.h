#pragma once

#include "tools/vellum/CommandLine.h"

#include <QList>
#include <QString>

namespace vellum_cli {

// One NAME=VALUE option, as --query, --table and --var take them.
struct NamedText {
    QString name;
    QString text;
};

// Where the data of a database build comes from: the database (a SQLite
// file or DRIVER:CONNECTION) and the tables that templates see by name.
struct DatabaseOptions {
    QString database;
    QList<NamedText> queries; // --query NAME=SQL
    QList<NamedText> tables;  // --table NAME=TABLE
    bool given() const { return !database.isEmpty(); }
    // Without queries and tables every table of the database is offered.
    bool offersAllTables() const { return queries.isEmpty() && tables.isEmpty(); }
};

// The option names of the database build, for the command's option list.
QStringList DatabaseOptionNames();

// Reads --database, --query and --table. UsageError for a NAME=VALUE
// option without a name or a value, a name given twice (case ignored), a
// name with a dot (templates could not reach it) and queries or tables
// without a database.
DatabaseOptions ReadDatabaseOptions(const CommandArgs& cmd);

// Reads --var NAME=EXPR options, in order.
QList<NamedText> ReadVariableOptions(const CommandArgs& cmd);

} // namespace vellum_cli
