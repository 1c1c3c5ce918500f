#include "engine/output/TvlEMFPages.h"
#include "engine/script/StreamIO.h"
#include "engine/script/TInterpretator.h"
#include "engine/script/TvlParser.h"
#include "engine/script/TvlVariables.h"
#include "tests/support/ReportFixture.h"

namespace vltest {
namespace {

// Several reports in one process: each build gives what it gives alone, and
// what one report leaves behind does not reach into another, except for the
// state the engine keeps for the whole process on purpose (named below).
class ReportIsolationTest : public ReportFixture {
protected:
    ReportIsolationTest() {
        addSource("Rows", numbered(2));
        band(btMasterData, 60, 20, "Data", "Rows");
        memo("B[N] [Who]", 20, 62);
        report.Events.OnGetValue = [this](std::string_view name, Variant& value) {
            if (name == "WHO") value = Variant("b");
            const Variant v = sources.front()->field(name);
            if (!v.isNull()) value = v;
        };
    }
    ~ReportIsolationTest() override { Globals().globalVariables().Clear(); }

    // Report A: another template with a dictionary, a two-pass build and a
    // script, built in the same process.
    std::unique_ptr<TvlReport> buildOther() {
        auto other = std::make_unique<TvlReport>("ReportA", &form);
        other->ShowProgress = false;
        other->TwoPass = true;
        TvlPage& p = other->Pages().Add();
        auto title = std::make_unique<TvlBandView>();
        title->FrameTyp = btReportTitle;
        title->SetBounds(0, 20, 700, 20);
        title->Name = "TitleA";
        title->Script = {"Shared := 'from A'"};
        p.AddObject(std::move(title));
        auto text = std::make_unique<TvlMemoView>();
        text->SetBounds(20, 22, 100, 18);
        text->Memo = {"[Who]"};
        text->Name = "TextA";
        p.AddObject(std::move(text));
        other->Dictionary().Variables.SetVariable(" A", Variant(""));
        other->Dictionary().Variables.SetVariable("Who", Variant("'a'"));
        EXPECT_TRUE(other->PrepareReport()) << other->LastBuildError();
        return other;
    }
};

TEST_F(ReportIsolationTest, AReportBuildsTheSameAfterAnotherAndWithoutIt) {
    ASSERT_TRUE(build());
    const std::vector<std::string> alone = texts();
    ASSERT_EQ(alone, (std::vector<std::string>{"B1 b", "B2 b"}));
    std::unique_ptr<TvlReport> other = buildOther();
    ASSERT_TRUE(build());
    EXPECT_EQ(texts(), alone);
    // A's pages are its own and unchanged by B's build
    other->EMFPages().LoadPageObjects(0);
    EXPECT_EQ(other->EMFPages().PageAt(0).Page->objects().front()->Memo, StringList{"a"});
    other->EMFPages().ReleasePageObjects(0);
}

// Destroying a report unbinds the parser only when it is bound to that
// report: the report built last keeps its lookup.
TEST_F(ReportIsolationTest, DestroyingAnotherReportLeavesThisOneWorking) {
    std::unique_ptr<TvlReport> other = buildOther();
    ASSERT_TRUE(build());
    other.reset();
    EXPECT_EQ(Globals().globalParser().Evaluate("Who").toString(), "b");
    ASSERT_TRUE(build());
    EXPECT_EQ(texts(), (std::vector<std::string>{"B1 b", "B2 b"}));
    // and destroying the report the parser is bound to unbinds it
    std::unique_ptr<TvlReport> last = buildOther();
    last.reset();
    EXPECT_FALSE(Globals().globalParser().OnGetValue);
    EXPECT_EQ(Globals().globalInterpretator().Binding(), nullptr);
}

// Script variables (GlobalVariables) and the page total of the last build
// belong to the process: a report sees what another report's script set,
// and a single pass without the window goes on with the last total.
TEST_F(ReportIsolationTest, ScriptVariablesAndTheTotalPageCountAreSharedOnPurpose) {
    std::unique_ptr<TvlReport> other = buildOther();
    report.FindObject("Memo1")->Memo = {"[Shared] [TOTALPAGES]"};
    ASSERT_TRUE(build());
    EXPECT_EQ(texts(), (std::vector<std::string>{"from A 1", "from A 1"}));
}

// Reading the pages of a prepared report reads them at their own version;
// the version templates are read at stays.
TEST_F(ReportIsolationTest, ReadingPreparedPagesKeepsTheTemplateVersion) {
    ASSERT_TRUE(build());
    TvlViewState& views = Globals().views();
    views.templateVersion = 22;
    report.EMFPages().LoadPageObjects(0);
    EXPECT_EQ(views.templateVersion, 22);
    EXPECT_EQ(views.currentPage, nullptr);
    report.EMFPages().SavePageObjects(0);
    report.EMFPages().ReleasePageObjects(0);
    EXPECT_EQ(views.templateVersion, 22);
    views.templateVersion = kCurrentTemplateVersion;
}

} // namespace
} // namespace vltest
