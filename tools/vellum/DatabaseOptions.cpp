#include "tools/vellum/DatabaseOptions.h"

#include "engine/script/CodePage.h"

namespace vellum_cli {

namespace {

NamedText splitNamed(const QString& option, const QString& text) {
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    NamedText named{text.left(eq).trimmed(), text.mid(eq + 1)};
    if (eq < 0 || named.name.isEmpty() || named.text.trimmed().isEmpty())
        throw UsageError("--" + vl::FromQt(option) + " needs NAME=VALUE, not \"" +
                         vl::FromQt(text) + "\"");
    return named;
}

QList<NamedText> namedOptions(const CommandArgs& cmd, const QString& option) {
    QList<NamedText> list;
    for (const QString& text : cmd.options(option))
        list << splitNamed(option, text);
    return list;
}

// Tables are components found by name: a name must be unique and cannot
// hold the dot that separates the parts of a path.
void checkNames(const DatabaseOptions& options) {
    QStringList seen;
    for (const QList<NamedText>* list : {&options.queries, &options.tables}) {
        for (const NamedText& named : *list) {
            if (named.name.contains(QLatin1Char('.')))
                throw UsageError("the name \"" + vl::FromQt(named.name) + "\" cannot hold a dot");
            if (seen.contains(named.name, Qt::CaseInsensitive))
                throw UsageError("the name \"" + vl::FromQt(named.name) + "\" is given twice");
            seen << named.name;
        }
    }
}

} // namespace

QStringList DatabaseOptionNames() {
    return {QStringLiteral("database"), QStringLiteral("query"), QStringLiteral("table"),
            QStringLiteral("var")};
}

DatabaseOptions ReadDatabaseOptions(const CommandArgs& cmd) {
    DatabaseOptions options;
    options.database = cmd.option(QStringLiteral("database")).value_or(QString());
    options.queries = namedOptions(cmd, QStringLiteral("query"));
    options.tables = namedOptions(cmd, QStringLiteral("table"));
    if (!options.given() && !options.offersAllTables())
        throw UsageError("--query and --table need --database");
    if (cmd.option(QStringLiteral("database")) && options.database.trimmed().isEmpty())
        throw UsageError("--database needs a database file or DRIVER:CONNECTION");
    checkNames(options);
    return options;
}

QList<NamedText> ReadVariableOptions(const CommandArgs& cmd) {
    return namedOptions(cmd, QStringLiteral("var"));
}

} // namespace vellum_cli
