#include "engine/build/TvlBand.h"
#include "engine/build/TvlEngine.h"
#include "engine/script/EngineLimits.h"
#include "engine/script/ScopedValue.h"
#include "tests/support/RecordingUiService.h"
#include "tests/support/ReportFixture.h"

namespace vltest {
namespace {

class BuildOutcomeTest : public ReportFixture {
protected:
    // A master band of rows 20 pixels high: about fifty to a page.
    void rows(int count) {
        addSource("Rows", numbered(count));
        band(btMasterData, 60, 20, "Data", "Rows");
        memo("R[N]", 20, 62);
    }
    const TvlBuildOutcome& outcome() const { return report.LastOutcome(); }

    // Limits changed by a test go back with it.
    ScopedValue<EngineLimits> limits{Globals().script().limits(), EngineLimits{}};
};

TEST_F(BuildOutcomeTest, AFailedBuildIsFalseWithAndWithoutTheWindow) {
    rows(3);
    memo("[Nothing]", 20, 82);
    for (const bool window : {false, true}) {
        report.ShowProgress = window;
        EXPECT_FALSE(build()) << window;
        EXPECT_TRUE(outcome().failed());
        EXPECT_NE(outcome().message.find("Undefined symbol"), std::string::npos);
        EXPECT_EQ(report.LastBuildError(), outcome().message);
        EXPECT_EQ(pageCount(), 0);
    }
}

TEST_F(BuildOutcomeTest, BuiltStoppedByTheReportAndCancelledFromOutside) {
    rows(300);
    ASSERT_TRUE(build());
    EXPECT_TRUE(outcome().built());
    EXPECT_TRUE(outcome().message.empty());

    // STOPREPORT ends the build early; what was built counts
    static_cast<TvlBandView*>(report.FindObject("Data"))->Script = {"if [N] = 60 then STOPREPORT"};
    EXPECT_TRUE(build());
    EXPECT_TRUE(outcome().built());
    EXPECT_EQ(pageCount(), 2);

    // a host that stops the build after a number of bands cancels it; the
    // pages built so far stay
    static_cast<TvlBandView*>(report.FindObject("Data"))->Script.clear();
    int bands = 0;
    report.Events.OnBeginBand = [&bands](TvlBand&) {
        if (++bands == 70) Globals().stopRequested() = true;
    };
    EXPECT_FALSE(build());
    EXPECT_TRUE(outcome().cancelled());
    EXPECT_GT(pageCount(), 0);
}

TEST_F(BuildOutcomeTest, ACancelledDialogIsCancelled) {
    rows(1);
    TvlPage& dialog = report.Pages().Add();
    dialog.PageType = ptDialog;
    dialog.Script = {"MODALRESULT := 2"};
    memo("a label", 10, 10, 100, 18, &dialog);
    EXPECT_FALSE(build());
    EXPECT_TRUE(outcome().cancelled());
    EXPECT_TRUE(outcome().message.empty());
}

TEST_F(BuildOutcomeTest, AnErrorAfterAFailureDoesNotHideTheFirst) {
    rows(3);
    memo("[Nothing]", 20, 82);
    EXPECT_FALSE(build());
    const std::string first = outcome().message;
    report.FindObject("Memo2")->Memo = {"ok"};
    EXPECT_TRUE(build());
    EXPECT_TRUE(outcome().built());
    EXPECT_NE(first, outcome().message);
}

TEST_F(BuildOutcomeTest, ABuildStopsAtThePageLimit) {
    rows(400);
    ASSERT_TRUE(build());
    const int pages = pageCount();
    ASSERT_GT(pages, 3);
    // a build of exactly the limit is untouched by it
    Globals().script().limits().pagesPerBuild = pages;
    EXPECT_TRUE(build());
    EXPECT_EQ(pageCount(), pages);
    Globals().script().limits().pagesPerBuild = 3;
    EXPECT_FALSE(build());
    EXPECT_TRUE(outcome().failed());
    EXPECT_NE(outcome().message.find("The build stopped at 3 pages"), std::string::npos)
        << outcome().message;
}

TEST_F(BuildOutcomeTest, AnEndlessScriptEndsAtTheStepLimit) {
    Globals().script().limits().scriptSteps = 5000;
    band(btReportTitle, 20, 20, "Title").Script = {"begin i := 0; while 1 = 1 do i := i + 1 end"};
    memo("never", 20, 22);
    EXPECT_FALSE(build());
    EXPECT_NE(outcome().message.find("The script ran more than 5000 lines"), std::string::npos)
        << outcome().message;
    // a loop of fewer lines than the limit runs to its end
    static_cast<TvlBandView*>(report.FindObject("Title"))->Script = {
        "begin i := 0; while i < 1000 do i := i + 1 end"};
    EXPECT_TRUE(build()) << outcome().message;
}

TEST_F(BuildOutcomeTest, AnEndlessScriptEndsAtTheBuildTimeLimit) {
    Globals().script().limits().buildTime = std::chrono::milliseconds(100);
    Globals().script().limits().scriptSteps = 0;
    band(btReportTitle, 20, 20, "Title").Script = {"while 1 = 1 do i := 1"};
    memo("never", 20, 22);
    EXPECT_FALSE(build());
    EXPECT_TRUE(outcome().failed());
    EXPECT_NE(outcome().message.find("longer than 100 ms"), std::string::npos) << outcome().message;
    // the deadline belongs to the build: the next one starts afresh
    static_cast<TvlBandView*>(report.FindObject("Title"))->Script.clear();
    EXPECT_TRUE(build());
    EXPECT_EQ(Globals().script().deadline(), 0);
}

// An outer deadline (a host's) that passes stops the work but is not the
// inner one's, and the inner one never moves an earlier outer one later.
TEST(ScopedDeadlineTest, NestedDeadlinesKeepTheEarlierOne) {
    TvlScriptContext& g = Globals().script();
    g.stopRequested() = false;
    {
        const ScopedDeadline outer(ScriptGlobals(), std::chrono::milliseconds(-1));
        EXPECT_EQ(g.deadline(), 0);
        EXPECT_FALSE(g.stopDue());
    }
    {
        const ScopedDeadline outer(ScriptGlobals(), std::chrono::hours(1));
        const auto outerDeadline = g.deadline();
        {
            const ScopedDeadline inner(ScriptGlobals(), std::chrono::hours(2));
            EXPECT_EQ(g.deadline(), outerDeadline);
        }
        {
            const ScopedDeadline inner(ScriptGlobals(), std::chrono::milliseconds(1));
            EXPECT_LT(g.deadline(), outerDeadline);
            while (!g.stopDue()) {
            }
            EXPECT_TRUE(inner.Passed());
            EXPECT_FALSE(outer.Passed());
        }
        EXPECT_EQ(g.deadline(), outerDeadline);
    }
    EXPECT_EQ(g.deadline(), 0);
    g.stopRequested() = false;
}

// Ctrl-C lasts until the host clears it: a build that clears the stop flag
// as it starts still stops.
TEST_F(BuildOutcomeTest, AnInterruptionOutlastsTheStartOfABuild) {
    rows(300);
    Globals().script().interrupt();
    EXPECT_FALSE(build());
    EXPECT_TRUE(outcome().cancelled());
    EXPECT_LE(pageCount(), 1);
    Globals().script().clearInterrupt();
    EXPECT_TRUE(build());
}

// The current page, band and view and the build run itself end with the
// build.
TEST_F(BuildOutcomeTest, TheBuildLeavesNoPointersIntoIt) {
    rows(60);
    TvlViewState& views = Globals().views();
    ASSERT_TRUE(build());
    EXPECT_FALSE(views.building) << "the engine's build flag ends with the build";
    EXPECT_EQ(views.currentPage, nullptr);
    EXPECT_EQ(views.currentBand, nullptr);
    EXPECT_EQ(views.currentView, nullptr);
    EXPECT_EQ(report.Run(), nullptr);
    EXPECT_FALSE(report.BuildRunning());

    // also when a host's handler leaves the build by something that is no
    // error of the engine; the report builds again afterwards
    int bands = 0;
    report.Events.OnBeginBand = [&bands](TvlBand&) {
        if (++bands == 5) throw 42;
    };
    EXPECT_ANY_THROW(build());
    EXPECT_EQ(views.currentPage, nullptr);
    EXPECT_EQ(views.currentBand, nullptr);
    EXPECT_EQ(views.currentView, nullptr);
    EXPECT_EQ(report.Run(), nullptr);
    EXPECT_FALSE(report.BuildRunning());
    ASSERT_EQ(report.Pages().Count(), 1);
    EXPECT_EQ(&report.Pages()[0], page);
    report.Events.OnBeginBand = nullptr;
    EXPECT_TRUE(build());
    EXPECT_EQ(texts().size(), 60u);
}

// A build asked for while one runs in the same engine instance (here from
// the running build's events, as a window it opened could) is refused
// with a message for the caller to show; the running build goes on and gives the pages it gives
// alone.
TEST_F(BuildOutcomeTest, ASecondBuildWhileOneRunsIsRefusedAndTheFirstGoesOn) {
    rows(120);
    ASSERT_TRUE(build());
    const std::vector<std::string> alone = texts();
    const int pagesAlone = pageCount();

    auto recording = std::make_unique<RecordingUiService>();
    const std::vector<std::string>& messages = recording->messages;
    Globals().setUiService(std::move(recording));

    TvlReport other;
    other.ShowProgress = false;
    other.Pages().Add();
    bool nestedSelf = true, nestedOther = true;
    bool runningSeen = false;
    report.Events.OnBeginDoc = [&] {
        runningSeen = report.BuildRunning();
        nestedOther = other.PrepareReport();
        nestedSelf = report.PrepareReport();
    };
    EXPECT_TRUE(build());
    report.Events.OnBeginDoc = nullptr;
    EXPECT_TRUE(messages.empty()) << "the engine shows no window; the caller tells the refusal";
    EXPECT_TRUE(other.ShowBuildFailure());
    const std::vector<std::string> shown = messages;
    Globals().setUiService(nullptr);

    EXPECT_TRUE(runningSeen);
    EXPECT_FALSE(nestedOther);
    EXPECT_FALSE(nestedSelf);
    EXPECT_TRUE(other.LastOutcome().failed());
    EXPECT_NE(other.LastOutcome().message.find("being built"), std::string::npos);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown.front(), "Error: " + other.LastOutcome().message);
    EXPECT_EQ(other.EMFPages().Count(), 0);
    EXPECT_TRUE(outcome().built()) << outcome().message;
    EXPECT_EQ(pageCount(), pagesAlone);
    EXPECT_EQ(texts(), alone);
    EXPECT_FALSE(report.BuildRunning());
    // and the next build starts
    EXPECT_TRUE(other.PrepareReport());
}

// A report builds with the parts of its own engine, whichever engine the
// calling thread works for, and leaves the thread's engine as it was.
TEST_F(BuildOutcomeTest, AReportBuildsInItsOwnEngine) {
    TvlEngine engine;
    engine.script().limits().pagesPerBuild = 1;
    TvlReport other(engine, "Other");
    other.ShowProgress = false;
    other.Pages().Add();
    other.Pages().Add();
    EXPECT_FALSE(other.PrepareReport()) << "its engine's page limit holds";
    EXPECT_NE(other.LastOutcome().message.find("stopped at 1 pages"), std::string::npos)
        << other.LastOutcome().message;
    EXPECT_EQ(&Globals(), &TvlEngine::Default());

    // a build of the default engine is not refused while the other is busy
    bool nestedBuilt = false;
    other.Events.OnBeginDoc = [&] {
        rows(3);
        nestedBuilt = report.PrepareReport();
    };
    engine.script().limits().pagesPerBuild = 0;
    EXPECT_TRUE(other.PrepareReport()) << other.LastOutcome().message;
    EXPECT_EQ(other.EMFPages().Count(), 2);
    EXPECT_TRUE(nestedBuilt) << outcome().message;
    EXPECT_EQ(texts().size(), 3u);
}

} // namespace
} // namespace vltest
