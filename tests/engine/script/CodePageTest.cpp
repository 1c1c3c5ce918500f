#include "engine/script/CodePage.h"

#include <gtest/gtest.h>

using namespace vl;

TEST(CodePage, Windows1252RoundTripsEveryByte) {
    const CodePage& cp = CodePage::windows1252();
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(cp.fromUnicode(cp.toUnicode(all)), all);
    EXPECT_EQ(cp.toUnicode("\x80"), QString(QChar(0x20AC))); // euro sign
    EXPECT_EQ(cp.fromUnicode(QStringLiteral("M\u00FCller")), "M\xFCller");
}

TEST(CodePage, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(CodePage::windows1252().fromUnicode(QStringLiteral("\u0416")), "?");
    EXPECT_EQ(CodePage::windows1251().fromUnicode(QStringLiteral("\u0416")), "\xC6");
}

TEST(CodePage, CaseConversionStaysInThePage) {
    const CodePage& cp = CodePage::windows1252();
    EXPECT_EQ(cp.toUpper("stra\xDF"
                         "e \xE9\x9A\xFF"),
              "STRA\xDF"
              "E \xC9\x8A\x9F");
    EXPECT_EQ(cp.toLower("\xC9\x8A"), "\xE9\x9A");
    const CodePage& cyr = CodePage::windows1251();
    EXPECT_EQ(cyr.toUpper("\xE0\xE1\xE2"), "\xC0\xC1\xC2"); // абв -> АБВ
    EXPECT_EQ(CodePage::byNumber(1251), &cyr);
    EXPECT_EQ(CodePage::byNumber(437), nullptr);
}
