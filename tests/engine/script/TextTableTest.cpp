#include "engine/script/TextTable.h"

#include "engine/build/TvlEngine.h"
#include "engine/script/TvlLocale.h"

#include <gtest/gtest.h>

using namespace vl;

TEST(TextTable, ParsesEscapesCommentsAndBadLines) {
    const TextTable t =
        TextTable::parse("# comment\n1\tone\r\n2\ta\\tb\\\\c\\n\nbad line\nx\ty\n3\t\n");
    EXPECT_EQ(*t.find(1), "one");
    EXPECT_EQ(*t.find(2), "a\tb\\c\n");
    EXPECT_EQ(*t.find(3), "");
    EXPECT_EQ(t.find(4), nullptr);
    EXPECT_EQ(t.size(), 3u);
}

TEST(TextTable, Utf8BecomesEngineText) {
    const TextTable t = TextTable::parse("7\tM\xC3\xBCller\n");
    EXPECT_EQ(*t.find(7), "M\xFCller");
}

TEST(TextTable, BuiltInTableHoldsTheEngineTexts) {
    EXPECT_EQ(LoadResString(55207), "Preview");
    EXPECT_EQ(LoadResString(55203), "Preparing report");
    EXPECT_EQ(LoadResString(55206), "Error");
    EXPECT_EQ(LoadResString(55077 + 16), "Group header");
    EXPECT_EQ(LoadResString(55170), "0;1");
    EXPECT_EQ(LoadResString(55200), "An error occured during calculating");
    EXPECT_EQ(LoadResString(55337), "1");
    EXPECT_EQ(LoadResString(1), "");
}

TEST(TextTable, LocalisationHandlerWinsOnlyWithText) {
    TvlLocale& locale = Globals().locale();
    locale.setLocalizeHandler([](int id, std::string& text) {
        if (id == 55207) text = "Vorschau";
        if (id == 55206) text = ""; // an empty answer does not hide the table entry
    });
    EXPECT_EQ(LoadResString(55207), "Vorschau");
    EXPECT_EQ(LoadResString(55206), "Error");
    EXPECT_EQ(LoadResString(55203), "Preparing report");
    locale.setLocalizeHandler({});
    EXPECT_EQ(LoadResString(55207), "Preview");
}

TEST(TextTable, HandlerAnswerIsTakenWhole) {
    TvlLocale& locale = Globals().locale();
    locale.setLocalizeHandler([](int, std::string& text) { text = std::string(2000, 'x'); });
    EXPECT_EQ(LoadResString(55207).size(), 2000u);
    locale.setLocalizeHandler({});
}
