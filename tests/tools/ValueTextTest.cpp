#include "tools/vellum/ValueText.h"

#include "engine/script/EngineText.h"
#include "engine/script/Errors.h"

#include <gtest/gtest.h>

using vellum_cli::ValueLine;
using vl::Variant;

TEST(ValueTextTest, KindsAndTexts) {
    EXPECT_EQ(ValueLine(Variant()), "null\t");
    EXPECT_EQ(ValueLine(Variant(false)), "bool\tfalse");
    EXPECT_EQ(ValueLine(Variant(-7)), "int\t-7");
    EXPECT_EQ(ValueLine(Variant(14.0)), "double\t14");
    EXPECT_EQ(ValueLine(Variant(0.1 + 0.2)), "double\t0.30000000000000004");
    EXPECT_EQ(ValueLine(Variant(1e300)), "double\t1e+300");
    EXPECT_EQ(ValueLine(Variant::dateTime(45366.75)), "date\t2024-03-15 18:00:00");
    EXPECT_EQ(ValueLine(Variant::dateTime(45366 + 1.5 / 86400)), "date\t2024-03-15 00:00:01.500");
    EXPECT_THROW(ValueLine(Variant::dateTime(1e300)), vl::ConversionError);
}

TEST(ValueTextTest, StringsAreEscapedUtf8) {
    EXPECT_EQ(ValueLine(Variant("a\\b\r\n\t\x01\x7f")), "str\ta\\\\b\\r\\n\\t\\x01\\x7F");
    EXPECT_EQ(ValueLine(Variant("\xE9\x80\x81")), "str\t\xC3\xA9\xE2\x82\xAC\\x81");
}

TEST(ValueTextTest, Utf8StringsStayWholeAndBrokenBytesAreEscaped) {
    const vl::ScopedTextEncoding utf8(vl::TextEncoding::Utf8);
    EXPECT_EQ(ValueLine(Variant("Ελένη 王小明 😀")), "str\tΕλένη 王小明 😀");
    EXPECT_EQ(ValueLine(Variant("a\xE9"
                                "b\xC2\x85")),
              "str\ta\\xE9b\\xC2\\x85");
}
