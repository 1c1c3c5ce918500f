#include "designer/inspector/TvlInspForm.h"

#include "designer/inspector/TvlInspRowList.h"
#include "designer/inspector/TvlInspectorHost.h"
#include "designer/inspector/TvlObjectBox.h"
#include "engine/build/TvlEngine.h"
#include "engine/model/TvlMemoView.h"
#include "engine/script/Errors.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace vl;

namespace {

// Stands in for the designer window: records what the inspector reports and,
// like the designer, refills the rows after every change when asked to.
class FakeDesigner : public TvlInspectorHost {
public:
    void PropertyChanged(int row) override {
        changes.emplace_back(row, form->GetRowValue(row));
        if (afterChange) afterChange();
    }
    void FillObjectList(StringList& target) override { target = objects; }
    void SelectByName(const std::string& name) override { chosen.push_back(name); }
    void ShowError(const std::string& message) override { errors.push_back(message); }

    TvlInspForm* form = nullptr;
    std::vector<std::pair<int, Variant>> changes;
    std::vector<std::string> chosen, errors;
    StringList objects{"Memo2", "Memo1", "Page1"};
    std::function<void()> afterChange;
};

const StringList kPenStyles{"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psDouble"};

enum Row { kColor, kFrameStyle, kMemo, kName, kStretched, kWidth };

class TvlInspFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        designer.form = &form;
        fill();
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    // The rows of a text object, sorted by name as the designer adds them.
    void fill(int rows = 6) {
        form.ClearRows();
        form.SetObject("Memo1", &memo);
        const std::vector<Variant> styleValues{0, 1, 2, 3, 4, 5};
        form.AddRow("Color", 255, {}, nullptr, {}, pkColor);
        if (rows > 1) form.AddRow("FrameStyle", 5, {}, &kPenStyles, styleValues, pkEnum);
        if (rows > 2)
            form.AddRow(
                "Memo", "(Memo)", [this](TvlObject* object) { edited.push_back(object); }, nullptr,
                {}, pkEditor);
        if (rows > 3) form.AddRow("Name", "Memo1", {}, nullptr, {}, pkText | pkSingle);
        if (rows > 4) form.AddRow("Stretched", 1, {}, nullptr, {}, pkBoolean);
        if (rows > 5) form.AddRow("Width", 36, {}, nullptr, {}, pkInteger);
        form.ShowRows();
    }

    TvlInspRowList& rows() { return form.rowList(); }
    QLineEdit* field() { return rows().valueField(); }
    void choose(int row) { rows().setCurrentRow(row); }
    void type(const QString& text) {
        field()->selectAll();
        QTest::keyClicks(field(), text);
    }
    void press(Qt::Key key) { QTest::keyClick(field(), key); }

    FakeDesigner designer;
    TvlInspForm form{designer};
    TvlMemoView memo;
    std::vector<TvlObject*> edited;
};

} // namespace

TEST_F(TvlInspFormTest, EnterAppliesTheTypedValue) {
    choose(kWidth);
    type("72");
    press(Qt::Key_Return);
    ASSERT_EQ(designer.changes.size(), 1u);
    EXPECT_EQ(designer.changes[0].first, kWidth);
    EXPECT_EQ(designer.changes[0].second.toInt(), 72);
    EXPECT_EQ(rows().currentRow(), kWidth);
    EXPECT_FALSE(field()->isModified());
    // Enter without typing applies nothing.
    press(Qt::Key_Return);
    EXPECT_EQ(designer.changes.size(), 1u);
}

TEST_F(TvlInspFormTest, AClearedNameKeepsTheOldName) {
    choose(kName);
    field()->clear();
    field()->setModified(true);
    press(Qt::Key_Return);
    ASSERT_EQ(designer.changes.size(), 1u);
    EXPECT_EQ(designer.changes[0].second.toString(), "Memo1");
    EXPECT_EQ(field()->text(), "Memo1");
}

