#include "engine/build/TvlBand.h"
#include "engine/build/TvlPage.h"
#include "tests/support/ReportFixture.h"

#include <algorithm>

namespace vltest {
namespace {

// Cross-tabs built in code: vertical cross bands crossing horizontal bands,
// checked on the cells the prepared pages hold.
class CrossTabTest : public ReportFixture {
protected:
    CrossTabTest() {
        top = page->TopEdge();
        addSource("Cols", columns(12));
    }

    TvlBandView& crossBand(TvlBandType type, int left, int width, const std::string& name,
                           const std::string& source = {}) {
        TvlBandView& view = band(type, 0, 10, name, source);
        view.SetBounds(left, 0, width, 1000);
        return view;
    }
    static std::vector<RowSource::Row> columns(int count) {
        std::vector<RowSource::Row> rows;
        for (int i = 1; i <= count; ++i)
            rows.push_back({{"K", Variant(i)}});
        return rows;
    }
    static std::vector<RowSource::Row> rowsR(int count) {
        std::vector<RowSource::Row> rows;
        for (int i = 1; i <= count; ++i)
            rows.push_back({{"R", Variant(i)}});
        return rows;
    }
    RowSource& cols() { return *sources.front(); }
    void setRightEdge(int edge) {
        page->RightMargin = page->PrinterInfo.PixelPaperWidth - edge;
        ASSERT_EQ(page->RightEdge(), edge);
    }
    // A build that ended without an error.
    bool built() { return build() && report.LastBuildError().empty(); }
    void setRoom(int room) {
        page->BottomMargin = page->PrinterInfo.PixelPaperHeight - top - room;
        ASSERT_EQ(page->BottomEdge() - page->TopEdge(), room);
    }
    // A row band over that many records, with a cross data band of width
    // 100 at 150 whose cells show "C" and the column record.
    void grid(int rows) {
        addSource("Rows", rowsR(rows));
        crossBand(btCrossData, 150, 100, "CD", "Cols");
        band(btMasterData, 100, 20, "Data", "Rows");
        memo("C[K]", 150, 100);
    }
    std::vector<Printed> find(const std::string& text) {
        std::vector<Printed> out;
        for (const Printed& p : printed())
            if (p.text == text) out.push_back(p);
        return out;
    }
    std::vector<int> pagesOf(const std::string& text) {
        std::vector<int> out;
        for (const Printed& p : find(text))
            out.push_back(p.page);
        return out;
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

// Columns 1 to 6 fill the page up to its right edge exactly; 7 to 12 go
// on at the left edge of the next prepared page, after the repeated cross
// header; the next row starts again on the first page.
TEST_F(CrossTabTest, ARowWiderThanThePageSpillsOntoTheNextPage) {
    setRightEdge(750);
    crossBand(btCrossHeader, 20, 130, "CH").Flags = TvlBandView::bfRepeatHeader;
    memo("H[R]", 20, 100, 130);
    grid(2);
    ASSERT_TRUE(built()) << report.LastBuildError();
    EXPECT_EQ(pageCount(), 2);
    for (int row = 0; row < 2; ++row) {
        const int y = top + 20 * row;
        const std::vector<Printed> heads = find("H" + std::to_string(row + 1));
        ASSERT_EQ(heads.size(), 2U);
        EXPECT_AT(heads[0], 0, 20, y);
        EXPECT_AT(heads[1], 1, 20, y);
        for (int k = 1; k <= 12; ++k) {
            const Printed cell = find("C" + std::to_string(k)).at(static_cast<std::size_t>(row));
            if (k <= 6)
                EXPECT_AT(cell, 0, 150 + 100 * (k - 1), y);
            else
                EXPECT_AT(cell, 1, 150 + 100 * (k - 7), y);
        }
    }
}

// Without a repeated header the spilled columns start at the left edge.
TEST_F(CrossTabTest, WithoutRepeatHeaderSpilledColumnsStartAtTheLeftEdge) {
    setRightEdge(750);
    crossBand(btCrossHeader, 20, 130, "CH");
    memo("H[R]", 20, 100, 130);
    grid(1);
    ASSERT_TRUE(built()) << report.LastBuildError();
    EXPECT_EQ(find("H1").size(), 1U);
    EXPECT_AT(find("C7").at(0), 1, 20, top);
}

// A page added by a row begun on the first page gets a page header only
// when the header prints on the first page; rows begun later give every
// page they add a header.
TEST_F(CrossTabTest, SpillPagesGetThePageHeaderByTheFirstPageRule) {
    for (const bool onFirst : {false, true}) {
        SCOPED_TRACE(onFirst);
        report.Pages().Clear();
        page = &report.Pages().Add();
        page->LeftMargin = page->TopMargin = page->RightMargin = page->BottomMargin = 20;
        setRightEdge(750);
        setRoom(100);
        band(btPageHeader, 20, 20, "PH").Flags = onFirst ? TvlBandView::bfOnFirstPage : 0;
        memo("PH", 20, 20);
        sources.resize(1);
        grid(8);
        ASSERT_TRUE(built()) << report.LastBuildError();
        EXPECT_EQ(pageCount(), 4);
        EXPECT_EQ(pagesOf("PH"),
                  onFirst ? (std::vector<int>{0, 1, 2, 3}) : (std::vector<int>{2, 3}));
        // the rows of the second page spill below its header
        EXPECT_AT(find("C7").back(), 3, 20, top + 20 + (onFirst ? 3 : 2) * 20);
    }
}

// After the walk the column source may be empty: the master footer still
// prints as many columns as the widest row had.
TEST_F(CrossTabTest, AMasterFooterPrintsTheWidestRowsColumnsWhenItsSourceIsEmpty) {
    RowSource& rows = addSource("Rows", rowsR(3));
    crossBand(btCrossData, 150, 50, "CD", "Cols");
    band(btMasterData, 100, 20, "Data", "Rows");
    memo("C[K]", 150, 100, 50);
    band(btMasterFooter, 140, 20, "Foot");
    memo("F[COLUMN#]", 150, 140, 50);
    const int widths[] = {2, 5, 3};
    report.Events.OnBeginBand = [&](TvlBand& b) {
        if (b.Name == "Data") cols().rows = columns(widths[rows.RecordNo()]);
        if (b.Name == "Foot") cols().rows.clear();
    };
    ASSERT_TRUE(built()) << report.LastBuildError();
    EXPECT_EQ(find("C5").size(), 1U);
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(find("F" + std::to_string(k)).size(), 1U) << k;
    EXPECT_TRUE(find("F6").empty());
}

// A width set for one column holds for every later one.
TEST_F(CrossTabTest, AWidthSetByOnPrintColumnHoldsForLaterColumns) {
    cols().rows = columns(5);
    grid(1);
    std::vector<int> seen;
    report.Events.OnPrintColumn = [&](int column, int& width) {
        seen.push_back(column);
        if (column == 3) width = 60;
    };
    ASSERT_TRUE(built()) << report.LastBuildError();
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5}));
    const int lefts[] = {150, 250, 350, 410, 470};
    for (int k = 1; k <= 5; ++k)
        EXPECT_AT(find("C" + std::to_string(k)).at(0), 0, lefts[k - 1], top);
}

// OnBeginColumn fires once per row; a page footer has no cross cells.
TEST_F(CrossTabTest, APageFooterPrintsNoCrossCells) {
    cols().rows = columns(2);
    grid(3);
    band(btPageFooter, 300, 20, "PF").Flags =
        TvlBandView::bfOnFirstPage | TvlBandView::bfOnLastPage;
    memo("PF", 20, 300);
    memo("cross", 150, 300);
    int rowsBegun = 0;
    report.Events.OnBeginColumn = [&](TvlBand& b) {
        if (b.Name == "Data") ++rowsBegun;
    };
    ASSERT_TRUE(built()) << report.LastBuildError();
    EXPECT_EQ(find("PF").size(), 1U);
    EXPECT_TRUE(find("cross").empty());
    EXPECT_EQ(rowsBegun, 3);
}

// The cross footer totals each row over its columns.
TEST_F(CrossTabTest, ACrossFooterTotalsItsRow) {
    cols().rows = columns(4);
    addSource("Rows", rowsR(3));
    crossBand(btCrossData, 150, 100, "CD", "Cols");
    crossBand(btCrossFooter, 600, 100, "CF");
    band(btMasterData, 100, 20, "Data", "Rows");
    memo("c[R*K]", 150, 100);
    memo("t[SUM(R*K)]", 600, 100);
    ASSERT_TRUE(built()) << report.LastBuildError();
    // the footer cell follows the last column
    EXPECT_AT(find("t10").at(0), 0, 550, top);
    EXPECT_EQ(find("t20").size(), 1U);
    EXPECT_EQ(find("t30").size(), 1U);
    EXPECT_EQ(find("c12").size(), 1U);
}

// A master footer's cells total their column over the rows.
TEST_F(CrossTabTest, MasterFooterCellsTotalTheirColumn) {
    cols().rows = columns(4);
    addSource("Rows", rowsR(3));
    crossBand(btCrossData, 150, 100, "CD", "Cols");
    band(btMasterData, 100, 20, "Data", "Rows");
    memo("c[R*K]", 150, 100);
    band(btMasterFooter, 140, 20, "Foot");
    memo("f[SUM(R*K)]", 150, 140);
    ASSERT_TRUE(built()) << report.LastBuildError();
    for (int k = 1; k <= 4; ++k)
        EXPECT_AT(find("f" + std::to_string(6 * k)).at(0), 0, 150 + 100 * (k - 1), top + 60);
}

// A column source without a cross data band's own source comes from the
// pairs in the cross data band's source text; a row without one prints
// header and footer cells only.
TEST_F(CrossTabTest, PerBandColumnSourcesAndRowsWithoutOne) {
    addSource("Rows", rowsR(1));
    addSource("Two", {{{"J", Variant(1)}}, {{"J", Variant(2)}}});
    crossBand(btCrossHeader, 20, 100, "CH");
    crossBand(btCrossData, 150, 100, "CD", "Data=Two;");
    crossBand(btCrossFooter, 600, 100, "CF");
    band(btMasterData, 100, 20, "Data", "Rows");
    memo("h", 20, 100);
    memo("C[J]", 150, 100);
    memo("t", 600, 100);
    band(btMasterFooter, 140, 20, "Foot");
    memo("fh", 20, 140);
    memo("fc", 150, 140);
    memo("ft", 600, 140);
    ASSERT_TRUE(built()) << report.LastBuildError();
    EXPECT_EQ(texts(), (std::vector<std::string>{"h", "C1", "C2", "t", "fh", "ft"}));
    EXPECT_AT(find("t").at(0), 0, 120 + 2 * 100, top);
    // the footer follows the header directly
    EXPECT_AT(find("ft").at(0), 0, 120, top + 20);
}

// Thousands of columns build, page after page to the right; the stop flag
// ends a row part way.
TEST_F(CrossTabTest, ThousandsOfColumnsBuildAndTheStopFlagEndsThem) {
    cols().rows = columns(3000);
    grid(2);
    const int perPage = (page->RightEdge() - page->LeftEdge()) / 100;
    ASSERT_TRUE(built()) << report.LastBuildError();
    EXPECT_EQ(find("C3000").size(), 2U);
    EXPECT_GE(pageCount(), 3000 / perPage);

    report.Events.OnPrintColumn = [](int column, int&) {
        if (column == 500) Globals().stopRequested() = true;
    };
    build();
    EXPECT_TRUE(find("C600").empty());
    EXPECT_LE(pageCount(), 500 / perPage + 3);
}

} // namespace
} // namespace vltest
