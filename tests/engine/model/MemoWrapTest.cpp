#include "ViewTestSupport.h"
#include "engine/model/Hyphenation.h"
#include "engine/model/MeasuringCanvas.h"
#include "engine/model/TvlMemoView.h"
#include "engine/script/CodePage.h"
#include "engine/script/EngineText.h"
#include "tests/support/ThreadEngine.h"

#include <gtest/gtest.h>

using namespace vl;
using namespace vl::test;

namespace {

const std::string kMark(1, kParagraphMark);

// Text objects wrapped at 96 dpi; widths are taken from the measuring font
// so that the cases hold for any version of the fonts.
class MemoWrapTest : public ::testing::Test {
protected:
    ViewStateGuard guard;
    TvlMemoView memo;

    void SetUp() override { memo.SetBounds(0, 0, 200, 100); }
    double W(std::string_view text) {
        return MeasuringCanvas()
            .metrics(memo.Font, memo.Font.pixelHeight96())
            .width(text, memo.CharSpacing);
    }
    // Makes the wrap width exactly fit `text` (plus less than a pixel).
    void fitWidthTo(std::string_view text) {
        memo.Width = static_cast<int>(W(text)) + 1 + 2 * memo.GapX;
    }
    StringList wrap(StringList lines) {
        memo.EvaluatedText = std::move(lines);
        memo.WrapMemo();
        return memo.WrappedLines;
    }
    // The wrapped lines must all fit the wrap width.
    void expectAllFit() {
        for (const std::string& line : memo.WrappedLines) {
            std::string text = line;
            std::erase(text, kParagraphMark);
            EXPECT_LE(W(text), memo.Width - 2 * memo.GapX) << text;
        }
    }
};

TEST_F(MemoWrapTest, ShortLinesKeepTheirMark) {
    EXPECT_EQ(wrap({"Hello", "", "x"}), (StringList{"Hello" + kMark, kMark, "x" + kMark}));
    // Text height: the gaps and one line height per line.
    EXPECT_EQ(memo.LineHeight, 2 + 13);
    EXPECT_EQ(memo.TextHeight, 2 * memo.GapY + 3 * 15);
}

TEST_F(MemoWrapTest, WrapsAtSpaces) {
    fitWidthTo("alpha beta");
    EXPECT_GT(W("alpha beta g"), memo.Width - 2 * memo.GapX);
    EXPECT_EQ(wrap({"alpha beta to be"}), (StringList{"alpha beta", "to be" + kMark}));
    expectAllFit();
}

// Digits are all equally wide.
TEST_F(MemoWrapTest, LongWordBreaksAtTheFirstCharacterThatDoesNotFit) {
    fitWidthTo("12345678");
    ASSERT_GT(W("123456789"), memo.Width - 2 * memo.GapX);
    EXPECT_EQ(wrap({"1234567890123456789"}), (StringList{"12345678", "90123456", "789" + kMark}));
    // After a word that ends a line the long word starts its own line.
    EXPECT_EQ(wrap({"12 123456789012"}), (StringList{"12", "12345678", "9012" + kMark}));
    expectAllFit();
}

TEST_F(MemoWrapTest, LineBreaksInsideALine) {
    memo.Width = 400;
    EXPECT_EQ(wrap({"a b\r\nc d"}), (StringList{"a b" + kMark, "c d" + kMark}));
    // Several CR/LF characters count as one break.
    EXPECT_EQ(wrap({"one\r\n\r\n\n\rtwo"}), (StringList{"one" + kMark, "two" + kMark}));
    // A break at the end adds no empty line.
    EXPECT_EQ(wrap({"end\r\n"}), (StringList{"end" + kMark}));
}

TEST_F(MemoWrapTest, WithoutWordWrapEveryLineIsOneLine) {
    memo.Flags &= static_cast<std::uint16_t>(~TvlMemoView::mfWordWrap);
    memo.Width = 20;
    EXPECT_EQ(wrap({"a long line of text"}), (StringList{"a long line of text" + kMark}));
    // Rotated text that is not wrapped has no marks; it wraps at the height.
    memo.Alignment = TvlMemoView::vltaVertical;
    EXPECT_EQ(wrap({"abc"}), (StringList{"abc"}));
    EXPECT_EQ(memo.TextHeight, 2 * memo.GapX + 15);
}

TEST_F(MemoWrapTest, PreWrappedTextIsKept) {
    memo.Width = 10;
    memo.PreWrapped = true;
    EXPECT_EQ(wrap({"already wrapped", "last" + kMark}),
              (StringList{"already wrapped", "last" + kMark}));
}

TEST_F(MemoWrapTest, DesignerKeepsALongExpressionOnOneLine) {
    memo.DrawMode = rmDesign;
    memo.Width = 40;
    EXPECT_EQ(wrap({"[Customer.Name]"}), (StringList{"[Customer.Name]" + kMark}));
    memo.DrawMode = rmOutput;
    EXPECT_GT(wrap({"[Customer.Name]"}).size(), 1u);
}

TEST_F(MemoWrapTest, CharacterSpacingCountsInTheWidth) {
    fitWidthTo("abcdef");
    EXPECT_EQ(wrap({"abcdef"}).size(), 1u);
    memo.CharSpacing = 3;
    EXPECT_GT(wrap({"abcdef"}).size(), 1u);
    expectAllFit();
}

// Cyrillic text in code page 1251.
class CyrillicWrapTest : public MemoWrapTest {
protected:
    void SetUp() override {
        MemoWrapTest::SetUp();
        SetCurrentCodePage(CodePage::windows1251());
    }
    void TearDown() override { SetCurrentCodePage(CodePage::windows1252()); }
    static std::string Cp(const char* utf8) { return FromQt(QString::fromUtf8(utf8)); }
};

TEST_F(CyrillicWrapTest, HyphenPositionsFollowTheSyllableRules) {
    EXPECT_EQ(HyphenPositions(Cp("молоко")), (std::vector<int>{2, 4}));
    EXPECT_EQ(HyphenPositions(Cp("МОЛОКО")), (std::vector<int>{2, 4}));
    EXPECT_EQ(HyphenPositions(Cp("подъезд")), (std::vector<int>{4}));
    EXPECT_EQ(HyphenPositions(Cp("программирование")), (std::vector<int>{4, 7, 9, 11, 13}));
    EXPECT_TRUE(HyphenPositions(Cp("дом")).empty());
    EXPECT_TRUE(HyphenPositions("window").empty());
    EXPECT_TRUE(HyphenPositions("").empty());
}

TEST_F(CyrillicWrapTest, WordBreakHyphenatesLongWords) {
    memo.Flags |= TvlMemoView::mfWordBreak;
    const std::string text = Cp("Это программирование");
    fitWidthTo(Cp("Это програм-"));
    const StringList lines = wrap({text});
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].back(), '-');
    expectAllFit();
    // Hyphens and breaks aside, the text is all there.
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i];
        std::erase(line, kParagraphMark);
        if (!line.empty() && line.back() == '-') {
            line.pop_back();
        } else if (i + 1 < lines.size()) {
            line += ' ';
        }
        joined += line;
    }
    EXPECT_EQ(joined, text);
    // The longest syllable run that fits, with its hyphen.
    EXPECT_EQ(lines, (StringList{Cp("Это програм-"), Cp("мирование") + kMark}));
}

