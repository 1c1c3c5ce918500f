#include "designer/commands/TvlPgoptForm.h"
#include "designer/dictionary/TvlDictForm.h"
#include "designer/dictionary/TvlInsFieldsForm.h"
#include "designer/editing/TvlEditorServices.h"
#include "designer/editors/TvlMemoEditorForm.h"
#include "designer/editors/TvlSyntaxMemo.h"
#include "designer/editors/TvlVBandEditorForm.h"
#include "designer/inspector/TvlInspForm.h"
#include "designer/window/DesignerActions.h"
#include "designer/window/DesignerParts.h"
#include "designer/window/DesignerStatus.h"
#include "designer/window/DesignerTabBar.h"
#include "designer/window/DialogPageWindow.h"
#include "designer/window/TvlDesigner.h"
#include "designer/window/TvlDesignerForm.h"
#include "designer/workspace/TvlDesignerPage.h"
#include "engine/model/ViewState.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/preview/GreyButtons.h"
#include "engine/output/preview/TvlHelpWindow.h"
#include "engine/output/preview/TvlPreviewForm.h"
#include "engine/script/BandType.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"
#include "engine/script/FormSettings.h"
#include "engine/script/Stream.h"
#include "engine/script/UiService.h"
#include "tests/designer/window/DesignerTestReport.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/ThreadEngine.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace vltest {
namespace {

constexpr int kYes = 6;
constexpr int kNo = 7;
constexpr int kCancel = 2;

// Answers the save question with one button and remembers the questions.
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

// Whether anything listens to a signal of an object: QObject answers that
// to its subclasses only, so the question goes through a member pointer.
struct SignalProbe : QObject {
    static bool connected(const QObject& object, const QMetaMethod& signal) {
        return (object.*(&SignalProbe::isSignalConnected))(signal);
    }
};

class DesignerWindowTest : public DesignerTestReport {
protected:
    ~DesignerWindowTest() override {
        form.reset();
        Globals().setUiService(std::make_unique<HeadlessUiService>());
        OpenFormSettings(QStringLiteral("TvlDesignerForm"))->remove(QString());
    }
    TvlDesignerForm& open(bool pageEdit = false) {
        form = std::make_unique<TvlDesignerForm>(report, pageEdit);
        form->resize(1000, 700);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return *form;
    }
    AnsweringUi& answer(int button) {
        auto ui = std::make_unique<AnsweringUi>(button);
        AnsweringUi& kept = *ui;
        Globals().setUiService(std::move(ui));
        return kept;
    }
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&form->surface(), static_cast<Qt::Key>(k), modifiers);
    }
    // Clicks an object on the surface (its middle), selecting it alone.
    void click(const TvlView& view) {
        QTest::mouseClick(&form->surface(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(view.Left + view.Width / 2, view.Top + view.Height / 2));
    }
    QStringList tabTitles() {
        QStringList titles;
        for (int i = 0; i < form->tabs().count(); ++i)
            titles << form->tabs().tabText(i);
        return titles;
    }

    std::unique_ptr<TvlDesignerForm> form;
};

TEST_F(DesignerWindowTest, TabsShowPageNumbersOrTheNameOfTheSubReportShowingThePage) {
    TvlPage& first = addPage();
    addPage();
    open();
    EXPECT_EQ(tabTitles(), (QStringList{"Page1", "Page2"}));
    addPage();
    subReport(first, "SubReport1", 2);
    form->pagesChanged();
    EXPECT_EQ(tabTitles(), (QStringList{"Page1", "Page2", "SubReport1"}));
}

TEST_F(DesignerWindowTest, DraggingTheThirdTabOntoTheFirstMovesThePageAndItsSubReport) {
    TvlPage& first = addPage();
    addPage();
    TvlPage& third = addPage();
    auto& shows = subReport(first, "SubReport1", 2);
    auto& text = memo(third, "Text", 40, 40);
    open();
    TvlDesignerTabBar& tabs = form->tabs();
    tabs.setCurrentIndex(2);
    click(text);
    key(Qt::Key_Right, Qt::ControlModifier);
    ASSERT_TRUE(form->actions().undoButton->isEnabled());
    const QPoint from = tabs.tabRect(2).center();
    const QPoint to = tabs.tabRect(0).center();
    QTest::mousePress(&tabs, Qt::LeftButton, Qt::NoModifier, from);
    EXPECT_EQ(form->currentPage(), &third);
    QTest::mouseMove(&tabs, from - QPoint(20, 0));
    QTest::mouseMove(&tabs, to);
    QTest::mouseRelease(&tabs, Qt::LeftButton, Qt::NoModifier, to);

    EXPECT_EQ(&report.Pages()[0], &third);
    EXPECT_EQ(&report.Pages()[1], &first);
    EXPECT_EQ(shows.SubPage, 0);
    EXPECT_EQ(form->currentPage(), &third) << "the moved page stays on the surface";
    EXPECT_EQ(form->currentPageIndex(), 0);
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_EQ(tabTitles(), (QStringList{"SubReport1", "Page2", "Page3"}));
    EXPECT_TRUE(form->modified());
    EXPECT_FALSE(form->actions().undoButton->isEnabled()) << "undo cannot reach across a page move";
}

