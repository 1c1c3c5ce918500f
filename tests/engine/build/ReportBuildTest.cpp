#include "engine/build/ProgressWindow.h"
#include "engine/build/TvlBand.h"
#include "tests/support/ReportFixture.h"

#include <QDateTime>

namespace vltest {
namespace {

// Keeps every progress line the build shows.
class RecordingProgress : public TvlProgressWindow {
public:
    explicit RecordingProgress(std::vector<std::string>& lines) : lines_(lines) {}
    void SetFirstLine(const std::string& line) override {
        TvlProgressWindow::SetFirstLine(line);
        lines_.push_back(line);
    }

private:
    std::vector<std::string>& lines_;
};

class ReportBuildTest : public ReportFixture {
protected:
    ~ReportBuildTest() override { Globals().setProgressWindow(nullptr); }

    // A master band of rows 20 pixels high: about fifty to a page.
    void rowsOverPages(int rows) {
        addSource("Rows", numbered(rows));
        band(btMasterData, 60, 20, "Data", "Rows");
        memo("R[N]", 20, 62);
        TvlBandView& footer = band(btPageFooter, 900, 20, "Footer");
        footer.Flags = TvlBandView::bfOnFirstPage | TvlBandView::bfOnLastPage;
        memo("P[PAGE#] of [TOTALPAGES]", 20, 902, 200);
    }
    std::vector<std::string> footers() {
        std::vector<std::string> out;
        for (const Printed& p : printed())
            if (p.text[0] == 'P') out.push_back(p.text);
        return out;
    }
};

TEST_F(ReportBuildTest, TwoPassesKnowTheTotalPageCount) {
    rowsOverPages(340);
    report.TwoPass = true;
    std::vector<std::string> lines;
    Globals().setProgressWindow(std::make_unique<RecordingProgress>(lines));
    report.ShowProgress = true;
    ASSERT_TRUE(build()) << report.LastBuildError();
    ASSERT_EQ(pageCount(), 7);
    EXPECT_EQ(footers(), (std::vector<std::string>{"P1 of 7", "P2 of 7", "P3 of 7", "P4 of 7",
                                                   "P5 of 7", "P6 of 7", "P7 of 7"}));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Processing page:  3 from 7"), lines.end());
    EXPECT_TRUE(report.TwoPass);
}

TEST_F(ReportBuildTest, ASinglePassInTheWindowStartsTheTotalAtZero) {
    rowsOverPages(3);
    Globals().lastTotalPages() = 9;
    report.ShowProgress = false;
    ASSERT_TRUE(build());
    EXPECT_EQ(footers(), (std::vector<std::string>{"P1 of 9"}));
    report.ShowProgress = true;
    ASSERT_TRUE(build());
    EXPECT_EQ(footers(), (std::vector<std::string>{"P1 of 0"}));
}

TEST_F(ReportBuildTest, MultipleRunsThePagesOncePerRecord) {
    RowSource& copies = addSource("Copies", numbered(3));
    band(btReportTitle, 20, 20, "Title");
    memo("Copy [N]", 20, 22);
    report.Dataset = &copies;
    report.ReportType = rtMultiple;
    ASSERT_TRUE(build()) << report.LastBuildError();
    ASSERT_EQ(pageCount(), 3);
    const std::vector<Printed> out = printed();
    ASSERT_EQ(out.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(out[static_cast<std::size_t>(i)].page, i);
        EXPECT_EQ(out[static_cast<std::size_t>(i)].text, "Copy " + std::to_string(i + 1));
    }
}

TEST_F(ReportBuildTest, DateAndTimeStayFixedForTheBuild) {
    rowsOverPages(120);
    page->Objects.back()->Memo = {"P[PAGE#] [DATE] [TIME]"};
    const QDateTime now(QDate(2026, 12, 9), QTime(8, 30, 15));
    report.Now = [&now] { return now; };
    ASSERT_TRUE(build());
    const std::vector<std::string> all = footers();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[2].substr(0, 3), "P3 ");
    EXPECT_EQ(all[0].substr(3), all[2].substr(3));
    // formats follow the engine locale; the moment is the one given
    EXPECT_NE(all[0].find("30:15"), std::string::npos) << all[0];
}

TEST_F(ReportBuildTest, TheValueEventComesFirst) {
    report.Dictionary().Variables.SetVariable(" Names", Variant(""));
    report.Dictionary().Variables.SetVariable("Name", Variant("'from the dictionary'"));
    band(btReportTitle, 20, 20, "Title");
    memo("[Name]", 20, 22, 300);
    report.Events.OnGetValue = [](std::string_view name, Variant& value) {
        if (name == "Name") value = Variant("from the event");
    };
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(texts(), (std::vector<std::string>{"from the event"}));
    report.Events.OnGetValue = [](std::string_view, Variant&) {};
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(texts(), (std::vector<std::string>{"from the dictionary"}))
        << report.LastBuildError();
}

TEST_F(ReportBuildTest, AnUnknownNameStopsTheBuildWithItsText) {
    band(btReportTitle, 20, 20, "Title");
    TvlMemoView& bad = memo("[Nothing]", 20, 22);
    bad.Name = "BadMemo";
    int askedUpperCase = 0;
    report.Events.OnGetValue = [&askedUpperCase](std::string_view name, Variant&) {
        if (name == "NOTHING") ++askedUpperCase;
    };
    EXPECT_FALSE(build());
    EXPECT_EQ(pageCount(), 0);
    EXPECT_EQ(askedUpperCase, 2);
    const std::string& text = report.LastBuildError();
    EXPECT_EQ(text, "An error occured during calculating\r[Nothing]\r\rReport: TestReport\r"
                    "Object: BadMemo\r\rUndefined symbol \"NOTHING\"");
}

TEST_F(ReportBuildTest, AVariableThatRefersToItselfIsAnError) {
    report.Dictionary().Variables.SetVariable(" Loops", Variant(""));
    report.Dictionary().Variables.SetVariable("Loop", Variant("[Loop] + 1"));
    band(btReportTitle, 20, 20, "Title");
    memo("[Loop]", 20, 22);
    EXPECT_FALSE(build());
    EXPECT_EQ(pageCount(), 0);
    EXPECT_NE(report.LastBuildError().find("Variable \"Loop\" refers to itself"), std::string::npos)
        << report.LastBuildError();
}

TEST_F(ReportBuildTest, StopReportEndsTheBuildAfterThePageRun) {
    addSource("Rows", numbered(300));
    TvlBandView& data = band(btMasterData, 60, 20, "Data", "Rows");
    data.Script = {"if [N] = 60 then STOPREPORT"};
    memo("R[N]", 20, 62);
    TvlPage& second = report.Pages().Add();
    band(btReportTitle, 20, 20, "Title2", {}, &second);
    memo("Second page", 20, 22, 100, 18, &second);
    ASSERT_TRUE(build()) << report.LastBuildError();
    const std::vector<std::string> all = texts();
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.back(), "R59");
    EXPECT_EQ(pageCount(), 2);
}

