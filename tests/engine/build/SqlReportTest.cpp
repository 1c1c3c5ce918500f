#include "engine/build/FindDataSource.h"
#include "engine/build/TvlDBDataSet.h"
#include "engine/build/sql/SqlParameters.h"
#include "engine/build/sql/TvlSqlTable.h"
#include "engine/script/CodePage.h"
#include "engine/script/EngineText.h"
#include "tests/support/ReportFixture.h"

#include <QTemporaryDir>

namespace vltest {
namespace {

TEST(SqlFieldParameters, BecomePositionalPlaceholdersInOrder) {
    const SqlParameterizedText parsed = ParseFieldParameters(
        "SELECT * FROM lines WHERE order_id = :Orders.id AND kind = :Orders.\"Line kind\"");
    EXPECT_EQ(parsed.text.toStdString(), "SELECT * FROM lines WHERE order_id = ? AND kind = ?");
    ASSERT_EQ(parsed.parameters.size(), 2u);
    EXPECT_EQ(parsed.parameters[0].table, "Orders");
    EXPECT_EQ(parsed.parameters[0].field, "id");
    EXPECT_EQ(parsed.parameters[1].field, "Line kind");
}

TEST(SqlFieldParameters, LeaveQuotesCommentsCastsAndDriverPlaceholdersAlone) {
    for (const char* sql :
         {"SELECT ':Orders.id' AS t", "SELECT \":Orders.id\" FROM x", "SELECT 1 -- :Orders.id\n",
          "SELECT /* :Orders.id */ 1", "SELECT x::int FROM t", "SELECT * FROM t WHERE a = :plain",
          "SELECT * FROM t WHERE a = :Orders.", "SELECT ':Orders.id"}) {
        const SqlParameterizedText parsed = ParseFieldParameters(sql);
        EXPECT_EQ(parsed.text.toStdString(), sql);
        EXPECT_TRUE(parsed.parameters.empty()) << sql;
    }
}

// Orders and their lines in a SQLite file; the tables belong to the form the
// report is on, as table components on a program's form would.
class SqlReport : public ReportFixture {
protected:
    SqlReport() {
        db.DatabaseName = FromQt(dir.filePath("shop.db"));
        db.CreateIfMissing = true;
        db.Execute("CREATE TABLE orders (id INTEGER, customer TEXT)");
        db.Execute("CREATE TABLE lines (order_id INTEGER, product TEXT, amount REAL)");
        db.Execute("INSERT INTO orders VALUES (1, 'Ann'), (2, 'Bob'), (3, 'Cid')");
        db.Execute("INSERT INTO lines VALUES (1, 'Pen', 2.5), (3, 'Ink', 4), (1, 'Pad', 1.5), "
                   "(3, 'Box', 10)");
        orders.SQL = "SELECT * FROM orders ORDER BY id";
        lines.SQL = "SELECT * FROM lines WHERE order_id = :Orders.id ORDER BY product";
    }

