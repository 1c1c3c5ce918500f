#include "designer/editors/TSynMemoSearch.h"
#include "designer/editors/TvlSyntaxMemo.h"
#include "tests/designer/editors/EditorTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace vltest {
namespace {

class SyntaxMemoTest : public ::testing::Test {
protected:
    SyntaxMemoTest() {
        memo.resize(400, 300);
        memo.show();
        memo.setFocus();
    }
    // The class codes of a line as one string.
    std::string classesOf(int line) const {
        std::string out;
        for (int col = 1; col <= static_cast<int>(memo.text().line(line).size()); ++col)
            out += static_cast<char>(memo.text().classAt(col, line));
        return out;
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(&memo, k, mods);
    }
    TvlTextPoint caret() const { return memo.text().caret(); }

    TvlSyntaxMemo memo;
};

TEST_F(SyntaxMemoTest, ClassifiesPascalAndSqlLines) {
    memo.setLines({"x := 'a' { note } // end"});
    EXPECT_EQ(classesOf(1), "tttttssstcccccccctcccccc");
    // In SQL quotes, braces and "//" are plain; "end" is an SQL keyword.
    memo.setSyntaxType(stSQL);
    EXPECT_EQ(classesOf(1), std::string(21, 't') + "kkk");
    memo.setLines({"a -- b \"s\""});
    EXPECT_EQ(classesOf(1), "ttcccccccc");
    memo.setSyntaxType(stText);
    EXPECT_EQ(classesOf(1), std::string(10, 't'));
}

TEST_F(SyntaxMemoTest, KeywordsIgnoreCaseButNotLongerIdentifiers) {
    memo.setLines({"BEGIN begin_x End"});
    EXPECT_EQ(classesOf(1), "kkkkk" + std::string(9, 't') + "kkk");
}

TEST_F(SyntaxMemoTest, BlockCommentsSpanLinesAndUnclosedOnesRunToTheEnd) {
    memo.setLines({"a (* one", "two *) b", "{ open", "end"});
    EXPECT_EQ(classesOf(1), "ttcccccc");
    EXPECT_EQ(classesOf(2), "cccccctt");
    EXPECT_EQ(classesOf(3), "cccccc");
    EXPECT_EQ(classesOf(4), "ccc");
    // Typing closes the comment: the whole text is classified again.
    memo.moveCaret(7, 3);
    QTest::keyClicks(&memo, "}");
    EXPECT_EQ(classesOf(4), "kkk");
}

TEST_F(SyntaxMemoTest, KeepsThirtyTwoUndoSteps) {
    QTest::keyClicks(&memo, QString(33, QLatin1Char('a')));
    EXPECT_EQ(memo.text().undoCount(), 32);
    for (int i = 0; i < 32; ++i)
        key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(memo.lines(), StringList{"a"});
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(memo.lines(), StringList{"a"});
    EXPECT_EQ(caret(), (TvlTextPoint{2, 1}));
}

TEST_F(SyntaxMemoTest, EnterKeepsIndentationAndUndoesItFirst) {
    memo.setLines({"    abc"});
    key(Qt::Key_End);
    key(Qt::Key_Return);
    EXPECT_EQ(memo.text().line(2), "    ");
    EXPECT_EQ(caret(), (TvlTextPoint{5, 2}));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(memo.text().lineCount(), 2);
    EXPECT_EQ(memo.text().line(2), "");
    key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(memo.text().lineCount(), 2);
}

TEST_F(SyntaxMemoTest, BackspaceAndTabFollowTheLinesAbove) {
    memo.setLines({"begin", "  if x then", "    y := 1;", "      "});
    memo.moveCaret(5, 4);
    key(Qt::Key_Backspace);
    EXPECT_EQ(caret(), (TvlTextPoint{3, 4}));
    EXPECT_EQ(memo.text().line(4), "    ");
    memo.setLines({"x := 1;   y", ""});
    memo.moveCaret(1, 2);
    key(Qt::Key_Tab);
    EXPECT_EQ(caret(), (TvlTextPoint{3, 2}));
    key(Qt::Key_Tab);
    EXPECT_EQ(caret(), (TvlTextPoint{6, 2}));
    EXPECT_EQ(memo.window()->focusWidget(), &memo) << "Tab must not move the focus";
}

TEST_F(SyntaxMemoTest, CtrlYDeletesALineAndEmptiesTheLast) {
    memo.setLines({"one", "two"});
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(memo.lines(), StringList{"two"});
    memo.moveCaret(3, 1);
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(memo.lines(), StringList{""});
    EXPECT_EQ(caret(), (TvlTextPoint{1, 1}));
}

TEST_F(SyntaxMemoTest, BlockUnindentRemovesAtMostTwoBlanks) {
    memo.setLines({"    a", "   b", "", "c"});
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(memo.lines(), (StringList{"  a", " b", "", "c"}));
}

TEST_F(SyntaxMemoTest, SearchLooksBelowTheCaretLineOnly) {
    memo.setLines({"Find me", "x", "find me"});
    memo.moveCaret(1, 3);
    ModalDialogs dialogs;
    dialogs.expect<TSynMemoSearch>([](TSynMemoSearch& box) {
        Child<QLineEdit>(box, "Edit1")->setText(QStringLiteral("FIND"));
        Child<QPushButton>(box, "SearchBtn")->click();
    });
    key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(memo.text().message(), "Text \"FIND\" not found.");
    EXPECT_EQ(caret(), (TvlTextPoint{1, 3}));
    memo.moveCaret(3, 1);
    EXPECT_EQ(memo.text().message(), "");
    key(Qt::Key_F3);
    EXPECT_EQ(caret(), (TvlTextPoint{1, 3}));
}

TEST_F(SyntaxMemoTest, BookmarksMoveWithTheirLines) {
    memo.setLines({"a", "b", "c"});
    memo.moveCaret(1, 3);
    key(Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(memo.text().bookmark(3), 2);
    memo.moveCaret(1, 1);
    key(Qt::Key_Return);
    EXPECT_EQ(memo.text().bookmark(3), 3);
    key(Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(caret(), (TvlTextPoint{1, 4}));
    key(Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(memo.text().bookmark(3), -1);
}

TEST_F(SyntaxMemoTest, MouseMovesTheCaretAndSelects) {
    memo.setLines({"alpha beta", "gamma"});
    auto cell = [this](int col, int line) {
        return memo.cellPosition(col, line) + QPoint(1, memo.cellHeight() / 2);
    };
    QTest::mouseClick(&memo, Qt::LeftButton, {}, cell(8, 1));
    EXPECT_EQ(caret(), (TvlTextPoint{8, 1}));
    QTest::mousePress(&memo, Qt::LeftButton, {}, cell(1, 1));
    QTest::mouseMove(&memo, cell(6, 2));
    QTest::mouseRelease(&memo, Qt::LeftButton, {}, cell(6, 2));
    EXPECT_EQ(memo.text().selectedText(), "alpha beta\r\ngamma");
    QTest::mouseDClick(&memo, Qt::LeftButton, {}, cell(8, 1));
    EXPECT_EQ(memo.text().selectedText(), "beta");
}

TEST_F(SyntaxMemoTest, ReadOnlyAllowsMovingAndCopyingOnly) {
    memo.setLines({"abc"});
    memo.setReadOnly(true);
    QTest::keyClicks(&memo, "xyz");
    key(Qt::Key_Backspace);
    key(Qt::Key_Y, Qt::ControlModifier);
    key(Qt::Key_A, Qt::ControlModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(memo.lines(), StringList{"abc"});
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("abc"));
}

TEST_F(SyntaxMemoTest, HostileTextIsEditedAndDrawnSafely) {
    std::string big;
    for (int i = 0; big.size() < 40000; ++i)
        big += "  x" + std::to_string(i) + " := 'tab\there' { \x01\x1f } (* \r\n";
    big += std::string(5000, 'w');
    QApplication::clipboard()->setText(QString::fromLatin1(big.c_str()));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_GT(memo.text().lineCount(), 1000);
    key(Qt::Key_End);
    EXPECT_EQ(caret().col, TvlSyntaxMemoText::kMaxColumn);
    for (Qt::Key k : {Qt::Key_PageUp, Qt::Key_Home, Qt::Key_PageDown, Qt::Key_End}) {
        key(k, Qt::ControlModifier);
        key(k);
        EXPECT_FALSE(memo.grab().isNull());
    }
    memo.moveCaret(3, 2);
    key(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    key(Qt::Key_Delete);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(memo.grab().isNull());
}

} // namespace
} // namespace vltest
