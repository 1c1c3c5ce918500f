#include "designer/editing/TvlEditorServices.h"
#include "designer/editing/TvlHilightForm.h"
#include "designer/editing/TvlRestrictionsForm.h"
#include "engine/build/TvlEngine.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/ViewState.h"
#include "tests/designer/editing/FakeDesignerHost.h"
#include "tests/support/ThreadEngine.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace vltest {
namespace {

struct EditorServicesTest : EditingFixture {
    EditorServicesTest() : services(editing, nullptr, nullptr) {}
    TvlEditorServices services;
};

TEST_F(EditorServicesTest, TheFontDialogChangesOnlyWhatTheUserChanged) {
    TvlMemoView& first = host.memo("Memo1", 0, 0);
    first.Font.style = 1; // italic
    TvlMemoView& second = host.memo("Memo2", 0, 30);
    second.Font.name = "Courier New";
    second.Font.size = 8;
    TvlMemoView& locked = host.memo("Memo3", 0, 60);
    locked.Restrictions = rsNoModify;
    host.select({&first, &second, &locked});
    services.setFontDialog([](const TvlFont& start) -> std::optional<TvlFont> {
        TvlFont chosen = start; // the topmost: Memo3's font
        chosen.style |= 2;
        chosen.size = 12;
        chosen.charset = 238;
        return chosen;
    });
    services.editProperty(second, "Font");
    EXPECT_EQ(first.Font.style, 3);
    EXPECT_EQ(first.Font.size, 12);
    EXPECT_EQ(first.Font.name, "Arial");
    EXPECT_EQ(second.Font.name, "Courier New");
    EXPECT_EQ(second.Font.size, 12);
    EXPECT_EQ(locked.Font.size, 10);
    EXPECT_EQ(host.session_.newObject.charset, 238);
    editing.undo().Undo();
    EXPECT_EQ(first.Font.style, 1);
}

TEST_F(EditorServicesTest, TheHighlightGoesToEverySelectedTextObject) {
    TvlMemoView& memo = host.memo("Memo1", 0, 0);
    memo.HighlightStyle = 8 | 2;
    auto& picture = host.add<TvlPictureView>(otPicture, "Picture1", 0, 30, 20, 20);
    TvlMemoView& topmost = host.memo("Memo2", 0, 60);
    topmost.HighlightCondition = "[Value] > 0";
    host.select({&memo, &picture, &topmost});
    std::string shownCondition;
    services.setHighlightDialog(
        [&shownCondition](const TvlHighlight& start) -> std::optional<TvlHighlight> {
            shownCondition = start.condition;
            TvlHighlight chosen = start;
            chosen.style = 1 | 4;
            chosen.fontColor = 0x0000FF;
            return chosen;
        });
    services.editProperty(memo, "Highlight");
    EXPECT_EQ(shownCondition, "[Value] > 0");
    EXPECT_EQ(memo.HighlightCondition, "[Value] > 0");
    EXPECT_EQ(memo.HighlightStyle, 1 | 4);
    EXPECT_EQ(memo.HighlightFontColor, 0x0000FF);
    EXPECT_TRUE(editing.undo().canUndo());
}

TEST_F(EditorServicesTest, RestrictionsGoToEverySelectedObjectWithoutAnUndoStep) {
    TvlMemoView& a = host.memo("A", 0, 0);
    TvlMemoView& b = host.memo("B", 0, 30);
    b.Restrictions = rsNoMove;
    host.select({&a, &b});
    std::uint16_t shown = 0;
    services.setRestrictionsDialog([&shown](std::uint16_t start) -> std::optional<std::uint16_t> {
        shown = start;
        return static_cast<std::uint16_t>(rsNoDelete | rsNoResize);
    });
    services.editProperty(a, "Restrictions");
    EXPECT_EQ(shown, rsNoMove);
    EXPECT_EQ(a.Restrictions, rsNoDelete | rsNoResize);
    EXPECT_EQ(b.Restrictions, rsNoDelete | rsNoResize);
    EXPECT_FALSE(editing.undo().canUndo());
    EXPECT_TRUE(host.modified);
}

TEST_F(EditorServicesTest, TheServicesAreTheEnginesHooksWhileTheyLive) {
    EXPECT_EQ(ViewState().designer, &services);
    {
        TvlEditorServices inner(editing, nullptr, nullptr);
        EXPECT_EQ(ViewState().designer, &inner);
    }
    EXPECT_EQ(ViewState().designer, &services);
    // A preview may leave other hooks in place; the session takes them back.
    ViewState().designer = nullptr;
    host.session_.hooks.reinstall();
    EXPECT_EQ(ViewState().designer, &services);
    // Without the text editors their properties offer no dialog.
    EXPECT_FALSE(services.available("Memo"));
    EXPECT_FALSE(services.available("DisplayFormat"));
    EXPECT_TRUE(services.available("Font"));
}

TEST(RestrictionsAndHighlightFormsTest, TheBoxesShowAndGiveTheBits) {
    TvlRestrictionsForm restrictions;
    restrictions.setRestrictions(rsNoEditScript | rsNoDelete);
    EXPECT_TRUE(restrictions.box(1)->isChecked());
    EXPECT_TRUE(restrictions.box(6)->isChecked());
    EXPECT_FALSE(restrictions.box(0)->isChecked());
    restrictions.box(3)->setChecked(true);
    EXPECT_EQ(restrictions.restrictions(), rsNoEditScript | rsNoModify | rsNoDelete);

    TvlHilightForm highlight;
    TvlHighlight start;
    start.condition = "[A] = 1";
    start.fillColor = clNone;
    start.style = 2;
    highlight.setHighlight(start);
    EXPECT_TRUE(highlight.transparentButton()->isChecked());
    EXPECT_TRUE(highlight.styleBox(2)->isChecked());
    highlight.setColorChooser([](TvlColor& color) {
        color = 0x123456;
        return true;
    });
    highlight.fillColorButton()->click();
    highlight.styleBox(4)->setChecked(true);
    const TvlHighlight chosen = highlight.highlight();
    EXPECT_EQ(chosen.fillColor, 0x123456);
    EXPECT_EQ(chosen.style, 2 | 4);
    EXPECT_EQ(chosen.condition, "[A] = 1");
}

} // namespace
} // namespace vltest
