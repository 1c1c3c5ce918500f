#include "engine/build/TvlBand.h"
#include "engine/build/TvlPage.h"
#include "engine/model/TvlPictureView.h"
#include "tests/support/ReportFixture.h"

#include <algorithm>

namespace vltest {
namespace {

// Bands output on small pages built in code; every check is made on what
// the prepared pages hold: the page, left and top of each written object.
class BandEngineTest : public ReportFixture {
protected:
    BandEngineTest() {
        // Top edge 20 and, unless a test shrinks it, a bottom edge far below.
        top = page->TopEdge();
    }

    // A master band of three band columns 200 wide with gaps of 20 over
    // that many records, and a footer after it.
    void threeBandColumns(int rows) {
        addSource("Rows", numbered(rows));
        TvlBandView& data = band(btMasterData, 100, 30, "Data", "Rows");
        data.Columns = 3;
        data.NewColumnAfter = 1;
        data.ColumnWidth = 200;
        data.ColumnGap = 20;
        memo("R[N]", 20, 100);
        band(btMasterFooter, 200, 20, "Foot");
        memo("Foot", 20, 200);
    }

    // The room between the top edge and the bottom edge becomes `room`.
    void setRoom(int room) {
        page->BottomMargin = page->PrinterInfo.PixelPaperHeight - top - room;
        ASSERT_EQ(page->BottomEdge() - page->TopEdge(), room);
    }

    TvlMemoView& stretchedMemo(const StringList& lines, int left, int at, int width = 100,
                               int height = 18) {
        TvlMemoView& m = memo("", left, at, width, height);
        m.Memo = lines;
        m.Flags = flStretched;
        return m;
    }

