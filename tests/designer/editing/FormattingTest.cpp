#include "designer/editing/TvlColorSelector.h"
#include "designer/editing/TvlFormatToolbars.h"
#include "designer/editing/TvlLineStylePanel.h"
#include "engine/build/TvlEngine.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/script/Errors.h"
#include "tests/designer/editing/FakeDesignerHost.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace vltest {
namespace {

struct FormattingTest : EditingFixture {
    TvlNewObjectSettings& settings() { return host.session_.newObject; }
};

TEST_F(FormattingTest, TextTagsChangeTextObjectsOnlyAndTheNewObjectSettings) {
    TvlMemoView& memo = host.memo("Memo1", 0, 0);
    memo.Font.style = 1; // italic
    auto& picture = host.add<TvlPictureView>(otPicture, "Picture1", 0, 40, 30, 30);
    TvlBandView& band = host.band("Band1", 5, 100, 40);
    host.select({&memo, &picture, &band});
    TvlFormatState state;
    state.bold = true;
    editing.DoClick(ftBold, state);
    EXPECT_EQ(memo.Font.style, 3);
    EXPECT_EQ(settings().fontStyle, 3);

    state.horizontal = 2;
    editing.DoClick(ftAlignCenter, state);
    editing.DoClick(ftJustify, state);
    EXPECT_EQ(memo.Alignment & 3, 3);
    state.middle = true;
    memo.Alignment |= TvlMemoView::vltaDown;
    editing.DoClick(ftVerticalPosition, state);
    EXPECT_EQ(memo.Alignment, 3 | TvlMemoView::vltaMiddle);

    state.frameSides = vlftTop;
    editing.DoClick(ftFrameTop, state);
    EXPECT_EQ(memo.FrameTyp, vlftTop);
    EXPECT_EQ(picture.FrameTyp, vlftTop);
    EXPECT_EQ(band.FrameTyp, 5); // a band keeps its type there
    state.frameSides = 0;
    editing.DoClick(ftFrameTop, state);
    EXPECT_EQ(picture.FrameTyp, vlftNone);

    editing.DoClick(ftAllFrames, state);
    EXPECT_EQ(picture.FrameTyp, 15);
    EXPECT_EQ(settings().frameSides, 15);
    EXPECT_GT(host.selectionChanges, 0);

    editing.DoClick(ftLineStyle + 5, state);
    EXPECT_EQ(picture.FrameStyle, psDouble);
    EXPECT_EQ(band.FrameStyle, psSolid);
}

TEST_F(FormattingTest, FormattingIsOneUndoStepAndLockedObjectsStay) {
    TvlMemoView& memo = host.memo("Memo1", 0, 0);
    TvlMemoView& locked = host.memo("Memo2", 0, 30);
    locked.Restrictions = rsNoModify;
    host.select({&memo, &locked});
    TvlFormatState state;
    state.fontColor = 0x0000FF;
    editing.DoClick(ftFontColor, state);
    EXPECT_EQ(memo.Font.color, 0x0000FF);
    EXPECT_EQ(locked.Font.color, clBlack);
    EXPECT_EQ(settings().fontColor, 0x0000FF);
    editing.undo().Undo();
    EXPECT_EQ(memo.Font.color, clBlack);
}

TEST_F(FormattingTest, SizesAndWidthsAreReadFromTheBoxes) {
    TvlMemoView& memo = host.memo("Memo1", 0, 0);
    auto& line = host.add<TvlLineView>(otLine, "Line1", 0, 50, 100, 0);
    host.select({&memo, &line});
    TvlFormatState state;
    state.frameWidth = "1,5";
    editing.DoClick(ftFrameWidth, state);
    EXPECT_FLOAT_EQ(memo.FrameWidth, 1.5f);
    EXPECT_FLOAT_EQ(line.FrameWidth, 1.5f);
    EXPECT_FLOAT_EQ(settings().lineWidth, 1.5f);
    EXPECT_FLOAT_EQ(settings().frameWidth, 1.5f);

    state.fontSize = "14";
    editing.DoClick(ftFontSize, state);
    EXPECT_EQ(memo.Font.size, 14);
    // A size that is not a whole number is refused; nothing changes and no
    // step is recorded.
    const std::size_t steps = editing.undo().undoList().size();
    state.fontSize = "12.5";
    EXPECT_THROW(editing.DoClick(ftFontSize, state), ConversionError);
    EXPECT_EQ(memo.Font.size, 14);
    EXPECT_EQ(editing.undo().undoList().size(), steps);
}

TEST_F(FormattingTest, SelectionFormatShowsOneObjectOrTheNeutralState) {
    TvlMemoView& memo = host.memo("Memo1", 0, 0);
    memo.FrameTyp = vlftLeft | vlftBottom;
    memo.FrameWidth = 1.5f;
    memo.Font.style = 2 | 4;
    memo.Alignment = TvlMemoView::vltaRight | TvlMemoView::vltaDown;
    host.select({&memo});
    TvlSelectionFormat format = editing.selectionFormat();
    ASSERT_EQ(format.kind, TvlSelectionFormat::SingleText);
    EXPECT_EQ(format.state.frameSides, vlftLeft | vlftBottom);
    EXPECT_EQ(format.state.frameWidth,
              FrameWidthText(1.5, memo.engineModel().script().localeService().decimalSeparator()));
    EXPECT_EQ(FrameWidthText(1.5, ','), "1,5");
    EXPECT_TRUE(format.state.bold);
    EXPECT_TRUE(format.state.underline);
    EXPECT_FALSE(format.state.italic);
    EXPECT_EQ(format.state.horizontal, 1);
    EXPECT_TRUE(format.state.bottom);

    TvlMemoView& other = host.memo("Memo2", 0, 30);
    host.select({&memo, &other});
    EXPECT_EQ(editing.selectionFormat().kind, TvlSelectionFormat::Several);
    host.select({&host.band("Band1", 5, 100, 40)});
    EXPECT_EQ(editing.selectionFormat().kind, TvlSelectionFormat::None);
}

struct FormatToolbarsTest : FormattingTest {
    FormatToolbarsTest() : toolbars(editing, &window) {
        toolbars.populate(window.addToolBar(QStringLiteral("Text")),
                          window.addToolBar(QStringLiteral("Rectangle")));
        toolbars.setErrorHandler([this](const std::string& message) { errors.push_back(message); });
        window.resize(900, 300);
        window.show();
    }
    QToolButton* button(const char* name) { return toolbars.button(QLatin1String(name)); }

