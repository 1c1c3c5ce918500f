#include "engine/build/sql/TvlSqlDatabase.h"
#include "engine/output/PrinterSystem.h"
#include "engine/script/CodePage.h"
#include "tests/support/ReportFixture.h"
#include "tools/vellum/Commands.h"
#include "tools/vellum/DatabaseConnection.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <algorithm>

namespace vltest {
namespace {

const QString kOrders = QStringLiteral("Orders=SELECT * FROM orders ORDER BY id");
const QString kLines =
    QStringLiteral("Lines=SELECT * FROM lines WHERE order_id = :Orders.id ORDER BY product");

// `vellum build` on a SQLite file of orders and their lines, with a
// master/detail template written by the fixture's report.
class DatabaseBuildTest : public ReportFixture {
protected:
    void SetUp() override {
        Globals().startPrinter(nullptr);
        writeDatabase();
        band(btMasterData, 40, 20, "OrderData", "Orders");
        memo("[Orders.\"customer\"]", 20, 42);
        band(btDetailData, 80, 20, "LineData", "Lines");
        memo("-[Lines.\"product\"]", 40, 82);
        band(btDetailFooter, 120, 20, "LineFooter");
        memo("=[SUM([Lines.\"amount\"], LineData)]", 40, 122);
    }

    void writeDatabase() {
        TvlSqlDatabase db;
        db.DatabaseName = FromQt(databasePath());
        db.CreateIfMissing = true;
        db.Execute("CREATE TABLE orders (id INTEGER, customer TEXT)");
        db.Execute("CREATE TABLE lines (order_id INTEGER, product TEXT, amount REAL)");
        db.Execute("INSERT INTO orders VALUES (1, 'Ann'), (2, 'Bob')");
        db.Execute("INSERT INTO lines VALUES (1, 'Pen', 2.5), (2, 'Ink', 4), (1, 'Pad', 1.5)");
    }

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString databasePath() const { return path("shop.sqlite"); }
    QString templatePath() {
        const QString file = path("invoice.vlf");
        report.SaveToFile(file);
        return file;
    }

    // Runs "vellum build TEMPLATE --database FILE ARGS".
    int build(const QStringList& args, const QString& database = {}) {
        QStringList all = {QStringLiteral("build"), templatePath(), QStringLiteral("--database"),
                           database.isEmpty() ? databasePath() : database};
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int status = vellum_cli::RunCommandLine(all + args);
        out = testing::internal::GetCapturedStdout();
        err = testing::internal::GetCapturedStderr();
        return status;
    }
    int buildOrderLines(const QStringList& more = {}) {
        return build(
            QStringList{QStringLiteral("--query"), kOrders, QStringLiteral("--query"), kLines} +
            more);
    }

    // The texts of the pages printed as JSON, in order.
    std::vector<std::string> printedTexts() const {
        std::vector<std::string> result;
        const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(out)).object();
        for (const QJsonValue page : json[QStringLiteral("pages")].toArray())
            for (const QJsonValue object : page[QStringLiteral("objects")].toArray()) {
                QStringList lines;
                for (const QJsonValue line : object[QStringLiteral("text")].toArray())
                    lines << line.toString();
                result.push_back(lines.join(QLatin1Char('|')).toStdString());
            }
        return result;
    }

    QByteArray fileHash(const QString& file) const {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }

    QTemporaryDir dir;
    std::string out, err;
};

TEST_F(DatabaseBuildTest, BuildsMasterAndDetailOnNamedQueries) {
    ASSERT_EQ(buildOrderLines(), 0) << err;
    EXPECT_EQ(printedTexts(),
              (std::vector<std::string>{"Ann", "-Pad", "-Pen", "=4", "Bob", "-Ink", "=4"}));
    EXPECT_TRUE(err.empty()) << err;
}

TEST_F(DatabaseBuildTest, OffersEveryTableUnderItsNameWithoutQueries) {
    report.Pages().Clear();
    page = &report.Pages().Add();
    band(btMasterData, 40, 20, "LineData", "lines");
    memo("[lines.\"product\"] [lines.\"amount\"]", 20, 42, 300);
    ASSERT_EQ(build({}), 0) << err;
    EXPECT_EQ(printedTexts(), (std::vector<std::string>{"Pen 2.5", "Ink 4", "Pad 1.5"}));
}

TEST_F(DatabaseBuildTest, TablesAreNamedAsTheTemplateWants) {
    ASSERT_EQ(build({QStringLiteral("--table"), QStringLiteral("Orders=orders"),
                     QStringLiteral("--query"), kLines}),
              0)
        << err;
    EXPECT_EQ(printedTexts().front(), "Ann");
}

TEST_F(DatabaseBuildTest, TheDatabaseFileIsOnlyRead) {
    const QByteArray before = fileHash(databasePath());
    ASSERT_FALSE(before.isEmpty());
    ASSERT_EQ(buildOrderLines(), 0) << err;
    // A query that tries to change the database fails and changes nothing.
    EXPECT_EQ(build({QStringLiteral("--query"), QStringLiteral("Orders=DELETE FROM orders"),
                     QStringLiteral("--query"), kLines}),
              1);
    EXPECT_EQ(fileHash(databasePath()), before);
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("shop.sqlite-*")}), QStringList());
}

TEST_F(DatabaseBuildTest, AMissingDatabaseIsNeitherCreatedNorBuilt) {
    const QString missing = path("missing.sqlite");
    EXPECT_EQ(build({QStringLiteral("--pdf"), path("out.pdf")}, missing), 1);
    EXPECT_EQ(err, "vellum: Database file not found: " + missing.toStdString() + "\n");
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_FALSE(QFile::exists(path("out.pdf")));
}

