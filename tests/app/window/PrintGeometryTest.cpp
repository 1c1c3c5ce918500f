#include "app/window/TFormPreview.h"
#include "engine/build/TvlEngine.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/preview/ReportPreview.h"
#include "engine/output/preview/TvlPBox.h"
#include "engine/output/preview/TvlPreview.h"
#include "engine/output/preview/TvlPreviewForm.h"
#include "engine/output/preview/TvlProgressForm.h"
#include "engine/output/printdialog/TvlPrintForm.h"
#include "engine/output/printing/QtPrinterSystem.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/PrintedPages.h"
#include "tests/support/PrivateCupsServer.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

using namespace quillet;

namespace {

// Every way out of the program puts a page's objects at the same place on
// the sheet: the print dialog into "Print to PDF file", the preview's
// Export, "vellum build --pdf" and "vellum print FILE.vlp --pdf".
constexpr double kTolerance = 0.5; // points

const QDateTime kNow(QDate(2026, 3, 14), QTime(9, 30));

// A word on page 1 of a PDF file and its box, in points from the top-left
// corner of the sheet.
struct PlacedWord {
    QString text;
    double xMin, yMin, xMax, yMax;
};

std::vector<PlacedWord> FirstPageWords(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                   QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000)) return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<PlacedWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return words;
}

// The first difference of place between two lists of words; empty when
// each word lies where its counterpart does, within the tolerance.
std::string PlaceDifference(const std::vector<PlacedWord>& expected,
                            const std::vector<PlacedWord>& actual) {
    if (expected.size() != actual.size())
        return std::to_string(expected.size()) + " words expected, " +
               std::to_string(actual.size()) + " found";
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const PlacedWord& e = expected[i];
        const PlacedWord& a = actual[i];
        const bool placed =
            std::abs(e.xMin - a.xMin) <= kTolerance && std::abs(e.yMin - a.yMin) <= kTolerance &&
            std::abs(e.xMax - a.xMax) <= kTolerance && std::abs(e.yMax - a.yMax) <= kTolerance;
        if (!placed || e.text != a.text)
            return "word " + std::to_string(i + 1) + " \"" + e.text.toStdString() + "\" at " +
                   std::to_string(e.xMin) + "," + std::to_string(e.yMin) + " - " +
                   std::to_string(e.xMax) + "," + std::to_string(e.yMax) + ", but \"" +
                   a.text.toStdString() + "\" at " + std::to_string(a.xMin) + "," +
                   std::to_string(a.yMin) + " - " + std::to_string(a.xMax) + "," +
                   std::to_string(a.yMax);
    }
    return {};
}

struct SampleTemplate {
    QString kind; // the folder: "TaskList" or "Contacts"
    QString name;
    QString path() const { return QStringLiteral(SAMPLE_REPORTS "/") + kind + '/' + name + ".vlf"; }
    QString source() const {
        return kind == QLatin1String("Contacts") ? QStringLiteral("contacts")
                                                 : QStringLiteral("tasks");
    }
};

std::vector<SampleTemplate> SampleTemplates() {
    std::vector<SampleTemplate> all;
    for (const QString& kind : {QStringLiteral("TaskList"), QStringLiteral("Contacts")}) {
        const QDir folder(QStringLiteral(SAMPLE_REPORTS "/") + kind);
        for (const QString& file : folder.entryList({QStringLiteral("*.vlf")}, QDir::Files))
            all.push_back({kind, QFileInfo(file).completeBaseName()});
    }
    return all;
}

class PrintGeometryTest : public ::testing::Test {
protected:
    PrintGeometryTest() {
        vl::Globals().preview() = {};
        auto printers = std::make_unique<vl::QtPrinterSystem>();
        printers->setPdfPrinterOffered(true);
        vl::Globals().startPrinter(std::move(printers));
        for (const SampleTemplate& t : SampleTemplates()) {
            const QString to = program.path() + QStringLiteral("/Reports/") + t.kind + '/';
            QDir().mkpath(to);
            QFile::copy(t.path(), to + t.name + QStringLiteral(".vlf"));
        }
    }
    ~PrintGeometryTest() override {
        window.reset();
        vl::Globals().startPrinter(nullptr);
    }

