#include "engine/build/TvlPage.h"
#include "engine/model/TvlBandView.h"
#include "engine/output/preview/PreviewPageSetup.h"
#include "engine/output/preview/PreviewSearch.h"
#include "engine/output/preview/TvlPBox.h"
#include "engine/output/preview/TvlPreviewSearchForm.h"
#include "tests/preview/PreviewTestSupport.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/RecordingPrinterSystem.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace vl::test {
namespace {

using PreviewCommands = PreviewFixture;

TEST_F(PreviewCommands, RecordedTextsCarryTheirPlaceOnThePage) {
    addPages(1);
    text(0, 100, 300, "Grand Total: 42");
    const std::vector<DrawnText> texts = RecordPageTexts(report.EMFPages(), 0);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].text, QStringLiteral("Grand Total: 42"));
    EXPECT_NEAR(texts[1].bounds.left(), 100, 4);
    EXPECT_NEAR(texts[1].bounds.top(), 300, 6);
    EXPECT_GT(texts[1].bounds.width(), 40);
    // recording draws the page without leaving its objects alive
    EXPECT_EQ(report.EMFPages().LivePageCount(), 0);
}

TEST_F(PreviewCommands, FindGoesThroughAPageBeforeTheNext) {
    addPages(3);
    text(1, 40, 300, "Total of the week");
    text(1, 40, 600, "TOTAL of the month");
    text(2, 40, 200, "subtotal");
    text(2, 40, 400, "Totally case sensitive");
    TvlPreviewForm& f = show(QSize(900, 600));

    f.StartSearch(QStringLiteral("total"), false, true);
    EXPECT_EQ(f.CurrentPageNumber(), 2);
    EXPECT_NEAR(f.Search().HitRect.top(), 300, 6);
    QTest::keyClick(f.PBox, Qt::Key_F3);
    EXPECT_EQ(f.CurrentPageNumber(), 2);
    EXPECT_NEAR(f.Search().HitRect.top(), 600, 6);
    QTest::keyClick(f.PBox, Qt::Key_F3);
    EXPECT_EQ(f.CurrentPageNumber(), 3);
    EXPECT_NEAR(f.Search().HitRect.top(), 200, 6);
    QTest::keyClick(f.PBox, Qt::Key_F3);
    EXPECT_NEAR(f.Search().HitRect.top(), 400, 6);
    // nothing more: the view stays
    const int position = f.VScrollBar->value();
    EXPECT_FALSE(f.FindAgain());
    EXPECT_EQ(f.CurrentPageNumber(), 3);
    EXPECT_EQ(f.VScrollBar->value(), position);
    EXPECT_TRUE(ui->messages.empty());

    // case-sensitive, from the current page
    f.GoToPage(2);
    f.StartSearch(QStringLiteral("Total"), true, false);
    EXPECT_EQ(f.CurrentPageNumber(), 2);
    EXPECT_NEAR(f.Search().HitRect.top(), 300, 6);
    QTest::keyClick(f.PBox, Qt::Key_F3);
    EXPECT_EQ(f.CurrentPageNumber(), 3);
    EXPECT_NEAR(f.Search().HitRect.top(), 400, 6);
}

// F3 after the last hit keeps that hit shown and says that the next F3
// starts again on the first page, which it then does.
TEST_F(PreviewCommands, F3AfterTheLastHitSaysSoAndStartsAgain) {
    addPages(3);
    text(1, 40, 300, "total one");
    text(2, 40, 400, "total two");
    TvlPreviewForm& f = show(QSize(900, 600));
    f.StartSearch(QStringLiteral("total"), false, true);
    QTest::keyClick(f.PBox, Qt::Key_F3);
    ASSERT_EQ(f.CurrentPageNumber(), 3);
    ASSERT_TRUE(ui->messages.empty());
    QTest::keyClick(f.PBox, Qt::Key_F3);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_NE(ui->messages[0].find("not found further on"), std::string::npos);
    EXPECT_EQ(f.CurrentPageNumber(), 3);
    EXPECT_EQ(f.Search().Page, 2) << "the last hit stays shown";
    EXPECT_NEAR(f.Search().HitRect.top(), 400, 6);
    QTest::keyClick(f.PBox, Qt::Key_F3);
    EXPECT_EQ(f.CurrentPageNumber(), 2);
    EXPECT_NEAR(f.Search().HitRect.top(), 300, 6);
    EXPECT_EQ(ui->messages.size(), 1u);
}