TEST_F(DesignerWindowTest, ShiftDeleteCutsIntoTheClipboardDeleteLeavesItAlone) {
    TvlPage& page = addPage();
    auto& first = memo(page, "First", 40, 40);
    auto& second = memo(page, "Second", 40, 100);
    auto& kept = memo(page, "Kept", 40, 160);
    kept.Restrictions = rsNoDelete;
    open();
    click(first);
    key(Qt::Key_Delete);
    EXPECT_EQ(names(page), (std::vector<std::string>{"Second", "Kept"}));
    EXPECT_TRUE(form->session().clipboard.empty());
    EXPECT_TRUE(form->modified());

    click(second);
    key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(names(page), (std::vector<std::string>{"Kept"}));
    EXPECT_EQ(form->session().clipboard.size(), 1u);

    click(kept);
    key(Qt::Key_Delete);
    EXPECT_EQ(names(page), (std::vector<std::string>{"Kept"})) << "marked not to be deleted";
    EXPECT_EQ(form->session().clipboard.size(), 1u);

    // the cut object comes back under a name of its own
    key(Qt::Key_Insert, Qt::ShiftModifier);
    ASSERT_EQ(page.Objects.size(), 2u);
    EXPECT_EQ(page.Objects[1]->Name, "Second");
    key(Qt::Key_Insert, Qt::ShiftModifier);
    ASSERT_EQ(page.Objects.size(), 3u);
    EXPECT_NE(page.Objects[2]->Name, "Second");
}

TEST_F(DesignerWindowTest, CommandsFollowTheSelectionState) {
    TvlPage& page = addPage();
    auto& text = memo(page, "Text", 40, 200);
    auto& data = band(page, "Data", btMasterData, 40);
    open();
    TvlDesignerActions& a = form->actions();
    // what the formatting part puts on its bars is enabled by the same rules
    QAction* bold = form->textBar().addAction(QStringLiteral("Bold"));
    QAction* frame = form->rectangleBar().addAction(QStringLiteral("Frame"));
    const auto state = [&] {
        return std::vector<bool>{a.cutButton->isEnabled(),   a.copyEntry->isEnabled(),
                                 a.pasteButton->isEnabled(), a.deleteEntry->isEnabled(),
                                 a.editEntry->isEnabled(),   a.frontButton->isEnabled(),
                                 bold->isEnabled(),          frame->isEnabled()};
    };
    form->updateCommandState();
    EXPECT_EQ(state(), (std::vector<bool>{false, false, false, false, false, false, false, false}));
    click(text);
    EXPECT_EQ(state(), (std::vector<bool>{true, true, false, true, true, true, true, true}));
    click(data);
    EXPECT_EQ(state(), (std::vector<bool>{true, true, false, true, true, true, false, false}));
    form->selectAll();
    EXPECT_EQ(state(), (std::vector<bool>{true, true, false, true, false, true, true, true}));
    form->copySelection();
    EXPECT_TRUE(a.pasteButton->isEnabled());
    EXPECT_TRUE(a.pasteContext->isEnabled());
    // "Fit to grid" follows the selection; undo waits for a change
    EXPECT_TRUE(a.fitGridButton->isEnabled());
    EXPECT_FALSE(a.undoEntry->isEnabled());
    EXPECT_EQ(form->status().selectionText(), QString());
    key(Qt::Key_Escape);
    click(text);
    EXPECT_EQ(form->status().selectionText(), QStringLiteral("Text: text"));
}

