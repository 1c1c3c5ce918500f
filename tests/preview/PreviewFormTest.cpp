#include "engine/model/TvlMemoView.h"
#include "engine/output/preview/ReportPreview.h"
#include "engine/output/preview/TvlPBox.h"
#include "engine/output/preview/TvlPreview.h"
#include "tests/preview/PreviewTestSupport.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/RecordingPrinterSystem.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace vl::test {
namespace {

using PreviewForm = PreviewFixture;

int livePages(TvlPreviewForm& f) {
    return f.ShownPages()->LivePageCount();
}

TEST_F(PreviewForm, TakesTheReportsPagesAndGivesThemBack) {
    addPages(3);
    TvlPreviewForm& f = show();
    EXPECT_EQ(f.PageCount(), 3);
    EXPECT_EQ(report.EMFPages().Count(), 0);
    EXPECT_EQ(f.Label1->text(), QStringLiteral("Page 1/3"));
    f.ReturnPages();
    EXPECT_EQ(f.PageCount(), 0);
    EXPECT_EQ(report.EMFPages().Count(), 3);
    EXPECT_TRUE(f.Label1->text().isEmpty());
}

TEST_F(PreviewForm, GoToPageStaysInsideThePages) {
    addPages(4);
    TvlPreviewForm& f = show(QSize(900, 500));
    f.GoToPage(3);
    EXPECT_EQ(f.CurrentPageNumber(), 3);
    EXPECT_EQ(f.VScrollBar->value(), f.ShownPages()->PageAt(2).ScreenRect.Top - 10);
    f.GoToPage(0);
    EXPECT_EQ(f.CurrentPageNumber(), 3);
    f.GoToPage(5);
    EXPECT_EQ(f.CurrentPageNumber(), 3);
    f.NextPage();
    EXPECT_EQ(f.CurrentPageNumber(), 4);
    f.NextPage();
    EXPECT_EQ(f.CurrentPageNumber(), 4);
    EXPECT_EQ(f.Label1->text(), QStringLiteral("Page 4/4"));
}

TEST_F(PreviewForm, ScrollingMakesThePageAtTheTopCurrent) {
    addPages(3);
    TvlPreviewForm& f = show(QSize(900, 500));
    const int secondTop = f.ShownPages()->PageAt(1).ScreenRect.Top;
    f.SetVerticalPosition(secondTop + 100);
    EXPECT_EQ(f.CurrentPageNumber(), 2);
    EXPECT_EQ(f.ScrollY(), -(secondTop + 100));
    // a page the scroll range cannot bring to the top gives way to an
    // earlier one: at 25 % all pages fit and the view cannot scroll
    f.SetZoomPercent(25);
    f.GoToPage(3);
    EXPECT_EQ(f.VScrollBar->maximum(), 0) << f.PBox->width() << "x" << f.PBox->height();
    EXPECT_EQ(f.CurrentPageNumber(), 3);
}

// Sizes the window so that its drawing surface has that width.
void surfaceWidth(TvlPreviewForm& f, int width) {
    f.resize(f.width() + width - f.PBox->width(), f.height());
    QApplication::processEvents();
    ASSERT_EQ(f.PBox->width(), width);
}

TEST_F(PreviewForm, LaysA4PagesOutInColumnsThatFit) {
    addPages(3);
    TvlPreviewForm& f = show(QSize(900, 700));
    surfaceWidth(f, 800);
    f.SetZoomPercent(100);
    EXPECT_EQ(f.Columns(), 1);
    EXPECT_EQ(f.ShownPages()->PageAt(0).ScreenRect.Left, 21);
    f.SetZoomPercent(50);
    EXPECT_EQ(f.Columns(), 2);
    EXPECT_EQ(f.ShownPages()->PageAt(0).ScreenRect.Left, 10);
    EXPECT_EQ(f.ShownPages()->PageAt(1).ScreenRect.Left, 399);
    surfaceWidth(f, 1000);
    f.FitTwoPages();
    EXPECT_DOUBLE_EQ(f.Scale(), (1000.0 - 30) / 1516);
}

TEST_F(PreviewForm, ZoomIsRememberedForTheNextPreview) {
    addPages(2);
    TvlPreviewForm& f = show();
    f.SetZoomPercent(75);
    EXPECT_DOUBLE_EQ(f.ZoomPercent(), 75);
    EXPECT_EQ(f.ZoomBtn->text(), QStringLiteral("75%"));
    f.ReturnPages();

    TvlPreviewForm other;
    other.resize(1000, 800);
    other.TakePages(report);
    other.ResetView(true);
    EXPECT_DOUBLE_EQ(other.ZoomPercent(), 75);
    EXPECT_EQ(other.ZoomMode(), pzDefault);

    other.FitTwoPages();
    EXPECT_EQ(Globals().preview().lastZoomMode, pzTwoPages);
    EXPECT_EQ(other.Columns(), 2);
    other.ChooseZoom(150);
    EXPECT_EQ(other.ZoomMode(), pzDefault);
    EXPECT_DOUBLE_EQ(Globals().preview().lastScale, 1.5);
    EXPECT_TRUE(other.ProcMenu->actions()[1]->isChecked()); // "150%"
}

TEST_F(PreviewForm, ZeroAndNegativeZoomAreBounded) {
    addPages(2);
    TvlPreviewForm& f = show();
    f.SetZoomPercent(0);
    EXPECT_DOUBLE_EQ(f.ZoomPercent(), 1);
    f.SetZoomPercent(-50);
    EXPECT_DOUBLE_EQ(f.ZoomPercent(), 1);
    EXPECT_EQ(f.ZoomBtn->text(), QStringLiteral("1%"));
    EXPECT_GE(f.Columns(), 2);
}

TEST_F(PreviewForm, InitialZoomOfTheReportAppliesToItsPreview) {
    addPages(2);
    report.InitialZoom = pzPageWidth;
    TvlPreviewForm& f = show(QSize(900, 700));
    EXPECT_EQ(f.ZoomMode(), pzPageWidth);
    EXPECT_DOUBLE_EQ(f.Scale(), (f.PBox->width() - 20.0) / 758);
}

TEST_F(PreviewForm, OnlyPagesInViewHoldLiveObjects) {
    addPages(6);
    TvlPreviewForm& f = show(QSize(900, 600));
    f.PBox->repaint();
    EXPECT_GE(livePages(f), 1);
    EXPECT_LE(livePages(f), 2);
    EXPECT_TRUE(f.ShownPages()->PageAt(0).Shown);
    EXPECT_FALSE(f.ShownPages()->PageAt(5).Shown);
    f.GoToPage(6);
    f.PBox->repaint();
    EXPECT_TRUE(f.ShownPages()->PageAt(5).Shown);
    EXPECT_FALSE(f.ShownPages()->PageAt(0).Shown);
    EXPECT_LE(livePages(f), 2);
}

TEST_F(PreviewForm, PaintsWhitePagesOnGrey) {
    addPages(1);
    TvlPreviewForm& f = show(QSize(1000, 700));
    const QImage image = f.PBox->grab().toImage();
    const TvlRect& r = f.ShownPages()->PageAt(0).ScreenRect;
    EXPECT_EQ(QColor(image.pixel(2, 2)), QColor(128, 128, 128));
    EXPECT_EQ(QColor(image.pixel(r.Left + 5, r.Top + 200)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(r.Left, r.Top + 5)), QColor(Qt::black)); // the frame
}

TEST_F(PreviewForm, PageLinksMoveToTheirPage) {
    addPages(3);
    text(0, 40, 200, "to page 3", "URL1", "@3");
    text(0, 40, 300, "to page 0", "URL2", "@0");
    text(0, 40, 400, "nowhere", "URL3", "@");
    text(0, 40, 500, "broken", "URL4", "@x");
    text(0, 40, 600, "far", "URL5", "@9");
    TvlPreviewForm& f = show(QSize(1000, 800));
    const TvlRect& page = f.ShownPages()->PageAt(0).ScreenRect;
    auto at = [&](int y) { return QPoint(page.Left + 60, page.Top + y + 5); };

    EXPECT_FALSE(f.ClickAt(at(200)));
    EXPECT_EQ(f.CurrentPageNumber(), 3);
    f.GoToPage(1);
    EXPECT_FALSE(f.ClickAt(at(300)));
    EXPECT_EQ(f.CurrentPageNumber(), 1);
    f.GoToPage(2);
    f.SetVerticalPosition(0);
    EXPECT_FALSE(f.ClickAt(at(400))); // "@" alone: handled, no drag
    EXPECT_FALSE(f.PBox->Dragging);
    EXPECT_FALSE(f.ClickAt(at(600))); // beyond the last page
    EXPECT_TRUE(ui->messages.empty());
    const int current = f.CurrentPageNumber();
    EXPECT_FALSE(f.ClickAt(at(500)));
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0], "Error: 'x' is not a valid integer value");
    EXPECT_EQ(f.CurrentPageNumber(), current);
    // elsewhere on the page a click starts dragging
    EXPECT_TRUE(f.ClickAt(at(900)));
    EXPECT_TRUE(f.PBox->Dragging);
}

