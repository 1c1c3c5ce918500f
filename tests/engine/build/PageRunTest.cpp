#include "tests/support/ReportFixture.h"

namespace vltest {
namespace {

class PageRunTest : public ReportFixture {};

TEST_F(PageRunTest, HeaderRecordsAndFooterOfAMasterBand) {
    addSource("Rows", numbered(3));
    band(btMasterHeader, 20, 20);
    memo("Head", 20, 22);
    band(btMasterData, 60, 20, "Data", "Rows");
    memo("Row [N]", 20, 62);
    band(btMasterFooter, 100, 20);
    memo("Foot", 20, 102);
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(texts(), (std::vector<std::string>{"Head", "Row 1", "Row 2", "Row 3", "Foot"}));
}

TEST_F(PageRunTest, AnEmptyMasterPrintsNothingOfItsBand) {
    addSource("Rows", {});
    band(btMasterHeader, 20, 20);
    memo("Head", 20, 22);
    band(btMasterData, 60, 20, "Data", "Rows");
    memo("Row", 20, 62);
    band(btMasterFooter, 100, 20);
    memo("Foot", 20, 102);
    ASSERT_TRUE(build());
    EXPECT_EQ(pageCount(), 1);
    EXPECT_TRUE(texts().empty());
    report.PrintIfEmpty = false;
    ASSERT_TRUE(build());
    EXPECT_EQ(pageCount(), 0);
}

// Masters 1 and 3 have details, master 2 has none.
class MasterDetailTest : public PageRunTest {
protected:
    void SetUp() override {
        addSource("Masters", numbered(3));
        RowSource& details = addSource("Details", {});
        details.OnFirst = [this](TvlDataset&) { fillDetails(); };
        band(btMasterHeader, 20, 20);
        memo("Head", 20, 22);
        master = &band(btMasterData, 60, 20, "Master", "Masters");
        memo("M[N]", 20, 62);
        band(btDetailData, 100, 20, "Detail", "Details");
        memo("D[D]", 40, 102);
    }
    void fillDetails() {
        const int n = sources[0]->field("N").toInt();
        sources[1]->rows.clear();
        if (n != 2) sources[1]->rows = {{{"D", Variant(n * 10)}}, {{"D", Variant(n * 10 + 1)}}};
    }
    TvlBandView* master = nullptr;
};

TEST_F(MasterDetailTest, AMasterWithoutDetailsIsDropped) {
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(texts(), (std::vector<std::string>{"Head", "M1", "D10", "D11", "M3", "D30", "D31"}));
}

TEST_F(MasterDetailTest, PrintIfSubsetEmptyPrintsTheMasterFirst) {
    master->Flags |= TvlBandView::bfPrintIfSubsetEmpty;
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(texts(),
              (std::vector<std::string>{"Head", "M1", "D10", "D11", "M2", "M3", "D30", "D31"}));
}

TEST_F(MasterDetailTest, HeadersWaitForTheFirstMasterThatPrints) {
    sources[0]->rows = {{{"N", Variant(2)}}, {{"N", Variant(3)}}};
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(texts(), (std::vector<std::string>{"Head", "M3", "D30", "D31"}));
}

// Five records whose group field changes after records 2 and 4.
class GroupRunTest : public PageRunTest {
protected:
    void SetUp() override {
        addSource("Rows", {{{"N", Variant(1)}, {"G", Variant("a")}},
                           {{"N", Variant(2)}, {"G", Variant("a")}},
                           {{"N", Variant(3)}, {"G", Variant("b")}},
                           {{"N", Variant(4)}, {"G", Variant("b")}},
                           {{"N", Variant(5)}, {"G", Variant("c")}}});
        band(btGroupHeader, 20, 20, "Group", "G");
        memo("H[G]", 20, 22);
        band(btMasterData, 60, 20, "Data", "Rows");
        memo("r[N] [LINE#]/[LINETHROUGH#]/[CURRENT#]", 20, 62, 300);
        band(btGroupFooter, 100, 20, "GroupFooter");
        memo("F", 20, 102);
    }
};

TEST_F(GroupRunTest, GroupsOpenAndCloseAroundTheirRecords) {
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(texts(),
              (std::vector<std::string>{"Ha", "r1 1/1/1", "r2 2/2/2", "F", "Hb", "r3 1/3/3",
                                        "r4 2/4/4", "F", "Hc", "r5 1/5/5", "F"}));
}

TEST_F(GroupRunTest, FootersSeeTheLastRecordOfTheirGroup) {
    page->Objects.back()->Memo = {"F[N]"};
    // after the last record there is none: the final footer asks nothing
    report.Events.OnGetValue = [this](std::string_view name, Variant& value) {
        const Variant v = sources[0]->field(name);
        value = v.isNull() ? Variant("end") : v;
    };
    ASSERT_TRUE(build()) << report.LastBuildError();
    const std::vector<std::string> all = texts();
    EXPECT_EQ(all[3], "F2");
    EXPECT_EQ(all[7], "F4");
    EXPECT_EQ(all[10], "Fend");
}

TEST_F(PageRunTest, TwoPageColumns) {
    addSource("Rows", numbered(200));
    page->Columns = 2;
    page->ColumnGap = 18;
    band(btColumnHeader, 20, 20, "ColumnHeader");
    memo("CH", 20, 22);
    band(btMasterData, 60, 20, "Data", "Rows");
    memo("R[N]", 20, 62);
    band(btColumnFooter, 100, 20, "ColumnFooter");
    memo("CF", 20, 102);
    ASSERT_TRUE(build()) << report.LastBuildError();
    const TvlPage& design = report.Pages()[0];
    const int columnWidth = (design.RightEdge() - design.LeftEdge() - 18) / 2;
    std::vector<Printed> out = printed();
    // first column: header, rows, footer; the second starts at the column top
    ASSERT_EQ(out[0].text, "CH");
    const int top = out[0].top;
    int i = 1;
    while (out[i].text != "CF")
        ++i;
    EXPECT_LE(out[i - 1].top + 18, design.BottomEdge() - 20);
    ASSERT_EQ(out[i + 1].text, "CH");
    EXPECT_EQ(out[i + 1].top, top);
    EXPECT_EQ(out[i + 1].left, out[0].left + columnWidth + 18);
    EXPECT_EQ(out[i + 1].page, 0);
    EXPECT_EQ(out[i + 2].left, out[1].left + columnWidth + 18);
    // after the second column a new page starts in the first column
    int j = i + 2;
    while (out[j].text != "CF")
        ++j;
    EXPECT_EQ(out[j + 1].page, 1);
    EXPECT_EQ(out[j + 1].left, out[0].left);
}

TEST_F(PageRunTest, RepeatedHeadersAfterAPageBreak) {
    addSource("Rows", numbered(120));
    TvlBandView& group = band(btGroupHeader, 20, 20, "Group", "1");
    group.Flags |= TvlBandView::bfRepeatHeader;
    memo("G", 20, 22);
    TvlBandView& header = band(btMasterHeader, 50, 20, "Header");
    header.Flags |= TvlBandView::bfRepeatHeader;
    memo("H", 20, 52);
    band(btMasterData, 80, 20, "Data", "Rows");
    memo("R[N]", 20, 82);
    ASSERT_TRUE(build()) << report.LastBuildError();
    ASSERT_GT(pageCount(), 1);
    const std::vector<Printed> out = printed();
    // group header first, then the master header, then the first record
    EXPECT_EQ(out[0].text, "G");
    EXPECT_EQ(out[1].text, "H");
    EXPECT_EQ(out[2].text, "R1");
    for (std::size_t i = 1; i < out.size(); ++i) {
        if (out[i].page == out[i - 1].page) continue;
        EXPECT_EQ(out[i].text, "G") << "page " << out[i].page;
        EXPECT_EQ(out[i + 1].text, "H");
        EXPECT_EQ(out[i].top, report.Pages()[0].TopEdge() + 2);
    }
}

class PageFooterTest : public PageRunTest {
protected:
    TvlBandView& setUpPages(int rows, std::uint16_t footerFlags) {
        addSource("Rows", numbered(rows));
        band(btMasterData, 60, 20, "Data", "Rows");
        memo("R[N]", 20, 62);
        TvlBandView& footer = band(btPageFooter, 900, 20, "Footer");
        footer.Flags = footerFlags;
        memo("P[PAGE#]", 20, 902);
        return footer;
    }
    std::vector<std::string> footers() {
        std::vector<std::string> out;
        for (const Printed& p : printed())
            if (p.text[0] == 'P') out.push_back(p.text);
        return out;
    }
};

TEST_F(PageFooterTest, FirstAndLastPagesFollowTheirFlags) {
    setUpPages(120, 0);
    ASSERT_TRUE(build());
    ASSERT_EQ(pageCount(), 3);
    EXPECT_EQ(footers(), (std::vector<std::string>{"P2"}));
    report.Pages().Clear();
    page = &report.Pages().Add();
    setUpPages(120, TvlBandView::bfOnFirstPage | TvlBandView::bfOnLastPage);
    ASSERT_TRUE(build());
    EXPECT_EQ(footers(), (std::vector<std::string>{"P1", "P2", "P3"}));
}

TEST_F(PageFooterTest, AFooterOnTheBottomLimit) {
    setUpPages(100, TvlBandView::bfOnFirstPage | TvlBandView::bfOnLastPage);
    ASSERT_TRUE(build());
    for (const Printed& p : printed()) {
        const TvlPage& design = report.Pages()[0];
        if (p.text[0] == 'P') {
            EXPECT_EQ(p.top, design.BottomEdge() - 20 + 2);
        } else {
            EXPECT_LE(p.top + 18, design.BottomEdge() - 20);
        }
    }
}

TEST_F(PageFooterTest, AOnePageRunWritesItsFooterWithOnFirstPage) {
    setUpPages(3, TvlBandView::bfOnFirstPage);
    ASSERT_TRUE(build());
    EXPECT_EQ(footers(), (std::vector<std::string>{"P1"}));
}

TEST_F(PageRunTest, ASummaryMayUseTheColumnFootersRoom) {
    addSource("Rows", numbered(1));
    const int room = page->BottomEdge() - page->TopEdge();
    // the summary needs exactly what is left below the column footer
    band(btMasterData, 20, room - 90, "Data", "Rows");
    band(btColumnFooter, 900, 30, "ColumnFooter");
    band(btReportSummary, 960, 60, "Summary");
    memo("S", 20, 962);
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(pageCount(), 1);
    const std::vector<Printed> out = printed();
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].top, report.Pages()[0].TopEdge() + room - 60 + 2);
}