    // "vellum" with the arguments; its standard error on failure.
    std::string vellum(const QStringList& args) {
        QProcess process;
        process.start(QStringLiteral(VELLUM_PROGRAM), args);
        if (!process.waitForFinished(120000)) return "vellum did not finish";
        if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) return {};
        return "vellum " + args.join(' ').toStdString() + ": " +
               process.readAllStandardError().toStdString();
    }
    QStringList buildArgs(const SampleTemplate& t) const {
        return {
            QStringLiteral("build"),       t.path(),
            QStringLiteral("--organizer"), QStringLiteral(SAMPLE_ORGANIZER),
            QStringLiteral("--source"),    t.source(),
            QStringLiteral("--now"),       kNow.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))};
    }

    TFormPreview& open() {
        const StartupOptions options =
            StartupOptions::fromArguments(program.path(), {QStringLiteral(SAMPLE_ORGANIZER)});
        window = std::make_unique<TFormPreview>(options);
        window->organizer().setNow(kNow);
        window->resize(1000, 700);
        window->show();
        QApplication::processEvents();
        return *window;
    }
    template <typename T> T* find(const char* name) {
        T* widget = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // Shows the template in the window, built anew.
    void show(const SampleTemplate& t) {
        QTest::mouseClick(
            find<QRadioButton>(t.kind == QLatin1String("Contacts") ? "rbContacts" : "rbTaskList"),
            Qt::LeftButton, {}, QPoint(6, 6));
        auto* list = find<QListWidget>("lbReports");
        const auto items = list->findItems(t.name, Qt::MatchFixedString);
        ASSERT_EQ(items.size(), 1) << t.name.toStdString();
        // through no selection, so that the window builds it anew at the fixed moment
        list->setCurrentRow(-1);
        list->setCurrentItem(items.front());
        QApplication::processEvents();
    }
    QImage shownPage() { return window->preview().Form().PBox->grab().toImage(); }

    // Page 1 through the window's Print button and the print dialog, into
    // a file through "Print to PDF file".
    void printPageOne(const QString& pdf) {
        vl::test::ModalDialogs dialogs;
        dialogs.leaveAlone<vl::TvlProgressForm>();
        dialogs.expect<vl::TvlPrintForm>([pdf](vl::TvlPrintForm& form) {
            auto* printers = form.findChild<QComboBox*>(QStringLiteral("PrinterBox"));
            const int item = printers->findText(QStringLiteral("Print to PDF file"));
            if (item < 0) return form.reject();
            printers->setCurrentIndex(item);
            emit printers->activated(item);
            QTest::keyClicks(form.findChild<QLineEdit*>(QStringLiteral("PageRangeEdit")), "1");
            form.askPdfFileName = [pdf](QWidget*) { return pdf; };
            QTest::keyClick(&form, Qt::Key_Return);
        });
        QTest::mouseClick(find<QPushButton>("Button4"), Qt::LeftButton);
        EXPECT_EQ(dialogs.unanswered(), "");
    }

    QTemporaryDir program;
    QTemporaryDir out;
    std::unique_ptr<TFormPreview> window;
};

} // namespace

TEST_F(PrintGeometryTest, EveryWayOutPutsPageOneWhereTheBuildDoes) {
    vl::WindowServices services;
    open();
    const std::vector<SampleTemplate> samples = SampleTemplates();
    ASSERT_FALSE(samples.empty());
    for (const SampleTemplate& t : samples) {
        SCOPED_TRACE(t.kind.toStdString() + "/" + t.name.toStdString());
        const QString base = out.filePath(t.kind + '-' + t.name);
        ASSERT_EQ(vellum(buildArgs(t) << QStringLiteral("--pdf") << base + "-build.pdf"), "");
        ASSERT_EQ(vellum(buildArgs(t) << QStringLiteral("--vlp") << base + ".vlp"), "");
        ASSERT_EQ(vellum({QStringLiteral("print"), base + ".vlp", QStringLiteral("--pdf"),
                          base + "-print.pdf", QStringLiteral("--pages"), QStringLiteral("1")}),
                  "");
        show(t);
        ASSERT_GT(window->preview().PageCount(), 0);
        const QImage before = shownPage();
        printPageOne(base + "-dialog.pdf");
        EXPECT_EQ(shownPage(), before) << "printing changed the preview";
        window->preview().Form().ExportPdf(base + "-export.pdf");

        const std::vector<PlacedWord> built = FirstPageWords(base + "-build.pdf");
        ASSERT_FALSE(built.empty());
        EXPECT_EQ(PlaceDifference(built, FirstPageWords(base + "-print.pdf")), "")
            << "vellum print --pdf";
        EXPECT_EQ(PlaceDifference(built, FirstPageWords(base + "-dialog.pdf")), "")
            << "the print dialog into Print to PDF file";
        EXPECT_EQ(PlaceDifference(built, FirstPageWords(base + "-export.pdf")), "")
            << "the preview's Export";
    }
}

