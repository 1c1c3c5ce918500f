#include "engine/output/PrintOrder.h"

#include "engine/script/Errors.h"

#include <gtest/gtest.h>

using namespace vl;

namespace {

// The page numbers (from 1) a list selects on a report of count pages.
std::vector<int> selected(std::string_view list, int count) {
    const TvlPageList pages(list, count);
    std::vector<int> numbers;
    for (int n = 1; n <= count; ++n)
        if (pages.Contains(n)) numbers.push_back(n);
    return numbers;
}

std::vector<int> sequence(const TvlPrintRequest& request, int count, bool printerCopies = true) {
    std::vector<int> numbers;
    for (int i : TvlPrintOrder(request, count).Sequence(printerCopies))
        numbers.push_back(i + 1);
    return numbers;
}

using Pages = std::vector<int>;

} // namespace

TEST(PageList, SelectsNumbersAndRanges) {
    EXPECT_EQ(selected("1,3,5-7", 10), (Pages{1, 3, 5, 6, 7}));
    EXPECT_EQ(selected("8-", 10), (Pages{8, 9, 10}));
    EXPECT_EQ(selected("2,2", 10), (Pages{2}));
    EXPECT_EQ(selected("1, 2", 10), (Pages{1, 2}));
    EXPECT_EQ(selected(" 1 - 3 ", 10), (Pages{1, 2, 3}));
    EXPECT_EQ(selected("5,1", 10), (Pages{1, 5}));
    EXPECT_EQ(selected("3-5,4-6", 10), (Pages{3, 4, 5, 6}));
}

TEST(PageList, EmptyTextMeansEveryPage) {
    EXPECT_TRUE(TvlPageList("", 3).AllPages());
    EXPECT_TRUE(TvlPageList("   ", 3).AllPages());
    EXPECT_EQ(selected("  ", 3), (Pages{1, 2, 3}));
}

TEST(PageList, ReversedAndOutOfRangePartsSelectNothing) {
    EXPECT_EQ(selected("7-5", 10), Pages{});
    EXPECT_FALSE(TvlPageList("7-5", 10).AllPages());
    EXPECT_EQ(selected("11,0,20-30", 10), Pages{});
    EXPECT_EQ(selected("9-12", 10), (Pages{9, 10}));
    EXPECT_EQ(selected("0-2", 10), (Pages{1, 2}));
    // A huge range costs no more than the report's pages.
    EXPECT_EQ(selected("2-2000000000", 3), (Pages{2, 3}));
}

TEST(PageList, EntriesThatAreNoNumbersAreRefused) {
    for (const char* text : {"a", "1,x", "1-b", "-", "1,,2", "1.5"}) {
        EXPECT_THROW(TvlPageList(text, 10), ConversionError) << text;
    }
    try {
        TvlPageList("2,abc", 10);
        FAIL();
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
    }
}

TEST(PrintOrder, ParityFiltersThePageNumbers) {
    EXPECT_EQ(sequence({"1-3", 1, true, ppEvenPages}, 10), (Pages{2}));
    EXPECT_EQ(sequence({"", 1, true, ppOddPages}, 5), (Pages{1, 3, 5}));
    EXPECT_EQ(sequence({"", 1, true, ppEvenPages}, 5), (Pages{2, 4}));
    EXPECT_EQ(sequence({"1", 1, true, ppEvenPages}, 5), Pages{});
}

TEST(PrintOrder, CollatedCopiesArePassesUncollatedOnesThePrinters) {
    const TvlPrintOrder collated({"", 2, true, ppAllPages}, 3);
    EXPECT_EQ(sequence({"", 2, true, ppAllPages}, 3), (Pages{1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(collated.PrinterCopies(), 1);

    const TvlPrintOrder uncollated({"", 2, false, ppAllPages}, 3);
    EXPECT_EQ(sequence({"", 2, false, ppAllPages}, 3), (Pages{1, 2, 3}));
    EXPECT_EQ(uncollated.PrinterCopies(), 2);
    // A printer that makes no copies gets each page as often as asked.
    EXPECT_EQ(sequence({"", 2, false, ppAllPages}, 3, false), (Pages{1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(sequence({"2-3", 2, true, ppAllPages}, 3, false), (Pages{2, 3, 2, 3}));
}

TEST(PrintOrder, CopiesBelowOneCountAsOne) {
    for (int copies : {0, -3}) {
        const TvlPrintOrder order({"", copies, false, ppAllPages}, 2);
        EXPECT_EQ(order.Copies(), 1);
        EXPECT_EQ(order.PrinterCopies(), 1);
        EXPECT_EQ(sequence({"", copies, true, ppAllPages}, 2), (Pages{1, 2}));
    }
}