TEST_F(DesignerWindowTest, EveryEnabledEntryRunsACommand) {
    addPage();
    memo(report.Pages()[0], "Text", 40, 40);
    open();
    form->selectAll();
    form->copySelection();
    int checked = 0;
    for (QAction* action : form->findChildren<QAction*>()) {
        if (!action->isEnabled() || action->isSeparator() || action->menu()) continue;
        if (action->text().isEmpty()) continue;
        const bool runs =
            SignalProbe::connected(*action, QMetaMethod::fromSignal(&QAction::triggered)) ||
            SignalProbe::connected(*action, QMetaMethod::fromSignal(&QAction::toggled)) ||
            action->actionGroup() != nullptr;
        EXPECT_TRUE(runs) << action->text().toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

TEST_F(DesignerWindowTest, KeyboardTable) {
    TvlPage& page = addPage();
    auto& text = memo(page, "Text", 40, 40);
    open();
    const bool grid = form->settings().gridShow;
    key(Qt::Key_G, Qt::ControlModifier);
    EXPECT_NE(form->settings().gridShow, grid);
    EXPECT_EQ(form->actions().gridButton->isChecked(), form->settings().gridShow);

    QScrollBar* vertical = form->workspace().verticalScrollBar();
    ASSERT_GE(vertical->maximum(), 200) << "the page is higher than the workspace";
    vertical->setValue(0);
    key(Qt::Key_PageDown);
    EXPECT_EQ(vertical->value(), 200);
    key(Qt::Key_PageUp);
    EXPECT_EQ(vertical->value(), 0);

    click(text);
    key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(form->session().clipboard.size(), 1u);
    form->actions().toolActions[1]->trigger();
    key(Qt::Key_Escape);
    EXPECT_FALSE(form->session().selected.contains(text));
    EXPECT_TRUE(form->actions().toolActions[0]->isChecked());
    EXPECT_EQ(form->selection().tool, dtSelect);

    // formatting keys format the selection, and do nothing without one
    text.FrameTyp = vlftLeft | vlftRight | vlftTop | vlftBottom;
    key(Qt::Key_3, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(text.FrameWidth, 1);
    click(text);
    key(Qt::Key_3, Qt::ControlModifier);
    key(Qt::Key_B, Qt::ControlModifier);
    const auto& formatted =
        static_cast<const TvlMemoView&>(*form->currentPage()->FindObject("Text"));
    EXPECT_FLOAT_EQ(formatted.FrameWidth, 3);
    EXPECT_EQ(formatted.Font.style & 2, 2) << "bold";
    key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(static_cast<const TvlMemoView&>(*form->currentPage()->FindObject("Text")).FrameTyp,
              vlftNone);
}

// The last page cannot be removed, so "Remove page" is offered only while
// the template has more than one; the "Insert text object" tool says so.
TEST_F(DesignerWindowTest, RemovePageIsOfferedOnlyWithSeveralPages) {
    addPage();
    TvlDesignerForm& f = open();
    vl::test::ModalDialogs dialogs;
    TvlDesignerActions& a = f.actions();
    EXPECT_FALSE(a.removePageEntry->isEnabled());
    EXPECT_FALSE(a.removePageButton->isEnabled());
    dialogs.expect<TvlPgoptForm>([](TvlPgoptForm& options) { options.accept(); });
    a.addPageEntry->trigger();
    ASSERT_EQ(report.Pages().Count(), 2);
    EXPECT_TRUE(a.removePageEntry->isEnabled());
    EXPECT_TRUE(a.removePageTab->isEnabled());
    dialogs.expect<QMessageBox>(
        [](QMessageBox& question) { question.button(QMessageBox::Yes)->click(); });
    a.removePageEntry->trigger();
    EXPECT_EQ(dialogs.unanswered(), "");
    ASSERT_EQ(report.Pages().Count(), 1);
    EXPECT_FALSE(a.removePageEntry->isEnabled());
    EXPECT_TRUE(f.toolsBar().actions().size() > 0);
    QStringList hints;
    for (QAction* action : f.findChildren<QAction*>())
        hints << action->toolTip();
    EXPECT_TRUE(hints.contains(QStringLiteral("Insert text object")));
    EXPECT_FALSE(hints.contains(QStringLiteral("Insert rectangle object")));
}

// F1 opens the user guide in the help window; the About box names the
// version and has room for its text.
TEST_F(DesignerWindowTest, HelpOpensTheGuideAndAboutNamesTheVersion) {
    addPage();
    TvlDesignerForm& f = open();
    QTest::keyClick(&f, Qt::Key_F1);
    TvlHelpWindow* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* h = qobject_cast<TvlHelpWindow*>(w); h && h->isVisible()) help = h;
    ASSERT_NE(help, nullptr) << "F1 opened no help window";
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("designer")));
    help->close();

    vl::test::ModalDialogs dialogs;
    QString text;
    QSize size;
    dialogs.expect<QMessageBox>([&](QMessageBox& about) {
        text = about.text();
        size = about.size();
        about.accept();
    });
    f.actions().aboutEntry->trigger();
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_TRUE(text.contains(QStringLiteral("Version "))) << text.toStdString();
    EXPECT_GE(size.width(), 300);
}

// On a first start the tool windows stand at the right of the page, below
// the menus and toolbars, the inspector under the fields window; F11 brings
// a rolled-up inspector down.
TEST_F(DesignerWindowTest, ToolWindowsStartBesideThePageAndF11RollsTheInspectorDown) {
    OpenFormSettings(QStringLiteral("TvlInspForm"))->remove(QString());
    OpenFormSettings(QStringLiteral("TvlInsFieldsForm"))->remove(QString());
    addPage();
    TvlDesignerForm& f = open();
    f.parts().showFieldsWindow(true);
    TvlInspForm* inspector = f.parts().inspector();
    TvlInsFieldsForm* fields = f.parts().fieldsWindow();
    ASSERT_NE(inspector, nullptr);
    ASSERT_NE(fields, nullptr);
    QTest::qWait(50);
    const QRect workspace(f.workspace().mapToGlobal(QPoint(0, 0)), f.workspace().size());
    for (const QWidget* tool : {static_cast<QWidget*>(inspector), static_cast<QWidget*>(fields)}) {
        const QRect at = tool->geometry();
        EXPECT_GE(at.top(), workspace.top())
            << tool->objectName().toStdString() << " over the toolbars";
        EXPECT_GT(at.left(), workspace.center().x()) << tool->objectName().toStdString();
        EXPECT_LE(at.right(), workspace.right());
    }
    EXPECT_GT(inspector->geometry().top(), fields->geometry().bottom());

    QTest::mouseClick(inspector->rollButton(), Qt::LeftButton);
    ASSERT_TRUE(inspector->isRolledUp());
    key(Qt::Key_F11);
    EXPECT_FALSE(inspector->isRolledUp());
    EXPECT_TRUE(inspector->isVisible());
}