TEST_F(PreviewForm, RefusedLinksAreReportedAndHoverShowsTargets) {
    addPages(2);
    text(0, 40, 200, "program", "URLrun", "/bin/sh");
    text(0, 40, 300, "jump", "URLjump", "@2");
    TvlPreviewForm& f = show(QSize(1000, 800));
    const TvlRect& page = f.ShownPages()->PageAt(0).ScreenRect;
    f.ClickAt(QPoint(page.Left + 60, page.Top + 205));
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_NE(ui->messages[0].find("/bin/sh"), std::string::npos);
    EXPECT_EQ(f.CurrentPageNumber(), 1);
    f.HoverAt(QPoint(page.Left + 60, page.Top + 305));
    EXPECT_EQ(f.Label2->text(), QStringLiteral("Page 2"));
    EXPECT_EQ(f.PBox->cursor().shape(), Qt::PointingHandCursor);
    f.HoverAt(QPoint(page.Left + 60, page.Top + 205));
    EXPECT_EQ(f.Label2->text(), QStringLiteral("/bin/sh"));
    f.HoverAt(QPoint(page.Left + 60, page.Top + 900));
    EXPECT_TRUE(f.Label2->text().isEmpty());
    EXPECT_EQ(f.PBox->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(PreviewForm, DraggingAndTheWheelScroll) {
    addPages(3);
    TvlPreviewForm& f = show(QSize(600, 500));
    const TvlRect& page = f.ShownPages()->PageAt(0).ScreenRect;
    QTest::mousePress(f.PBox, Qt::LeftButton, {}, QPoint(page.Left + 50, page.Top + 900));
    EXPECT_TRUE(f.PBox->Dragging);
    QTest::mouseMove(f.PBox, QPoint(page.Left + 40, page.Top + 860));
    EXPECT_EQ(f.VScrollBar->value(), 40);
    EXPECT_EQ(f.HScrollBar->value(), 10);
    QTest::mouseRelease(f.PBox, Qt::LeftButton, {}, QPoint(page.Left + 40, page.Top + 860));
    EXPECT_FALSE(f.PBox->Dragging);

    f.WheelNotches(-2);
    EXPECT_EQ(f.VScrollBar->value(), 40 + 2 * 10);
    f.WheelLines = 3;
    f.WheelNotches(1);
    EXPECT_EQ(f.VScrollBar->value(), 60 - 30);
}

TEST_F(PreviewForm, KeysScrollPageAndClose) {
    addPages(4);
    TvlPreviewForm& f = show(QSize(900, 600));
    QTest::keyClick(f.PBox, Qt::Key_Down);
    EXPECT_EQ(f.VScrollBar->value(), 10);
    QTest::keyClick(f.PBox, Qt::Key_PageDown);
    EXPECT_EQ(f.VScrollBar->value(), 210);
    QTest::keyClick(f.PBox, Qt::Key_PageUp);
    QTest::keyClick(f.PBox, Qt::Key_Up);
    EXPECT_EQ(f.VScrollBar->value(), 0);
    QTest::keyClick(f.PBox, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(f.CurrentPageNumber(), 2);
    QTest::keyClick(f.PBox, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(f.CurrentPageNumber(), 4);
    QTest::keyClick(f.PBox, Qt::Key_End); // nothing without Ctrl
    QTest::keyClick(f.PBox, Qt::Key_Home);
    EXPECT_EQ(f.CurrentPageNumber(), 4);
    QTest::keyClick(f.PBox, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(f.VScrollBar->value(), 0);
    EXPECT_EQ(f.CurrentPageNumber(), 1);
    QTest::keyClick(f.PBox, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(f.CurrentPageNumber(), 1);
    QTest::keyClick(f.PBox, Qt::Key_Space);
    EXPECT_TRUE(f.ProcMenu->isVisible());
    EXPECT_FALSE(f.AddPageItem->isVisible()); // the zoom button's menu
    // under the zoom button
    EXPECT_NEAR(f.ProcMenu->y(), f.ZoomBtn->mapToGlobal(QPoint(0, f.ZoomBtn->height())).y(), 2);
    f.ProcMenu->hide();
    // with a printer, Ctrl+P prints
    Globals().startPrinter(std::make_unique<RecordingPrinterSystem>());
    bool printed = false;
    Globals().preview().print = [&](TvlReport&, int) { printed = true; };
    f.ApplyReportSettings();
    ASSERT_TRUE(f.PrintBtn->isEnabled());
    QTest::keyClick(f.PBox, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(printed);
    Globals().startPrinter(nullptr);
    EXPECT_TRUE(f.HandleKey(Qt::Key_Q, Qt::ControlModifier)); // other Ctrl keys are used up
    EXPECT_FALSE(f.HandleKey(Qt::Key_Q, {}));
    QTest::keyClick(f.PBox, Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Accepted);
}

TEST_F(PreviewForm, ButtonsFollowThePreviewSettings) {
    addPages(1);
    report.PreviewButtons = pbZoom | pbLoad | pbPrint | pbFind | pbHelp | pbExit;
    TvlPreviewForm& f = show();
    EXPECT_TRUE(f.SaveBtn->isHidden());
    EXPECT_TRUE(f.PageSetupBtn->isHidden());
    EXPECT_FALSE(f.LoadBtn->isHidden());
    EXPECT_FALSE(f.ExitBtn->isHidden());
    // without a print command the print button stays disabled
    EXPECT_FALSE(f.PrintBtn->isEnabled());
    f.HelpFile.clear();
    f.ApplyReportSettings();
    EXPECT_TRUE(f.HelpBtn->isHidden());
    EXPECT_FALSE(f.Separator3->isHidden()); // the find button shows

    report.PreviewButtons = pbPrint;
    f.ApplyReportSettings();
    EXPECT_TRUE(f.ZoomBtn->isHidden());
    EXPECT_TRUE(f.Separator1->isHidden());
    EXPECT_TRUE(f.Separator3->isHidden());
}

TEST_F(PreviewForm, HiddenSaveButtonStillSavesWithCtrlS) {
    addPages(2);
    report.PreviewButtons = 0x7F & ~pbSave;
    TvlPreviewForm& f = show();
    ASSERT_TRUE(f.SaveBtn->isHidden());
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("saved.txt"));
    ModalDialogs dialogs;
    dialogs.expect<QFileDialog>([&](QFileDialog& files) {
        // typed, as selectFile leaves the name box alone while it has the focus
        auto* name = files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!name) {
            ADD_FAILURE() << "no file name box";
            return files.reject();
        }
        name->setText(target);
        static_cast<QDialog&>(files).accept();
    });
    QTest::keyClick(f.PBox, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.unanswered(), "");
    ASSERT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("saved.vlp"))));
    EXPECT_EQ(f.PageCount(), 2); // the pages came back to the window
    TvlEMFPages read;
    read.LoadFromFile(dir.filePath(QStringLiteral("saved.vlp")));
    EXPECT_EQ(read.Count(), 2);
}

TEST_F(PreviewForm, GreyButtonsTurnNormalUnderTheMouse) {
    addPages(1);
    report.GrayedButtons = true;
    TvlPreviewForm& f = show();
    EXPECT_NE(f.LoadBtn->graphicsEffect(), nullptr);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(f.LoadBtn, &enter);
    EXPECT_EQ(f.LoadBtn->graphicsEffect(), nullptr);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(f.LoadBtn, &leave);
    EXPECT_NE(f.LoadBtn->graphicsEffect(), nullptr);
    report.GrayedButtons = false;
    f.ApplyReportSettings();
    EXPECT_EQ(f.LoadBtn->graphicsEffect(), nullptr);
}

TEST_F(PreviewForm, PopupMenuOffersZoomAndPageEditing) {
    addPages(1);
    TvlPreviewForm& f = show();
    f.PopupAt(QPoint(100, 100));
    EXPECT_TRUE(f.ProcMenu->isVisible());
    EXPECT_TRUE(f.AddPageItem->isVisible());
    EXPECT_FALSE(f.DeletePageItem->isEnabled()); // one page
    EXPECT_FALSE(f.EditPageItem->isEnabled());   // no designer
    f.ProcMenu->hide();
    f.PopupZoomMenu(QPoint(0, 0), false); // the zoom button's menu
    EXPECT_FALSE(f.AddPageItem->isVisible());
    f.ProcMenu->hide();
    report.ModifyPrepared = false;
    f.ApplyReportSettings();
    f.PopupAt(QPoint(100, 100));
    EXPECT_FALSE(f.AddPageItem->isVisible());
    f.ProcMenu->hide();
}

using PreviewPane = PreviewFixture;

TEST_F(PreviewPane, ForwardsToItsWindowAndReportsPageChanges) {
    addPages(3);
    QWidget host;
    host.resize(900, 700);
    auto* pane = new TvlPreview(&host);
    pane->setGeometry(0, 0, 900, 700);
    std::vector<int> changes;
    pane->OnPageChanged = [&](TvlPreview&, int page) { changes.push_back(page); };
    host.show();
    pane->AttachReport(report);
    EXPECT_EQ(pane->PageCount(), 3);
    EXPECT_EQ(pane->Form().WheelLines, 3);
    pane->GoToPage(2);
    EXPECT_EQ(pane->CurrentPageNumber(), 2);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), 2);
    pane->SetZoomPercent(50);
    EXPECT_DOUBLE_EQ(pane->ZoomPercent(), 50);
    // Escape belongs to the window that holds the pane
    EXPECT_FALSE(pane->Form().HandleKey(Qt::Key_Escape, {}));
    // without the toolbar, Space opens the zoom menu over the pages, not
    // where the hidden zoom button would be
    TvlPreviewForm& form = pane->Form();
    ASSERT_FALSE(form.ZoomBtn->isVisible());
    EXPECT_TRUE(form.HandleKey(Qt::Key_Space, {}));
    EXPECT_TRUE(form.ProcMenu->isVisible());
    EXPECT_TRUE(QRect(form.PBox->mapToGlobal(QPoint(0, 0)), form.PBox->size())
                    .contains(form.ProcMenu->pos()));
    form.ProcMenu->hide();
    pane->ReturnPages();
    EXPECT_EQ(pane->PageCount(), 0);
    EXPECT_EQ(report.EMFPages().Count(), 3);
    // a report without pages leaves the pane as it was
    TvlReport empty;
    pane->AttachReport(empty);
    EXPECT_EQ(pane->PageCount(), 0);
}

