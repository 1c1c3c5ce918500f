#include "engine/output/preview/TvlHelpWindow.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace vl::test {
namespace {

// The guide as the help window shows it: Markdown rendered, found text
// selected, round the end with a word about it, and headings to open at.
class HelpWindowTest : public ::testing::Test {
protected:
    HelpWindowTest() {
        QFile file(dir.filePath(QStringLiteral("guide.md")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("# Starting\n\nThe **preview** opens.\n\n## Printing\n\nPrint the preview.\n\n"
                   "## Keys\n\nF3 finds again.\n");
    }
    QTemporaryDir dir;
};

TEST_F(HelpWindowTest, RendersTheGuideFindsTextAndOpensAtAHeading) {
    TvlHelpWindow help(dir.filePath(QStringLiteral("guide.md")));
    help.show();
    const QString text = help.browser()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("The preview opens.")));
    EXPECT_FALSE(text.contains(QStringLiteral("**"))) << "rendered, not shown as source";

    QTest::keyClicks(help.searchField(), QStringLiteral("preview"));
    QTest::keyClick(help.searchField(), Qt::Key_Return);
    EXPECT_EQ(help.browser()->textCursor().selectedText(), QStringLiteral("preview"));
    const int first = help.browser()->textCursor().position();
    QTest::keyClick(help.searchField(), Qt::Key_Return);
    EXPECT_GT(help.browser()->textCursor().position(), first);
    EXPECT_TRUE(help.searchStatus()->text().isEmpty());
    QTest::keyClick(help.searchField(), Qt::Key_Return);
    EXPECT_EQ(help.browser()->textCursor().position(), first) << "from the top again";
    EXPECT_FALSE(help.searchStatus()->text().isEmpty());

    help.searchField()->setText(QStringLiteral("nowhere in it"));
    EXPECT_FALSE(help.findNext());
    EXPECT_EQ(help.searchStatus()->text(), QStringLiteral("Not found"));

    EXPECT_TRUE(help.showTopic(QStringLiteral("keys")));
    EXPECT_EQ(help.browser()->textCursor().block().text(), QStringLiteral("Keys"));
    EXPECT_FALSE(help.showTopic(QStringLiteral("no such heading")));
}

} // namespace
} // namespace vl::test