// The dictionary editor that the designer opens offers the expression
// builder for the value of a variable.
TEST_F(DesignerWindowTest, TheDictionaryEditorOffersTheExpressionBuilder) {
    addPage();
    TvlDesignerForm& f = open();
    vl::test::ModalDialogs dialogs;
    QString hint;
    dialogs.expect<TvlDictForm>([&](TvlDictForm& dictionary) {
        if (auto* builder = dictionary.findChild<QToolButton*>(QStringLiteral("ExprBtn")))
            hint = builder->toolTip();
        dictionary.reject();
    });
    f.actions().dictionaryEntry->trigger();
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(hint, QStringLiteral("Expression builder"));
}

// The inspector's editors open what the property belongs to: a band's
// OnBeforePrint its own script, a cross data band's DataSource the editor
// of its pairs.
TEST_F(DesignerWindowTest, PropertyEditorsOpenTheObjectsOwnScriptAndSources) {
    TvlPage& page = addPage();
    page.Script = {"begin", "  PageScript := 1;", "end"};
    TvlBandView& title = band(page, "Title", btReportTitle, 20);
    title.Script = {"begin", "  BandScript := 1;", "end"};
    band(page, "MasterData", btMasterData, 60);
    TvlBandView& cross = band(page, "Cross", btCrossData, 100);
    cross.FormatStr = "MasterData=3;";
    open();
    auto* services = dynamic_cast<TvlEditorServices*>(ViewState().designer);
    ASSERT_NE(services, nullptr);
    vl::test::ModalDialogs dialogs;
    QString script;
    dialogs.expect<TvlMemoEditorForm>([&](TvlMemoEditorForm& editor) {
        for (TvlSyntaxMemo* text : editor.findChildren<TvlSyntaxMemo*>())
            for (const std::string& line : text->lines())
                script += QString::fromStdString(line);
        editor.reject();
    });
    services->editProperty(title, "OnBeforePrint");
    dialogs.expect<TvlVBandEditorForm>([](TvlVBandEditorForm& editor) { editor.reject(); });
    services->editProperty(cross, "DataSource");
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_TRUE(script.contains(QStringLiteral("BandScript"))) << script.toStdString();
    EXPECT_FALSE(script.contains(QStringLiteral("PageScript")));
    EXPECT_EQ(cross.FormatStr, "MasterData=3;");
}

