#include "engine/build/ProgressWindow.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/TvlPrinter.h"
#include "tests/support/RecordingPrinterSystem.h"
#include "tests/support/RecordingUiService.h"
#include "tests/support/ThreadEngine.h"

#include <gtest/gtest.h>

using namespace vl;
using vl::test::RecordingPrinterSystem;

namespace {

using Pages = std::vector<int>;

// Keeps what the progress window was shown.
class RecordingProgress : public TvlProgressWindow {
public:
    int runs = 0;
    std::vector<std::string> lines;
    std::function<void(const std::string&)> onLine;
    int RunWithProgress(const std::string& caption, const std::string& progressText,
                        const std::function<void()>& start) override {
        ++runs;
        return TvlProgressWindow::RunWithProgress(caption, progressText, start);
    }
    void SetFirstLine(const std::string& line) override {
        TvlProgressWindow::SetFirstLine(line);
        lines.push_back(line);
        if (onLine) onLine(line);
    }
};

PageSettings a4(int orientation = 0) {
    PageSettings s;
    s.PaperSize = 9;
    s.PaperWidth = orientation ? 2970 : 2100;
    s.PaperHeight = orientation ? 2100 : 2970;
    s.Orientation = static_cast<std::uint8_t>(orientation);
    s.PaperBin = -1;
    return s;
}

class PrintRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto owned = std::make_unique<RecordingPrinterSystem>();
        system = owned.get();
        Globals().startPrinter(std::move(owned));
        auto window = std::make_unique<RecordingProgress>();
        progress = window.get();
        Globals().setProgressWindow(std::move(window));
        auto ui = std::make_unique<vltest::RecordingUiService>();
        messages = &ui->messages;
        Globals().setUiService(std::move(ui));
        report.ShowProgress = false;
        report.Events.OnProgress = [this](int n) { system->reportPage(n); };
    }
    void TearDown() override {
        Globals().startPrinter(nullptr);
        Globals().setProgressWindow(nullptr);
        Globals().setUiService(std::make_unique<HeadlessUiService>());
        Globals().stopRequested() = false;
    }
    void addPages(int count, int orientation = 0) {
        for (int i = 0; i < count; ++i)
            report.EMFPages().AddPage(a4(orientation));
    }
    TvlPrintOutcome print(const std::string& list, int copies, bool collate,
                          int parity = ppAllPages) {
        return report.PrintPreparedReport(list, copies, collate, parity);
    }

    TvlReport report;
    RecordingPrinterSystem* system = nullptr;
    RecordingProgress* progress = nullptr;
    std::vector<std::string>* messages = nullptr;
};

} // namespace

TEST_F(PrintRunTest, CollatedCopiesArePrintedPassByPassInOneDocument) {
    addPages(3);
    EXPECT_TRUE(print("2-3", 2, true));
    ASSERT_EQ(system->documents.size(), 1u);
    const auto& doc = system->documents[0];
    EXPECT_EQ(doc.copies, 1);
    EXPECT_TRUE(doc.ended);
    EXPECT_FALSE(doc.aborted);
    EXPECT_EQ(system->pages(), (Pages{2, 3, 2, 3}));
}

TEST_F(PrintRunTest, UncollatedCopiesAreHandedToThePrinter) {
    addPages(3);
    EXPECT_TRUE(print("", 2, false));
    ASSERT_EQ(system->documents.size(), 1u);
    EXPECT_EQ(system->documents[0].copies, 2);
    EXPECT_FALSE(system->documents[0].collate);
    EXPECT_EQ(system->pages(), (Pages{1, 2, 3}));
}

TEST_F(PrintRunTest, APrinterWithoutCopiesGetsEveryPageAsOftenAsAsked) {
    system->copiesOfItsOwn = false;
    addPages(2);
    print("", 3, false);
    ASSERT_EQ(system->documents.size(), 1u);
    EXPECT_EQ(system->documents[0].copies, 1);
    EXPECT_EQ(system->pages(), (Pages{1, 1, 1, 2, 2, 2}));
}

TEST_F(PrintRunTest, CopiesZeroPrintsOneCopyAndParityFilters) {
    addPages(4);
    print("", 0, false, ppEvenPages);
    ASSERT_EQ(system->documents.size(), 1u);
    EXPECT_EQ(system->documents[0].copies, 1);
    EXPECT_EQ(system->pages(), (Pages{2, 4}));
}

