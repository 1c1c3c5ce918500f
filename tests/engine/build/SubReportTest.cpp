#include "engine/build/TvlBand.h"
#include "engine/build/TvlPage.h"
#include "engine/model/TvlSubReportView.h"
#include "tests/support/ReportFixture.h"

#include <algorithm>

namespace vltest {
namespace {

// Sub-report objects printing other pages of the template beside each
// other, built in code and checked on the prepared pages.
class SubReportTest : public ReportFixture {
protected:
    SubReportTest() { top = page->TopEdge(); }

    // A page printed only through sub-report objects: one master data band
    // at its top over the source, with a text of that pattern.
    TvlPage& subPage(const std::string& source, const std::string& text, int height = 20) {
        TvlPage& sub = report.Pages().Add();
        band(btMasterData, 0, height, "", source, &sub);
        memo(text, 0, 0, 100, 18, &sub);
        return sub;
    }
    // Rows whose only field holds 1..count.
    static std::vector<RowSource::Row> values(const std::string& field, int count) {
        std::vector<RowSource::Row> rows;
        for (int i = 1; i <= count; ++i)
            rows.push_back({{field, Variant(i)}});
        return rows;
    }
    int indexOf(const TvlPage& p) {
        for (int i = 0; i < report.Pages().Count(); ++i)
            if (&report.Pages()[i] == &p) return i;
        return -1;
    }
    TvlSubReportView& subReport(const TvlPage& shown, int left, int at, TvlPage* on = nullptr) {
        auto view = std::make_unique<TvlSubReportView>();
        view->SetBounds(left, at, 150, 20);
        view->Name = "Sub" + std::to_string(++counter);
        view->SubPage = indexOf(shown);
        return static_cast<TvlSubReportView&>((on ? *on : *page).AddObject(std::move(view)));
    }
    // A build that ended without an error.
    bool built() { return build() && report.LastBuildError().empty(); }
    void setRoom(int room) {
        page->BottomMargin = page->PrinterInfo.PixelPaperHeight - top - room;
        ASSERT_EQ(page->BottomEdge() - page->TopEdge(), room);
    }
    std::vector<Printed> find(const std::string& text) {
        std::vector<Printed> out;
        for (const Printed& p : printed())
            if (p.text == text) out.push_back(p);
        return out;
    }
    Printed one(const std::string& text) {
        const std::vector<Printed> found = find(text);
        EXPECT_EQ(found.size(), 1U) << text;
        return found.empty() ? Printed{-1, 0, 0, 0, 0, text} : found.front();
    }
    // Texts written on one prepared page, in writing order.
    std::vector<std::string> textsOn(int pageIndex) {
        std::vector<std::string> out;
        for (const Printed& p : printed())
            if (p.page == pageIndex) out.push_back(p.text);
        return out;
    }
    static bool has(const std::vector<std::string>& texts, const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    int top = 0;
};

#define EXPECT_AT(printed, pg, x, y)                                                               \
    do {                                                                                           \
        const Printed p_ = (printed);                                                              \
        EXPECT_EQ(p_.page, pg) << p_.text;                                                         \
        EXPECT_EQ(p_.left, x) << p_.text;                                                          \
        EXPECT_EQ(p_.top, y) << p_.text;                                                           \
    } while (0)

// Two sub-reports in one master record, over 3 and 20 records: both start
// at the band's position plus their own top; the longer one alone goes on
// below the page header of a new page after the outer page got its column
// footer and page footer, and the next master record prints below it.
TEST_F(SubReportTest, TwoSideBySideContinueTogetherOnTheNextPage) {
    setRoom(400); // bottom limit 400 below the page footer, 380 above the column footer
    addSource("Masters", numbered(2));
    addSource("Short", {{{"S", Variant(1)}}, {{"S", Variant(2)}}, {{"S", Variant(3)}}});
    std::vector<RowSource::Row> longRows;
    for (int i = 1; i <= 20; ++i)
        longRows.push_back({{"L", Variant(i)}});
    addSource("Long", longRows);
    TvlPage& shortPage = subPage("Short", "S[S]");
    TvlPage& longPage = subPage("Long", "L[L]");

    band(btPageHeader, 20, 20, "PH").Flags = TvlBandView::bfOnFirstPage;
    memo("Head", 20, 20);
    band(btMasterData, 100, 40, "Data", "Masters");
    memo("M[N]", 20, 100);
    subReport(shortPage, 200, 110);
    subReport(longPage, 400, 110);
    band(btColumnFooter, 300, 20, "CF");
    memo("CF", 20, 300);
    band(btPageFooter, 400, 20, "PF").Flags =
        TvlBandView::bfOnFirstPage | TvlBandView::bfOnLastPage;
    memo("PF", 20, 400);
    ASSERT_TRUE(built()) << report.LastBuildError();

    const int bandTop = top + 20;
    EXPECT_AT(find("M1").at(0), 0, 20, bandTop);
    EXPECT_AT(find("S1").at(0), 0, 200, bandTop + 10);
    EXPECT_AT(find("S3").at(0), 0, 200, bandTop + 50);
    EXPECT_AT(find("L1").at(0), 0, 400, bandTop + 10);
    // rows of 20 from 50 down to the limit of 380
    EXPECT_AT(find("L16").at(0), 0, 400, bandTop + 10 + 15 * 20);
    EXPECT_AT(find("L17").at(0), 1, 400, top + 20);
    EXPECT_AT(find("L20").at(0), 1, 400, top + 80);
    const std::vector<std::string> first = textsOn(0);
    EXPECT_TRUE(has(first, "CF"));
    EXPECT_TRUE(has(first, "PF"));
    // the column footer ends the page below the sub-reports, not over them
    EXPECT_EQ(find("CF").at(0).page, 0);
    EXPECT_GE(find("CF").at(0).top, find("L16").at(0).top + 18);
    EXPECT_AT(find("Head").at(1), 1, 20, top);
    // the short one is done: only the second master prints it on page 2
    ASSERT_EQ(find("S1").size(), 2U);
    EXPECT_EQ(find("S1").at(1).page, 1);
    EXPECT_AT(one("M2"), 1, 20, top + 100);
    EXPECT_AT(find("S1").at(1), 1, 200, top + 110);
}

// Two sub-reports walking the same source each go on with their own
// record after the page break.
TEST_F(SubReportTest, SideBySideSubReportsOverOneSourceKeepTheirOwnRecords) {
    setRoom(200);
    addSource("Masters", numbered(1));
    addSource("Shared", values("V", 15));
    TvlPage& left = subPage("Shared", "a[V]");
    TvlPage& right = subPage("Shared", "b[V]");
    band(btMasterData, 100, 20, "Data", "Masters");
    subReport(left, 20, 100);
    subReport(right, 300, 100);
    ASSERT_TRUE(built()) << report.LastBuildError();
    ASSERT_EQ(pageCount(), 2);
    for (int n = 1; n <= 15; ++n) {
        const Printed a = one("a" + std::to_string(n));
        const Printed b = one("b" + std::to_string(n));
        EXPECT_EQ(a.page, b.page) << n;
        EXPECT_EQ(a.top, b.top) << n;
        EXPECT_EQ(a.page, n <= 10 ? 0 : 1) << n;
    }
}

// A sub-report over no records prints nothing; its band still takes its
// own height.
TEST_F(SubReportTest, AnEmptySubReportLeavesTheBandItsHeight) {
    addSource("Masters", numbered(2));
    addSource("None", {});
    TvlPage& empty = subPage("None", "never");
    band(btMasterData, 100, 40, "Data", "Masters");
    memo("M[N]", 20, 100);
    subReport(empty, 200, 100);
    ASSERT_TRUE(built()) << report.LastBuildError();
    EXPECT_EQ(texts(), (std::vector<std::string>{"M1", "M2"}));
    EXPECT_EQ(one("M2").top, one("M1").top + 40);
}

// The counters of a sub-report's data band restart for every outer record.
TEST_F(SubReportTest, LineNumbersRestartForEachOuterRecord) {
    addSource("Masters", numbered(2));
    addSource("Inner", {{{"I", Variant("a")}}, {{"I", Variant("b")}}, {{"I", Variant("c")}}});
    TvlPage& inner = subPage("Inner", "[I][LINE#]/[LINETHROUGH#]");
    band(btMasterData, 100, 20, "Data", "Masters");
    memo("M[N]", 20, 100);
    subReport(inner, 200, 100);
    ASSERT_TRUE(built()) << report.LastBuildError();
    EXPECT_EQ(texts(), (std::vector<std::string>{"M1", "a1/1", "b2/2", "c3/3", "M2", "a1/1", "b2/2",
                                                 "c3/3"}));
}

// Groups inside a sub-report break where their condition changes, as they
// do on a page of their own.
TEST_F(SubReportTest, GroupsInsideASubReportBreakOnlyWhereTheConditionChanges) {
    addSource("Masters", numbered(1));
    addSource("Items", {{{"G", Variant("x")}, {"I", Variant(1)}},
                        {{"G", Variant("x")}, {"I", Variant(2)}},
                        {{"G", Variant("y")}, {"I", Variant(3)}}});
    TvlPage& inner = report.Pages().Add();
    band(btGroupHeader, 0, 20, "GH", "[G]", &inner);
    memo("G[G]", 0, 0, 100, 18, &inner);
    band(btMasterData, 30, 20, "Item", "Items", &inner);
    memo("I[I]", 0, 30, 100, 18, &inner);
    band(btGroupFooter, 60, 20, "GF", "", &inner);
    memo("end", 0, 60, 100, 18, &inner);
    band(btMasterData, 100, 20, "Data", "Masters");
    subReport(inner, 200, 100);
    ASSERT_TRUE(built()) << report.LastBuildError();
    EXPECT_EQ(texts(), (std::vector<std::string>{"Gx", "I1", "I2", "end", "Gy", "I3", "end"}));
}

// A band of a sub-report taller than the room below the outer headers
// would start pages without end; it prints at the top of a new page, cut
// by the page's edge, and the build goes on.
TEST_F(SubReportTest, ABandThatNeverFitsPrintsOnceAndTheBuildEnds) {
    setRoom(300);
    addSource("Masters", numbered(2));
    addSource("Inner", values("I", 2));
    TvlPage& inner = subPage("Inner", "I[I]", 500);
    band(btMasterData, 100, 20, "Data", "Masters");
    memo("M[N]", 20, 100);
    subReport(inner, 200, 100);
    ASSERT_TRUE(built()) << report.LastBuildError();
    EXPECT_LE(pageCount(), 6);
    ASSERT_EQ(find("I1").size(), 2U);
    ASSERT_EQ(find("I2").size(), 2U);
    // the first row fits nowhere better than a fresh page's top
    EXPECT_AT(find("I1").at(0), 0, 200, top);
    EXPECT_EQ(find("I2").at(0).page, 1);
}

// Sub-reports that show themselves, directly or through each other, print
// what they can once and end.
TEST_F(SubReportTest, SubReportsShowingEachOtherEnd) {
    addSource("Masters", numbered(2));
    addSource("A", values("A", 2));
    addSource("B", values("B", 2));
    TvlPage& a = subPage("A", "a[A]");
    TvlPage& b = subPage("B", "b[B]");
    subReport(b, 200, 0, &a);
    subReport(a, 200, 0, &b);
    subReport(a, 400, 0, &a);
    band(btMasterData, 100, 20, "Data", "Masters");
    memo("M[N]", 20, 100);
    subReport(a, 200, 100);
    build();
    EXPECT_GE(find("M1").size(), 1U);
    EXPECT_GE(find("a1").size(), 1U);
    EXPECT_LE(pageCount(), 10);
}

// Any number of sub-report objects in one band print side by side.
TEST_F(SubReportTest, SeventyObjectsInOneBandAllPrint) {
    addSource("Masters", numbered(1));
    addSource("One", numbered(1));
    std::vector<TvlPage*> inner;
    for (int i = 0; i < 70; ++i)
        inner.push_back(&subPage("One", "x"));
    band(btMasterData, 100, 20, "Data", "Masters");
    for (int i = 0; i < 70; ++i)
        subReport(*inner[static_cast<std::size_t>(i)], 10 * i, 100);
    band(btMasterFooter, 200, 20, "Foot");
    memo("Foot", 20, 200);
    ASSERT_TRUE(built()) << report.LastBuildError();
    const std::vector<Printed> xs = find("x");
    ASSERT_EQ(xs.size(), 70U);
    for (int i = 0; i < 70; ++i)
        EXPECT_EQ(xs[static_cast<std::size_t>(i)].left, 10 * i);
    EXPECT_EQ(one("Foot").top, top + 20);
}

// A sub-report page listed before the page holding its object breaks no
// page, even with bands that would break one on a page of their own.
TEST_F(SubReportTest, ASubPageBeforeItsOuterPageBreaksNoPage) {
    report.Pages().Clear();
    TvlPage& inner = report.Pages().Add();
    page = &report.Pages().Add();
    page->LeftMargin = page->TopMargin = page->RightMargin = page->BottomMargin = 20;
    addSource("Masters", numbered(1));
    addSource("Items", {{{"G", Variant("x")}}, {{"G", Variant("y")}}, {{"G", Variant("z")}}});
    band(btGroupHeader, 0, 20, "GH", "[G]", &inner).Flags = TvlBandView::bfFormNewPage;
    memo("G[G]", 0, 0, 100, 18, &inner);
    band(btMasterData, 20, 20, "Item", "Items", &inner).Flags = TvlBandView::bfFormNewPage;
    band(btMasterData, 100, 20, "Data", "Masters");
    memo("M[N]", 20, 100);
    subReport(inner, 200, 100);
    ASSERT_TRUE(built()) << report.LastBuildError();
    EXPECT_EQ(pageCount(), 1);
    EXPECT_EQ(texts(), (std::vector<std::string>{"M1", "Gx", "Gy", "Gz"}));
}

// A page continuing the previous run's last page keeps writing there when
// one of its sub-reports is empty.
TEST_F(SubReportTest, AnEmptySubReportInAContinuedPageKeepsThePage) {
    report.PrintIfEmpty = false; // an empty page run produces nothing
    addSource("First", numbered(1));
    addSource("Second", numbered(1));
    addSource("None", {});
    band(btMasterData, 100, 20, "A", "First");
    memo("A", 20, 100);
    TvlPage& next = report.Pages().Add();
    next.PrintToPrevPage = true;
    next.LeftMargin = next.TopMargin = next.RightMargin = next.BottomMargin = 20;
    band(btMasterData, 100, 20, "B", "Second", &next);
    memo("B", 20, 100, 100, 18, &next);
    TvlPage& empty = subPage("None", "never");
    subReport(empty, 200, 100, &next);
    band(btMasterFooter, 140, 20, "C", "", &next);
    memo("C", 20, 140, 100, 18, &next);
    ASSERT_TRUE(built()) << report.LastBuildError();
    EXPECT_EQ(pageCount(), 1);
    EXPECT_EQ(textsOn(0), (std::vector<std::string>{"A", "B", "C"}));
}

// A cross-tab inside a sub-report spills onto a page that gets neither the
// sub-report page's headers nor the outer page's.
TEST_F(SubReportTest, ACrossTabInASubReportSpillsOntoABarePage) {
    page->RightMargin = page->PrinterInfo.PixelPaperWidth - 750;
    addSource("Cols", values("K", 12));
    addSource("Masters", numbered(1));
    addSource("Rows", values("R", 2));
    band(btPageHeader, 20, 20, "PH").Flags = TvlBandView::bfOnFirstPage;
    memo("PH", 20, 20);
    band(btMasterData, 100, 20, "Data", "Masters");
    TvlPage& inner = report.Pages().Add();
    band(btPageHeader, 0, 20, "InnerHeader", "", &inner);
    memo("inner header", 0, 0, 100, 18, &inner);
    band(btCrossData, 0, 10, "CD", "Cols", &inner).SetBounds(150, 0, 100, 1000);
    band(btMasterData, 40, 20, "Rows", "Rows", &inner);
    memo("C[K]", 150, 40, 100, 18, &inner);
    subReport(inner, 20, 100);
    ASSERT_TRUE(built()) << report.LastBuildError();
    EXPECT_EQ(pageCount(), 2);
    EXPECT_EQ(textsOn(0).front(), "PH");
    EXPECT_EQ(find("PH").size(), 1U);
    EXPECT_TRUE(find("inner header").empty());
    for (int row = 0; row < 2; ++row) {
        EXPECT_AT(find("C6").at(static_cast<std::size_t>(row)), 0, 650, top + 20 + 20 * row);
        EXPECT_AT(find("C7").at(static_cast<std::size_t>(row)), 1, 20, top + 20 + 20 * row);
    }
}

// A header repeated on every new page prints its sub-report again there,
// while the page is being opened.
TEST_F(SubReportTest, ASubReportInARepeatedHeaderRepeatsWithIt) {
    setRoom(200);
    addSource("Masters", numbered(6));
    addSource("Short", values("H", 6));
    TvlPage& inner = subPage("Short", "h[H]");
    band(btMasterHeader, 40, 20, "MH").Flags = TvlBandView::bfRepeatHeader;
    subReport(inner, 200, 40);
    band(btMasterData, 100, 20, "Data", "Masters");
    memo("M[N]", 20, 100);
    ASSERT_TRUE(built()) << report.LastBuildError();
    ASSERT_EQ(pageCount(), 2);
    EXPECT_AT(find("h1").at(1), 1, 200, top);
    EXPECT_AT(find("h6").at(1), 1, 200, top + 100);
    EXPECT_AT(find("M4").at(0), 0, 20, top + 180);
    EXPECT_AT(find("M5").at(0), 1, 20, top + 120);
}

// A repeated header whose sub-report is longer than a page leaves no room
// below it; the build still ends.
TEST_F(SubReportTest, ARepeatedHeaderLongerThanAPageEnds) {
    setRoom(200);
    addSource("Masters", numbered(12));
    addSource("Long", values("H", 15));
    TvlPage& inner = subPage("Long", "h[H]");
    band(btMasterHeader, 40, 20, "MH").Flags = TvlBandView::bfRepeatHeader;
    subReport(inner, 200, 40);
    band(btMasterData, 100, 20, "Data", "Masters");
    memo("M[N]", 20, 100);
    report.Events.OnBeginPage = [](int pageIndex) {
        if (pageIndex >= 100) Globals().stopRequested() = true;
    };
    build();
    EXPECT_LT(pageCount(), 100);
    // the first time the header breaks pages itself
    EXPECT_AT(find("h11").at(0), 1, 200, top);
    EXPECT_AT(find("M1").at(0), 1, 20, top + 100);
}

// The stop flag ends a sub-report that would run long.
TEST_F(SubReportTest, TheStopFlagEndsTheReplay) {
    setRoom(200);
    addSource("Masters", numbered(1));
    addSource("Many", numbered(2000));
    TvlPage& inner = subPage("Many", "r[N]");
    band(btMasterData, 100, 20, "Data", "Masters");
    subReport(inner, 200, 100);
    report.Events.OnBeginPage = [](int pageIndex) {
        if (pageIndex >= 3) Globals().stopRequested() = true;
    };
    build();
    EXPECT_LE(pageCount(), 5);
}

} // namespace
} // namespace vltest