TEST_F(DesignerWindowTest, ZOrderCommandsMoveTheSelectionInThePageList) {
    TvlPage& page = addPage();
    auto& a = memo(page, "A", 10, 10);
    memo(page, "B", 10, 50);
    memo(page, "C", 10, 90);
    open();
    click(a);
    form->actions().frontButton->trigger();
    EXPECT_EQ(names(page), (std::vector<std::string>{"B", "C", "A"}));
    form->actions().backEntry->trigger();
    EXPECT_EQ(names(page), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(form->modified());
}

TEST_F(DesignerWindowTest, PageEditModeHidesPageButtonsGreysTheirEntriesAndNeverAsks) {
    TvlPage& page = addPage();
    auto& text = memo(page, "Text", 40, 40);
    open(true);
    TvlDesignerActions& a = form->actions();
    for (QAction* button : {a.newButton, a.openButton, a.previewButton, a.addPageButton,
                            a.removePageButton, a.pageOptionsButton, a.addDialogButton})
        EXPECT_FALSE(button->isVisible()) << button->objectName().toStdString();
    for (QAction* entry : {a.newEntry, a.openEntry, a.previewEntry, a.addPageEntry,
                           a.removePageEntry, a.pageOptionsEntry, a.addDialogTab})
        EXPECT_FALSE(entry->isEnabled()) << entry->text().toStdString();
    EXPECT_TRUE(a.saveEntry->isVisible());
    EXPECT_FALSE(a.toolActions[2]->isVisible()) << "no bands";
    EXPECT_EQ(form->documentName(), QStringLiteral("Untitled"));

    const AnsweringUi& ui = answer(kCancel);
    click(text);
    key(Qt::Key_Delete);
    ASSERT_TRUE(form->modified());
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(form->modalResult(), TvlDesignerForm::kCloseResult);
}

TEST_F(DesignerWindowTest, StoredSettingsAreReadWithTheirLimits) {
    {
        auto stored = OpenFormSettings(QStringLiteral("TvlDesignerForm"));
        stored->setValue("GridSize", 0);
        stored->setValue("Units", 1);
        stored->setValue("GridShow", false);
    }
    addPage();
    open();
    EXPECT_EQ(form->settings().gridSize, 4);
    EXPECT_FALSE(form->actions().gridButton->isChecked());
    EXPECT_EQ(form->status().unitsText(), QStringLiteral("MM"));
    form->cycleUnits();
    EXPECT_EQ(form->status().unitsText(), QStringLiteral("Inches"));
    form->cycleUnits();
    EXPECT_EQ(form->status().unitsText(), QStringLiteral("Pixels"));
    form->setGridSize(8);
    form.reset();
    EXPECT_EQ(OpenFormSettings(QStringLiteral("TvlDesignerForm"))->value("GridSize").toInt(), 8);
}

// "GrayButtons" greys the buttons of all six toolbars (each takes its
// colours under the mouse); taking colours back in the options applies at
// once.
TEST_F(DesignerWindowTest, GreyButtonsGreyEveryToolbarUntilColoursAreChosen) {
    OpenFormSettings(QStringLiteral("TvlDesignerForm"))->setValue("GrayButtons", true);
    addPage();
    open();
    const auto buttonsOf = [&](const QToolBar& bar) {
        QList<QToolButton*> buttons;
        for (QAction* action : bar.actions())
            if (auto* b = qobject_cast<QToolButton*>(bar.widgetForAction(action))) buttons << b;
        return buttons;
    };
    const auto bar = [&](const char* name) {
        return form->findChild<QToolBar*>(QString::fromLatin1(name));
    };
    for (const char* name :
         {"StandardBar", "TextBar", "RectangleBar", "ObjectsBar", "AlignmentBar"}) {
        ASSERT_NE(bar(name), nullptr) << name;
        const QList<QToolButton*> buttons = buttonsOf(*bar(name));
        ASSERT_FALSE(buttons.isEmpty()) << name;
        for (const QToolButton* b : buttons)
            EXPECT_TRUE(ButtonGrey(*b)) << name;
    }
    TvlDesignerSettings colours = form->designerSettings();
    colours.grayButtons = false;
    form->applySettings(colours);
    for (const QToolButton* b : buttonsOf(*bar("StandardBar")))
        EXPECT_FALSE(ButtonGrey(*b));
}

TEST_F(DesignerWindowTest, PositionPairsInEachUnit) {
    EXPECT_EQ(PositionPair(36, -18, duPixels), QStringLiteral("36;-18"));
    EXPECT_EQ(PositionPair(36, 18, duMillimetres), QStringLiteral("10.00; 5.00"));
    EXPECT_EQ(PositionPair(36, 18, duInches), QStringLiteral("0.39; 0.20"));
    // four significant digits at most
    EXPECT_EQ(PositionPair(4000, 0, duMillimetres), QStringLiteral("1111.00; 0.00"));
}

TEST_F(DesignerWindowTest, ModalResultsAndTheCloseQuestion) {
    TvlPage& page = addPage();
    memo(page, "Text", 40, 40);
    open();
    QTimer::singleShot(0, form.get(), [this] { form->exit(); });
    EXPECT_EQ(form->exec(), TvlDesignerForm::kExitResult);

    open();
    QTimer::singleShot(0, form.get(), [this] { form->close(); });
    EXPECT_EQ(form->exec(), TvlDesignerForm::kCloseResult);

    open();
    form->setModified(true);
    AnsweringUi* ui = &answer(kCancel);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(ui->questions.size(), 1u);
    EXPECT_EQ(ui->questions.front(), "Save changes to Untitled?");

    // Yes closes only when the template was saved: not into a folder that
    // does not exist, then into the document's file
    QTemporaryDir dir;
    ui = &answer(kYes);
    form->setDocumentName(dir.filePath(QStringLiteral("missing/Report.vlf")));
    form->exit();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->modalResult(), 0);
    EXPECT_EQ(ui->questions.size(), 2u) << "the question and the failure";
    const QString saved = dir.filePath(QStringLiteral("Report.vlf"));
    form->setDocumentName(saved);
    form->exit();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->modalResult(), TvlDesignerForm::kExitResult);
    TvlReport reread;
    EXPECT_TRUE(reread.LoadFromFile(saved));
    EXPECT_EQ(reread.Pages()[0].Objects.size(), 1u);

    open();
    form->setModified(true);
    answer(kNo);
    form->exit();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->modalResult(), TvlDesignerForm::kCloseResult);
}

