#include "engine/build/sql/TvlSqlTable.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vl;

namespace {

class SqlTable : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        db.DatabaseName = FromQt(dir.filePath("organizer.db"));
        db.CreateIfMissing = true;
        db.Execute("CREATE TABLE people (id INTEGER, name TEXT, active BOOLEAN, score REAL, "
                   "photo BLOB)");
        db.Execute("INSERT INTO people VALUES (1, 'Ann', 1, 2.5, X'FFD8FF00')");
        db.Execute("INSERT INTO people VALUES (2, NULL, NULL, NULL, NULL)");
        db.Execute("INSERT INTO people VALUES (3, 'Caf\xE9', 0, -1, X'')");
        table.TableName = "people";
    }

    // A second connection to the same file, as another program would have.
    void executeElsewhere(const std::string& sql) {
        TvlSqlDatabase other;
        other.DatabaseName = db.DatabaseName;
        other.ConnectOptions = "QSQLITE_BUSY_TIMEOUT=0";
        other.Execute(sql);
    }

    QTemporaryDir dir;
    TvlSqlDatabase db{"Database"};
    TvlSqlTable table{"People", nullptr, &db};
};

} // namespace

TEST_F(SqlTable, DescribesFieldsAndReadsValues) {
    EXPECT_TRUE(table.hasField("NAME")); // known while closed
    table.Open();
    ASSERT_EQ(table.Fields().size(), 5u);
    EXPECT_EQ(table.FieldByName("id").type(), TFieldType::ftInteger);
    EXPECT_EQ(table.FieldByName("name").type(), TFieldType::ftString);
    EXPECT_EQ(table.FieldByName("active").type(), TFieldType::ftBoolean);
    EXPECT_EQ(table.FieldByName("score").type(), TFieldType::ftFloat);
    EXPECT_EQ(table.FieldByName("photo").type(), TFieldType::ftBlob);

    EXPECT_EQ(table.FieldByName("id").value().toInt(), 1);
    EXPECT_EQ(table.FieldByName("name").value().toString(), "Ann");
    EXPECT_DOUBLE_EQ(table.FieldByName("score").value().toDouble(), 2.5);
    auto blob = table.CreateBlobStream(table.FieldByName("photo"));
    EXPECT_EQ(blob->data(), (std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF, 0x00}));

    table.Next();
    EXPECT_TRUE(table.FieldByName("name").isNull());
    EXPECT_TRUE(table.FieldByName("name").value().isNull());
    EXPECT_TRUE(table.CreateBlobStream(table.FieldByName("photo"))->data().empty());

    table.Next();
    EXPECT_EQ(table.FieldByName("name").value().toString(), "Caf\xE9"); // engine code page
    EXPECT_THROW(table.FieldByName("missing"), VlError);
}

TEST_F(SqlTable, CursorStaysOnTheEdgeRecordsAndReturnsToBookmarks) {
    table.Open();
    EXPECT_FALSE(table.Eof());
    table.Prior();
    EXPECT_TRUE(table.Bof());
    EXPECT_EQ(table.FieldByName("id").value().toInt(), 1);

    table.Next();
    const TBookmark second = table.GetBookmark();
    table.Next();
    table.Next();
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(table.FieldByName("id").value().toInt(), 3); // stays on the last record
    EXPECT_FALSE(TvlTable::SameBookmark(table.GetBookmark(), second));

    table.GotoBookmark(second);
    EXPECT_FALSE(table.Eof());
    EXPECT_TRUE(TvlTable::SameBookmark(table.GetBookmark(), second));
    EXPECT_EQ(table.FieldByName("id").value().toInt(), 2);
    table.First();
    EXPECT_EQ(table.FieldByName("id").value().toInt(), 1);
}

TEST_F(SqlTable, QueryAndEmptyResults) {
    table.SQL = "SELECT name FROM people WHERE id > 10";
    table.Open();
    EXPECT_TRUE(table.Eof());
    EXPECT_TRUE(table.FieldByName("name").isNull());
    EXPECT_THROW(table.GotoBookmark(table.GetBookmark()), VlError);
}

TEST_F(SqlTable, ClosedTableRefusesToMove) {
    EXPECT_THROW(table.Next(), VlError);
    EXPECT_THROW(table.GetBookmark(), VlError);
    table.Open();
    db.Close(); // closes the tables on it first
    EXPECT_FALSE(table.Active());
    table.Open(); // reconnects
    EXPECT_TRUE(table.Active());
}

TEST_F(SqlTable, MissingDatabaseFileIsAClearError) {
    TvlSqlDatabase missing;
    missing.DatabaseName = FromQt(dir.filePath("nowhere/none.db"));
    TvlSqlTable t("T", nullptr, &missing);
    t.TableName = "people";
    try {
        t.Open();
        FAIL() << "opened a missing database";
    } catch (const VlError& e) {
        EXPECT_NE(std::string(e.what()).find("Database file not found"), std::string::npos);
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("nowhere/none.db")));
}

TEST_F(SqlTable, FailingQueryIsAClearError) {
    table.SQL = "SELECT * FROM nosuchtable";
    try {
        table.Open();
        FAIL() << "a failing query opened";
    } catch (const VlError& e) {
        EXPECT_NE(std::string(e.what()).find("nosuchtable"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(table.Active());
    table.SQL = "DELETE FROM people";
    EXPECT_THROW(table.Open(), VlError);
    TvlSqlTable unnamed("U", nullptr, &db);
    EXPECT_THROW(unnamed.Open(), VlError);
    TvlSqlTable noDatabase("N");
    EXPECT_THROW(noDatabase.Open(), VlError);
}

TEST_F(SqlTable, TableDroppedWhileOpen) {
    table.Open();
    table.Next();
    // Another connection cannot drop a table that is being read.
    EXPECT_THROW(executeElsewhere("DROP TABLE people"), VlError);
    // Once every row has been read the drop goes through; the rows read
    // stay readable and reopening reports the missing table.
    while (!table.Eof())
        table.Next();
    executeElsewhere("DROP TABLE people");
    table.First();
    EXPECT_EQ(table.FieldByName("id").value().toInt(), 1);
    table.Close();
    EXPECT_FALSE(table.hasField("id"));
    try {
        table.Open();
        FAIL() << "opened a dropped table";
    } catch (const VlError& e) {
        EXPECT_NE(std::string(e.what()).find("people"), std::string::npos) << e.what();
    }
}

TEST_F(SqlTable, DatabaseGoneWhileTableOpen) {
    auto owned = std::make_unique<TvlSqlDatabase>();
    owned->DatabaseName = db.DatabaseName;
    TvlSqlTable t("T", nullptr, owned.get());
    t.TableName = "people";
    t.Open();
    owned.reset();
    EXPECT_FALSE(t.Active());
    EXPECT_EQ(t.Database(), nullptr);
    EXPECT_THROW(t.Open(), VlError);
}

TEST_F(SqlTable, TableDroppedByAnotherWriterMidRead) {
    // In WAL mode a writer may drop the table while this cursor reads it;
    // the cursor keeps reading its snapshot and the reopen reports the loss.
    db.Execute("PRAGMA journal_mode=WAL");
    table.Open();
    executeElsewhere("DROP TABLE people");
    std::vector<int> ids;
    for (; !table.Eof(); table.Next())
        ids.push_back(table.FieldByName("id").value().toInt());
    EXPECT_EQ(ids, (std::vector<int>{1, 2, 3}));
    table.Close();
    EXPECT_THROW(table.Open(), VlError);
}
