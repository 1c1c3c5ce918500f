#include "engine/build/TvlEngine.h"
#include "engine/script/UiService.h"
#include "tests/support/ReportFixture.h"

namespace vltest {
namespace {

constexpr int kYes = 6;

// Answers every message box with one button and counts the questions.
class AnsweringUi : public HeadlessUiService {
public:
    explicit AnsweringUi(int answer) : answer_(answer) {}
    int messageBox(const std::string& text, const std::string&, int) override {
        questions.push_back(text);
        return answer_;
    }
    std::vector<std::string> questions;

private:
    int answer_;
};

class ReportDesignTest : public ReportFixture {
protected:
    ~ReportDesignTest() override {
        Globals().designer().designReport = nullptr;
        Globals().designer().editPage = nullptr;
        Globals().setUiService(std::make_unique<HeadlessUiService>());
    }
    AnsweringUi& answer(int button) {
        auto ui = std::make_unique<AnsweringUi>(button);
        AnsweringUi& kept = *ui;
        Globals().setUiService(std::move(ui));
        return kept;
    }
    // Builds two pages of one text each.
    void buildTwoPages() {
        addSource("Rows", numbered(2));
        band(btMasterData, 40, 20, "Data", "Rows").Flags = TvlBandView::bfFormNewPage;
        memo("Row [N]", 20, 42);
        ASSERT_TRUE(build()) << report.LastBuildError();
        ASSERT_EQ(pageCount(), 2);
    }
    // A page editor that moves the first object of the page it gets to
    // (200, 100) and says whether the change is kept.
    void editWith(bool keep) {
        Globals().designer().editPage = [this, keep](TvlReport& edited) {
            seenPages = edited.Pages().Count();
            TvlPage& only = edited.Pages()[0];
            seenObjects = static_cast<int>(only.Objects.size());
            only.Objects.front()->SetBounds(200, 100, 50, 18);
            return keep;
        };
    }
    int seenPages = -1;
    int seenObjects = -1;
};

TEST_F(ReportDesignTest, DesignReportAnswersTwoWithoutADesignerAndGivesAnEmptyReportAPage) {
    EXPECT_EQ(report.DesignReport(), 2);
    report.Pages().Clear();
    int pagesSeen = -1;
    Globals().designer().designReport = [&](TvlReport& designed) {
        pagesSeen = designed.Pages().Count();
        return 1;
    };
    EXPECT_EQ(report.DesignReport(), 1);
    EXPECT_EQ(pagesSeen, 1);
}

TEST_F(ReportDesignTest, AReportOfAnotherEngineIsDesignedInThatEngine) {
    TvlEngine engine;
    TvlReport designed(engine, "Other");
    const TvlEngine* seen = nullptr;
    EXPECT_EQ(designed.DesignReport(), 2) << "no designer in that engine";
    engine.designer().designReport = [&](TvlReport&) {
        seen = &Globals();
        return 1;
    };
    EXPECT_EQ(designed.DesignReport(), 1);
    EXPECT_EQ(seen, &engine);
    EXPECT_EQ(&Globals(), &TvlEngine::Default());
}

TEST_F(ReportDesignTest, AKeptPreparedPageReplacesThePageAndTheTemplateComesBack) {
    buildTwoPages();
    editWith(true);
    const AnsweringUi& ui = answer(kYes);
    EXPECT_TRUE(report.EditPreparedPage(1));
    EXPECT_EQ(seenPages, 1);
    EXPECT_EQ(seenObjects, 1);
    EXPECT_TRUE(ui.questions.empty()) << "the engine asks nothing; the designer does";
    const auto out = printed();
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].left, 20) << "the other page is untouched";
    EXPECT_EQ(out[1].page, 1);
    EXPECT_EQ(out[1].left, 200);
    EXPECT_EQ(out[1].top, 100);
    EXPECT_EQ(out[1].text, "Row 2");
    // the template is whole again, with its two objects as they were
    ASSERT_EQ(report.Pages().Count(), 1);
    ASSERT_EQ(report.Pages()[0].Objects.size(), 2u);
    EXPECT_EQ(report.Pages()[0].Objects[1]->Left, 20);
    EXPECT_EQ(report.Pages()[0].Objects[1]->Memo, StringList{"Row [N]"});
}

TEST_F(ReportDesignTest, APageNotKeptLeavesThePreparedPage) {
    buildTwoPages();
    editWith(false);
    EXPECT_FALSE(report.EditPreparedPage(0));
    EXPECT_EQ(printed()[0].left, 20);
}

TEST_F(ReportDesignTest, EditPreparedPageRefusesBadIndexesAndSurvivesAFailingDesigner) {
    buildTwoPages();
    editWith(true);
    EXPECT_FALSE(report.EditPreparedPage(-1));
    EXPECT_FALSE(report.EditPreparedPage(2));
    EXPECT_EQ(seenPages, -1);
    Globals().designer().editPage = [](TvlReport&) -> bool { throw VlError("designer failed"); };
    EXPECT_THROW(report.EditPreparedPage(0), VlError);
    ASSERT_EQ(report.Pages().Count(), 1);
    EXPECT_EQ(report.Pages()[0].Objects.size(), 2u);
    EXPECT_EQ(printed()[0].text, "Row 1");
}

} // namespace
} // namespace vltest