// A program's designer: one per program, its options reach every window
// opened after they were set, and without it reports cannot be designed.
TEST_F(DesignerWindowTest, TheProgramsDesignerGivesItsOptionsAndSessionToItsWindows) {
    // what designing answers without a designer
    constexpr int kNoDesigner = 2;
    TvlPage& page = addPage();
    memo(page, "Text", 40, 40);
    EXPECT_EQ(report.DesignReport(), kNoDesigner);
    auto designer = std::make_unique<TvlDesigner>();
    try {
        TvlDesigner second;
        ADD_FAILURE() << "a second designer was made";
    } catch (const VlError& error) {
        EXPECT_STREQ(error.what(), "You already have one TvlDesigner component");
    }
    EXPECT_EQ(TvlDesigner::Current(), designer.get());

    TvlDesignerOptions& options = designer->options();
    options.CloseQuery = false;
    options.HideDisabledButtons = false;
    int shown = 0;
    options.OnShow = [&](QWidget& window) { shown += &window == form.get(); };
    std::string opened;
    options.OnLoadReport = [&](std::string&, bool& done) {
        opened = "asked";
        done = false;
    };

    open();
    EXPECT_EQ(shown, 1);
    form->actions().openEntry->trigger();
    EXPECT_EQ(opened, "asked") << "the program's loader replaces the open dialog";
    // a program that does not want the question closes without it
    form->setModified(true);
    AnsweringUi* ui = &answer(kCancel);
    form->exit();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(ui->questions.empty());
    EXPECT_EQ(form->modalResult(), TvlDesignerForm::kExitResult);

    // page editing greys the buttons it cannot use instead of hiding them
    open(true);
    for (QAction* button : form->actions().pageEditButtons()) {
        EXPECT_TRUE(button->isVisible()) << button->objectName().toStdString();
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    }
    form.reset();

    // the engine opens the designer through it, modally, on the designer's
    // session: what one window copies, the next one pastes
    vl::test::ModalDialogs dialogs;
    dialogs.expect<TvlDesignerForm>([](TvlDesignerForm& window) {
        window.selectAll();
        window.copySelection();
        window.exit();
    });
    EXPECT_EQ(report.DesignReport(), TvlDesignerForm::kExitResult);
    EXPECT_EQ(designer->session().clipboard.size(), 1u);
    std::size_t pasted = 0;
    dialogs.expect<TvlDesignerForm>([&pasted](TvlDesignerForm& window) {
        window.pasteSelection();
        pasted = window.currentPage()->Objects.size();
        window.exit();
    });
    EXPECT_EQ(report.DesignReport(), TvlDesignerForm::kExitResult);
    EXPECT_EQ(pasted, 2u);
    EXPECT_EQ(dialogs.unanswered(), "");
    // a window opened on its own keeps a session of its own
    open();
    EXPECT_TRUE(form->session().clipboard.empty());
    EXPECT_NE(&form->session(), &designer->session());
    form.reset();

    designer.reset();
    EXPECT_EQ(TvlDesigner::Current(), nullptr);
    EXPECT_EQ(report.DesignReport(), kNoDesigner);
}

// A prepared page edited in the designer replaces the built one only when
// it was changed and the user says so.
TEST_F(DesignerWindowTest, EditingAPreparedPageAsksWhetherToKeepTheChange) {
    TvlPage& page = addPage();
    memo(page, "Text", 40, 40);
    ASSERT_TRUE(report.PrepareReport()) << report.LastBuildError();
    ASSERT_EQ(report.EMFPages().Count(), 1);
    const TvlDesigner designer;
    vl::test::ModalDialogs dialogs;
    const auto change = [](TvlDesignerForm& window) {
        window.setModified(true);
        window.exit();
    };
    dialogs.expect<TvlDesignerForm>(change);
    AnsweringUi* ui = &answer(kNo);
    EXPECT_FALSE(report.EditPreparedPage(0));
    EXPECT_EQ(ui->questions, std::vector<std::string>{"Save changes?"});
    dialogs.expect<TvlDesignerForm>(change);
    ui = &answer(kYes);
    EXPECT_TRUE(report.EditPreparedPage(0));
    EXPECT_EQ(ui->questions.size(), 1u);
    dialogs.expect<TvlDesignerForm>([](TvlDesignerForm& window) { window.exit(); });
    ui = &answer(kYes);
    EXPECT_FALSE(report.EditPreparedPage(0));
    EXPECT_TRUE(ui->questions.empty()) << "nothing changed, nothing asked";
    EXPECT_EQ(dialogs.unanswered(), "");
}

TEST_F(DesignerWindowTest, DialogPagesOpenTheirOwnWindowThatWritesItsGeometryBack) {
    addPage();
    TvlPage& dialog = addPage();
    dialog.PageType = ptDialog;
    dialog.Dialog.Caption = "Ask";
    open();
    EXPECT_EQ(form->dialogPageWindow(), nullptr);
    form->selectPage(1);
    TvlDialogPageWindow* window = form->dialogPageWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ask"));
    EXPECT_EQ(form->surface().parentWidget(), window);
    EXPECT_FALSE(form->actions().toolActions[1]->isVisible()) << "dialog controls instead";
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->resize(300, 222);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.Dialog.Height, window->height());
    EXPECT_TRUE(form->modified());
    EXPECT_FALSE(window->close()) << "only the designer closes it";

    form->selectPage(0);
    EXPECT_EQ(form->dialogPageWindow(), nullptr);
    EXPECT_NE(form->surface().parentWidget(), nullptr);
    EXPECT_TRUE(form->actions().toolActions[1]->isVisible());
}