TEST_F(CyrillicWrapTest, UnhyphenatableWordStillBreaksWithWordBreak) {
    memo.Flags |= TvlMemoView::mfWordBreak;
    fitWidthTo("1234");
    EXPECT_EQ(wrap({"1234567890"}), (StringList{"1234", "5678", "90" + kMark}));
}

// UTF-8 text: characters are measured, wrapped and hyphenated whole.
class Utf8WrapTest : public MemoWrapTest {
protected:
    ScopedTextEncoding utf8{TextEncoding::Utf8};
    static bool WholeCharacters(const std::string& line) {
        return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())).toStdString() ==
               line;
    }
};

TEST_F(Utf8WrapTest, CharactersAreMeasuredWhole) {
    const double han = W("王"), small = W("小");
    EXPECT_GT(han, 1);
    EXPECT_DOUBLE_EQ(W("王小"), han + small);
    memo.CharSpacing = 3;
    EXPECT_DOUBLE_EQ(W("王小"), han + small + 6) << "spacing once per character";
}

TEST_F(Utf8WrapTest, GreekWrapsAtSpacesAndCyrillicHyphenatesByCharacter) {
    fitWidthTo("Ελένη Παπα");
    EXPECT_EQ(wrap({"Ελένη Παπα δοπούλου"}), (StringList{"Ελένη Παπα", "δοπούλου" + kMark}));
    expectAllFit();
    // The positions of the code page's rules, at the end of each character.
    EXPECT_EQ(HyphenPositions("молоко"), (std::vector<int>{4, 8}));
    EXPECT_EQ(HyphenPositions("подъезд"), (std::vector<int>{8}));
    memo.Flags |= TvlMemoView::mfWordBreak;
    fitWidthTo("Это програм-");
    EXPECT_EQ(wrap({"Это программирование"}), (StringList{"Это програм-", "мирование" + kMark}));
}

TEST_F(Utf8WrapTest, ChineseBreaksBetweenCharacters) {
    fitWidthTo("王小明王");
    const StringList lines = wrap({"名字 王小明王小明王小"});
    ASSERT_GE(lines.size(), 3u);
    // The break falls before a character, not at the space that came first.
    EXPECT_EQ(lines[0], "名字 王");
    std::string joined;
    for (const std::string& line : lines) {
        EXPECT_TRUE(WholeCharacters(line)) << line;
        joined += line;
    }
    std::erase(joined, kParagraphMark);
    EXPECT_EQ(joined, "名字 王小明王小明王小");
    expectAllFit();
}

} // namespace