TEST_F(PreviewCommands, F3StartsOnTheCurrentPageWhenTheUserMovedOn) {
    addPages(4);
    text(0, 40, 300, "needle");
    text(3, 40, 300, "needle");
    TvlPreviewForm& f = show(QSize(900, 600));
    f.StartSearch(QStringLiteral("needle"), false, true);
    EXPECT_EQ(f.CurrentPageNumber(), 1);
    f.GoToPage(3);
    QTest::keyClick(f.PBox, Qt::Key_F3);
    EXPECT_EQ(f.CurrentPageNumber(), 4);
}

TEST_F(PreviewCommands, TheHitIsShownInvertedInView) {
    addPages(2);
    text(1, 40, 900, "far down the page");
    TvlPreviewForm& f = show(QSize(900, 500));
    f.StartSearch(QStringLiteral("far down"), false, true);
    ASSERT_EQ(f.CurrentPageNumber(), 2);
    const QImage image = f.PBox->grab().toImage();
    const TvlRect& page = f.ShownPages()->PageAt(1).ScreenRect;
    const QRect hit = f.Search().HitRect;
    const QPoint corner(page.Left + hit.left() + 1 + f.ScrollX(),
                        page.Top + hit.top() + 1 + f.ScrollY());
    ASSERT_TRUE(image.rect().contains(corner));
    // white paper inverted is black
    EXPECT_EQ(QColor(image.pixel(corner)), QColor(Qt::black));
}

TEST_F(PreviewCommands, FindDialogAsksForTheSearch) {
    addPages(2);
    text(1, 40, 300, "Total");
    TvlPreviewForm& f = show();
    ModalDialogs dialogs;
    dialogs.expect<TvlPreviewSearchForm>([](TvlPreviewSearchForm& dialog) {
        EXPECT_TRUE(dialog.RB1->isChecked());
        dialog.Edit1->setText(QStringLiteral("TOTAL"));
        dialog.accept();
    });
    QTest::keyClick(f.PBox, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(f.Search().Text, QStringLiteral("TOTAL"));
    EXPECT_EQ(f.CurrentPageNumber(), 2);
}

TEST_F(PreviewCommands, DeletePageAsksAndKeepsTheLastPage) {
    addPages(1);
    TvlPreviewForm& f = show();
    f.RemovePage();
    EXPECT_EQ(f.PageCount(), 1);
    EXPECT_TRUE(ui->messages.empty()); // not even asked
    f.ReturnPages();

    addPages(2);
    f.TakePages(report);
    f.ResetView(true);
    ASSERT_EQ(f.PageCount(), 3);
    EXPECT_TRUE(f.DeletePageItem->isEnabled());
    f.GoToPage(2);
    ui->answer = 7; // No
    f.RemovePage();
    EXPECT_EQ(f.PageCount(), 3);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0], "Confirm: Remove this page?");
    EXPECT_EQ(ui->lastFlags, 4 | 32);
    ui->answer = 6;
    f.GoToPage(2);
    f.RemovePage();
    ASSERT_EQ(f.PageCount(), 2);
    EXPECT_EQ(f.CurrentPageNumber(), 1);
    EXPECT_EQ(RecordPageTexts(*f.ShownPages(), 1)[0].text, QStringLiteral("Page 3"));
}

TEST_F(PreviewCommands, AddPageInsertsABlankPageBeforeTheCurrent) {
    report.Pages().Clear();
    TvlPage& templatePage = report.Pages().Add();
    templatePage.SetPaper(9, 2100, 2970, -1, 1); // landscape
    addPages(2);
    TvlPreviewForm& f = show();
    f.GoToPage(2);
    f.InsertBlankPage();
    ASSERT_EQ(f.PageCount(), 3);
    EXPECT_TRUE(RecordPageTexts(*f.ShownPages(), 1).empty());
    EXPECT_EQ(f.ShownPages()->PageAt(1).Orientation, 1);
    EXPECT_EQ(RecordPageTexts(*f.ShownPages(), 2)[0].text, QStringLiteral("Page 2"));
}