    // Every written object, its text without the marks that end its
    // wrapped lines.
    std::vector<Printed> written() {
        std::vector<Printed> out = printed();
        for (Printed& p : out)
            std::erase(p.text, '\x01');
        return out;
    }
    std::vector<std::string> writtenTexts() {
        std::vector<std::string> out;
        for (const Printed& p : written())
            out.push_back(p.text);
        return out;
    }
    // Every written object with that text.
    std::vector<Printed> find(const std::string& text) {
        std::vector<Printed> out;
        for (const Printed& p : written())
            if (p.text == text) out.push_back(p);
        return out;
    }
    // The single written object with that text.
    Printed one(const std::string& text) {
        const std::vector<Printed> found = find(text);
        EXPECT_EQ(found.size(), 1U) << text;
        return found.empty() ? Printed{-1, 0, 0, 0, 0, text} : found.front();
    }
    static std::vector<RowSource::Row> rowsOf(const std::string& field,
                                              const std::vector<Variant>& values) {
        std::vector<RowSource::Row> rows;
        for (const Variant& v : values)
            rows.push_back({{field, v}});
        return rows;
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

// Data bands chain by their tops, whatever their order in the page; a
// detail header between two detail data bands belongs to the one below it.
TEST_F(BandEngineTest, DataBandsChainByTopAndHeadersLinkToTheDataBandBelow) {
    addSource("A", numbered(1));
    addSource("B", numbered(1));
    addSource("C", numbered(1));
    addSource("D", numbered(1));
    band(btMasterData, 300, 20, "Late", "A");
    memo("Late", 20, 300);
    band(btMasterData, 100, 20, "Early", "B");
    memo("Early", 20, 100);
    band(btDetailData, 150, 20, "D1", "C");
    memo("D1", 20, 150);
    band(btDetailHeader, 200, 20, "DH");
    memo("DH", 20, 200);
    band(btDetailData, 250, 20, "D2", "D");
    memo("D2", 20, 250);
    ASSERT_TRUE(build()) << report.LastBuildError();
    const std::vector<std::string> expected = {"Early", "D1", "DH", "D2", "Late", "D1", "DH", "D2"};
    const std::vector<Printed> out = printed();
    ASSERT_EQ(writtenTexts(), expected);
    for (std::size_t i = 0; i < out.size(); ++i)
        EXPECT_AT(out[i], 0, 20, top + 20 * static_cast<int>(i));
}

TEST_F(BandEngineTest, AFooterAboveEveryDataBandIsNeverOutput) {
    addSource("Rows", numbered(2));
    band(btMasterFooter, 20, 20, "Above");
    memo("Above", 20, 20);
    band(btMasterData, 60, 20, "Data", "Rows");
    memo("R[N]", 20, 60);
    band(btMasterFooter, 100, 20, "Below");
    memo("Below", 20, 100);
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(writtenTexts(), (std::vector<std::string>{"R1", "R2", "Below"}));
    EXPECT_AT(one("Below"), 0, 20, top + 40);
}

// The lowest group header pairs with the highest group footer.
TEST_F(BandEngineTest, GroupHeadersAndFootersPairInsideOut) {
    addSource("Rows", {{{"A", Variant(1)}, {"B", Variant("x")}, {"N", Variant(1)}},
                       {{"A", Variant(1)}, {"B", Variant("y")}, {"N", Variant(2)}},
                       {{"A", Variant(2)}, {"B", Variant("y")}, {"N", Variant(3)}}});
    band(btGroupHeader, 20, 20, "GA", "[A]");
    memo("GA[A]", 20, 22);
    band(btGroupHeader, 40, 20, "GB", "[B]");
    memo("GB[B]", 20, 42);
    band(btMasterData, 60, 20, "Data", "Rows");
    memo("r[N]", 20, 62);
    band(btGroupFooter, 100, 20, "Outer");
    memo("Outer", 20, 102);
    band(btGroupFooter, 80, 20, "Inner");
    memo("Inner", 20, 82);
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(writtenTexts(),
              (std::vector<std::string>{"GA1", "GBx", "r1", "Inner", "GBy", "r2", "Inner", "Outer",
                                        "GA2", "GBy", "r3", "Inner", "Outer"}));
}

// An object on the boundary of two bands lies in both; bands take their
// objects type by type, and within a type in page order.
TEST_F(BandEngineTest, AnObjectOnABandBoundaryGoesToTheLowerTypeOrTheEarlierView) {
    addSource("Empty", {});
    addSource("Two", numbered(2));
    addSource("One", numbered(1));
    band(btMasterHeader, 140, 40, "Head"); // listed before the title
    band(btReportTitle, 100, 40, "Title");
    memo("Edge", 20, 140);
    band(btMasterData, 200, 20, "Data", "Empty"); // takes the header: never printed
    band(btMasterData, 400, 40, "Second", "One"); // listed before First
    band(btMasterData, 360, 40, "First", "Two");
    memo("Shared", 20, 400);
    ASSERT_TRUE(build()) << report.LastBuildError();
    // in the title, 40 below its top
    EXPECT_AT(one("Edge"), 0, 20, top + 40);
    // in Second, once, below the two records of First
    EXPECT_AT(one("Shared"), 0, 20, top + 40 + 2 * 40);
}

TEST_F(BandEngineTest, AStretchedBandGrowsToItsTallestObject) {
    addSource("Rows", numbered(2));
    band(btMasterData, 100, 40, "Data", "Rows").Flags = TvlBandView::bfStretched;
    TvlMemoView& tall = stretchedMemo({"one", "two", "three", "four"}, 20, 100);
    const int textHeight = tall.CalcHeight();
    ASSERT_GT(textHeight, 40);
    ASSERT_LT(textHeight, 90);
    tall.Top = 100 + 90 - textHeight; // needs 90 from the band's top
    stretchedMemo({"Side"}, 200, 100, 100, 10);
    memo("Fixed", 320, 100, 100, 10);
    band(btMasterFooter, 200, 20, "Foot");
    memo("Foot", 20, 200);
    ASSERT_TRUE(build()) << report.LastBuildError();

    const std::vector<Printed> sides = find("Side");
    const std::vector<Printed> fixed = find("Fixed");
    ASSERT_EQ(sides.size(), 2U);
    ASSERT_EQ(fixed.size(), 2U);
    for (int i = 0; i < 2; ++i) {
        const int bandTop = top + 90 * i;
        EXPECT_AT(sides[i], 0, 200, bandTop);
        EXPECT_EQ(sides[i].height, 90); // reaches the band's bottom
        EXPECT_AT(fixed[i], 0, 320, bandTop);
        EXPECT_EQ(fixed[i].height, 10);
    }
    const std::vector<Printed> texts4 = find("one|two|three|four");
    ASSERT_EQ(texts4.size(), 2U);
    EXPECT_EQ(texts4[1].top, top + 90 + 90 - textHeight);
    EXPECT_EQ(texts4[1].height, textHeight);
    EXPECT_AT(one("Foot"), 0, 20, top + 180);
}

// A band of 300 where 200 are left goes to a new page, and Output answers
// that it did not fit where it stood.
TEST_F(BandEngineTest, ABandThatDoesNotFitStartsANewPageAndSaysSo) {
    setRoom(500);
    addSource("Rows", numbered(1));
    band(btReportTitle, 20, 300, "Title");
    memo("Title", 20, 20);
    band(btMasterData, 400, 300, "Data", "Rows");
    memo("Data", 20, 450);
    std::vector<bool> results;
    report.Events.OnManualBuild = [&](TvlPage& p) {
        results.push_back(p.Band(btReportTitle)->Output());
        results.push_back(p.Band(btMasterData)->Output());
        results.push_back(p.Band(btMasterData)->Output());
    };
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(results, (std::vector<bool>{false, true, true}));
    EXPECT_EQ(pageCount(), 3);
    EXPECT_AT(one("Title"), 0, 20, top);
    const std::vector<Printed> data = find("Data");
    ASSERT_EQ(data.size(), 2U);
    EXPECT_AT(data[0], 1, 20, top + 50);
    EXPECT_AT(data[1], 2, 20, top + 50);
}

// A band taller than a whole page, met at the top edge, is cut at the
// bottom of each page; its objects keep their place relative to the band.
TEST_F(BandEngineTest, ABandTallerThanThePageIsSplitAcrossPages) {
    setRoom(500);
    addSource("Rows", numbered(1));
    band(btMasterData, 100, 600, "Tall", "Rows");
    for (const int at : {0, 250, 450, 580})
        memo("P" + std::to_string(at), 20, 100 + at);
    band(btMasterFooter, 800, 20, "Foot");
    memo("Foot", 20, 800);
    ASSERT_TRUE(build()) << report.LastBuildError();
    const int room = 500 - 2; // what one page holds of a split band
    EXPECT_AT(one("P0"), 0, 20, top);
    EXPECT_AT(one("P250"), 0, 20, top + 250);
    EXPECT_AT(one("P450"), 0, 20, top + 450);
    EXPECT_AT(one("P580"), 1, 20, top + 580 - room);
    // the band's last part ends with its lowest object
    EXPECT_AT(one("Foot"), 1, 20, top + 580 - room + 18);
    EXPECT_EQ(pageCount(), 2);
}

// A text cut at the page bottom continues on the next page: every line is
// written once, the upper part on the first page, the rest on the next.
TEST_F(BandEngineTest, ATextCutAtThePageBottomLosesNoLines) {
    setRoom(300);
    addSource("Rows", numbered(1));
    TvlBandView& data = band(btMasterData, 100, 40, "Data", "Rows");
    data.Flags = TvlBandView::bfStretched | TvlBandView::bfBreaked;
    StringList lines;
    for (int i = 1; i <= 40; ++i)
        lines.push_back("line " + std::to_string(i));
    TvlMemoView& text = stretchedMemo(lines, 20, 100, 200, 40);
    const int needed = text.CalcHeight();
    ASSERT_GT(needed, 2 * 300); // three pages' worth
    memo("Below", 300, 130, 100, 10);
    band(btMasterFooter, 200, 20, "Foot");
    memo("Foot", 20, 200);
    ASSERT_TRUE(build()) << report.LastBuildError();

    std::vector<std::string> seen;
    int lastPage = -1;
    for (const Printed& p : written()) {
        if (p.text.rfind("line ", 0) != 0) continue;
        EXPECT_EQ(p.page, lastPage + 1) << "one part per page";
        lastPage = p.page;
        EXPECT_EQ(p.top, top);
        EXPECT_LE(p.top + p.height, top + 300);
        std::size_t start = 0;
        for (std::size_t bar; (bar = p.text.find('|', start)) != std::string::npos; start = bar + 1)
            seen.push_back(p.text.substr(start, bar - start));
        seen.push_back(p.text.substr(start));
    }
    EXPECT_EQ(seen, std::vector<std::string>(lines.begin(), lines.end()));
    EXPECT_EQ(lastPage, 2);
    // the object beside the text stays on the first page, 30 below the top
    EXPECT_AT(one("Below"), 0, 300, top + 30);
    const Printed foot = one("Foot");
    EXPECT_EQ(foot.page, 2);
    EXPECT_GT(foot.top, top);
}

// Records of a band with three columns go side by side; the band printed
// after them starts below the row that was being filled.
TEST_F(BandEngineTest, BandColumnsFillARowThenMoveDown) {
    threeBandColumns(5);
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_AT(one("R1"), 0, 20, top);
    EXPECT_AT(one("R2"), 0, 240, top);
    EXPECT_AT(one("R3"), 0, 460, top);
    EXPECT_AT(one("R4"), 0, 20, top + 30);
    EXPECT_AT(one("R5"), 0, 240, top + 30);
    EXPECT_AT(one("Foot"), 0, 20, top + 60);
}

TEST_F(BandEngineTest, ADifferentBandAfterTheSecondColumnMovesDownByTheBandHeight) {
    threeBandColumns(2);
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_AT(one("R2"), 0, 240, top);
    EXPECT_AT(one("Foot"), 0, 20, top + 30);
}

// Breaks asked for by a band's script come before the band; a position
// the script gives after asking for a break applies on the new page.
TEST_F(BandEngineTest, NewPageTwiceInABandScriptGivesTwoNewPages) {
    addSource("Rows", numbered(4));
    TvlBandView& data = band(btMasterData, 100, 20, "Data", "Rows");
    data.Script = {"begin", "  if [N] = 2 then begin NewPage; NewPage end;",
                   "  if [N] = 4 then begin NewPage; CurY := 300 end", "end"};
    memo("R[N]", 20, 100);
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(pageCount(), 4);
    EXPECT_AT(one("R1"), 0, 20, top);
    EXPECT_AT(one("R2"), 2, 20, top);
    EXPECT_AT(one("R3"), 2, 20, top + 20);
    EXPECT_AT(one("R4"), 3, 20, 300);
}

TEST_F(BandEngineTest, NewColumnStartsANewPageOnAOneColumnPageAndANewColumnOtherwise) {
    addSource("Rows", numbered(2));
    TvlBandView& data = band(btMasterData, 100, 20, "Data", "Rows");
    data.Script = {"if [N] = 2 then NewColumn"};
    memo("R[N]", 20, 100);
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_AT(one("R1"), 0, 20, top);
    EXPECT_AT(one("R2"), 1, 20, top);

    report.Pages()[0].Columns = 2;
    report.Pages()[0].ColumnGap = 10;
    const TvlPage& pg = report.Pages()[0];
    const int width = (pg.RightEdge() - pg.LeftEdge() - 10) / 2;
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(pageCount(), 1);
    EXPECT_AT(one("R2"), 0, 20 + width + 10, top);
}

// A page footer shows the totals of its page and starts them afresh.
TEST_F(BandEngineTest, PageFootersTotalTheirOwnPage) {
    setRoom(320);
    addSource("Rows", numbered(7));
    band(btMasterData, 100, 100, "Data", "Rows");
    memo("R[N]", 20, 100);
    band(btPageFooter, 300, 20, "PageFoot").Flags =
        TvlBandView::bfOnFirstPage | TvlBandView::bfOnLastPage;
    memo("Sum [SUM([N])]", 20, 300);
    ASSERT_TRUE(build()) << report.LastBuildError();
    ASSERT_EQ(pageCount(), 3);
    EXPECT_AT(one("Sum 6"), 0, 20, top + 300);
    EXPECT_AT(one("Sum 15"), 1, 20, top + 300);
    EXPECT_AT(one("Sum 7"), 2, 20, top + 300);
}

// Footers written for several pages at once (pages a wide cross-tab
// added) show the same totals; only the last one starts them afresh.
TEST_F(BandEngineTest, FootersWrittenForSeveralPagesResetTotalsOnce) {
    RowSource& rows = addSource("Rows", numbered(5));
    band(btMasterData, 100, 100, "Data", "Rows");
    memo("R[N]", 20, 100);
    band(btPageFooter, 300, 20, "PageFoot").Flags =
        TvlBandView::bfOnFirstPage | TvlBandView::bfOnLastPage;
    memo("Sum [SUM([N])]", 20, 300);
    report.Events.OnManualBuild = [&](TvlPage& p) {
        TvlBand& data = *p.Band(btMasterData);
        rows.First();
        for (int i = 0; i < 3; ++i, rows.Next())
            data.Output();
        report.AppendPreparedPage(p);
        report.AppendPreparedPage(p);
        p.StartNewPage();
        for (int i = 0; i < 2; ++i, rows.Next())
            data.Output();
        p.FinishPageFooters();
    };
    ASSERT_TRUE(build()) << report.LastBuildError();
    ASSERT_EQ(pageCount(), 4);
    const std::vector<Printed> sums = find("Sum 6");
    ASSERT_EQ(sums.size(), 3U);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(sums[i].page, i);
    EXPECT_EQ(one("Sum 9").page, 3);
    EXPECT_EQ(one("R4").page, 3);
}

TEST_F(BandEngineTest, ChildBandsFollowTheirParentAndInvisibleParentsOnRequest) {
    addSource("One", numbered(1));
    band(btMasterData, 20, 20, "A", "One").ChildBand = "KidA";
    memo("A", 20, 20);
    TvlBandView& b = band(btMasterData, 100, 20, "B", "One");
    b.Visible = false;
    b.Flags = TvlBandView::bfPrintChildIfInvisible;
    b.ChildBand = "KidB";
    memo("B", 20, 100);
    TvlBandView& c = band(btMasterData, 180, 20, "C", "One");
    c.Visible = false;
    c.ChildBand = "KidC";
    memo("C", 20, 180);
    for (const auto& [name, at] : {std::pair{"KidA", 60}, {"KidB", 140}, {"KidC", 220}}) {
        band(btChild, at, 20, name);
        memo(name, 20, at);
    }
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(writtenTexts(), (std::vector<std::string>{"A", "KidA", "KidB"}));
    EXPECT_AT(one("KidA"), 0, 20, top + 20);
    EXPECT_AT(one("KidB"), 0, 20, top + 40);
}

TEST_F(BandEngineTest, AChildThatNamesItsParentIsOutputOnce) {
    addSource("Rows", numbered(2));
    band(btMasterData, 20, 20, "A", "Rows").ChildBand = "Kid";
    memo("A[N]", 20, 20);
    band(btChild, 60, 20, "Kid").ChildBand = "A";
    memo("Kid", 20, 60);
    band(btChild, 100, 20, "Self").ChildBand = "Self";
    band(btReportTitle, 140, 20, "Title").ChildBand = "Self";
    memo("Self", 20, 100);
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(writtenTexts(), (std::vector<std::string>{"Self", "A1", "Kid", "A2", "Kid"}));
    EXPECT_AT(find("Kid").back(), 0, 20, top + 100);
}

// The first pass of a two-pass build writes nothing but measures every
// band, so that the total page count is right in the final pass.
TEST_F(BandEngineTest, TheFirstOfTwoPassesWritesNothingButCountsThePages) {
    setRoom(300);
    addSource("Rows", numbered(7));
    band(btPageHeader, 20, 20, "Head").Flags = TvlBandView::bfOnFirstPage;
    memo("[Page#]/[TotalPages]", 20, 22);
    band(btMasterData, 100, 40, "Data", "Rows").Flags = TvlBandView::bfStretched;
    const int needed = 2 + stretchedMemo({"a", "b", "c", "d"}, 20, 102).CalcHeight();
    // four records a page once measured, all seven when they are not
    ASSERT_GT(needed, 280 / 5);
    ASSERT_LE(needed, 280 / 4);
    report.TwoPass = true;
    // a new prepared page holds only its own settings
    std::vector<std::int64_t> emptySizes;
    report.Events.OnBeginPage = [&](int index) {
        if (!report.FinalPass())
            emptySizes.push_back(report.EMFPages().PageAt(index).Stream.size());
    };
    std::vector<std::int64_t> firstPassSizes;
    report.Events.OnEndPage = [&](int) {
        if (report.FinalPass()) return;
        TvlEMFPages& pages = report.EMFPages();
        firstPassSizes.clear();
        for (int i = 0; i < pages.Count(); ++i)
            firstPassSizes.push_back(pages.PageAt(i).Stream.size());
    };
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(firstPassSizes.size(), 2U);
    EXPECT_EQ(firstPassSizes, emptySizes);
    ASSERT_EQ(pageCount(), 2);
    EXPECT_AT(one("1/2"), 0, 20, top + 2);
    EXPECT_AT(one("2/2"), 1, 20, top + 2);
    EXPECT_EQ(find("a|b|c|d").size(), 7U);
}

TEST_F(BandEngineTest, StopReportInABandScriptEndsTheBandBeforeItsOutput) {
    addSource("Rows", numbered(3));
    band(btMasterData, 20, 20, "Data", "Rows").Script = {"if [N] = 2 then StopReport"};
    memo("R[N]", 20, 20);
    band(btMasterFooter, 60, 20, "Foot");
    memo("Foot", 20, 60);
    band(btReportSummary, 100, 20, "Summary");
    memo("Summary", 20, 100);
    int dataEnds = 0;
    report.Events.OnEndBand = [&](TvlBand& b) { dataEnds += b.Name == "Data"; };
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(writtenTexts(), (std::vector<std::string>{"R1"}));
    EXPECT_EQ(dataEnds, 1);
}

TEST_F(BandEngineTest, ManyBandsAndManyRecordsHaveNoFixedLimit) {
    addSource("One", numbered(1));
    for (int i = 0; i < 200; ++i) {
        band(btMasterData, 20 + 20 * i, 20, "D" + std::to_string(i), "One");
        memo("B" + std::to_string(i), 20, 22 + 20 * i);
    }
    const int perPage = (page->BottomEdge() - top) / 20;
    ASSERT_TRUE(build()) << report.LastBuildError();
    const std::vector<Printed> out = printed();
    ASSERT_EQ(out.size(), 200U);
    EXPECT_EQ(out.back().text, "B199");
    EXPECT_EQ(out.back().page, 199 / perPage);
    EXPECT_EQ(out.back().top, top + 2 + 20 * (199 % perPage));
}

TEST_F(BandEngineTest, TenThousandRecordsBuild) {
    addSource("Rows", numbered(10000));
    band(btMasterData, 20, 10, "Data", "Rows");
    memo("[N]", 20, 20, 60, 10);
    const int perPage = (page->BottomEdge() - top) / 10;
    ASSERT_TRUE(build()) << report.LastBuildError();
    const std::vector<Printed> out = printed();
    ASSERT_EQ(out.size(), 10000U);
    EXPECT_EQ(pageCount(), (10000 + perPage - 1) / perPage);
    EXPECT_EQ(out.back().text, "10000");
    EXPECT_EQ(out.back().top, top + 10 * (9999 % perPage));
}

// Names a template may carry after their band was deleted: the band then
// has no child, and a group header for no data band never breaks records.
TEST_F(BandEngineTest, StaleChildAndMasterNamesDoNothing) {
    addSource("Rows", numbered(2));
    TvlBandView& data = band(btMasterData, 60, 20, "Data", "Rows");
    data.ChildBand = "Nowhere";
    memo("R[N]", 20, 60);
    band(btGroupHeader, 20, 20, "Group", "[N]").Master = "Ghost";
    memo("Group", 20, 20);
    band(btReportTitle, 100, 20, "Title").ChildBand = "Label";
    memo("", 20, 100).Name = "Label"; // names an object that is no band
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(writtenTexts(), (std::vector<std::string>{"", "R1", "R2"}));
    EXPECT_AT(one("R2"), 0, 20, top + 40);
}

// A band without a data source reads as ended, and moving it does nothing.
TEST_F(BandEngineTest, EofOfABandWithoutASourceIsTrue) {
    band(btReportTitle, 20, 20, "Title").Script = {
        "begin Title.Next; Title.First; if Title.Eof then Title.Height := 50 end"};
    memo("Title", 20, 20);
    band(btReportSummary, 60, 20, "Summary");
    memo("Summary", 20, 60);
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_AT(one("Summary"), 0, 20, top + 50);
}

// A picture or line taller than a page never fits in a split band; the
// split ends by writing it clipped at the page bottom.
TEST_F(BandEngineTest, AnUnstretchableObjectTallerThanAPageEndsClipped) {
    setRoom(500);
    addSource("Rows", numbered(1));
    TvlBandView& data = band(btMasterData, 100, 760, "Data", "Rows");
    data.Flags = TvlBandView::bfBreaked;
    memo("Before", 20, 100);
    auto line = std::make_unique<TvlPictureView>();
    line->SetBounds(300, 120, 40, 700);
    page->AddObject(std::move(line));
    band(btMasterFooter, 900, 10, "Foot");
    memo("Foot", 20, 900, 100, 10);
    ASSERT_TRUE(build()) << report.LastBuildError();
    const std::vector<Printed> out = printed();
    const auto lineIt =
        std::find_if(out.begin(), out.end(), [](const Printed& p) { return p.left == 300; });
    ASSERT_NE(lineIt, out.end());
    EXPECT_EQ(std::count_if(out.begin(), out.end(), [](const Printed& p) { return p.left == 300; }),
              1);
    EXPECT_EQ(lineIt->page, 1);
    EXPECT_EQ(lineIt->top, top);
    EXPECT_LE(lineIt->top + lineIt->height, top + 500);
    EXPECT_AT(one("Before"), 0, 20, top);
    // the clipped object used the whole page
    EXPECT_AT(one("Foot"), 2, 20, top);
}

// A band taller than a page met below the top edge goes to a new page and
// is split there: no page is left blank.
TEST_F(BandEngineTest, ATooTallBandMetBelowTheTopIsSplitOnTheNextPage) {
    setRoom(500);
    addSource("Rows", numbered(1));
    band(btReportTitle, 20, 100, "Title");
    memo("Title", 20, 20);
    band(btMasterData, 200, 600, "Tall", "Rows");
    for (const int at : {0, 300, 580})
        memo("T" + std::to_string(at), 20, 200 + at);
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_AT(one("Title"), 0, 20, top);
    EXPECT_AT(one("T0"), 1, 20, top);
    EXPECT_AT(one("T300"), 1, 20, top + 300);
    EXPECT_AT(one("T580"), 2, 20, top + 580 - 498);
    EXPECT_EQ(pageCount(), 3);
}

// An unstretchable object that does not fit in the room left moves whole
// to the next page, where it fits.
TEST_F(BandEngineTest, AnUnstretchableObjectThatDoesNotFitMovesWholeToTheNextPage) {
    setRoom(500);
    addSource("Rows", numbered(1));
    band(btReportTitle, 20, 300, "Title");
    memo("Title", 20, 20);
    band(btMasterData, 400, 300, "Data", "Rows").Flags = TvlBandView::bfBreaked;
    memo("Start", 20, 400);
    auto picture = std::make_unique<TvlPictureView>();
    picture->SetBounds(300, 400, 40, 250);
    page->AddObject(std::move(picture));
    ASSERT_TRUE(build()) << report.LastBuildError();
    const std::vector<Printed> out = written();
    const auto pictureIt =
        std::find_if(out.begin(), out.end(), [](const Printed& p) { return p.left == 300; });
    ASSERT_NE(pictureIt, out.end());
    EXPECT_AT(*pictureIt, 1, 300, top);
    EXPECT_EQ(pictureIt->height, 250);
    EXPECT_AT(one("Start"), 0, 20, top + 300);
}

// A text far down a split band is still cut page by page when it is
// reached, after pages that only held the band's empty space.
TEST_F(BandEngineTest, ATextFarDownASplitBandKeepsAllItsLines) {
    setRoom(500);
    addSource("Rows", numbered(1));
    band(btMasterData, 100, 1600, "Data", "Rows").Flags =
        TvlBandView::bfBreaked | TvlBandView::bfStretched;
    memo("Start", 20, 100);
    StringList lines;
    for (int i = 1; i <= 40; ++i)
        lines.push_back("line " + std::to_string(i));
    TvlMemoView& text = stretchedMemo(lines, 20, 1600, 200, 100);
    ASSERT_GT(text.CalcHeight(), 500);
    ASSERT_TRUE(build()) << report.LastBuildError();
    std::string all;
    int parts = 0;
    for (const Printed& p : written()) {
        if (p.text.rfind("line ", 0) != 0) continue;
        ++parts;
        EXPECT_LE(p.top + p.height, top + 500);
        all += (all.empty() ? "" : "|") + p.text;
    }
    EXPECT_EQ(parts, 2);
    std::string expected;
    for (const std::string& line : lines)
        expected += (expected.empty() ? "" : "|") + line;
    EXPECT_EQ(all, expected);
}

// A text whose single line is taller than a page can never be cut; the
// split still ends.
TEST_F(BandEngineTest, ALineTallerThanAPageEndsTheSplit) {
    setRoom(200);
    addSource("Rows", numbered(1));
    band(btMasterData, 100, 40, "Data", "Rows").Flags =
        TvlBandView::bfBreaked | TvlBandView::bfStretched;
    TvlMemoView& text = stretchedMemo({"Huge", "Huge"}, 20, 100, 400, 40);
    text.Font.size = 400;
    ASSERT_GT(text.CalcHeight(), 200);
    band(btMasterFooter, 200, 20, "Foot");
    memo("Foot", 20, 200);
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(find("Foot").size(), 1U);
    EXPECT_LT(pageCount(), 10);
}

// Below a page header a band that fits an empty page but not the room
// under the header is split: breaking again and again would leave pages
// with nothing but their header and write the band past the page bottom.
TEST_F(BandEngineTest, ABandThatNoPageHasRoomForUnderItsHeaderIsSplit) {
    setRoom(500);
    addSource("Rows", numbered(2));
    band(btPageHeader, 20, 50, "Head").Flags = TvlBandView::bfOnFirstPage;
    memo("Head", 20, 20);
    band(btMasterData, 100, 480, "Data", "Rows");
    memo("Top[N]", 20, 100);
    memo("Bottom[N]", 20, 560);
    ASSERT_TRUE(build()) << report.LastBuildError();
    const int content = top + 50;
    const int room = 500 - 50 - 2;
    EXPECT_AT(one("Top1"), 0, 20, content);
    EXPECT_AT(one("Bottom1"), 1, 20, content + 460 - room);
    EXPECT_AT(one("Top2"), 2, 20, content);
    EXPECT_AT(one("Bottom2"), 3, 20, content + 460 - room);
    EXPECT_EQ(pageCount(), 4);
    for (const Printed& p : written())
        EXPECT_LE(p.top + p.height, top + 500) << p.text;
}

} // namespace
} // namespace vltest
