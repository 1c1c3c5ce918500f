#include "engine/script/TvlVariables.h"

#include <gtest/gtest.h>

using namespace vl;

namespace {

std::string names(const TvlVariables& v) {
    std::string s;
    for (int i = 0; i < v.Count(); ++i)
        s += v.GetName(i) + ",";
    return s;
}

} // namespace

TEST(TvlVariablesTest, NamesIgnoreCase) {
    TvlVariables v;
    v.SetVariable("abc", Variant(1));
    EXPECT_TRUE(v.GetVariable("ABC").identical(Variant(1)));
    v.SetVariable("ABC", Variant("x"));
    EXPECT_EQ(v.Count(), 1);
    EXPECT_EQ(v.GetName(0), "abc");
    EXPECT_TRUE(v.GetVariable("absent").isNull());
    EXPECT_EQ(v.IndexOf("Abc"), 0);
    EXPECT_EQ(v.IndexOf("zz"), -1);
}

TEST(TvlVariablesTest, OutOfRangeIndexesAreHarmless) {
    TvlVariables v;
    v.SetVariable("a", Variant(5));
    EXPECT_TRUE(v.GetValue(-1).identical(Variant(0)));
    EXPECT_TRUE(v.GetValue(1).identical(Variant(0)));
    EXPECT_EQ(v.GetName(7), "");
    v.SetValue(3, Variant(9));
    v.SetName(-2, "b");
    v.Delete(4);
    EXPECT_EQ(names(v), "a,");
    EXPECT_TRUE(v.GetValue(0).identical(Variant(5)));
}

TEST(TvlVariablesTest, UnsortedKeepsInsertionOrderAndInsertMoves) {
    TvlVariables v;
    v.SetVariable("c", Variant(1));
    v.SetVariable("a", Variant(2));
    v.SetVariable("b", Variant(3));
    EXPECT_EQ(names(v), "c,a,b,");
    v.Insert(0, "b"); // existing entry: reset to 0 and moved
    EXPECT_EQ(names(v), "b,c,a,");
    EXPECT_TRUE(v.GetValue(0).identical(Variant(0)));
    v.Insert(1, "new");
    EXPECT_EQ(names(v), "b,new,c,a,");
    v.Delete(1);
    EXPECT_EQ(names(v), "b,c,a,");
}

TEST(TvlVariablesTest, SortedListsOrderAndIgnoreDuplicates) {
    TvlVariables v(true);
    for (const char* n : {"delta", "Alpha", "charlie", "bravo", "ALPHA"})
        v.SetVariable(n, Variant(n));
    EXPECT_EQ(names(v), "Alpha,bravo,charlie,delta,");
    EXPECT_TRUE(v.GetVariable("alpha").identical(Variant("ALPHA")));
    EXPECT_EQ(v.IndexOf("CHARLIE"), 2);

    TvlVariables u;
    u.SetVariable("z", Variant(1));
    u.SetVariable("m", Variant(2));
    u.SetSorted(true);
    EXPECT_EQ(names(u), "m,z,");
    u.SetName(0, "zz");
    EXPECT_EQ(names(u), "z,zz,");
}

TEST(TvlVariablesTest, AssignCopiesIntoOwnMode) {
    TvlVariables from;
    from.SetVariable("b", Variant(1));
    from.SetVariable("a", Variant(2));
    TvlVariables sorted(true);
    sorted.SetVariable("old", Variant(0));
    sorted.Assign(from);
    EXPECT_EQ(names(sorted), "a,b,");
    sorted.Clear();
    EXPECT_EQ(sorted.Count(), 0);
}
