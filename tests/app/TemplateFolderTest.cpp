#include "app/TemplateFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillet;

namespace {

class TemplateFolderTest : public ::testing::Test {
protected:
    TemplateFolderTest() : folder(dir.path()) {}

    void touch(DataSourceKind kind, const QString& fileName, const QByteArray& bytes = "x") {
        QDir().mkpath(folder.folder(kind));
        QFile f(folder.folder(kind) + fileName);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray contents(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    TemplateFolder folder;
    static constexpr DataSourceKind kTasks = DataSourceKind::TaskList;
    static constexpr DataSourceKind kContacts = DataSourceKind::Contacts;
};

} // namespace

TEST_F(TemplateFolderTest, PathsLieBelowTheProgramFolder) {
    EXPECT_EQ(folder.path(kTasks, QStringLiteral("Week")),
              dir.path() + QStringLiteral("/Reports/TaskList/Week.vlf"));
    EXPECT_EQ(folder.path(kContacts, QStringLiteral("Phones")),
              dir.path() + QStringLiteral("/Reports/Contacts/Phones.vlf"));
}

TEST_F(TemplateFolderTest, ListsTemplateNamesInCaseInsensitiveOrder) {
    touch(kTasks, QStringLiteral("beta.vlf"));
    touch(kTasks, QStringLiteral("Alpha.vlf"));
    touch(kTasks, QStringLiteral("Gamma.VLF"));
    touch(kTasks, QStringLiteral("notes.txt"));
    touch(kTasks, QStringLiteral(".hidden.vlf"));
    // the name is the part before the first dot
    touch(kTasks, QStringLiteral("Delta.old.vlf"));
    touch(kContacts, QStringLiteral("Phones.vlf"));
    const QStringList names = folder.names(kTasks);
    // a file system that matches extensions by case lists "Gamma" too
    QStringList expected = {QStringLiteral("Alpha"), QStringLiteral("beta"),
                            QStringLiteral("Delta")};
    if (names.contains(QStringLiteral("Gamma"))) expected.append(QStringLiteral("Gamma"));
    EXPECT_EQ(names, expected);
    EXPECT_EQ(folder.names(kContacts), QStringList{QStringLiteral("Phones")});
}

TEST_F(TemplateFolderTest, AMissingFolderHasNoTemplates) {
    EXPECT_TRUE(folder.names(kContacts).isEmpty());
    EXPECT_FALSE(folder.exists(kContacts, QStringLiteral("Phones")));
}

TEST_F(TemplateFolderTest, ExistenceIgnoresCase) {
    touch(kTasks, QStringLiteral("Task List.vlf"));
    EXPECT_TRUE(folder.exists(kTasks, QStringLiteral("Task List")));
    EXPECT_TRUE(folder.exists(kTasks, QStringLiteral("TASK LIST")));
    EXPECT_FALSE(folder.exists(kTasks, QStringLiteral("Task")));
    EXPECT_FALSE(folder.exists(kContacts, QStringLiteral("Task List")));
}

TEST_F(TemplateFolderTest, DuplicateCopiesButNeverOverwrites) {
    touch(kTasks, QStringLiteral("Week.vlf"), "week");
    touch(kTasks, QStringLiteral("Month.vlf"), "month");
    EXPECT_TRUE(folder.duplicate(kTasks, QStringLiteral("Week"), QStringLiteral("Copy")));
    EXPECT_EQ(contents(folder.path(kTasks, QStringLiteral("Copy"))), "week");
    EXPECT_FALSE(folder.duplicate(kTasks, QStringLiteral("Week"), QStringLiteral("Month")));
    EXPECT_FALSE(folder.duplicate(kTasks, QStringLiteral("Week"), QStringLiteral("MONTH")));
    EXPECT_EQ(contents(folder.path(kTasks, QStringLiteral("Month"))), "month");
    // a template that is gone cannot be copied
    EXPECT_FALSE(folder.duplicate(kTasks, QStringLiteral("Gone"), QStringLiteral("New")));
    EXPECT_FALSE(QFile::exists(folder.path(kTasks, QStringLiteral("New"))));
}

TEST_F(TemplateFolderTest, NamesThatLeaveTheFolderOrHideAreRefused) {
    touch(kTasks, QStringLiteral("Week.vlf"));
    for (const QString& bad :
         {QString(), QStringLiteral("  "), QStringLiteral("../Week"), QStringLiteral("sub/Week"),
          QStringLiteral("a\\b"), QStringLiteral(".hidden"), QStringLiteral("a.b"),
          QStringLiteral("tab\there")}) {
        EXPECT_FALSE(TemplateFolder::validName(bad)) << bad.toStdString();
        EXPECT_FALSE(folder.duplicate(kTasks, QStringLiteral("Week"), bad)) << bad.toStdString();
    }
    EXPECT_TRUE(TemplateFolder::validName(QStringLiteral("Week 2 (copy)")));
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/Reports/Week.vlf")));
    EXPECT_EQ(folder.names(kTasks), QStringList{QStringLiteral("Week")});
}

TEST_F(TemplateFolderTest, RemoveDeletesOnlyTheNamedTemplate) {
    touch(kTasks, QStringLiteral("Week.vlf"));
    touch(kTasks, QStringLiteral("Month.vlf"));
    EXPECT_TRUE(folder.remove(kTasks, QStringLiteral("Week")));
    EXPECT_FALSE(folder.remove(kTasks, QStringLiteral("Week")));
    EXPECT_EQ(folder.names(kTasks), QStringList{QStringLiteral("Month")});
}