TEST_F(PreviewPane, ToolbarInThePaneHidesHelpAndExit) {
    addPages(1);
    QWidget host;
    auto* pane = new TvlPreview(&host);
    pane->SetShowToolbar(true);
    host.resize(800, 600);
    pane->resize(800, 600);
    host.show();
    report.PreviewButtons = 0xFF;
    pane->AttachReport(report);
    TvlPreviewForm& f = pane->Form();
    EXPECT_EQ(f.ToolbarPanel->parentWidget(), pane);
    EXPECT_TRUE(f.ExitBtn->isHidden());
    EXPECT_TRUE(f.HelpBtn->isHidden());
    EXPECT_FALSE(f.FindBtn->isHidden());
    pane->SetShowToolbar(false);
    EXPECT_EQ(f.ToolbarPanel->parentWidget(), &f);
    pane->SetScrollBars(ssHorizontal);
    EXPECT_TRUE(f.RPanel->isHidden());
    EXPECT_FALSE(f.BPanel->isHidden());
}

// The engine shows no window of its own: the preview's caller tells why a
// build failed, once, and opens no window without pages.
TEST_F(PreviewForm, ShowReportTellsWhyTheBuildFailed) {
    auto memo = std::make_unique<TvlMemoView>();
    memo->Name = "Broken";
    memo->SetBounds(20, 20, 200, 20);
    memo->Memo = {"[NoSuchThing]"};
    report.Pages().Add().AddObject(std::move(memo));
    EXPECT_FALSE(ShowReport(report));
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_NE(ui->messages[0].find("NoSuchThing"), std::string::npos) << ui->messages[0];
    EXPECT_EQ(report.EMFPages().Count(), 0);
}

} // namespace
} // namespace vl::test