TEST_F(PreviewCommands, PageSetupMarginsBecomePagePixels) {
    EXPECT_EQ(HundredthsMmToMargin(1000), 36);
    EXPECT_EQ(MarginToHundredthsMm(36), 1000);
    EXPECT_EQ(MarginToHundredthsMm(20), 555); // truncated
    report.Pages().Clear();
    TvlPage& first = report.Pages().Add();
    TvlPage& dialog = report.Pages().Add();
    dialog.PageType = ptDialog;
    dialog.LeftMargin = 7;
    TvlPage& second = report.Pages().Add();
    PageSetupChoice choice;
    choice.paperCode = 11; // A5
    choice.paperWidth = 2100;
    choice.paperHeight = 1480;
    choice.orientation = 1;
    choice.leftMargin = choice.topMargin = 1000;
    choice.rightMargin = 500;
    choice.bottomMargin = 2000;
    ApplyPageSetup(report, choice);
    for (TvlPage* page : {&first, &second}) {
        EXPECT_EQ(page->LeftMargin, 36);
        EXPECT_EQ(page->TopMargin, 36);
        EXPECT_EQ(page->RightMargin, 18);
        EXPECT_EQ(page->BottomMargin, 72);
        EXPECT_EQ(page->PaperSize, 11);
        EXPECT_EQ(page->Orientation, 1);
        EXPECT_EQ(page->PaperWidth, 2100);
    }
    EXPECT_EQ(dialog.LeftMargin, 7);
}

TEST_F(PreviewCommands, PageSetupLayoutRoundTrips) {
    PageSetupChoice choice;
    choice.paperCode = 9;
    choice.paperWidth = 2970;
    choice.paperHeight = 2100;
    choice.orientation = 1;
    choice.leftMargin = 1000;
    choice.topMargin = 1500;
    choice.rightMargin = 500;
    choice.bottomMargin = 2500;
    const PageSetupChoice back = FromPageLayout(ToPageLayout(choice));
    EXPECT_EQ(back.paperCode, 9);
    EXPECT_EQ(back.orientation, 1);
    EXPECT_EQ(back.paperWidth, 2970);
    EXPECT_EQ(back.paperHeight, 2100);
    EXPECT_EQ(back.leftMargin, 1000);
    EXPECT_EQ(back.bottomMargin, 2500);
}

// The report as one page with a report title band, the template the page
// setup tests rebuild.
TvlPage& TitlePage(TvlReport& report) {
    report.Pages().Clear();
    TvlPage& page = report.Pages().Add();
    auto band = std::make_unique<TvlBandView>();
    band->Name = "Title";
    band->FrameTyp = static_cast<std::uint16_t>(btReportTitle);
    band->SetBounds(0, 20, 600, 40);
    page.AddObject(std::move(band));
    return page;
}

TEST_F(PreviewCommands, PageSetupRebuildsWithTheNewMargins) {
    TvlPage& page = TitlePage(report);
    page.FindObject("Title")->Flags = 0;
    auto memo = std::make_unique<TvlMemoView>();
    memo->Name = "Memo1";
    memo->SetBounds(20, 22, 200, 20);
    memo->Memo = {"Hello"};
    page.AddObject(std::move(memo));
    ASSERT_TRUE(report.PrepareReport());
    TvlPreviewForm& f = show();
    ASSERT_EQ(f.PageCount(), 1);
    PageSetupChoice choice = PageSetupPreset(Globals().printer(), *f.ShownPages());
    choice.leftMargin = 3000;
    f.ApplyPageSetupAndRebuild(choice);
    ASSERT_EQ(f.PageCount(), 1);
    EXPECT_EQ(f.ShownPages()->PageAt(0).LeftMargin, 108);
    EXPECT_EQ(report.EMFPages().Count(), 0);
}

// Page setup while the report builds (from the build's own events) changes
// nothing and says why, and the running build ends as it would have.
TEST_F(PreviewCommands, PageSetupDuringABuildIsRefused) {
    TvlPage& page = TitlePage(report);
    ASSERT_TRUE(report.PrepareReport());
    TvlPreviewForm& f = show();
    PageSetupChoice wider = PageSetupPreset(Globals().printer(), *f.ShownPages());
    wider.leftMargin = 3000;
    const int margin = page.LeftMargin;
    report.Events.OnBeginDoc = [&] { f.ApplyPageSetupAndRebuild(wider); };
    EXPECT_TRUE(report.PrepareReport());
    report.Events.OnBeginDoc = nullptr;
    EXPECT_EQ(page.LeftMargin, margin);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0], std::string("Error: ") + TvlReport::kBuildRunningText);
    EXPECT_EQ(report.EMFPages().Count(), 1);
}

