#include "tests/support/ReportFixture.h"

namespace vltest {
namespace {

// Hosts and windows hold pointers into the template while reports are built:
// after any build every page and object is the same instance, with the
// settings it had before, whatever the build's scripts changed.
class TemplateIdentityTest : public ReportFixture {
protected:
    TemplateIdentityTest() {
        addSource("Rows", numbered(3));
        data = &band(btMasterData, 60, 20, "Data", "Rows");
        data->Script = {"Data.Height := 40"};
        text = &memo("R[N]", 20, 62);
        text->Name = "Text";
        text->Script = {"begin Text.Left := 300; Text.Memo.Add('more'); Page1.LeftMargin := 0; "
                        "Counter := Counter + 1 end"};
        report.Dictionary().Variables.SetVariable(" Group", Variant(""));
        report.Dictionary().Variables.SetVariable("Counter", Variant("1"));
    }

    // Fails unless the template still consists of the objects taken before
    // the build, with their settings from before it.
    void expectSameTemplate() {
        ASSERT_EQ(report.Pages().Count(), 1);
        EXPECT_EQ(&report.Pages()[0], page);
        ASSERT_EQ(page->Objects.size(), 2u);
        EXPECT_EQ(page->Objects[0].get(), data);
        EXPECT_EQ(page->Objects[1].get(), text);
        EXPECT_EQ(report.FindObject("Text"), text);
        EXPECT_EQ(data->Height, 20);
        EXPECT_EQ(data->ParentBand, nullptr);
        EXPECT_EQ(text->Left, 20);
        EXPECT_EQ(text->Memo, StringList{"R[N]"});
        EXPECT_EQ(text->ParentBand, nullptr);
        EXPECT_EQ(page->LeftMargin, 20);
        const TvlVariables& variables = report.Dictionary().Variables;
        EXPECT_EQ(variables.GetValue(variables.IndexOf("Counter")).toString(), "1");
    }

    TvlBandView* data = nullptr;
    TvlMemoView* text = nullptr;
};

TEST_F(TemplateIdentityTest, OneAndTwoPassBuildsKeepTheObjects) {
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(texts().size(), 3u);
    expectSameTemplate();
    report.TwoPass = true;
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(texts().size(), 3u);
    expectSameTemplate();
    EXPECT_TRUE(report.TwoPass);
    // the objects taken before still build as before
    text->Memo = {"again [N]"};
    ASSERT_TRUE(build());
    EXPECT_EQ(texts().front().rfind("again 1|more", 0), 0u) << texts().front();
}

TEST_F(TemplateIdentityTest, FailedAndCancelledBuildsKeepTheObjects) {
    text->Memo = {"[Nothing]"};
    EXPECT_FALSE(build());
    EXPECT_FALSE(report.LastBuildError().empty());
    text->Memo = {"R[N]"};
    expectSameTemplate();

    int bands = 0;
    report.Events.OnBeginBand = [&bands](TvlBand&) {
        if (++bands == 2) Globals().stopRequested() = true;
    };
    build();
    expectSameTemplate();
    report.Events.OnBeginBand = nullptr;

    TvlPage& dialog = report.Pages().Add();
    dialog.PageType = ptDialog;
    dialog.Script = {"MODALRESULT := 2"};
    TvlMemoView& label = memo("a label", 10, 10, 100, 18, &dialog);
    EXPECT_FALSE(build());
    ASSERT_EQ(report.Pages().Count(), 2);
    EXPECT_EQ(&report.Pages()[1], &dialog);
    ASSERT_EQ(dialog.Objects.size(), 1u);
    EXPECT_EQ(dialog.Objects[0].get(), &label);
    EXPECT_EQ(label.Memo, StringList{"a label"});
}

// Settings that no record carries come back too, and the page's runtime
// state is gone.
TEST_F(TemplateIdentityTest, PageSettingsOutsideTheRecordComeBack) {
    TvlPage& hidden = report.Pages().Add();
    hidden.Visible = false;
    hidden.Script = {"Page2.Visible := True"};
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_FALSE(hidden.Visible);
    EXPECT_FALSE(page->SubReportPage);
    EXPECT_FALSE(page->Prepared());
}

// A host that adds an object while the report is built: identity cannot be
// kept for a changed page list, but the template is the one from before.
TEST_F(TemplateIdentityTest, ObjectsAddedDuringTheBuildAreDropped) {
    report.Events.OnBeginDoc = [this] { memo("added", 20, 200); };
    ASSERT_TRUE(build()) << report.LastBuildError();
    ASSERT_EQ(report.Pages().Count(), 1);
    ASSERT_EQ(report.Pages()[0].Objects.size(), 2u);
    EXPECT_EQ(report.FindObject("Text")->Left, 20);
    EXPECT_EQ(report.Pages()[0].Objects[1]->Memo, StringList{"R[N]"});
}

} // namespace
} // namespace vltest