TEST_F(DatabaseBuildTest, SqlErrorsCarryTheDatabasesMessageAndWriteNothing) {
    EXPECT_EQ(build({QStringLiteral("--query"), kOrders, QStringLiteral("--query"),
                     QStringLiteral("Lines=SELECT nosuchcolumn FROM lines"),
                     QStringLiteral("--pdf"), path("out.pdf")}),
              1);
    EXPECT_EQ(err.rfind("vellum: Lines: ", 0), 0u) << err;
    EXPECT_NE(err.find("nosuchcolumn"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    EXPECT_FALSE(QFile::exists(path("out.pdf")));

    EXPECT_EQ(build({QStringLiteral("--table"), QStringLiteral("Orders=nosuchtable")}), 1);
    EXPECT_NE(err.find("nosuchtable"), std::string::npos) << err;
    // The failed binding left no form behind in the program's registry.
    EXPECT_EQ(Globals().components().find("DatabaseForm"), nullptr);
}

TEST_F(DatabaseBuildTest, AQueryTheTemplateDoesNotUseIsOnlyAWarning) {
    ASSERT_EQ(
        buildOrderLines({QStringLiteral("--query"), QStringLiteral("Spare=SELECT * FROM orders")}),
        0);
    EXPECT_EQ(err, "vellum: warning: the template does not use \"Spare\"\n");
    EXPECT_EQ(printedTexts().size(), 7u);
}

TEST_F(DatabaseBuildTest, ATableTheTemplateNeedsButNobodyGaveStopsTheBuild) {
    EXPECT_EQ(build({QStringLiteral("--query"), kOrders, QStringLiteral("--pdf"), path("out.pdf")}),
              1);
    EXPECT_EQ(err, "vellum: Unable to open dataset Lines\n");
    EXPECT_FALSE(QFile::exists(path("out.pdf")));
}

TEST_F(DatabaseBuildTest, VariablesSetDictionaryAndScriptVariables) {
    report.Dictionary().Variables.SetVariable(" Invoice", Variant(std::string()));
    report.Dictionary().Variables.SetVariable("Heading", Variant("'none'"));
    band(btReportTitle, 10, 20, "Title");
    memo("[Heading]/[Greeting]", 20, 12, 300);
    ASSERT_EQ(
        buildOrderLines({QStringLiteral("--var"), QStringLiteral("Heading=Orders.\"customer\""),
                         QStringLiteral("--var"), QStringLiteral("Greeting='Hi' + ' there'")}),
        0)
        << err;
    EXPECT_EQ(printedTexts().front(), "Ann/Hi there");
}

TEST_F(DatabaseBuildTest, WrongOptionsAreUsageErrors) {
    const std::vector<QStringList> wrong = {
        {QStringLiteral("--query"), QStringLiteral("Orders")},
        {QStringLiteral("--query"), QStringLiteral("=SELECT 1")},
        {QStringLiteral("--query"), kOrders, QStringLiteral("--table"),
         QStringLiteral("orders=orders")},
        {QStringLiteral("--table"), QStringLiteral("My.Orders=orders")},
        {QStringLiteral("--query"), QStringLiteral("Report=SELECT 1")},
        {QStringLiteral("--organizer"), QStringLiteral(".")},
        {QStringLiteral("--var"), QStringLiteral("NoValue")},
    };
    for (const QStringList& args : wrong) {
        EXPECT_EQ(build(args), 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_NE(err.find("(usage: vellum build"), std::string::npos) << err;
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(vellum_cli::RunCommandLine(
                  {QStringLiteral("build"), templatePath(), QStringLiteral("--query"), kOrders}),
              2);
    EXPECT_EQ(testing::internal::GetCapturedStderr().rfind(
                  "vellum: --query and --table need --database (usage", 0),
              0u);
}

TEST_F(DatabaseBuildTest, ADriverThatIsNotInstalledIsNamed) {
    if (QSqlDatabase::isDriverAvailable(QStringLiteral("QMYSQL")))
        GTEST_SKIP() << "the MySQL driver is installed here";
    EXPECT_EQ(build({}, QStringLiteral("mysql:host=localhost;dbname=shop")), 1);
    EXPECT_EQ(err, "vellum: Database driver not available: QMYSQL\n");
}

TEST(DatabaseConnection, DriverPrefixesAndServerKeys) {
    TvlSqlDatabase db;
    EXPECT_FALSE(vellum_cli::ConfigureConnection(
        db, QStringLiteral("postgresql:host=db.example;port=5433;user=rep;password=s3;"
                           "dbname=shop;connect_timeout=3")));
    EXPECT_EQ(db.DriverName, "QPSQL");
    EXPECT_EQ(db.HostName, "db.example");
    EXPECT_EQ(db.Port, 5433);
    EXPECT_EQ(db.UserName, "rep");
    EXPECT_EQ(db.Password, "s3");
    EXPECT_EQ(db.DatabaseName, "shop");
    EXPECT_EQ(db.ConnectOptions, "connect_timeout=3");

    TvlSqlDatabase odbc;
    EXPECT_FALSE(vellum_cli::ConfigureConnection(odbc, QStringLiteral("ODBC:DSN=shop;UID=rep")));
    EXPECT_EQ(odbc.DriverName, "QODBC");
    EXPECT_EQ(odbc.DatabaseName, "DSN=shop;UID=rep");

    TvlSqlDatabase mysql;
    EXPECT_FALSE(vellum_cli::ConfigureConnection(mysql, QStringLiteral("mysql:shop")));
    EXPECT_EQ(mysql.DriverName, "QMYSQL");
    EXPECT_EQ(mysql.DatabaseName, "shop");

    EXPECT_THROW(vellum_cli::ConfigureConnection(mysql, QStringLiteral("mysql:port=x")), VlError);
}

TEST(DatabaseConnection, FilesAreSqliteAndReadOnly) {
    for (const char* text : {"C:/data/shop.sqlite", "shop.sqlite", "sqlite:shop.sqlite"}) {
        TvlSqlDatabase db;
        EXPECT_TRUE(vellum_cli::ConfigureConnection(db, QString::fromLatin1(text))) << text;
        EXPECT_EQ(db.DriverName, "QSQLITE");
        EXPECT_EQ(db.ConnectOptions, "QSQLITE_OPEN_READONLY");
        EXPECT_FALSE(db.CreateIfMissing);
    }
}

} // namespace
} // namespace vltest
