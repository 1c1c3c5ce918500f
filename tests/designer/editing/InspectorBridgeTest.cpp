#include "designer/inspector/TvlInspForm.h"
#include "designer/inspector/TvlInspRowList.h"
#include "engine/build/TvlEngine.h"
#include "engine/model/TvlPictureView.h"
#include "engine/script/CodePage.h"
#include "tests/designer/editing/FakeDesignerHost.h"

#include <QLineEdit>
#include <QTest>

namespace vltest {
namespace {

struct InspectorBridgeTest : EditingFixture {
    InspectorBridgeTest() : form(editing.inspector()) {
        editing.inspector().attach(&form);
        editing.inspector().setConfirm([this](const std::string& text, const std::string& caption) {
            questions.push_back(caption + ": " + text);
            return answer;
        });
        host.report().Engine().localeService().setDecimalSeparator('.');
    }
    ~InspectorBridgeTest() override {
        host.report().Engine().localeService().setDecimalSeparator(separator);
    }

    int row(const char* name) const { return form.rowList().rowIndexOf(name); }
    std::string text(const char* name) const {
        const int index = row(name);
        return index < 0 ? "<none>" : form.rowList().row(index).text();
    }
    // Types the value into the row and applies it, as Enter does.
    void type(const char* name, const std::string& value) {
        const int index = row(name);
        ASSERT_GE(index, 0) << name;
        form.rowList().setCurrentRow(index);
        form.rowList().valueField()->setText(ToQt(value));
        form.rowList().valueField()->setModified(true);
        form.rowList().ApplyValue();
    }

    char separator = host.report().Engine().localeService().decimalSeparator();
    TvlInspForm form;
    std::vector<std::string> questions;
    bool answer = false;
};

TEST_F(InspectorBridgeTest, SeveralObjectsShowTheirCommonPropertiesAndSharedValues) {
    TvlMemoView& memo = host.memo("Memo1", 10, 20, 40, 20);
    auto& picture = host.add<TvlPictureView>(otPicture, "Picture1", 10, 50, 60, 20);
    host.select({&memo, &picture});
    editing.inspector().FillInspector();
    EXPECT_EQ(text("Name"), "<none>"); // single-object property
    EXPECT_EQ(text("Font"), "<none>"); // text objects only
    EXPECT_EQ(text("Left"), "10");     // shared
    EXPECT_EQ(text("Width"), "");      // the objects disagree
    EXPECT_EQ(form.Object(), nullptr);
    // Sorted by name.
    EXPECT_LT(row("FillColor"), row("Left"));
    EXPECT_LT(row("Left"), row("Width"));

    host.select({&memo});
    editing.inspector().FillInspector();
    EXPECT_EQ(text("Name"), "Memo1");
    EXPECT_EQ(text("Restrictions"), "(Restrictions)");
    EXPECT_EQ(text("FrameStyle"), "psSolid");
    EXPECT_EQ(form.Object(), &memo);
    EXPECT_EQ(form.ObjectName(), "Memo1");
}

TEST_F(InspectorBridgeTest, LengthsAreShownAndTypedInTheDesignerUnit) {
    TvlMemoView& memo = host.memo("Memo1", 0, 0, 36, 20);
    host.select({&memo});
    host.settings_.units = duMillimetres;
    editing.inspector().FillInspector();
    EXPECT_EQ(text("Width"), "10.00");
    type("Width", "20");
    EXPECT_EQ(memo.Width, 72);
    EXPECT_EQ(text("Width"), "20.00");
    EXPECT_TRUE(editing.undo().canUndo());

    host.settings_.units = duInches;
    editing.inspector().FillInspector();
    type("Left", "1");
    EXPECT_EQ(memo.Left, Nearest(25.4 * 18 / 5));

    host.settings_.units = duPixels;
    editing.inspector().FillInspector();
    EXPECT_EQ(text("Width"), "72");
    EXPECT_TRUE(form.rowList().row(row("Width")).is(pkInteger));

    // Decimals show with the separator of the report's engine.
    host.settings_.units = duMillimetres;
    host.report().Engine().localeService().setDecimalSeparator(',');
    editing.inspector().FillInspector();
    EXPECT_EQ(text("Width"), "20,00");
}

TEST_F(InspectorBridgeTest, RenamingAnObjectRenamesTheBandLinksThatNameIt) {
    TvlBandView& parent = host.band("MasterData1", 5, 100, 40);
    parent.ChildBand = "Child1";
    TvlBandView& child = host.band("Child1", 21, 150, 20);
    TvlBandView& unrelated = host.band("PageHeader1", 1, 0, 30);
    unrelated.ChildBand = "Other";
    host.select({&child});
    editing.inspector().FillInspector();
    type("Name", "Footnotes");
    EXPECT_EQ(child.Name, "Footnotes");
    EXPECT_EQ(parent.ChildBand, "Footnotes");
    EXPECT_EQ(unrelated.ChildBand, "Other");
    EXPECT_EQ(text("Name"), "Footnotes");
}

TEST_F(InspectorBridgeTest, ANameInUseOrARestrictionIsIgnored) {
    host.memo("Memo1", 0, 0);
    host.pageIndex = 1;
    host.memo("Memo9", 0, 0);
    host.pageIndex = 0;
    TvlMemoView& memo = host.memo("Memo2", 0, 30);
    host.select({&memo});
    editing.inspector().FillInspector();
    type("Name", "memo9"); // on another page, any case
    EXPECT_EQ(memo.Name, "Memo2");
    EXPECT_EQ(text("Name"), "Memo2");
    type("Name", "MEMO2"); // its own name in another case
    EXPECT_EQ(memo.Name, "MEMO2");

    memo.Restrictions = rsNoMove | rsNoModify;
    editing.inspector().FillInspector();
    type("Left", "50");
    EXPECT_EQ(memo.Left, 0);
    type("Name", "Fresh");
    EXPECT_EQ(memo.Name, "MEMO2");
    type("Width", "55");
    EXPECT_EQ(memo.Width, 55);
}

TEST_F(InspectorBridgeTest, ChangingThePageTypeAsksBeforeDeletingItsObjects) {
    host.memo("Memo1", 0, 0);
    host.select({});
    editing.inspector().FillInspector();
    EXPECT_EQ(form.ObjectName(), "Page1");
    ASSERT_GE(row("Type"), 0);

    answer = false;
    type("Type", "ptDialog");
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find("This will delete all objects on this page."), std::string::npos);
    EXPECT_EQ(host.page().PageType, ptReport);
    EXPECT_EQ(host.page().Objects.size(), 1u);

    answer = true;
    type("Type", "ptDialog");
    EXPECT_EQ(host.page().PageType, ptDialog);
    EXPECT_TRUE(host.page().Objects.empty());
    EXPECT_TRUE(host.modified);
}

TEST_F(InspectorBridgeTest, PageLengthsTakeTheDesignerUnitOnReportPages) {
    host.select({});
    host.settings_.units = duMillimetres;
    editing.inspector().FillInspector();
    type("LeftMargin", "10");
    EXPECT_EQ(host.page().LeftMargin, 36);
    EXPECT_EQ(text("LeftMargin"), "10.00");
}

TEST_F(InspectorBridgeTest, TheObjectListNamesThePagesObjectsThenEveryPage) {
    host.memo("Memo1", 0, 0);
    host.band("Band1", 5, 100, 40);
    StringList names;
    editing.inspector().FillObjectList(names);
    EXPECT_EQ(names, (StringList{"Memo1", "Band1", "Page1", "Page2"}));
}

} // namespace
} // namespace vltest