TEST_F(TvlInspFormTest, EscapeUndoesTypingAndArrowsMoveBetweenRows) {
    choose(kWidth);
    type("99");
    press(Qt::Key_Escape);
    EXPECT_EQ(field()->text(), "36");
    EXPECT_FALSE(field()->isModified());
    press(Qt::Key_Down);
    EXPECT_EQ(rows().currentRow(), kWidth);
    press(Qt::Key_Up);
    EXPECT_EQ(rows().currentRow(), kStretched);
    EXPECT_TRUE(designer.changes.empty());
    // Moving to another row applies what was typed first.
    type("0");
    press(Qt::Key_Up);
    ASSERT_EQ(designer.changes.size(), 1u);
    EXPECT_FALSE(designer.changes[0].second.toBool());
    EXPECT_EQ(rows().currentRow(), kName);
}

TEST_F(TvlInspFormTest, DoubleClicksToggleBooleansAndCycleEnumerations) {
    choose(kStretched);
    QTest::mouseDClick(field(), Qt::LeftButton);
    ASSERT_EQ(designer.changes.size(), 1u);
    EXPECT_FALSE(designer.changes[0].second.toBool());
    EXPECT_EQ(field()->text(), "False");

    choose(kFrameStyle);
    EXPECT_EQ(field()->text(), "psDouble");
    QTest::mouseDClick(field(), Qt::LeftButton);
    ASSERT_EQ(designer.changes.size(), 2u);
    EXPECT_EQ(designer.changes[1].second.toInt(), 0);
    EXPECT_EQ(field()->text(), "psSolid");
}

TEST_F(TvlInspFormTest, ASecondClickRightAfterChoosingARowCountsAsADoubleClick) {
    const int y = kStretched * rows().rowHeight() + rows().rowHeight() / 2;
    QTest::mouseClick(&rows(), Qt::LeftButton, {}, QPoint(10, y));
    EXPECT_EQ(rows().currentRow(), kStretched);
    EXPECT_TRUE(field()->hasFocus());
    QTest::mouseClick(field(), Qt::LeftButton, {}, QPoint(5, 3));
    ASSERT_EQ(designer.changes.size(), 1u);
    EXPECT_FALSE(designer.changes[0].second.toBool());
}

TEST_F(TvlInspFormTest, ColourDoubleClickTakesTheDialogsColour) {
    TvlColor offered = -1;
    rows().setColorChooser([&](TvlColor start) -> std::optional<TvlColor> {
        offered = start;
        return 0x00FF00;
    });
    choose(kColor);
    QTest::mouseDClick(field(), Qt::LeftButton);
    EXPECT_EQ(offered, 255);
    ASSERT_EQ(designer.changes.size(), 1u);
    EXPECT_EQ(designer.changes[0].second.toInt(), 0x00FF00);
    EXPECT_EQ(field()->text(), "clLime");

    rows().setColorChooser([](TvlColor) { return std::nullopt; });
    QTest::mouseDClick(field(), Qt::LeftButton);
    EXPECT_EQ(designer.changes.size(), 1u);
}

TEST_F(TvlInspFormTest, EditorRowsOpenTheirEditorWithTheInspectedObject) {
    choose(kMemo);
    EXPECT_TRUE(rows().editorButton()->isVisible());
    EXPECT_FALSE(rows().dropDownButton()->isVisible());
    EXPECT_TRUE(field()->isReadOnly());
    EXPECT_EQ(field()->text(), "(Memo)");
    press(Qt::Key_Return);
    QTest::mouseClick(rows().editorButton(), Qt::LeftButton);
    QTest::mouseDClick(field(), Qt::LeftButton);
    ASSERT_EQ(edited.size(), 3u);
    EXPECT_EQ(edited[0], &memo);
    EXPECT_TRUE(designer.changes.empty());

    form.SetHideProperties(true);
    rows().PressEditorButton();
    EXPECT_EQ(edited.size(), 3u);
}

TEST_F(TvlInspFormTest, AValueThatDoesNotConvertIsReportedAndTheRowStays) {
    choose(kWidth);
    type("4x");
    press(Qt::Key_Return);
    ASSERT_EQ(designer.errors.size(), 1u);
    EXPECT_NE(designer.errors[0].find("4x"), std::string::npos);
    EXPECT_EQ(rows().currentRow(), kWidth);
}

