#include "engine/output/PageRendering.h"

#include "engine/model/TvlLineView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/output/PageMetrics.h"
#include "engine/output/PageUnits.h"
#include "engine/output/PdfDocumentWriter.h"
#include "engine/script/Errors.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/ScriptContext.h"
#include "tests/engine/model/ViewTestSupport.h"
#include "tests/engine/output/PreparedPagesTestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vl::test {
namespace {

// Runs a poppler tool and returns its standard output.
QString RunTool(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PageRenderingTest : public ::testing::Test {
protected:
    void SetUp() override {
        Globals().startPrinter(nullptr);
        RegisterStamp();
        ASSERT_TRUE(dir_.isValid());
        dir_.setAutoRemove(!qEnvironmentVariableIsSet("VELLUM_KEEP_RENDERINGS"));
    }

    // Three pages: A4 portrait, A4 landscape, A5; each with its own text,
    // a frame line and the same logo.
    void Fill(TvlEMFPages& pages) {
        pages.AddPage(Paper());
        pages.AddPage(Paper(9, 2970, 2100, 1));
        pages.AddPage(Paper(11, 1480, 2100, 0, false));
        const char* texts[] = {"Alpha page one", "Bravo page two", "Charlie page three"};
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(Qt::blue);
        for (int i = 0; i < 3; ++i) {
            auto stamp = Stamp("Stamp1", 60, 60, texts[i]);
            stamp->Width = 300;
            Put(pages, i, *stamp);
            Put(pages, i, *Make<TvlLineView>("Line1", 60, 100, 400, 0));
            auto logo = Make<TvlPictureView>("Picture1", 60, 140, 80, 80);
            auto graphic = std::make_unique<TvlBitmapGraphic>();
            graphic->setImage(image);
            logo->Picture.setGraphic(std::move(graphic));
            Put(pages, i, *logo);
        }
    }

    QTemporaryDir dir_{QDir::temp().filePath(QStringLiteral("vellum-render-XXXXXX"))};
    ViewStateGuard guard_;
};

TEST_F(PageRenderingTest, PageImagesFollowTheResolution) {
    TvlEMFPages pages;
    Fill(pages);
    const QImage low = RenderPageImage(pages, 0, 96);
    const QImage high = RenderPageImage(pages, 0, 192);
    EXPECT_EQ(low.size(), QSize(794, 1122));
    EXPECT_EQ(high.size(), QSize(1588, 2244));
    EXPECT_EQ(high.dotsPerMeterX(), 7559);
    // The line at page pixel y 100 lies at about y 105 at 96 dpi.
    const double s = ScaleForResolution(96);
    const int y = Nearest(100 * s);
    EXPECT_LT(qGray(low.pixel(Nearest(200 * s), y)), 80);
    EXPECT_EQ(qGray(low.pixel(Nearest(200 * s), y + 4)), 255);
    // The logo is blue.
    EXPECT_EQ(low.pixel(Nearest(100 * s), Nearest(180 * s)), QColor(Qt::blue).rgb());
    EXPECT_EQ(RenderPageImage(pages, 1, 96).size(), QSize(1122, 794));
    EXPECT_EQ(pages.LivePageCount(), 0);
    low.save(dir_.filePath(QStringLiteral("page-1.png")));
}

// A page image stops at the engine's pixel budget with a message that says
// why, before anything is allocated; pages within it are drawn.
TEST_F(PageRenderingTest, PageImagesStayWithinThePixelBudget) {
    TvlEMFPages pages;
    Fill(pages);
    PreparedPage& tall = pages.PageAt(0);
    tall.Metrics.PixelPaperWidth = 7200; // two metres of paper
    tall.Metrics.PixelPaperHeight = 7200;
    const ScopedValue<std::int64_t> budget(ScriptGlobals().limits().pagePixels, 50'000'000);
    try {
        RenderPageImage(pages, 0, 200);
        ADD_FAILURE() << "no error";
    } catch (const VlError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "page 1 would be 15716 x 15716 pixels, more than the 50000000 pixels one page "
                  "image may take; choose a lower resolution");
    }
    EXPECT_EQ(pages.LivePageCount(), 0);
    // the same page at a lower resolution, and a page within the budget
    EXPECT_EQ(RenderPageImage(pages, 0, 50).size(), QSize(3929, 3929));
    EXPECT_EQ(RenderPageImage(pages, 1, 200).size(),
              PaperDeviceSize(pages.PageAt(1), ScaleForResolution(200)));
    // a paper size no int holds once scaled
    tall.Metrics.PixelPaperWidth = 2000000000;
    EXPECT_THROW(RenderPageImage(pages, 0, 1200), VlError);
    // without a budget nothing is refused before the allocation
    ScriptGlobals().limits().pagePixels = 0;
    tall.Metrics.PixelPaperWidth = 700;
    EXPECT_EQ(RenderPageImage(pages, 0, 96).width(), 733);
}

TEST_F(PageRenderingTest, PageImagesAreSavedOneFilePerPageIntoANewFolder) {
    TvlEMFPages pages;
    Fill(pages);
    const QString folder = dir_.filePath(QStringLiteral("a/b"));
    const QStringList written = SavePageImages(pages, folder, 48);
    ASSERT_EQ(written.size(), 3);
    EXPECT_EQ(written[2], QDir(folder).filePath(QStringLiteral("page-3.png")));
    EXPECT_EQ(QImage(written[0]).size(), QSize(397, 561));
    EXPECT_EQ(QImage(written[1]).size(), QSize(561, 397));
    EXPECT_EQ(pages.LivePageCount(), 0);
    // An empty store writes nothing but still makes the folder.
    TvlEMFPages none;
    EXPECT_TRUE(SavePageImages(none, dir_.filePath(QStringLiteral("empty")), 96).isEmpty());
    EXPECT_TRUE(QDir(dir_.filePath(QStringLiteral("empty"))).exists());
}

TEST_F(PageRenderingTest, PageImagesFailWithAMessageWhereNoFolderCanBeMade) {
    TvlEMFPages pages;
    Fill(pages);
    QFile blocker(dir_.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        SavePageImages(pages, dir_.filePath(QStringLiteral("file/pages")), 96);
        FAIL() << "no error";
    } catch (const VlError& e) {
        EXPECT_NE(std::string(e.what()).find("cannot create the folder"), std::string::npos);
    }
}

TEST_F(PageRenderingTest, StretchedPagesAreDrawnIntoThePrintableAreaWithinTheMargins) {
    TvlEMFPages pages;
    Fill(pages);
    PreparedPage& page = pages.PageAt(2);
    page.LeftMargin = 10;
    page.TopMargin = 20;
    const TvlRect r = PageDrawRect(page, 2.0);
    const PageMetrics& m = page.Metrics;
    EXPECT_EQ(r.Left, 2 * (18 + 10));
    EXPECT_EQ(r.Top, 2 * (18 + 20));
    EXPECT_EQ(r.width(), 2 * (m.PixelPrintWidth - 10));
    EXPECT_EQ(r.height(), 2 * (m.PixelPrintHeight - 20));
    EXPECT_EQ(PageDrawRect(pages.PageAt(0), 2.0), (TvlRect{0, 0, 1516, 2142}));
}

// A printer's geometry for A4 at 600 dots per inch with an unprintable
// edge of the given dots on every side.
PageMetrics PrinterGeometry(int edge) {
    PageMetrics m;
    m.DevicePaperWidth = 4961;
    m.DevicePaperHeight = 7016;
    m.DeviceOffsetX = m.DeviceOffsetY = edge;
    m.DevicePrintWidth = m.DevicePaperWidth - 2 * edge;
    m.DevicePrintHeight = m.DevicePaperHeight - 2 * edge;
    m.PixelPaperWidth = DotsToPixels(m.DevicePaperWidth, 600);
    m.PixelPaperHeight = DotsToPixels(m.DevicePaperHeight, 600);
    m.PixelOffsetX = m.PixelOffsetY = DotsToPixels(edge, 600);
    m.PixelPrintWidth = DotsToPixels(m.DevicePrintWidth, 600);
    m.PixelPrintHeight = DotsToPixels(m.DevicePrintHeight, 600);
    return m;
}

TEST_F(PageRenderingTest, APrinterOfTheLayoutsGeometryGetsThePageInItsPrintableArea) {
    TvlEMFPages pages;
    Fill(pages);
    PreparedPage& page = pages.PageAt(2);
    page.Metrics = PrinterGeometry(100);
    page.LeftMargin = 36;
    page.PaperCoordinates = false;
    const TvlRect r = PrinterPageRect(page, page.Metrics, 600, 600);
    // the margin in the printer's dots, from its printable area's corner
    EXPECT_EQ(r.Left, 236);
    EXPECT_EQ(r.Top, 0);
    EXPECT_EQ(r.Right, 4761);
    EXPECT_EQ(r.Bottom, 6816);
    page.PaperCoordinates = true;
    EXPECT_EQ(PrinterPageRect(page, page.Metrics, 600, 600), (TvlRect{-100, -100, 4861, 6916}));
}

// Pages laid out on the virtual printer (5 mm edge) keep their place on the
// sheet on printers whose printable area is the whole sheet or has other
// edges, instead of being stretched over that area.
TEST_F(PageRenderingTest, APrinterOfAnotherGeometryGetsEachObjectWhereTheSheetHasIt) {
    TvlEMFPages pages;
    Fill(pages);
    PreparedPage& page = pages.PageAt(0);
    page.PaperCoordinates = false;
    page.LeftMargin = 36;
    const double scale = ScaleForResolution(600);
    const TvlRect onSheet = PageDrawRect(page, scale);
    for (const int edge : {0, 100, 250}) {
        SCOPED_TRACE(edge);
        const TvlRect r = PrinterPageRect(page, PrinterGeometry(edge), 600, 600);
        EXPECT_EQ(r.Left + edge, onSheet.Left);
        EXPECT_EQ(r.Top + edge, onSheet.Top);
        EXPECT_EQ(r.width(), onSheet.width()) << "not stretched";
        EXPECT_EQ(r.height(), onSheet.height());
    }
    // resolutions of their own in each direction
    const TvlRect r = PrinterPageRect(page, PrinterGeometry(0), 600, 300);
    EXPECT_EQ(r.width(), onSheet.width());
    EXPECT_NEAR(r.height() * 2, onSheet.height(), 2);
}

TEST_F(PageRenderingTest, PdfDocumentsHaveOnePagePerPreparedPageWithRealTextAndSharedPictures) {
    TvlEMFPages pages;
    Fill(pages);
    const QString pdf = dir_.filePath(QStringLiteral("report.pdf"));
    PdfDocumentWriter writer;
    writer.Title = QStringLiteral("Test report");
    writer.write(pages, pdf);
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(pages.LivePageCount(), 0);

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    const QString pdfimages = QStandardPaths::findExecutable(QStringLiteral("pdfimages"));
    const QString pdffonts = QStandardPaths::findExecutable(QStringLiteral("pdffonts"));
    if (pdftotext.isEmpty() || pdfinfo.isEmpty() || pdfimages.isEmpty() || pdffonts.isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";

    const QString text = RunTool(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    const QStringList pageTexts = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(pageTexts.size(), 3) << text.toStdString();
    EXPECT_TRUE(pageTexts[0].contains(QStringLiteral("Alpha page one")));
    EXPECT_TRUE(pageTexts[1].contains(QStringLiteral("Bravo page two")));
    EXPECT_TRUE(pageTexts[2].contains(QStringLiteral("Charlie page three")));

    const QString info = RunTool(pdfinfo, {QStringLiteral("-f"), QStringLiteral("1"),
                                           QStringLiteral("-l"), QStringLiteral("3"), pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\b"))));
    EXPECT_TRUE(info.contains(
        QRegularExpression(QStringLiteral("Page\\s+1 size:\\s+595(\\.\\d+)? x 842(\\.\\d+)? "))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(
        QRegularExpression(QStringLiteral("Page\\s+2 size:\\s+842(\\.\\d+)? x 595(\\.\\d+)? "))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(
        QRegularExpression(QStringLiteral("Page\\s+3 size:\\s+420(\\.\\d+)? x 595(\\.\\d+)? "))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Test report")));

    const QStringList fonts = RunTool(pdffonts, {pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(fonts.size(), 3);
    for (qsizetype k = 2; k < fonts.size(); ++k) // after the two heading lines
        EXPECT_TRUE(fonts[k].contains(QStringLiteral(" yes "))) << fonts[k].toStdString();

    // pdfimages -list: page, num, type, ..., object id; the logo is one object.
    QSet<QString> objects;
    int images = 0;
    for (const QString& row : RunTool(pdfimages, {QStringLiteral("-list"), pdf}).split('\n')) {
        const QStringList cells = row.simplified().split(' ');
        if (cells.size() < 12 || !cells[0].front().isDigit()) continue;
        if (cells[2] != QLatin1String("image")) continue;
        ++images;
        objects.insert(cells[10]);
    }
    EXPECT_EQ(images, 3);
    EXPECT_EQ(objects.size(), 1);
}

TEST_F(PageRenderingTest, AnEmptyStoreWritesNoPdf) {
    TvlEMFPages pages;
    EXPECT_THROW(PdfDocumentWriter().write(pages, dir_.filePath(QStringLiteral("none.pdf"))),
                 VlError);
}

} // namespace
} // namespace vl::test
