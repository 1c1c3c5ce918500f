#include "engine/build/TvlDBDataSet.h"
#include "engine/build/sql/TvlSqlTable.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vl;

namespace {

class DBDataSet : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        db.DatabaseName = FromQt(dir.filePath("orders.db"));
        db.CreateIfMissing = true;
        db.Execute("CREATE TABLE orders (id INTEGER, total REAL)");
        db.Execute("CREATE TABLE empty (id INTEGER)");
        for (int id = 1; id <= 4; ++id)
            db.Execute("INSERT INTO orders VALUES (" + std::to_string(id) + ", 9.5)");
        orders.TableName = "orders";
        source.SetDataSet(&orders);
    }

    int currentId() { return orders.FieldByName("id").value().toInt(); }

    // Opens the source, walks it as a band does, closes it; the ids printed.
    std::vector<int> walk() {
        std::vector<int> ids;
        source.Open();
        source.First();
        while (!source.Eof()) {
            ids.push_back(currentId());
            source.Next();
        }
        source.Close();
        return ids;
    }

    void positionOn(int id) {
        orders.Open();
        orders.First();
        while (currentId() != id)
            orders.Next();
    }

    QTemporaryDir dir;
    TvlSqlDatabase db{"Database"};
    TvlSqlTable orders{"Orders", nullptr, &db};
    TvlDBDataSet source{"OrderSource"};
};

} // namespace

TEST_F(DBDataSet, WalksTheWholeTable) {
    EXPECT_EQ(walk(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(source.RecordNo(), 4);
    EXPECT_TRUE(orders.Active()); // CloseDataSource is off by default
}

TEST_F(DBDataSet, CurrentToCurrentPrintsTheCurrentRecordOnceAndStaysThere) {
    positionOn(3);
    source.RangeBegin = rbCurrent;
    source.RangeEnd = reCurrent;
    EXPECT_EQ(walk(), (std::vector<int>{3}));
    EXPECT_EQ(currentId(), 3);
}

TEST_F(DBDataSet, RangesAroundTheCurrentRecord) {
    positionOn(2);
    source.RangeEnd = reCurrent;
    EXPECT_EQ(walk(), (std::vector<int>{1, 2}));
    EXPECT_EQ(currentId(), 2); // Close returns to the start record

    source.RangeBegin = rbCurrent;
    source.RangeEnd = reLast;
    EXPECT_EQ(walk(), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(currentId(), 2);

    source.RangeBegin = rbFirst;
    source.RangeEnd = reCount;
    source.RangeEndCount = 2;
    EXPECT_EQ(walk(), (std::vector<int>{1, 2}));
}

TEST_F(DBDataSet, CurrentRangeOnAnEmptyTablePrintsNothing) {
    TvlSqlTable empty("Empty", nullptr, &db);
    empty.TableName = "empty";
    source.SetDataSet(&empty);
    source.RangeBegin = rbCurrent;
    source.RangeEnd = reCurrent;
    source.Open();
    source.First();
    EXPECT_TRUE(source.Eof());
    EXPECT_NO_THROW(source.Close());
}

TEST_F(DBDataSet, OpensAndClosesTheTableAndFiresItsEvents) {
    std::vector<std::string> events;
    source.OnOpen = [&](TvlDataset&) { events.push_back(orders.Active() ? "open" : "?"); };
    source.OnClose = [&](TvlDataset&) { events.push_back("close"); };
    source.CloseDataSource = true;
    walk();
    EXPECT_EQ(events, (std::vector<std::string>{"open", "close"}));
    EXPECT_FALSE(orders.Active());

    source.OpenDataSource = false;
    source.Open();
    EXPECT_THROW(source.First(), VlError); // the table stays closed
}

TEST_F(DBDataSet, WalksTheTableOfATableSource) {
    TvlTableSource link("OrdersLink");
    link.SetDataSet(&orders);
    source.SetDataSource(&link);
    EXPECT_EQ(source.DataSet(), nullptr);
    EXPECT_EQ(&source.ResolveTable(), &orders);
    EXPECT_EQ(walk().size(), 4u);

    source.SetDataSet(&orders);
    EXPECT_EQ(source.DataSource(), nullptr);
}

TEST_F(DBDataSet, WithoutATableEveryOperationRaises) {
    TvlDBDataSet none("Unbound");
    for (auto op : {&TvlDataset::Open, &TvlDataset::First, &TvlDataset::Next, &TvlDataset::Prior}) {
        try {
            (none.*op)();
            FAIL() << "an unbound source moved";
        } catch (const VlError& e) {
            EXPECT_STREQ(e.what(), "Unable to open dataset Unbound");
        }
    }
    EXPECT_THROW(none.Eof(), VlError);
    TvlTableSource emptyLink;
    none.SetDataSource(&emptyLink);
    EXPECT_THROW(none.ResolveTable(), VlError);
}

TEST_F(DBDataSet, ReferencesClearWhenTheirComponentGoes) {
    auto table = std::make_unique<TvlSqlTable>("Gone", nullptr, &db);
    auto link = std::make_unique<TvlTableSource>("GoneLink");
    link->SetDataSet(table.get());
    source.SetDataSet(table.get());
    table.reset();
    EXPECT_EQ(source.DataSet(), nullptr);
    EXPECT_EQ(link->DataSet(), nullptr);
    source.SetDataSource(link.get());
    link.reset();
    EXPECT_EQ(source.DataSource(), nullptr);
    EXPECT_THROW(source.ResolveTable(), VlError);
}

TEST_F(DBDataSet, TableDroppedDuringAWalk) {
    source.Open();
    source.First();
    // SQLite refuses schema changes while a table is being read.
    EXPECT_THROW(db.Execute("DROP TABLE orders"), VlError);
    while (!source.Eof())
        source.Next();
    EXPECT_EQ(source.RecordNo(), 4);
    source.Close();
    // With every row read the drop goes through; the next walk reports it.
    db.Execute("DROP TABLE orders");
    orders.Close();
    try {
        walk();
        FAIL() << "walked a dropped table";
    } catch (const VlError& e) {
        EXPECT_NE(std::string(e.what()).find("no such table"), std::string::npos) << e.what();
    }
}
