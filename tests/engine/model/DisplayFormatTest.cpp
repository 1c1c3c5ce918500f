#include "engine/model/DisplayFormat.h"

#include "engine/build/TvlEngine.h"
#include "engine/script/Errors.h"
#include "tests/support/ThreadLocale.h"

#include <gtest/gtest.h>
#include <map>

using namespace vl;
using namespace vltest;

namespace {

class DisplayFormatTest : public ::testing::Test {
protected:
    void SetUp() override { Globals().localeService().select("en_US"); }

    static std::int32_t W(int category, int type, int decimals = 0, char separator = 0) {
        return TvlDisplayFormat::Word(category, type, decimals, separator);
    }
    // A bracket evaluated against a table of values, with the view's format.
    std::string Bracket(std::string_view text, TvlDisplayFormat view = {}, bool hideZeros = false) {
        return EvaluateBracket(
            text, view, hideZeros,
            [this](std::string_view expression) {
                const auto it = values.find(std::string(expression));
                if (it == values.end()) throw VlError("unknown " + std::string(expression));
                return it->second;
            },
            vltest::ThreadLocale());
    }
    std::map<std::string, Variant> values;
};

TEST_F(DisplayFormatTest, WordPacksItsFields) {
    const std::int32_t word = TvlDisplayFormat::Word(fcNumber, 3, 2, ',');
    EXPECT_EQ(word, 0x01030200 + ',');
    const TvlDisplayFormat f{word, {}};
    EXPECT_EQ(f.category(), fcNumber);
    EXPECT_EQ(f.type(), 3);
    EXPECT_EQ(f.decimals(), 2);
    EXPECT_EQ(f.separator(), ',');
    EXPECT_EQ(FormatDialogWord(fcNumber, 1, 2, ""), W(fcNumber, 1, 2, ','));
    EXPECT_EQ(FormatDialogWord(fcNumber, 1, 2, ".x"), W(fcNumber, 1, 2, '.'));
}

TEST_F(DisplayFormatTest, InlineNumberFormats) {
    const TvlDisplayFormat view{W(fcText, 0), {}};
    TvlBracketSpec s = SplitInlineFormat("Price #N10,2", view);
    EXPECT_EQ(s.expression, "Price");
    EXPECT_EQ(s.format.word, W(fcNumber, 1, 2, ','));
    EXPECT_EQ(s.format.pattern, "");

    s = SplitInlineFormat("Price #10.3", view); // a digit stands for N
    EXPECT_EQ(s.format.word, W(fcNumber, 1, 3, '.'));

    s = SplitInlineFormat("Sum #N#,##0.00", view);
    EXPECT_EQ(s.expression, "Sum");
    EXPECT_EQ(s.format.word, W(fcNumber, kCustomFormatType, 0, '.'));
    EXPECT_EQ(s.format.pattern, "#,##0.00");

    s = SplitInlineFormat("Sum #n#,##0", view); // the last ',' becomes the separator
    EXPECT_EQ(s.format.word, W(fcNumber, kCustomFormatType, 0, ','));
    EXPECT_EQ(s.format.pattern, "#.##0");

    s = SplitInlineFormat("Sum #N", view); // an empty pattern: the general form
    EXPECT_EQ(s.format.word, W(fcNumber, kCustomFormatType, 0, 0));
    EXPECT_EQ(FormatValue(Variant(2.5), s.format.word, s.format.pattern), "2.5");
}

TEST_F(DisplayFormatTest, InlineDateBooleanAndUnknownFormats) {
    const TvlDisplayFormat view{W(fcNumber, 1, 2, '.'), "view"};
    TvlBracketSpec s = SplitInlineFormat("Date #Dd.mm.yyyy", view);
    EXPECT_EQ(s.expression, "Date");
    EXPECT_EQ(s.format.word, W(fcDate, kCustomFormatType));
    EXPECT_EQ(s.format.pattern, "d.mm.yyyy");
    s = SplitInlineFormat("Time #thh:nn", view);
    EXPECT_EQ(s.format.word, W(fcDate, kCustomFormatType));
    EXPECT_EQ(s.format.pattern, "hh:nn");
    s = SplitInlineFormat("Flag #BNo;Yes", view);
    EXPECT_EQ(s.format.word, W(fcBoolean, kCustomFormatType));
    EXPECT_EQ(s.format.pattern, "No;Yes");
    s = SplitInlineFormat("Name #Xabc", view); // unknown letter: the view's format
    EXPECT_EQ(s.expression, "Name");
    EXPECT_EQ(s.format.word, view.word);
    EXPECT_EQ(s.format.pattern, "view");
    // No " #", or one inside quotes: the whole text is the expression.
    s = SplitInlineFormat("Name#N", view);
    EXPECT_EQ(s.expression, "Name#N");
    s = SplitInlineFormat("'No #1' + Name", view);
    EXPECT_EQ(s.expression, "'No #1' + Name");
    EXPECT_EQ(s.format.word, view.word);
}

TEST_F(DisplayFormatTest, NumberTypes) {
    const Variant v(1234.5);
    EXPECT_EQ(FormatValue(v, W(fcNumber, 0, 2, ','), ""), "1234,5");
    EXPECT_EQ(FormatValue(v, W(fcNumber, 1, 2, ','), ""), "1234,50");
    EXPECT_EQ(FormatValue(v, W(fcNumber, 2, 2, '.'), ""), "1,234.5");
    EXPECT_EQ(FormatValue(v, W(fcNumber, 3, 2, '.'), ""), "1,234.50");
    EXPECT_EQ(FormatValue(v, W(fcNumber, kCustomFormatType, 0, '.'), "000000.0"), "001234.5");
    EXPECT_EQ(FormatValue(Variant(2.0), W(fcNumber, 0, 2, '.'), ""), "2");
    EXPECT_EQ(FormatValue(Variant(-0.126), W(fcNumber, 1, 2, '.'), ""), "-0.13");
    EXPECT_EQ(FormatValue(Variant(7), W(fcNumber, 1, 0, '.'), ""), "7");
    // Numbers given as text are formatted as numbers.
    EXPECT_EQ(FormatValue(Variant("12.5"), W(fcNumber, 1, 1, ','), ""), "12,5");
    // The engine's separator is back afterwards.
    EXPECT_EQ(Globals().localeService().decimalSeparator(), '.');
}

TEST_F(DisplayFormatTest, DateTimeAndBooleanTypes) {
    const Variant day = Variant::dateTime(36114.0 + 0.5 + 43.0 / 1440 + 35.0 / 86400); // 1998-11-15
    EXPECT_EQ(FormatValue(day, W(fcDate, 0), ""), "11.15.98");
    EXPECT_EQ(FormatValue(day, W(fcDate, 1), ""), "11.15.1998");
    EXPECT_EQ(FormatValue(day, W(fcDate, 2), ""), "15 Nov 1998");
    EXPECT_EQ(FormatValue(day, W(fcDate, kCustomFormatType), "yyyy-mm-dd"), "1998-11-15");
    EXPECT_FALSE(FormatValue(day, W(fcDate, 3), "").empty());
    EXPECT_EQ(FormatValue(day, W(fcTime, 0), ""), "12:43:35");
    EXPECT_EQ(FormatValue(Variant::dateTime(0.1), W(fcTime, 1), ""), "2:24:00");
    EXPECT_EQ(FormatValue(Variant::dateTime(0.1), W(fcTime, 2), ""), "02:24");
    EXPECT_EQ(FormatValue(Variant::dateTime(0.1), W(fcTime, 3), ""), "2:24");

    EXPECT_EQ(FormatValue(Variant(true), W(fcBoolean, 0), ""), "1");
    EXPECT_EQ(FormatValue(Variant(0), W(fcBoolean, 1), ""), "No");
    EXPECT_EQ(FormatValue(Variant(5), W(fcBoolean, 1), ""), "Yes");
    EXPECT_EQ(FormatValue(Variant(true), W(fcBoolean, 2), ""), "x");
    EXPECT_EQ(FormatValue(Variant(false), W(fcBoolean, 3), ""), "False");
    EXPECT_EQ(FormatValue(Variant(1), W(fcBoolean, kCustomFormatType), "off;on"), "on");
    EXPECT_EQ(FormatValue(Variant(1), W(fcBoolean, kCustomFormatType), "x"), "x");
    EXPECT_EQ(FormatValue(Variant(0), W(fcBoolean, kCustomFormatType), "x"), "");
}

TEST_F(DisplayFormatTest, EmptyValuesAndErrors) {
    EXPECT_EQ(FormatValue(Variant(), W(fcNumber, 1, 2, '.'), ""), "");
    EXPECT_EQ(FormatValue(Variant("   "), W(fcText, 0), ""), "");
    EXPECT_EQ(FormatValue(Variant(" a "), W(fcText, 0), ""), " a ");
    // Values that do not fit the category show as plain text.
    EXPECT_EQ(FormatValue(Variant("abc"), W(fcNumber, 1, 2, '.'), ""), "abc");
    EXPECT_EQ(FormatValue(Variant("abc"), W(fcDate, 1), ""), "abc");
    EXPECT_EQ(FormatValue(Variant("abc"), W(fcBoolean, 1), ""), "abc");
    EXPECT_EQ(FormatValue(Variant(3), W(9, 0), ""), "3");
    EXPECT_EQ(Globals().localeService().decimalSeparator(), '.');
}

TEST_F(DisplayFormatTest, BracketsWithInlineFormatsAndHideZeros) {
    values["Price"] = Variant(1234.5);
    values["Flag"] = Variant(1);
    values["Off"] = Variant(0);
    values["Zero"] = Variant(0.0);
    values["ZeroText"] = Variant("0");
    EXPECT_EQ(Bracket("Price #N10,2"), "1234,50");
    EXPECT_EQ(Bracket("Flag #BNo;Yes"), "Yes");
    EXPECT_EQ(Bracket("Off #BNo;Yes"), "No");
    EXPECT_EQ(Bracket("Zero", {}, true), "");
    EXPECT_EQ(Bracket("ZeroText", {}, true), "0");
    values["False"] = Variant(false);
    values["Text"] = Variant("abc");
    EXPECT_EQ(Bracket("False #BNo;Yes", {}, true), "");
    EXPECT_EQ(Bracket("Text", {}, true), "abc");
    EXPECT_EQ(Bracket("Zero #N10,2", {}, false), "0,00");
    // The view's format serves brackets without their own.
    EXPECT_EQ(Bracket("Price", {W(fcNumber, 3, 1, '.'), {}}), "1,234.5");
    EXPECT_THROW(Bracket("Missing"), VlError);
}

} // namespace