TEST_F(PrintRunTest, APaperChangeEndsTheDocumentAndBeginsAnother) {
    report.EMFPages().AddPage(a4(0));
    report.EMFPages().AddPage(a4(1));
    report.EMFPages().AddPage(a4(1));
    report.EMFPages().AddPage(a4(0));
    print("", 1, true);
    ASSERT_EQ(system->documents.size(), 3u);
    EXPECT_EQ(system->pages(), (Pages{1, 2, 3, 4}));
    const auto& docs = system->documents;
    EXPECT_EQ(docs[0].sheets.size(), 1u);
    EXPECT_EQ(docs[1].sheets.size(), 2u);
    EXPECT_EQ(docs[2].sheets.size(), 1u);
    for (const auto& doc : docs)
        EXPECT_TRUE(doc.ended);
    EXPECT_EQ(docs[0].sheets[0].orientation, 0);
    EXPECT_EQ(docs[1].sheets[1].orientation, 1);
    EXPECT_EQ(docs[2].sheets[0].orientation, 0);
}

TEST_F(PrintRunTest, TheFirstPrintedPageChoosesThePaper) {
    report.EMFPages().AddPage(a4(0));
    report.EMFPages().AddPage(a4(1));
    print("2", 1, true);
    // no empty document on page 1's paper before the landscape one
    ASSERT_EQ(system->documents.size(), 1u);
    EXPECT_EQ(system->documents[0].sheets.size(), 1u);
    EXPECT_EQ(system->documents[0].sheets[0].orientation, 1);
}

TEST_F(PrintRunTest, AFileChangesPaperBetweenSheetsOfOneDocument) {
    system->paperInDocument = true;
    report.EMFPages().AddPage(a4(0));
    report.EMFPages().AddPage(a4(1));
    report.EMFPages().AddPage(a4(0));
    print("", 1, true);
    ASSERT_EQ(system->documents.size(), 1u);
    const auto& sheets = system->documents[0].sheets;
    ASSERT_EQ(sheets.size(), 3u);
    EXPECT_EQ(sheets[0].orientation, 0);
    EXPECT_EQ(sheets[1].orientation, 1);
    EXPECT_EQ(sheets[2].orientation, 0);
}

// The preview keeps showing what was laid out: printing on a printer of
// another geometry changes where the page goes on that printer's canvas,
// not the page.
TEST_F(PrintRunTest, PrintingKeepsThePagesGeometry) {
    addPages(1, 1);
    PageMetrics& m = report.EMFPages().PageAt(0).Metrics;
    TvlPrinter::FillVirtualMetrics(m, 2970, 2100);
    const PageMetrics laidOut = m;
    ASSERT_TRUE(print("", 1, true));
    EXPECT_EQ(report.EMFPages().PageAt(0).Metrics, laidOut);
    EXPECT_EQ(report.EMFPages().LivePageCount(), 0);
}

TEST_F(PrintRunTest, CancelAbortsTheDocumentAfterTheCurrentPage) {
    addPages(5);
    report.Events.OnProgress = [this](int n) {
        system->reportPage(n);
        if (n == 2) Globals().stopRequested() = true;
    };
    EXPECT_EQ(print("", 1, true).kind, TvlPrintOutcome::Cancelled);
    ASSERT_EQ(system->documents.size(), 1u);
    EXPECT_TRUE(system->documents[0].aborted);
    EXPECT_FALSE(system->documents[0].ended);
    EXPECT_EQ(system->pages(), (Pages{1, 2}));
    EXPECT_TRUE(Globals().stopRequested().load()); // until the next run
    report.Events.OnProgress = [this](int n) { system->reportPage(n); };
    EXPECT_TRUE(print("5", 1, true));
    EXPECT_EQ(system->pages(), (Pages{1, 2, 5}));
}

TEST_F(PrintRunTest, CancelInTheProgressWindowStopsTheRun) {
    addPages(4);
    report.Events.OnProgress = nullptr;
    report.ShowProgress = true;
    progress->onLine = [](const std::string& line) {
        if (line == "Printing page:  3") Globals().stopRequested() = true;
    };
    EXPECT_EQ(print("", 1, true).kind, TvlPrintOutcome::Cancelled);
    EXPECT_EQ(progress->runs, 1);
    EXPECT_TRUE(system->documents.at(0).aborted);
    EXPECT_EQ(system->documents[0].sheets.size(), 3u);
}

