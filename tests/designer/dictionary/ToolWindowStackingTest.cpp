#include "designer/dictionary/ToolWindowStacking.h"

#include <gtest/gtest.h>

using namespace vl;

TEST(ToolWindowStackingTest, TheFieldsWindowKeepsItsHeightOnItsSide) {
    const QRect inspector(800, 200, 200, 400);
    // Above the inspector: at the top of the workspace, the inspector below it.
    auto stacked = StackToolWindows(QRect(850, 120, 180, 150), inspector, 100, 900, false);
    ASSERT_TRUE(stacked);
    EXPECT_EQ(stacked->fields, QRect(850, 100, 180, 150));
    EXPECT_EQ(stacked->inspector, QRect(800, 250, 200, 650));
    // Stacking what came out changes nothing.
    auto again = StackToolWindows(stacked->fields, stacked->inspector, 100, 900, false);
    EXPECT_EQ(again->fields, stacked->fields);
    EXPECT_EQ(again->inspector, stacked->inspector);

    // Below it: at the bottom, the inspector above.
    stacked = StackToolWindows(QRect(700, 500, 180, 150), inspector, 100, 900, false);
    ASSERT_TRUE(stacked);
    EXPECT_EQ(stacked->fields, QRect(700, 750, 180, 150));
    EXPECT_EQ(stacked->inspector, QRect(800, 100, 200, 650));
}

TEST(ToolWindowStackingTest, WindowsSideBySideStayAndARolledUpInspectorKeepsItsHeight) {
    EXPECT_FALSE(
        StackToolWindows(QRect(500, 100, 200, 300), QRect(800, 100, 200, 300), 0, 900, false));
    auto stacked =
        StackToolWindows(QRect(800, 600, 200, 300), QRect(800, 50, 200, 20), 0, 900, true);
    ASSERT_TRUE(stacked);
    EXPECT_EQ(stacked->fields, QRect(800, 600, 200, 300));
    EXPECT_EQ(stacked->inspector, QRect(800, 580, 200, 20));
    // A fields window taller than the workspace leaves the inspector room.
    stacked = StackToolWindows(QRect(800, 0, 200, 2000), QRect(800, 50, 200, 300), 0, 900, false);
    EXPECT_EQ(stacked->fields.height(), 870);
    EXPECT_EQ(stacked->inspector, QRect(800, 870, 200, 30));
}
