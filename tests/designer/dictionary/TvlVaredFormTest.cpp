#include "designer/dictionary/TvlVaredForm.h"

#include "engine/script/TvlVariables.h"

#include <gtest/gtest.h>

using namespace vl;

TEST(TvlVaredFormTest, LinesBecomeCategoriesAndVariables) {
    TvlVariables list;
    list.SetVariable(" Old", Variant(std::string()));
    list.SetVariable("Total", Variant("[Amount]"));
    EXPECT_EQ(TvlVaredForm::LinesOf(list), (QStringList{"Old", " Total"}));

    TvlVaredForm::ApplyLines({"Sales", " Total", "", "  ", "Misc", "   Deep"}, list);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.GetName(0), " Sales");
    EXPECT_EQ(list.GetName(1), "Total");
    EXPECT_EQ(list.GetValue(1).toString(), "[Amount]");
    EXPECT_EQ(list.GetName(2), " Misc");
    // Extra blanks do not make a variable a category.
    EXPECT_EQ(list.GetName(3), "Deep");
    EXPECT_EQ(list.GetValue(3).toString(), "");
}

TEST(TvlVaredFormTest, LongNamesAreCutAndRepeatedLinesMerge) {
    TvlVariables list;
    TvlVaredForm::ApplyLines({"A", " " + QString(300, 'x'), " Same", " same"}, list);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetName(1).size(), 255u);
    EXPECT_EQ(list.GetName(2), "Same");
}

TEST(TvlVaredFormTest, CancelChangesNothing) {
    TvlVariables list;
    list.SetVariable(" Keep", Variant(std::string()));
    {
        TvlVaredForm form(list);
        form.reject();
    }
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.GetName(0), " Keep");
}