TEST_F(PrintRunTest, TheProgressWindowShowsTheTitleAndThePageNumbers) {
    addPages(2);
    report.Events.OnProgress = nullptr;
    report.ShowProgress = true;
    report.Title = "Tasks";
    EXPECT_TRUE(print("", 1, true));
    EXPECT_EQ(progress->runs, 1);
    EXPECT_EQ(progress->Caption, "Preparing report - Tasks");
    EXPECT_EQ(progress->ProgressText, "Printing page:");
    EXPECT_EQ(progress->lines,
              (std::vector<std::string>{"Printing page:  1", "Printing page:  2"}));
    EXPECT_EQ(system->documents.at(0).title, "Tasks");
}

TEST_F(PrintRunTest, AnUntitledReportPrintsUnderUntitled) {
    addPages(1);
    print("", 1, true);
    EXPECT_EQ(system->documents.at(0).title, "Untitled");
}

TEST_F(PrintRunTest, ABadPageListStopsBeforeAnythingIsPrinted) {
    addPages(3);
    report.Events.OnProgress = nullptr;
    report.ShowProgress = true;
    const TvlPrintOutcome outcome = print("1,x", 1, true);
    EXPECT_EQ(outcome.kind, TvlPrintOutcome::Failed);
    EXPECT_FALSE(outcome.message.empty());
    EXPECT_EQ(progress->runs, 0);
    EXPECT_TRUE(system->documents.empty());
}

TEST_F(PrintRunTest, ASelectionWithoutPagesPrintsNoDocument) {
    addPages(3);
    EXPECT_EQ(print("7-5", 1, true).kind, TvlPrintOutcome::NothingToPrint);
    EXPECT_EQ(print("2", 1, true, ppOddPages).kind, TvlPrintOutcome::NothingToPrint);
    EXPECT_TRUE(system->documents.empty());
}

TEST_F(PrintRunTest, PrinterErrorsCloseTheWindowAndReachTheCaller) {
    addPages(2);
    report.Events.OnProgress = nullptr;
    report.ShowProgress = true;
    system->failToBegin = true;
    EXPECT_EQ(print("", 1, true).kind, TvlPrintOutcome::Failed);
    EXPECT_EQ(progress->runs, 1);
    EXPECT_TRUE(system->documents.empty());
}

TEST_F(PrintRunTest, OnlyTheVirtualPrinterCannotPrint) {
    Globals().startPrinter(nullptr);
    addPages(1);
    const TvlPrintOutcome outcome = print("", 1, true);
    EXPECT_EQ(outcome.kind, TvlPrintOutcome::Failed);
    EXPECT_EQ(outcome.message, "There is no printer to print on");
}

TEST_F(PrintRunTest, ThePrintReportEventComesBeforeTheDocument) {
    addPages(1);
    std::size_t documentsThen = 99;
    report.Events.OnPrintReport = [&] { documentsThen = system->documents.size(); };
    print("", 1, true);
    EXPECT_EQ(documentsThen, 0u);
}

TEST_F(PrintRunTest, ChangePrinterMovesTheReportOrComesBack) {
    TvlPrinter& printer = GlobalPrinter();
    ASSERT_EQ(printer.SelectedPrinter(), 0);
    EXPECT_TRUE(report.ChangePrinter(0, 1));
    EXPECT_EQ(printer.SelectedPrinter(), 1);
    EXPECT_EQ(report.PrinterName, "Inkjet");
    EXPECT_TRUE(messages->empty());

    system->broken.insert(0);
    EXPECT_FALSE(report.ChangePrinter(1, 0));
    EXPECT_TRUE(messages->empty()) << "the caller tells the user";
    EXPECT_EQ(report.PrinterName, "Inkjet");
    EXPECT_EQ(system->current, 1);
}

TEST_F(PrintRunTest, SetPrinterNameSelectsUnlessTheReportKeepsTheDefault) {
    report.SetPrinterName("INKJET");
    EXPECT_EQ(GlobalPrinter().SelectedPrinter(), 1);
    report.PrintToDefault = true;
    report.SetPrinterName("Laser");
    EXPECT_EQ(GlobalPrinter().SelectedPrinter(), 1);
    EXPECT_EQ(report.PrinterName, "Laser");
    report.PrintToDefault = false;
    report.SetPrinterName("Nowhere");
    EXPECT_EQ(GlobalPrinter().SelectedPrinter(), 1);
}