TEST_F(TvlInspFormTest, RefillsWhileApplyingKeepTheSameOrFirstRow) {
    designer.afterChange = [this] { fill(); };
    choose(kWidth);
    type("50");
    press(Qt::Key_Return);
    EXPECT_EQ(rows().currentRow(), kWidth);
    EXPECT_EQ(form.RowCount(), 6);

    designer.afterChange = [this] { fill(2); };
    choose(kWidth);
    type("60");
    press(Qt::Key_Return);
    EXPECT_EQ(form.RowCount(), 2);
    EXPECT_EQ(rows().currentRow(), 0);
}

TEST_F(TvlInspFormTest, TheLastPropertyStaysCurrentAcrossRefills) {
    choose(kName);
    fill();
    EXPECT_EQ(rows().currentRow(), kName);
    EXPECT_EQ(field()->text(), "Memo1");
    // A refill without that property starts at the first row.
    form.ClearRows();
    form.AddRow("Left", 10, {}, nullptr, {}, pkInteger);
    form.ShowRows();
    EXPECT_EQ(rows().currentRow(), 0);
}

TEST_F(TvlInspFormTest, DropDownListsOfferTheRowsValues) {
    choose(kColor);
    QTest::mouseClick(rows().dropDownButton(), Qt::LeftButton);
    QListWidget* list = rows().dropDownList();
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->count(), 42);
    EXPECT_EQ(list->currentItem()->text(), "clRed");
    // A second press closes it.
    rows().PressDropDownButton();
    EXPECT_FALSE(list->isVisible());

    choose(kFrameStyle);
    rows().PressDropDownButton();
    ASSERT_EQ(list->count(), 6);
    const QRect item = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_FALSE(list->isVisible());
    ASSERT_EQ(designer.changes.size(), 1u);
    EXPECT_EQ(designer.changes[0].second.toInt(), 2);
    EXPECT_EQ(field()->text(), "psDot");
}

TEST_F(TvlInspFormTest, ALongEnumerationShowsEightEntriesAndAScrollBar) {
    StringList months;
    for (int i = 1; i <= 12; ++i)
        months.push_back("Month" + std::to_string(i));
    form.ClearRows();
    form.AddRow("Month", "Month3", {}, &months, {}, pkEnum);
    form.ShowRows();
    rows().PressDropDownButton();
    QListWidget* list = rows().dropDownList();
    ASSERT_TRUE(list->isVisible());
    QApplication::processEvents();
    const int shown = list->viewport()->height() / list->sizeHintForRow(0);
    EXPECT_EQ(shown, 8);
    EXPECT_TRUE(list->verticalScrollBar()->isVisible());
    EXPECT_GE(list->geometry().left(), rows().mapToGlobal(QPoint(0, 0)).x());
}

TEST_F(TvlInspFormTest, LosingTheFocusAppliesOnlyPlainRows) {
    choose(kWidth);
    type("40");
    rows().FocusLost();
    ASSERT_EQ(designer.changes.size(), 1u);
    EXPECT_EQ(designer.changes[0].second.toInt(), 40);

    choose(kFrameStyle);
    type("psDot");
    rows().FocusLost();
    EXPECT_EQ(designer.changes.size(), 1u);
}

TEST_F(TvlInspFormTest, HiddenPropertiesShowNoValueField) {
    form.SetHideProperties(true);
    form.ShowRows();
    EXPECT_FALSE(field()->isVisible());
    EXPECT_EQ(rows().currentRow(), -1);
    EXPECT_EQ(form.objectBox().currentIndex(), -1);
    rows().ApplyValue();
    EXPECT_TRUE(designer.changes.empty());
    form.SetHideProperties(false);
    form.ShowRows();
    EXPECT_TRUE(field()->isVisible());
}

TEST_F(TvlInspFormTest, TheDividerFollowsTheMouse) {
    const int y = 3;
    auto send = [&](QEvent::Type type, int x, Qt::MouseButtons buttons) {
        const QPointF pos(x, y);
        QMouseEvent event(type, pos, rows().mapToGlobal(pos), Qt::LeftButton, buttons, {});
        QApplication::sendEvent(&rows(), &event);
    };
    const int start = form.SplitPos();
    send(QEvent::MouseButtonPress, start + 1, Qt::LeftButton);
    send(QEvent::MouseMove, 120, Qt::LeftButton);
    EXPECT_EQ(form.SplitPos(), 120);
    send(QEvent::MouseMove, 3, Qt::LeftButton);
    EXPECT_EQ(form.SplitPos(), 120);
    send(QEvent::MouseButtonRelease, 3, Qt::NoButton);
    send(QEvent::MouseMove, 150, Qt::NoButton);
    EXPECT_EQ(form.SplitPos(), 120);
    EXPECT_EQ(field()->x(), 122);
}

