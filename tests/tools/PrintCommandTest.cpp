#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/output/PrinterSystem.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/BandType.h"
#include "tests/support/PrintedPages.h"
#include "tests/support/PrivateCupsServer.h"
#include "tools/vellum/Commands.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vl::test {
namespace {

using Words = std::vector<std::string>;
const QString kPageWord = QStringLiteral("PAGE-[A-Z]+");

// "vellum print" on a prepared report of three pages whose texts are
// PAGE-ONE, PAGE-TWO and PAGE-THREE.
class PrintCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        TvlEMFPages pages;
        AddTextPages(pages, {"PAGE-ONE", "PAGE-TWO", "PAGE-THREE"});
        // cups-pdf names its files after the job, whose title is the file's
        // name: unique, so that runs do not meet.
        title = QStringLiteral("vellum-print-%1").arg(QRandomGenerator::global()->generate());
        report = dir.filePath(title + QStringLiteral(".vlp"));
        pages.SaveToFile(report);
    }
    void TearDown() override { Globals().startPrinter(nullptr); }

    int run(QStringList args) {
        args.prepend(QStringLiteral("print"));
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int status = vellum_cli::RunCommandLine(args);
        out = testing::internal::GetCapturedStdout();
        err = testing::internal::GetCapturedStderr();
        return status;
    }
    QString pdf() const { return dir.filePath(QStringLiteral("out.pdf")); }

    QTemporaryDir dir;
    QString title;
    QString report;
    std::string out, err;
};

} // namespace

TEST_F(PrintCommandTest, CollatedCopiesOfARangeIntoAPdfFile) {
    ASSERT_EQ(run({report, "--pdf", pdf(), "--pages", "2-3", "--copies", "2", "--collate"}), 0)
        << err;
    EXPECT_EQ(PdfWords(pdf(), kPageWord),
              (Words{"PAGE-TWO", "PAGE-THREE", "PAGE-TWO", "PAGE-THREE"}));
}

TEST_F(PrintCommandTest, AFileRepeatsUncollatedPagesAndKeepsParity) {
    ASSERT_EQ(run({report, "--pdf", pdf(), "--copies", "2", "--no-collate", "--odd"}), 0) << err;
    EXPECT_EQ(PdfWords(pdf(), kPageWord),
              (Words{"PAGE-ONE", "PAGE-ONE", "PAGE-THREE", "PAGE-THREE"}));
    ASSERT_EQ(run({report, "--pdf", pdf(), "--even"}), 0) << err;
    EXPECT_EQ(PdfWords(pdf(), kPageWord), (Words{"PAGE-TWO"}));
}

TEST_F(PrintCommandTest, PaperChangesStayInOneFile) {
    TvlEMFPages pages;
    AddTextPages(pages, {"PAGE-ONE", "PAGE-TWO", "PAGE-THREE"}, {false, true, false});
    const QString mixed = dir.filePath(QStringLiteral("mixed.vlp"));
    pages.SaveToFile(mixed);
    ASSERT_EQ(run({mixed, "--pdf", pdf()}), 0) << err;
    EXPECT_EQ(PdfWords(pdf(), kPageWord), (Words{"PAGE-ONE", "PAGE-TWO", "PAGE-THREE"}));
    const std::vector<std::string> sizes = PdfPageSizes(pdf());
    ASSERT_EQ(sizes.size(), 3u);
    EXPECT_EQ(sizes[0], sizes[2]);
    EXPECT_NE(sizes[0], sizes[1]);
}

TEST_F(PrintCommandTest, ATemplateIsBuiltThenPrinted) {
    TvlReport layout;
    layout.Pages().Clear();
    TvlPage& page = layout.Pages().Add();
    auto band = std::make_unique<TvlBandView>();
    band->FrameTyp = btReportTitle;
    band->SetBounds(0, 40, 700, 40);
    band->Name = "ReportTitle1";
    band->Flags = 0;
    page.AddObject(std::move(band));
    auto memo = std::make_unique<TvlMemoView>();
    memo->SetBounds(20, 45, 300, 18);
    memo->Memo = {"PAGE-TITLE"};
    memo->Name = "Memo1";
    memo->Flags = 0;
    page.AddObject(std::move(memo));
    const QString file = dir.filePath(QStringLiteral("title.vlf"));
    layout.SaveToFile(file);
    ASSERT_EQ(run({file, "--pdf", pdf()}), 0) << err;
    EXPECT_EQ(PdfWords(pdf(), kPageWord), (Words{"PAGE-TITLE"}));
}