TEST_F(DesignerWindowTest, DialogWindowMapsTheClipboardKeys) {
    int key = Qt::Key_X;
    Qt::KeyboardModifiers modifiers = Qt::ControlModifier;
    EXPECT_TRUE(TvlDialogPageWindow::MapKey(key, modifiers));
    EXPECT_EQ(key, Qt::Key_Delete);
    EXPECT_EQ(modifiers, Qt::ShiftModifier);
    key = Qt::Key_C;
    modifiers = Qt::ControlModifier;
    EXPECT_TRUE(TvlDialogPageWindow::MapKey(key, modifiers));
    EXPECT_EQ(key, Qt::Key_Insert);
    EXPECT_EQ(modifiers, Qt::ControlModifier);
    key = Qt::Key_C;
    modifiers = Qt::ShiftModifier;
    EXPECT_FALSE(TvlDialogPageWindow::MapKey(key, modifiers));
}

TEST_F(DesignerWindowTest, SelectByNameSelectsAnObjectOrSwitchesPage) {
    TvlPage& first = addPage();
    auto& text = memo(first, "Text", 40, 40);
    addPage();
    open();
    form->selectByName("text");
    EXPECT_TRUE(form->session().selected.contains(text));
    EXPECT_EQ(form->selection().count, 1);
    form->selectByName("Page2");
    EXPECT_EQ(form->currentPageIndex(), 1);
    form->selectByName("Page9");
    EXPECT_EQ(form->currentPageIndex(), 1);
}

TEST_F(DesignerWindowTest, MovingOneObjectAndSavingChangesOnlyThatObject) {
    TvlPage& page = addPage();
    // bands first, as the designer keeps them
    band(page, "Data", btMasterData, 200);
    memo(page, "Moved", 40, 40, "first");
    memo(page, "Still", 40, 120, "second");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("RoundTrip.vlf"));
    report.SaveToFile(path);
    ASSERT_TRUE(report.LoadFromFile(path));
    report.FileName = FromQt(path);
    const auto record = [](TvlView& view) {
        MemoryStream stream;
        view.SaveToStream(stream);
        return stream.data();
    };

    open();
    QCoreApplication::processEvents();
    // the objects as the designer shows them (bands span the page's width)
    std::vector<std::vector<std::uint8_t>> before;
    for (const auto& view : report.Pages()[0].Objects)
        before.push_back(record(*view));
    TvlView& moved = *report.Pages()[0].FindObject("Moved");
    const QPoint grab(moved.Left + 10, moved.Top + 5);
    QTest::mousePress(&form->surface(), Qt::LeftButton, Qt::NoModifier, grab);
    QTest::mouseMove(&form->surface(), grab + QPoint(8, 0));
    QTest::mouseMove(&form->surface(), grab + QPoint(16, 8));
    QTest::mouseRelease(&form->surface(), Qt::LeftButton, Qt::NoModifier, grab + QPoint(16, 8));
    ASSERT_TRUE(form->modified());
    answer(kYes);
    form->exit();
    ASSERT_FALSE(form->isVisible());

    TvlReport reloaded;
    ASSERT_TRUE(reloaded.LoadFromFile(path));
    ASSERT_EQ(reloaded.Pages().Count(), 1);
    auto& after = reloaded.Pages()[0].Objects;
    ASSERT_EQ(after.size(), before.size());
    int changed = 0;
    for (std::size_t i = 0; i < after.size(); ++i)
        if (record(*after[i]) != before[i]) {
            ++changed;
            EXPECT_EQ(after[i]->Name, "Moved");
            EXPECT_EQ(after[i]->Left, 56);
            EXPECT_EQ(after[i]->Top, 48);
        }
    EXPECT_EQ(changed, 1);
}

// A drag on the surface is undone by Ctrl+Z; Preview builds the report and
// shows its pages in the preview window, and the designer comes back with
// the template as it was.
TEST_F(DesignerWindowTest, DragThenUndoAndPreviewFromTheDesigner) {
    TvlPage& page = addPage();
    memo(page, "Text", 40, 40);
    open();
    const TvlView& text = *page.FindObject("Text");
    const QPoint grab(text.Left + text.Width / 2, text.Top + text.Height / 2);
    const QPoint drop = grab + QPoint(48, 24);
    QTest::mousePress(&form->surface(), Qt::LeftButton, Qt::NoModifier, grab);
    QTest::mouseMove(&form->surface(), grab + QPoint(8, 4));
    QTest::mouseMove(&form->surface(), drop);
    QTest::mouseRelease(&form->surface(), Qt::LeftButton, Qt::NoModifier, drop);
    ASSERT_GT(page.FindObject("Text")->Left, 60) << "the drag moved the object";
    EXPECT_TRUE(form->modified());
    EXPECT_EQ(form->session().undo.size(), 1u) << "the steps are the session's";
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(page.FindObject("Text")->Left, 40);
    EXPECT_EQ(page.FindObject("Text")->Top, 40);
    EXPECT_TRUE(form->session().undo.empty());
    EXPECT_EQ(form->session().redo.size(), 1u);

    vl::test::ModalDialogs dialogs;
    int shownPages = 0;
    dialogs.expect<TvlPreviewForm>([&shownPages](TvlPreviewForm& preview) {
        shownPages = preview.PageCount();
        preview.close();
    });
    form->actions().previewButton->trigger();
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(shownPages, 1);
    EXPECT_EQ(form->currentPage(), &report.Pages()[0]);
    ASSERT_EQ(report.Pages()[0].Objects.size(), 1u);
    EXPECT_EQ(report.Pages()[0].Objects[0]->Left, 40) << "the build left the template alone";
    EXPECT_TRUE(form->actions().previewButton->isEnabled());
}