TEST_F(TvlInspFormTest, TheObjectBoxShowsTheObjectAndReportsAChoice) {
    TvlObjectBox& box = form.objectBox();
    EXPECT_EQ(box.displayText(), "Memo1: TvlMemoView");
    EXPECT_EQ(box.count(), 3);
    EXPECT_EQ(box.itemText(0), "Memo1");
    designer.objects.push_back("Band1");
    box.showPopup();
    EXPECT_EQ(box.count(), 4);
    EXPECT_EQ(box.currentText(), "Memo1");
    box.hidePopup();
    box.activated(box.findText("Memo2"));
    EXPECT_EQ(designer.chosen, (std::vector<std::string>{"Memo2"}));
}

TEST_F(TvlInspFormTest, RollingUpHidesTheRowsAndRollingDownKeepsTheValue) {
    int heightChanges = 0;
    form.setHeightChangedHandler([&] { ++heightChanges; });
    choose(kWidth);
    type("48");
    const int height = form.height();
    // the caption's button, as window systems keep caption clicks to themselves
    QTest::mouseClick(form.rollButton(), Qt::LeftButton);
    EXPECT_TRUE(form.isRolledUp());
    EXPECT_FALSE(form.objectBox().isVisible());
    EXPECT_TRUE(form.rollButton()->isVisible()) << "the way down stays in reach";
    form.RollDown();
    EXPECT_EQ(form.height(), height);
    EXPECT_TRUE(form.objectBox().isVisible());
    EXPECT_EQ(field()->text(), "48");
    EXPECT_EQ(heightChanges, 2);
    form.RollDown();
    EXPECT_EQ(heightChanges, 2);
}

TEST_F(TvlInspFormTest, SettingsKeepTheDividerAndVisibility) {
    form.SetSplitPos(110);
    form.SaveSettings();
    FakeDesigner other;
    TvlInspForm reopened(other);
    EXPECT_TRUE(reopened.LoadSettings());
    EXPECT_EQ(reopened.SplitPos(), 110);

    const auto settings = OpenFormSettings(QStringLiteral("TvlInspForm"));
    settings->setValue(QStringLiteral("SplitPos"), 4);
    settings->setValue(QStringLiteral("isVisible"), false);
    settings->sync();
    EXPECT_FALSE(reopened.LoadSettings());
    EXPECT_EQ(reopened.SplitPos(), TvlInspForm::kMinimumSplitPos);
    settings->setValue(QStringLiteral("SplitPos"), QStringLiteral("wide"));
    settings->sync();
    reopened.LoadSettings();
    // without a stored divider the names of the properties fit
    EXPECT_GE(reopened.SplitPos(), TvlInspForm::kDefaultSplitPos);
    EXPECT_GE(reopened.SplitPos(),
              reopened.fontMetrics().horizontalAdvance(QStringLiteral("BottomMargin")));
    settings->remove(QString());
}

TEST(TvlInspFormNamesTest, LocalizedNamesComeFromTheTextTable) {
    TvlLocale& locale = Globals().locale();
    locale.setLocalizeHandler([](int id, std::string& text) {
        if (id == 58001) text = "Name=Object name";
        if (id == 58002) text = "Width=";
    });
    FakeDesigner designer;
    TvlInspForm form(designer);
    locale.setLocalizeHandler({});
    designer.form = &form;
    form.AddRow("Name", "Memo1", {}, nullptr, {}, pkText);
    form.AddRow("Width", 10, {}, nullptr, {}, pkInteger);
    form.ShowRows();
    EXPECT_EQ(form.rowList().rowDisplayName(0), "Name");
    form.SetLocalizedPropNames(true);
    EXPECT_EQ(form.rowList().rowDisplayName(0), "Object name");
    EXPECT_EQ(form.rowList().rowDisplayName(1), "Width");
}