// A margin of 0 lays the page out on the printer's printable area: the
// dialog shows that edge (5 mm on the virtual printer), and OK without a
// change leaves the page as it was.
TEST_F(PreviewCommands, PageSetupShowsTheMarginsThePageIsLaidOutWith) {
    TvlPage& page = TitlePage(report);
    page.RightMargin = 72;
    ASSERT_TRUE(report.PrepareReport());
    TvlPreviewForm& f = show();
    const PageSetupChoice preset = PageSetupPreset(Globals().printer(), *f.ShownPages());
    EXPECT_EQ(preset.leftMargin, 500);
    EXPECT_EQ(preset.topMargin, 500);
    EXPECT_EQ(preset.rightMargin, 2000);
    EXPECT_EQ(preset.bottomMargin, 500);
    f.ApplyPageSetupAndRebuild(preset);
    EXPECT_EQ(page.LeftMargin, 0) << "unchanged: still the printable area";
    EXPECT_EQ(page.RightMargin, 72);
    PageSetupChoice wider = preset;
    wider.leftMargin = 1000;
    f.ApplyPageSetupAndRebuild(wider);
    EXPECT_EQ(page.LeftMargin, 36);
    EXPECT_EQ(page.TopMargin, 0);
    EXPECT_EQ(PageSetupPreset(Globals().printer(), *f.ShownPages()).leftMargin, 1000);
}

// A prepared-pages file of count empty pages.
void WritePreparedFile(const QString& path, int count) {
    TvlEMFPages pages;
    for (int i = 0; i < count; ++i)
        pages.AddPage(Paper());
    pages.SaveToFile(path);
}

// Pages opened from a file cannot be built again: page setup says so
// instead of doing nothing.
TEST_F(PreviewCommands, PageSetupOfPagesFromAFileSaysWhyItCannot) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("one.vlp"));
    WritePreparedFile(path, 1);
    addPages(1);
    TvlPreviewForm& f = show();
    f.LoadPreparedFile(path);
    ASSERT_EQ(f.PageCount(), 1);
    f.PageSetup();
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_NE(ui->messages[0].find("opened from a file"), std::string::npos);
}

TEST_F(PreviewCommands, LoadShowsThePagesOfAFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("three.vlp"));
    WritePreparedFile(path, 3);
    addPages(1);
    TvlPreviewForm& f = show();
    f.LoadPreparedFile(path);
    EXPECT_EQ(f.PageCount(), 3);
    EXPECT_EQ(f.CurrentPageNumber(), 1);
    // pages from a file cannot be built again (page setup says so)
    EXPECT_FALSE(report.Rebuildable());

    // a damaged file shows the pages read before the damage, and says why
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.resize(file.size() - 5);
    file.close();
    f.LoadPreparedFile(path);
    EXPECT_GE(f.PageCount(), 1);
    EXPECT_EQ(ui->messages.size(), 1u);
}

TEST_F(PreviewCommands, ExportWritesAPdfOfTheShownPages) {
    addPages(2);
    TvlPreviewForm& f = show();
    QTemporaryDir dir;
    f.ExportPdf(dir.filePath(QStringLiteral("pages")));
    QFile pdf(dir.filePath(QStringLiteral("pages.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
    EXPECT_EQ(f.PageCount(), 2);
}

TEST_F(PreviewCommands, PrintRunsTheInstalledCommandOnTheReportsPages) {
    addPages(3);
    TvlPreviewForm& f = show();
    f.Print(); // no print command: nothing
    EXPECT_EQ(f.PageCount(), 3);
    int printedPages = -1, current = -1;
    Globals().preview().print = [&](TvlReport& r, int page) {
        printedPages = r.EMFPages().Count();
        current = page;
    };
    f.GoToPage(2);
    f.Print();
    EXPECT_EQ(printedPages, -1) << "no system printer: printing is off";

    // with a printer the command gets the report's pages and the page shown
    Globals().startPrinter(std::make_unique<RecordingPrinterSystem>());
    f.Print();
    Globals().startPrinter(nullptr);
    EXPECT_EQ(printedPages, 3);
    EXPECT_EQ(current, 2);
    // and the pages come back to the preview
    EXPECT_EQ(f.PageCount(), 3);
    EXPECT_EQ(report.EMFPages().Count(), 0);
}

} // namespace
} // namespace vl::test