TEST_F(PageRunTest, PrintToPrevPageGoesOnBelowThePreviousRun) {
    addSource("Rows", numbered(3));
    band(btMasterData, 60, 20, "Data", "Rows");
    memo("A[N]", 20, 62);
    TvlPage& second = report.Pages().Add();
    second.LeftMargin = second.TopMargin = second.RightMargin = second.BottomMargin = 20;
    second.PrintToPrevPage = true;
    band(btReportTitle, 20, 20, "Title2", {}, &second);
    memo("B", 20, 22, 100, 18, &second);
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(pageCount(), 1);
    const std::vector<Printed> out = printed();
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[3].text, "B");
    EXPECT_EQ(out[3].page, 0);
    EXPECT_EQ(out[3].top, out[2].top + 20);
    // without continuation the second page starts a prepared page of its own
    second.PrintToPrevPage = false;
    ASSERT_TRUE(build());
    EXPECT_EQ(pageCount(), 2);
}

TEST_F(PageRunTest, PagePropertiesByName) {
    page->SetProperty("Size", Variant(9));
    EXPECT_EQ(page->GetProperty("WIDTH").toInt(), Nearest(2100 * 18.0 / 50.0));
    page->SetProperty("Width", Variant(400));
    EXPECT_EQ(page->PaperWidth, Nearest(400 * 50.0 / 18.0));
    EXPECT_EQ(page->GetProperty("Width").toInt(), 400);
    page->SetProperty("StretchToPrintable", Variant(true));
    EXPECT_FALSE(page->UseMargins);
    EXPECT_EQ(page->GetProperty("LeftMargin").toInt(), 20);
    page->SetProperty("Type", Variant(1));
    page->SetProperty("Width", Variant(500));
    EXPECT_EQ(page->Dialog.Width, 500);
    page->RegisterProperties();
    EXPECT_NE(page->FindProperty("OnActivate"), nullptr);
    EXPECT_EQ(page->FindProperty("Orientation"), nullptr);
}

TEST_F(PageRunTest, MarginsReadAsEdgesWhileBuilding) {
    band(btReportTitle, 20, 20, "Title");
    TvlMemoView& m = memo("x", 20, 22);
    m.Script = {"Memo.Memo.Add(Page1.LeftMargin)"};
    m.Name = "Memo";
    page->LeftMargin = 0;
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(texts(),
              (std::vector<std::string>{"x|" + std::to_string(report.Pages()[0].LeftEdge())}));
}

} // namespace
} // namespace vltest