namespace {

// The same pages on a CUPS printer of the test's own (cups-pdf), whose
// printable area is not the whole sheet: the words it can print lie where
// the build puts them.
class CupsPrintGeometryTest : public PrintGeometryTest {
protected:
    static void SetUpTestSuite() {
        server_ = new vl::test::PrivateCupsServer;
        if (!server_->start(reason_)) reason_ = "no private CUPS server: " + reason_;
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    void SetUp() override {
        if (!server_->running()) GTEST_SKIP() << reason_;
    }

    static vl::test::PrivateCupsServer* server_;
    static std::string reason_;
};

vl::test::PrivateCupsServer* CupsPrintGeometryTest::server_ = nullptr;
std::string CupsPrintGeometryTest::reason_;

// The printer's printable area on A4, in points from the sheet's corner.
QRectF PrintableArea(const QString& printer) {
    QPrinter device(QPrinterInfo::printerInfo(printer), QPrinter::HighResolution);
    device.setPageSize(QPageSize(QPageSize::A4));
    QPageLayout layout = device.pageLayout();
    layout.setMode(QPageLayout::StandardMode);
    layout.setMargins(layout.minimumMargins());
    return layout.paintRect(QPageLayout::Point);
}

// Page 1 of a PDF file in grey at 144 dots per inch (half a point a dot).
constexpr int kDotsPerInch = 144;
QImage FirstPageImage(const QString& pdf) {
    QTemporaryDir dir;
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-gray"), QStringLiteral("-png"), QStringLiteral("-r"),
                   QString::number(kDotsPerInch), QStringLiteral("-f"), QStringLiteral("1"),
                   QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-singlefile"), pdf,
                   dir.filePath(QStringLiteral("page"))});
    if (!process.waitForFinished(60000)) return {};
    return QImage(dir.filePath(QStringLiteral("page.png")))
        .convertToFormat(QImage::Format_Grayscale8);
}

// How many of the inked dots of a part of one page are inked on the other
// when the other is shifted by dx, dy dots. Fonts that come back through
// the printer's PostScript stage are drawn a little differently, so whole
// glyph shapes are compared rather than single dots.
double Overlap(const QImage& a, const QImage& b, const QRect& part, int dx, int dy) {
    long inked = 0, shared = 0;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const int by = y + dy;
        if (by < 0 || by >= b.height()) continue;
        const uchar* rowA = a.constScanLine(y);
        const uchar* rowB = b.constScanLine(by);
        for (int x = part.left(); x <= part.right(); ++x) {
            if (rowA[x] > 128) continue;
            ++inked;
            const int bx = x + dx;
            if (bx >= 0 && bx < b.width() && rowB[bx] <= 128) ++shared;
        }
    }
    return inked ? static_cast<double>(shared) / inked : 1.0;
}

// The shift of b against a, in dots, that makes a part of them agree best.
QPoint BestShift(const QImage& a, const QImage& b, const QRect& part) {
    QPoint best;
    double bestOverlap = -1;
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx)
            if (const double o = Overlap(a, b, part, dx, dy); o > bestOverlap) {
                bestOverlap = o;
                best = QPoint(dx, dy);
            }
    return best;
}

} // namespace

// Each corner of the printable area is compared on its own, so that a page
// printed smaller or larger (as a printer stage that fits pages into the
// printable area would make it) fails as surely as one printed elsewhere.
TEST_F(CupsPrintGeometryTest, APrinterWithUnprintableEdgesPrintsEachObjectInItsPlace) {
    const QString printer = QString::fromLatin1(vl::test::PrivateCupsServer::kEdgedPrinterName);
    const QRectF area = PrintableArea(printer);
    ASSERT_EQ(area.left(), vl::test::PrivateCupsServer::kEdgePoints)
        << "the test printer has an unprintable edge";
    const double dots = kDotsPerInch / 72.0;
    const QRect inside(
        QPoint(static_cast<int>(area.left() * dots) + 10, static_cast<int>(area.top() * dots) + 10),
        QPoint(static_cast<int>(area.right() * dots) - 10,
               static_cast<int>(area.bottom() * dots) - 10));
    for (const SampleTemplate& t : SampleTemplates()) {
        SCOPED_TRACE(t.kind.toStdString() + "/" + t.name.toStdString());
        const QString title =
            QStringLiteral("vellum-geometry-%1").arg(QRandomGenerator::global()->generate());
        const QString base = out.filePath(title);
        ASSERT_EQ(vellum(buildArgs(t) << QStringLiteral("--pdf") << base + "-build.pdf"), "");
        ASSERT_EQ(vellum(buildArgs(t) << QStringLiteral("--vlp") << base + ".vlp"), "");
        ASSERT_EQ(vellum({QStringLiteral("print"), base + ".vlp", QStringLiteral("--printer"),
                          printer, QStringLiteral("--pages"), QStringLiteral("1")}),
                  "");
        const QStringList files = vl::test::WaitForCupsPdf(title, 1);
        ASSERT_EQ(files.size(), 1);
        const QImage built = FirstPageImage(base + "-build.pdf");
        const QImage printed = FirstPageImage(files.front());
        QFile::remove(files.front());
        ASSERT_EQ(printed.size(), built.size());
        const QPoint middle = inside.center();
        for (const QRect& quarter :
             {QRect(inside.topLeft(), middle),
              QRect(QPoint(middle.x(), inside.top()), QPoint(inside.right(), middle.y())),
              QRect(QPoint(inside.left(), middle.y()), QPoint(middle.x(), inside.bottom())),
              QRect(middle, inside.bottomRight())}) {
            const QPoint shift = BestShift(built, printed, quarter);
            EXPECT_LE(std::abs(shift.x()), 1) << "quarter at " << quarter.x() << "," << quarter.y();
            EXPECT_LE(std::abs(shift.y()), 1) << "quarter at " << quarter.x() << "," << quarter.y();
        }
    }
}