    QTemporaryDir dir;
    TvlSqlDatabase db{"Database"};
    TvlSqlTable orders{"Orders", &form, &db};
    TvlSqlTable lines{"Lines", &form, &db};
};

TEST_F(SqlReport, ABandNamingATableWalksItThroughADataSourceOfItsOwn) {
    DataSourceLookup found = FindDataSource(Globals().components(), &form, "orders");
    ASSERT_NE(found.source, nullptr);
    EXPECT_TRUE(found.isVirtual()); // owned by the band, unlike the table
    auto* source = dynamic_cast<TvlDBDataSet*>(found.source);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(&source->ResolveTable(), &orders);
    EXPECT_TRUE(orders.Active());
}

TEST_F(SqlReport, DetailBandWalksTheLinesOfEachOrder) {
    band(btMasterData, 40, 20, "OrderData", "Orders");
    memo("[Orders.\"customer\"]", 20, 42);
    band(btDetailData, 80, 20, "LineData", "Lines");
    memo("-[Lines.\"product\"]", 40, 82);
    band(btDetailFooter, 120, 20, "LineFooter");
    memo("=[SUM([Lines.\"amount\"], LineData)]", 40, 122);
    ASSERT_TRUE(build());
    // Bob has no lines, so his order is not printed.
    EXPECT_EQ(texts(), (std::vector<std::string>{"Ann", "-Pad", "-Pen", "=4", "Cid", "-Box", "-Ink",
                                                 "=14"}));
}

// With UTF-8 engine text, names in any script come from the database to
// the built pages whole, and the string functions count their characters.
TEST_F(SqlReport, Utf8TextOfEveryScriptReachesThePages) {
    const ScopedTextEncoding utf8(TextEncoding::Utf8);
    db.Execute("CREATE TABLE people (id INTEGER, name TEXT)");
    db.Execute("INSERT INTO people VALUES (1, 'Ελένη Παπαδοπούλου'), (2, 'Иван Петров'), "
               "(3, '王小明'), (4, 'עברית'), (5, 'Zoë 😀'), (6, 'e\xCC\x81')");
    TvlSqlTable people{"People", &form, &db};
    people.SQL = "SELECT name FROM people ORDER BY id";
    band(btMasterData, 40, 20, "Data", "People");
    memo("[People.\"name\"]|[LENGTH([People.\"name\"])]|[UPPERCASE(COPY([People.\"name\"], 1, 3))]",
         20, 42, 600);
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(texts(), (std::vector<std::string>{"Ελένη Παπαδοπούλου|18|ΕΛΈ", "Иван Петров|11|ИВА",
                                                 "王小明|3|王小明", "עברית|5|עבר", "Zoë 😀|5|ZOË",
                                                 "e\xCC\x81|2|E\xCC\x81"}));
}

TEST_F(SqlReport, DatabaseFunctionsReadTheTablesByName) {
    db.Execute("UPDATE orders SET customer = NULL WHERE id = 2");
    band(btMasterData, 40, 20, "OrderData", "Orders");
    memo("[Orders.\"customer\"]/[FIELDISNULL('Orders.\"customer\"')]", 20, 42, 200);
    ASSERT_TRUE(build());
    EXPECT_EQ(report.LastBuildError(), "");
    EXPECT_EQ(texts(), (std::vector<std::string>{"Ann/False", "/True", "Cid/False"}));

    // A bare field name is looked up in the band's own table.
    report.UseDefaultDataSetName = true;
    report.Pages()[0].Objects.back()->Memo = {"[FIELDISNULL('customer')]"};
    ASSERT_TRUE(build());
    EXPECT_EQ(texts(), (std::vector<std::string>{"False", "True", "False"}));
}

TEST_F(SqlReport, TheDetailFollowsItsMastersCurrentRecord) {
    orders.Open();
    lines.Open();
    std::vector<std::string> products;
    const auto walkLines = [&] {
        for (lines.First(); !lines.Eof(); lines.Next())
            products.push_back(lines.FieldByName("product").value().toString());
    };
    walkLines();
    orders.Next(); // Bob has no lines
    walkLines();
    orders.Next();
    walkLines();
    walkLines(); // the same order again: the rows already read
    EXPECT_EQ(products, (std::vector<std::string>{"Pad", "Pen", "Box", "Ink", "Box", "Ink"}));

    orders.Close(); // a closed master is opened on its first record
    lines.First();
    EXPECT_EQ(lines.FieldByName("product").value().toString(), "Pad");
}

TEST_F(SqlReport, BadParametersAreClearErrors) {
    lines.SQL = "SELECT * FROM lines WHERE order_id = :Nowhere.id";
    EXPECT_THROW(lines.Open(), VlError);
    EXPECT_FALSE(lines.Active());

    // A query that takes its parameter from itself cannot be opened.
    lines.SQL = "SELECT * FROM lines WHERE order_id = :Lines.order_id";
    try {
        lines.Open();
        FAIL() << "a query depending on itself opened";
    } catch (const VlError& e) {
        EXPECT_NE(std::string(e.what()).find("refer back"), std::string::npos) << e.what();
    }

    lines.SQL = "SELECT * FROM lines WHERE order_id = :Orders.nosuchfield";
    EXPECT_THROW(lines.Open(), VlError);
}

TEST_F(SqlReport, AnEmptyMasterGivesTheDetailANullParameter) {
    orders.SQL = "SELECT * FROM orders WHERE id > 99";
    lines.Open();
    EXPECT_TRUE(lines.Eof());
}

} // namespace
} // namespace vltest