TEST_F(PrintCommandTest, BadRequestsPrintNothingAndSayWhy) {
    EXPECT_EQ(run({report, "--printer", "No such printer", "--pages", "1"}), 1);
    EXPECT_EQ(err, "vellum: no printer named \"No such printer\"\n");
    EXPECT_EQ(run({report, "--pdf", pdf(), "--pages", "1,x"}), 1);
    EXPECT_EQ(err, "vellum: --pages: 'x' is not a valid integer value\n");
    EXPECT_NE(run({report, "--pdf", pdf(), "--copies", "two"}), 0);
    EXPECT_NE(run({report, "--pdf", pdf(), "--odd", "--even"}), 0);
    EXPECT_NE(run({report, "--pdf", pdf(), "--printer", "x"}), 0);
    EXPECT_EQ(run({dir.filePath("missing.vlp"), "--pdf", pdf()}), 1);
    EXPECT_FALSE(QFile::exists(pdf()));
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
}

namespace {

// The same run on a CUPS printer, by the program itself: a private
// scheduler with a cups-pdf printer, which writes each job into the user's
// "PDF" folder. The page texts are "ONE", "TWO TWO" and "THREE THREE
// THREE": the printer's PostScript stage keeps the words, not their letters.
class CupsPrintCommandTest : public PrintCommandTest {
protected:
    static void SetUpTestSuite() {
        server_ = new PrivateCupsServer;
        if (!server_->start(reason_)) reason_ = "no private CUPS server: " + reason_;
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    void SetUp() override {
        if (!server_->running()) GTEST_SKIP() << reason_;
        PrintCommandTest::SetUp();
    }
    void TearDown() override {
        for (const QString& file : WaitForCupsPdf(title, 0))
            QFile::remove(file);
        PrintCommandTest::TearDown();
    }
    QString writePages(const std::vector<bool>& landscape = {}) {
        TvlEMFPages pages;
        AddTextPages(pages, {"ONE", "TWO TWO", "THREE THREE THREE"}, landscape);
        const QString file = dir.filePath(title + QStringLiteral(".vlp"));
        pages.SaveToFile(file);
        return file;
    }
    // Runs the program, which reaches the server through CUPS_SERVER.
    int runProgram(const QStringList& args) {
        QProcess program;
        // The build puts the program in tools/ beside the tests' folder.
        const QString path =
            QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/vellum");
        program.start(path, QStringList{QStringLiteral("print")} + args);
        if (!program.waitForFinished(60000)) return -1;
        err = program.readAllStandardError().toStdString();
        return program.exitCode();
    }

    static PrivateCupsServer* server_;
    static std::string reason_;
};

PrivateCupsServer* CupsPrintCommandTest::server_ = nullptr;
std::string CupsPrintCommandTest::reason_;

} // namespace

TEST_F(CupsPrintCommandTest, CollatedCopiesOfARangeOnACupsPrinter) {
    ASSERT_EQ(runProgram({writePages(), "--printer", PrivateCupsServer::kPrinterName, "--pages",
                          "2-3", "--copies", "2", "--collate"}),
              0)
        << err;
    const QStringList files = WaitForCupsPdf(title, 1);
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(PdfWordsPerPage(files[0]), (std::vector<int>{2, 3, 2, 3}));
}

TEST_F(CupsPrintCommandTest, APaperChangeIsANewJob) {
    ASSERT_EQ(runProgram({writePages({false, true, true}), "--printer",
                          QString::fromLatin1(PrivateCupsServer::kPrinterName).toLower()}),
              0)
        << err;
    const QStringList files = WaitForCupsPdf(title, 2);
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(PdfWordsPerPage(files[0]), (std::vector<int>{1}));
    // cups-pdf turns landscape pages into rotated portrait ones, whose
    // words pdftotext cannot count.
    EXPECT_EQ(PdfPageSizes(files[0]).size(), 1u);
    EXPECT_EQ(PdfPageSizes(files[1]).size(), 2u);
}

} // namespace vl::test