// The context menu of one text object: its dialogs, "Clear contents" and
// its flags; each change is an undo step and applies to every selected
// object that may be changed.
TEST_F(DesignerWindowTest, TheContextMenuOffersTheObjectsEntriesAsUndoableChanges) {
    TvlPage& page = addPage();
    memo(page, "Text", 40, 40).Script = {"script"};
    memo(page, "Locked", 40, 80).Restrictions = rsNoModify;
    open();
    const auto entries = [this] {
        QStringList texts;
        for (QAction* action : form->contextMenu().actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    };
    const auto entry = [this](const QString& text) -> QAction* {
        for (QAction* action : form->contextMenu().actions())
            if (action->text() == text) return action;
        ADD_FAILURE() << "no entry " << text.toStdString();
        return nullptr;
    };
    click(*page.FindObject("Text"));
    form->showContextMenu(form->surface().mapToGlobal(QPoint(50, 50)));
    const QStringList texts = entries();
    const qsizetype own = texts.indexOf(QStringLiteral("Variable format..."));
    ASSERT_GE(own, 0) << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(texts.mid(own),
              (QStringList{"Variable format...", "Font...", "Clear contents", "-", "Stretched",
                           "Word wrap", "Auto size", "Text only", "Suppress repeated values",
                           "Hide zeros", "Underlines"}));
    form->contextMenu().close();
    form->setModified(false);
    entry(QStringLiteral("Clear contents"))->trigger();
    EXPECT_TRUE(page.FindObject("Text")->Memo.empty());
    EXPECT_TRUE(page.FindObject("Text")->Script.empty());
    EXPECT_TRUE(form->modified());
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(page.FindObject("Text")->Memo, StringList{"text"}) << "undone";

    // a flag entry is a check entry, and leaves an object locked against
    // changes alone
    const auto toggleHideZeros = [&](const char* name) {
        click(*page.FindObject(name));
        form->showContextMenu(form->surface().mapToGlobal(QPoint(50, 50)));
        form->contextMenu().close();
        QAction* hideZeros = entry(QStringLiteral("Hide zeros"));
        ASSERT_NE(hideZeros, nullptr);
        EXPECT_TRUE(hideZeros->isCheckable());
        EXPECT_FALSE(hideZeros->isChecked());
        hideZeros->trigger();
    };
    toggleHideZeros("Locked");
    EXPECT_FALSE(page.FindObject("Locked")->Flags & TvlMemoView::mfHideZeros);
    toggleHideZeros("Text");
    EXPECT_TRUE(page.FindObject("Text")->Flags & TvlMemoView::mfHideZeros);
}

TEST_F(DesignerWindowTest, UndoFormattingInspectorAndFieldsWindowAreJoinedToTheWindow) {
    TvlPage& page = addPage();
    TvlMemoView& text = memo(page, "Text", 40, 40);
    open();
    ASSERT_NE(form->textBar().findChild<QWidget*>(QStringLiteral("C2")), nullptr);
    ASSERT_NE(form->alignmentBar().findChild<QWidget*>(QStringLiteral("Align1")), nullptr);
    EXPECT_FALSE(form->actions().undoButton->isEnabled());

    click(text);
    key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(text.Left, 41);
    ASSERT_TRUE(form->actions().undoButton->isEnabled());
    form->actions().undoButton->trigger();
    // undo puts back a copy of the object as it was
    TvlView* restored = page.FindObject("Text");
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->Left, 40);
    EXPECT_TRUE(form->actions().redoEntry->isEnabled());
    // still selected: the next command acts on it without a click
    EXPECT_TRUE(form->session().selected.contains(*restored));
    EXPECT_EQ(form->selection().object, restored);
    key(Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(static_cast<TvlMemoView*>(page.FindObject("Text"))->Font.style & 2, 2);

    key(Qt::Key_F11);
    ASSERT_NE(form->parts().inspector(), nullptr);
    EXPECT_TRUE(form->parts().inspector()->isVisible());
    EXPECT_EQ(form->parts().inspector()->ObjectName(), "Text");

    form->parts().showFieldsWindow(false);
    key(Qt::Key_Insert);
    EXPECT_NE(form->parts().fieldsWindow(), nullptr);
}

} // namespace
} // namespace vltest