    QMainWindow window;
    TvlFormatToolbars toolbars;
    std::vector<std::string> errors;
};

TEST_F(FormatToolbarsTest, ButtonsApplyTheirFormattingAndShowTheSelections) {
    TvlMemoView& memo = host.memo("Memo1", 0, 0);
    host.select({&memo});
    QTest::mouseClick(button("FnB1"), Qt::LeftButton);
    EXPECT_EQ(memo.Font.style, 2);
    QTest::mouseClick(button("AlB3"), Qt::LeftButton);
    EXPECT_EQ(memo.Alignment & 3, TvlMemoView::vltaCenter);
    EXPECT_FALSE(button("AlB1")->isChecked());
    QTest::mouseClick(button("FrB2"), Qt::LeftButton);
    EXPECT_EQ(memo.FrameTyp, vlftLeft);

    TvlMemoView& other = host.memo("Memo2", 0, 30);
    other.Font.name = "Courier New";
    other.Font.size = 16;
    other.FrameTyp = vlftTop;
    host.select({&other});
    toolbars.ShowSelectionFormat();
    EXPECT_FALSE(button("FnB1")->isChecked());
    EXPECT_TRUE(button("FrB1")->isChecked());
    EXPECT_FALSE(button("FrB2")->isChecked());
    EXPECT_TRUE(button("AlB1")->isChecked());
    EXPECT_EQ(toolbars.box(QStringLiteral("C3"))->currentText(), QStringLiteral("16"));
    // Showing the format applies nothing.
    EXPECT_EQ(other.FrameTyp, vlftTop);

    host.select({&memo, &other});
    toolbars.ShowSelectionFormat();
    EXPECT_FALSE(button("FrB1")->isChecked());
    EXPECT_TRUE(button("AlB1")->isChecked());
    EXPECT_EQ(toolbars.box(QStringLiteral("C4"))->currentText(), QStringLiteral("1"));
    EXPECT_TRUE(toolbars.box(QStringLiteral("C2"))->currentText().isEmpty());
}

TEST_F(FormatToolbarsTest, EnterInTheSizeBoxAppliesItAndABadSizeIsReported) {
    TvlMemoView& memo = host.memo("Memo1", 0, 0);
    host.select({&memo});
    QComboBox* size = toolbars.box(QStringLiteral("C3"));
    size->setEditText(QStringLiteral("18"));
    QTest::keyClick(size->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(memo.Font.size, 18);
    size->setEditText(QStringLiteral("big"));
    QTest::keyClick(size->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(memo.Font.size, 18);
    EXPECT_EQ(errors.size(), 1u);

    toolbars.applyFrameWidth(QStringLiteral("3"));
    EXPECT_FLOAT_EQ(memo.FrameWidth, 3.0f);
    toolbars.toggle(ftItalic);
    EXPECT_EQ(memo.Font.style, 1);
}

TEST_F(FormatToolbarsTest, TheColourSelectorDropsDownUnderItsButtonAndAppliesTheColour) {
    TvlMemoView& memo = host.memo("Memo1", 0, 0);
    host.select({&memo});
    TvlColorSelector& selector = toolbars.colorSelector();
    QTest::mouseClick(button("ClB1"), Qt::LeftButton);
    ASSERT_TRUE(selector.isVisible());
    const QPoint under = button("ClB1")->mapTo(&window, QPoint(0, 26));
    EXPECT_EQ(selector.pos(), under);
    selector.pick(0x00FF00);
    EXPECT_FALSE(selector.isVisible());
    EXPECT_EQ(memo.FillColor, 0x00FF00);
    EXPECT_EQ(toolbars.buttonColor(ftFillColor), 0x00FF00);

    // A second click on the same button hides it again.
    QTest::mouseClick(button("ClB3"), Qt::LeftButton);
    QTest::mouseClick(button("ClB3"), Qt::LeftButton);
    EXPECT_FALSE(selector.isVisible());
    QTest::mouseClick(button("ClB3"), Qt::LeftButton);
    selector.pick(clNone);
    EXPECT_EQ(memo.FrameColor, clNone);
    EXPECT_EQ(memo.FillColor, 0x00FF00);

    QTest::mouseClick(button("StB1"), Qt::LeftButton);
    ASSERT_TRUE(toolbars.lineStylePanel().isVisible());
    QTest::mouseClick(toolbars.lineStylePanel().button(2), Qt::LeftButton);
    EXPECT_FALSE(toolbars.lineStylePanel().isVisible());
    EXPECT_EQ(memo.FrameStyle, psDot);
}

TEST_F(FormatToolbarsTest, ControlsFollowTheSelectionStateAndThePageKind) {
    toolbars.setEnabledFor(ssText, true);
    EXPECT_TRUE(button("FnB1")->isEnabled());
    EXPECT_TRUE(button("FrB1")->isEnabled());
    toolbars.setEnabledFor(ssOther, true);
    EXPECT_FALSE(button("FnB1")->isEnabled());
    EXPECT_FALSE(toolbars.box(QStringLiteral("C2"))->isEnabled());
    EXPECT_TRUE(button("ClB1")->isEnabled());
    EXPECT_TRUE(toolbars.box(QStringLiteral("C4"))->isEnabled());
    toolbars.setEnabledFor(ssSeveral, false);
    EXPECT_TRUE(button("AlB4")->isEnabled());
    EXPECT_FALSE(button("StB1")->isEnabled());
    toolbars.setEnabledFor(ssBand, true);
    EXPECT_FALSE(button("FrB5")->isEnabled());
    EXPECT_FALSE(button("HlB1")->isEnabled());
}

} // namespace
} // namespace vltest
