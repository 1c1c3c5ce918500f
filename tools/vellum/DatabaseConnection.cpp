#include "tools/vellum/DatabaseConnection.h"

#include "engine/build/sql/TvlSqlDatabase.h"
#include "engine/script/CodePage.h"
#include "tools/vellum/CommandLine.h"

#include <QFileInfo>
#include <QMap>

namespace vellum_cli {

namespace {

const QString kSqlite = QStringLiteral("QSQLITE");

// The Qt driver a DRIVER prefix names, empty when it names none.
QString driverNamed(const QString& prefix) {
    static const QMap<QString, QString> aliases = {
        {QStringLiteral("sqlite"), kSqlite},
        {QStringLiteral("qsqlite"), kSqlite},
        {QStringLiteral("postgresql"), QStringLiteral("QPSQL")},
        {QStringLiteral("postgres"), QStringLiteral("QPSQL")},
        {QStringLiteral("psql"), QStringLiteral("QPSQL")},
        {QStringLiteral("qpsql"), QStringLiteral("QPSQL")},
        {QStringLiteral("mysql"), QStringLiteral("QMYSQL")},
        {QStringLiteral("qmysql"), QStringLiteral("QMYSQL")},
        {QStringLiteral("mariadb"), QStringLiteral("QMARIADB")},
        {QStringLiteral("qmariadb"), QStringLiteral("QMARIADB")},
        {QStringLiteral("odbc"), QStringLiteral("QODBC")},
        {QStringLiteral("qodbc"), QStringLiteral("QODBC")},
    };
    return aliases.value(prefix.toLower());
}

void configureSqlite(vl::TvlSqlDatabase& database, const QString& file) {
    database.DriverName = vl::FromQt(kSqlite);
    database.DatabaseName = vl::FromQt(file);
    database.CreateIfMissing = false;
    // Reports only read; the file stays as it was, byte for byte.
    database.ConnectOptions = "QSQLITE_OPEN_READONLY";
}

void setServerKey(vl::TvlSqlDatabase& database, const QString& key, const QString& value,
                  QStringList& options) {
    const QString k = key.trimmed().toLower();
    if (k == QLatin1String("host")) {
        database.HostName = vl::FromQt(value);
    } else if (k == QLatin1String("port")) {
        bool ok = false;
        database.Port = value.toInt(&ok);
        if (!ok)
            throw UsageError("--database: the port \"" + vl::FromQt(value) + "\" is no number");
    } else if (k == QLatin1String("user")) {
        database.UserName = vl::FromQt(value);
    } else if (k == QLatin1String("password")) {
        database.Password = vl::FromQt(value);
    } else if (k == QLatin1String("dbname") || k == QLatin1String("database")) {
        database.DatabaseName = vl::FromQt(value);
    } else {
        options << key.trimmed() + QLatin1Char('=') + value;
    }
}

void configureServer(vl::TvlSqlDatabase& database, const QString& connection) {
    if (!connection.contains(QLatin1Char('='))) {
        database.DatabaseName = vl::FromQt(connection);
        return;
    }
    QStringList options;
    for (const QString& part : connection.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq < 0)
            throw UsageError("--database: \"" + vl::FromQt(part) + "\" is no key=value pair");
        setServerKey(database, part.left(eq), part.mid(eq + 1), options);
    }
    database.ConnectOptions = vl::FromQt(options.join(QLatin1Char(';')));
}

} // namespace

bool ConfigureConnection(vl::TvlSqlDatabase& database, const QString& text) {
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    const QString driver = colon > 0 ? driverNamed(text.left(colon)) : QString();
    // A file whose name happens to start like a driver is still a file.
    if (driver.isEmpty() || QFileInfo(text).isFile()) {
        configureSqlite(database, text);
        return true;
    }
    const QString connection = text.mid(colon + 1);
    if (driver == kSqlite) {
        configureSqlite(database, connection);
        return true;
    }
    database.DriverName = vl::FromQt(driver);
    if (driver == QLatin1String("QODBC"))
        database.DatabaseName = vl::FromQt(connection);
    else
        configureServer(database, connection);
    return false;
}

} // namespace vellum_cli
