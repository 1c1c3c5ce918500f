#include "designer/inspector/TvlInspRow.h"

#include "engine/script/Errors.h"

#include <gtest/gtest.h>

using namespace vl;

namespace {

TvlInspRow makeRow(std::uint16_t kinds, const Variant& value, StringList names = {},
                   std::vector<Variant> values = {}, char separator = '.') {
    TvlInspRow row("Prop", kinds, {}, std::move(names), std::move(values));
    row.setValue(value, separator);
    return row;
}

TvlInspRow typed(std::uint16_t kinds, std::string text, StringList names = {},
                 std::vector<Variant> values = {}) {
    TvlInspRow row("Prop", kinds, {}, std::move(names), std::move(values));
    row.setText(std::move(text));
    return row;
}

const StringList kPenStyles{"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psDouble"};
const std::vector<Variant> kPenValues{0, 1, 2, 3, 4, 5};

} // namespace

TEST(TvlInspRowTest, ColoursShowByNameOrHexAndReadBack) {
    EXPECT_EQ(makeRow(pkColor, 255).text(), "clRed");
    EXPECT_EQ(makeRow(pkColor, 1193046).text(), "$123456");
    EXPECT_EQ(makeRow(pkColor, 0x1FFFFFFF).text(), "clTransparent");
    EXPECT_EQ(makeRow(pkColor, static_cast<int>(0xFF00000F)).text(), "clBtnFace");
    EXPECT_EQ(typed(pkColor, "clred").value().toInt(), 255);
    EXPECT_EQ(typed(pkColor, "$00FF00").value().toInt(), 65280);
    EXPECT_EQ(typed(pkColor, "4096").value().toInt(), 4096);
    EXPECT_THROW(typed(pkColor, "reddish").value(), ConversionError);
    // A colour text that is no number stays as it came.
    EXPECT_EQ(makeRow(pkColor, "clNone?").text(), "clNone?");
}

TEST(TvlInspRowTest, BooleansShowTrueOrFalseAndToggle) {
    EXPECT_EQ(makeRow(pkBoolean, 1).text(), "True");
    EXPECT_EQ(makeRow(pkBoolean, -1).text(), "True");
    EXPECT_EQ(makeRow(pkBoolean, 0).text(), "False");
    EXPECT_EQ(makeRow(pkBoolean, "true").text(), "True");
    EXPECT_EQ(makeRow(pkBoolean, "yes").text(), "False");
    EXPECT_EQ(makeRow(pkBoolean, 1).toggledText(), "False");
    EXPECT_EQ(makeRow(pkBoolean, false).toggledText(), "True");
    EXPECT_TRUE(typed(pkBoolean, "TRUE").value().toBool());
    EXPECT_FALSE(typed(pkBoolean, "").value().toBool());
    EXPECT_FALSE(typed(pkBoolean, "0").value().toBool());
    EXPECT_TRUE(typed(pkBoolean, "anything").value().toBool());
    EXPECT_EQ(makeRow(pkBoolean, 1).dropDownEntries(), (StringList{"False", "True"}));
}

TEST(TvlInspRowTest, FloatsShowTwoDecimalsAndReadEitherSeparator) {
    EXPECT_EQ(makeRow(pkFloat | pkSize, 2.5).text(), "2.50");
    EXPECT_EQ(makeRow(pkFloat, 1.23456).text(), "1.23");
    EXPECT_EQ(makeRow(pkFloat, 123.456).text(), "123.50");
    EXPECT_EQ(makeRow(pkFloat, 36000.4).text(), "36000.00");
    EXPECT_DOUBLE_EQ(typed(pkFloat, "3,75").value().toDouble(), 3.75);
    EXPECT_DOUBLE_EQ(typed(pkFloat, "3.75").value().toDouble(), 3.75);
    EXPECT_THROW(typed(pkFloat, "wide").value(), ConversionError);

    EXPECT_EQ(makeRow(pkFloat, 2.5, {}, {}, ',').text(), "2,50");
    EXPECT_DOUBLE_EQ(typed(pkFloat, "3.75").value().toDouble(), 3.75);
}

TEST(TvlInspRowTest, EnumerationsWithValuesShowNamesAndCycle) {
    const TvlInspRow style = makeRow(pkEnum, 5, kPenStyles, kPenValues);
    EXPECT_EQ(style.text(), "psDouble");
    EXPECT_EQ(style.toggledText(), "psSolid");
    EXPECT_EQ(makeRow(pkEnum, 1, kPenStyles, kPenValues).toggledText(), "psDot");
    EXPECT_EQ(typed(pkEnum, "psdot", kPenStyles, kPenValues).value().toInt(), 2);
    // A text that is no name is read as a number.
    EXPECT_EQ(typed(pkEnum, "4", kPenStyles, kPenValues).value().toInt(), 4);
    EXPECT_THROW(typed(pkEnum, "psWavy", kPenStyles, kPenValues).value(), ConversionError);
    // A value outside the list shows as it is.
    EXPECT_EQ(makeRow(pkEnum, 9, kPenStyles, kPenValues).text(), "9");
}

TEST(TvlInspRowTest, EnumerationsOfNamesOnlyKeepTheText) {
    const TvlInspRow row = makeRow(pkEnum, "Center", {"Left", "Center", "Right"});
    EXPECT_EQ(row.text(), "Center");
    EXPECT_EQ(row.value().toString(), "Center");
    EXPECT_EQ(row.toggledText(), "Right");
    EXPECT_EQ(makeRow(pkEnum, "Right", {"Left", "Center", "Right"}).toggledText(), "Left");
    EXPECT_EQ(makeRow(pkEnum, "Other", {"Left", "Center", "Right"}).toggledText(), "Left");
}

TEST(TvlInspRowTest, TextIntegerAndUnknownKinds) {
    EXPECT_EQ(typed(pkText | pkSingle, "Memo1").value().toString(), "Memo1");
    EXPECT_EQ(typed(pkInteger, "42").value().toInt(), 42);
    EXPECT_THROW(typed(pkInteger, "4x").value(), ConversionError);
    EXPECT_TRUE(typed(pkEditor, "(Memo)").value().isNull());
    EXPECT_TRUE(typed(pkText, "x").isPlain());
    EXPECT_FALSE(makeRow(pkColor, 0).isPlain());
}
