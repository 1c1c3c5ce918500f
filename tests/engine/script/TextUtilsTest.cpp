#include "engine/script/TextUtils.h"

#include "engine/script/EngineText.h"
#include "engine/script/Errors.h"
#include "engine/script/FontStyle.h"

#include <gtest/gtest.h>

using namespace vl;

TEST(FontStyle, ConversionsSwapBoldAndItalic) {
    EXPECT_EQ(IntToFontStyle(2), fsBold);
    EXPECT_EQ(IntToFontStyle(1), fsItalic);
    EXPECT_EQ(IntToFontStyle(4 | 8), fsUnderline | fsStrikeOut);
    for (int code = 0; code < 16; ++code)
        EXPECT_EQ(FontStyleToInt(IntToFontStyle(code)), code);
}

TEST(TextUtils, RemoveQuotes) {
    EXPECT_EQ(RemoveQuotes("\"Field name\""), "Field name");
    EXPECT_EQ(RemoveQuotes("\"\""), "\"\""); // two characters stay
    EXPECT_EQ(RemoveQuotes("\"a\""), "a");
    EXPECT_EQ(RemoveQuotes("\"open"), "\"open");
    EXPECT_EQ(RemoveQuotes("plain"), "plain");
}

TEST(TextUtils, SplitBySemicolon) {
    StringList parts = {"stale"};
    SplitBySemicolon("a;;b", parts);
    EXPECT_EQ(parts, (StringList{"a", "", "b"}));
    SplitBySemicolon("a;", parts);
    EXPECT_EQ(parts, (StringList{"a"}));
    SplitBySemicolon("", parts);
    EXPECT_TRUE(parts.empty());
    SplitBySemicolon(";", parts);
    EXPECT_EQ(parts, (StringList{""}));
}

TEST(TextUtils, EscapeXml) {
    EXPECT_EQ(EscapeXml("a<b&c"), "a&#60;b&c");
    EXPECT_EQ(EscapeXml("\"x\">\r\n"), "&#34;x&#34;&#62;&#13;&#10;");
}

TEST(TextUtils, HexAndShift) {
    MemoryStream s(std::vector<std::uint8_t>{0x00, 0xAB, 0x7F});
    s.seek(2); // from the start, whatever the position
    EXPECT_EQ(StreamToHex(s), "00AB7F");
    EXPECT_EQ(ShiftCharsDown("KLM"), "ABC");
}

TEST(TextUtils, StrToFloatAnyTakesEitherSeparator) {
    EXPECT_DOUBLE_EQ(StrToFloatAny("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloatAny(" 2.25 "), 2.25);
    EXPECT_DOUBLE_EQ(StrToFloatAny("-3"), -3.0);
    EXPECT_DOUBLE_EQ(StrToFloatAny("1e3"), 1000.0);
    EXPECT_THROW(StrToFloatAny(""), ConversionError);
    EXPECT_THROW(StrToFloatAny("abc"), ConversionError);
    EXPECT_THROW(StrToFloatAny("1.2.3"), ConversionError);
    EXPECT_THROW(StrToFloatAny("inf"), ConversionError);
}

TEST(TextUtils, CaseInsensitiveComparison) {
    EXPECT_TRUE(SameText("Apple", "aPPLE"));
    EXPECT_TRUE(SameText("\xE9t\xE9", "\xC9T\xC9")); // été in Windows-1252
    EXPECT_FALSE(SameText("a", "ab"));
    EXPECT_LT(CompareText("a", "ab"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
}

TEST(TextUtils, Utf8TextIsComparedAndCutByCharacter) {
    const ScopedTextEncoding utf8(TextEncoding::Utf8);
    EXPECT_TRUE(SameText("Ελένη", "ΕΛΈΝΗ"));
    EXPECT_TRUE(SameText("été", "ÉTÉ"));
    EXPECT_FALSE(SameText("Иван", "Иваn"));
    // Upper-cased, then by code: "_" after the letters, as in the code page.
    EXPECT_GT(CompareText("_", "z"), 0);
    EXPECT_LT(CompareText("zoe", "Zoë"), 0);
    EXPECT_LT(CompareText("Alpha", "Ωmega"), 0);
    EXPECT_LT(CompareText("王", "王小"), 0);

    EXPECT_EQ(text::Length("王小明"), 3);
    EXPECT_EQ(text::Length("😀a"), 2);
    EXPECT_EQ(text::Length("e\xCC\x81"), 2) << "a combining accent is a character of its own";
    EXPECT_EQ(text::Length("\xE9t\xE9"), 3) << "bytes that are no UTF-8 count one each";
    EXPECT_EQ(text::Copy("王小明", 3, 5), "明");
    EXPECT_EQ(text::Copy("😀ab", 1, 1), "😀");
    EXPECT_EQ(text::Copy("abc", 4, 1), "");
    EXPECT_EQ(text::Position("明", "王小明"), 3);
    EXPECT_TRUE(text::IsLetterAt("1Ω", 1));
    EXPECT_FALSE(text::IsLetterAt("1Ω", 0));
    EXPECT_EQ(text::CharSize("Ω", 0), 2u);
}