TEST_F(ReportBuildTest, ShowBandOutputsABandByName) {
    addSource("Rows", numbered(2));
    TvlBandView& data = band(btMasterData, 60, 20, "Data", "Rows");
    data.Script = {"if [N] = 2 then SHOWBAND(Extra)"};
    memo("R[N]", 20, 62);
    band(btChild, 100, 20, "Extra");
    memo("extra", 20, 102);
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(texts(), (std::vector<std::string>{"R1", "extra", "R2"}));
}

TEST_F(ReportBuildTest, BreaksAskedForOutsideABandAreIgnored) {
    page->Script = {"NEWPAGE", "NEWCOLUMN"};
    band(btReportTitle, 20, 20, "Title");
    memo("title", 20, 22);
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(pageCount(), 1);
}

// A dialog page whose script cancels it: no report page runs.
TEST_F(ReportBuildTest, ACancelledDialogPageStopsTheBuild) {
    band(btReportTitle, 20, 20, "Title");
    memo("title", 20, 22);
    TvlPage& dialog = report.Pages().Add();
    dialog.PageType = ptDialog;
    dialog.Script = {"MODALRESULT := 2"};
    memo("a label", 10, 10, 100, 18, &dialog);
    EXPECT_FALSE(build());
    EXPECT_EQ(pageCount(), 0);
    report.Pages()[1].Script = {"MODALRESULT := 1"};
    EXPECT_TRUE(build());
    EXPECT_EQ(pageCount(), 1);
    // the dialog's objects are back after the build
    EXPECT_EQ(report.Pages()[1].Objects.size(), 1u);
}

TEST_F(ReportBuildTest, TheTemplateIsRestoredAfterTheBuild) {
    addSource("Rows", numbered(2));
    band(btMasterData, 60, 20, "Data", "Rows");
    TvlMemoView& m = memo("R[N]", 20, 62);
    m.Script = {"Memo.Visible := False"};
    m.Name = "Memo";
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_TRUE(texts().empty());
    TvlView* again = report.FindObject("Memo");
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->Visible);
    EXPECT_EQ(again->Script, (StringList{"Memo.Visible := False"}));
    EXPECT_EQ(again->ParentBand, nullptr);
}

TEST_F(ReportBuildTest, EventsOfASinglePassBuildInOrder) {
    addSource("Rows", numbered(2));
    band(btReportTitle, 20, 20, "Title");
    band(btMasterData, 60, 20, "Data", "Rows");
    TvlBandView& footer = band(btPageFooter, 900, 20, "Footer");
    footer.Flags = TvlBandView::bfOnFirstPage | TvlBandView::bfOnLastPage;
    std::vector<std::string> events;
    report.Events.OnBeginDoc = [&] { events.push_back("BeginDoc"); };
    report.Events.OnEndDoc = [&] { events.push_back("EndDoc"); };
    report.Events.OnBeginPage = [&](int n) { events.push_back("BeginPage" + std::to_string(n)); };
    report.Events.OnEndPage = [&](int n) { events.push_back("EndPage" + std::to_string(n)); };
    report.Events.OnBeginBand = [&](TvlBand& b) { events.push_back("+" + b.Name); };
    report.Events.OnEndBand = [&](TvlBand& b) { events.push_back("-" + b.Name); };
    report.Events.OnProgress = [&](int n) { events.push_back("Progress" + std::to_string(n)); };
    ASSERT_TRUE(build());
    EXPECT_EQ(events, (std::vector<std::string>{"BeginDoc", "Progress1", "BeginPage0", "+Title",
                                                "-Title", "+Data", "-Data", "+Data", "-Data",
                                                "EndPage0", "+Footer", "-Footer", "EndPage1",
                                                "Progress1", "Progress1", "EndDoc"}));
}

} // namespace
} // namespace vltest
