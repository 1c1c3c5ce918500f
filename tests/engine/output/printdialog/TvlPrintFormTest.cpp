#include "engine/output/printdialog/TvlPrintForm.h"

#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/TvlPrinter.h"
#include "engine/output/printdialog/CollatePicture.h"
#include "engine/output/printdialog/PrintReport.h"
#include "engine/output/printing/QtPrinterSystem.h"
#include "engine/script/CodePage.h"
#include "engine/script/UiService.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/PrintedPages.h"
#include "tests/support/PrivateCupsServer.h"
#include "tests/support/RecordingPrinterSystem.h"
#include "tests/support/ThreadEngine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace vl;
using vl::test::RecordingPrinterSystem;

namespace {

class CountingUi : public HeadlessUiService {
public:
    std::vector<std::string> messages;
    int messageBox(const std::string& text, const std::string& caption, int flags) override {
        messages.push_back(caption + ": " + text);
        return HeadlessUiService::messageBox(text, caption, flags);
    }
};

class PrintFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto owned = std::make_unique<RecordingPrinterSystem>();
        system = owned.get();
        Globals().startPrinter(std::move(owned));
        auto ui = std::make_unique<CountingUi>();
        messages = &ui->messages;
        Globals().setUiService(std::move(ui));
    }
    void TearDown() override {
        Globals().startPrinter(nullptr);
        Globals().setUiService(std::make_unique<HeadlessUiService>());
    }
    template <class T> T* find(QWidget& form, const char* name) {
        T* widget = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void clickOk(TvlPrintForm& form) { form.done(QDialog::Accepted); }

    RecordingPrinterSystem* system = nullptr;
    std::vector<std::string>* messages = nullptr;
};

} // namespace

TEST_F(PrintFormTest, ShowsTheSystemsPrintersAndTheDefaults) {
    GlobalPrinter().SelectPrinter(1);
    TvlPrintForm form(Globals(), 10);
    EXPECT_EQ(form.windowTitle(), "Print");
    auto* printers = find<QComboBox>(form, "PrinterBox");
    ASSERT_EQ(printers->count(), 2); // no virtual printer
    EXPECT_EQ(printers->itemText(0), "Laser");
    EXPECT_EQ(printers->currentText(), "Inkjet");
    EXPECT_FALSE(printers->itemIcon(0).isNull());
    EXPECT_TRUE(find<QRadioButton>(form, "AllPagesButton")->isChecked());
    EXPECT_EQ(find<QLineEdit>(form, "CopiesEdit")->text(), "1");
    EXPECT_TRUE(find<QCheckBox>(form, "CollateCB")->isChecked());
    auto* parity = find<QComboBox>(form, "ParityBox");
    ASSERT_EQ(parity->count(), 3);
    EXPECT_EQ(parity->itemText(2), "Even pages");
    const TvlPrintRequest request = form.request(4);
    EXPECT_EQ(request.PageList, "");
    EXPECT_EQ(request.Copies, 1);
    EXPECT_TRUE(request.Collate);
    EXPECT_EQ(request.Parity, ppAllPages);
}

TEST_F(PrintFormTest, OnTheVirtualPrinterTheListStartsOnTheSystemsChoice) {
    system->current = 1;
    GlobalPrinter().SelectPrinter(GlobalPrinter().VirtualPrinterIndex());
    TvlPrintForm form(Globals(), 1);
    EXPECT_EQ(find<QComboBox>(form, "PrinterBox")->currentText(), "Inkjet");
}

TEST_F(PrintFormTest, CopiesStepUpAndDownButNotBelowOne) {
    TvlPrintForm form(Globals(), 3);
    form.setCopies(2);
    auto* copies = find<QLineEdit>(form, "CopiesEdit");
    auto* down = find<QToolButton>(form, "DownBtn");
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(copies->text(), "1");
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(copies->text(), "1");
    QTest::mouseClick(find<QToolButton>(form, "UpBtn"), Qt::LeftButton);
    QTest::mouseClick(find<QToolButton>(form, "UpBtn"), Qt::LeftButton);
    EXPECT_EQ(copies->text(), "3");
}

TEST_F(PrintFormTest, ARangeOrTheCurrentPageMakesThePageList) {
    TvlPrintForm form(Globals(), 10);
    form.show();
    auto* pages = find<QLineEdit>(form, "PageRangeEdit");
    QTest::keyClicks(pages, "1,3-5");
    EXPECT_TRUE(find<QRadioButton>(form, "PageRangeButton")->isChecked());
    EXPECT_EQ(form.request(7).PageList, "1,3-5");
    // on the button's circle: a click beside its text misses it
    QTest::mouseClick(find<QRadioButton>(form, "CurrentPageButton"), Qt::LeftButton, {},
                      QPoint(6, 6));
    EXPECT_EQ(form.request(7).PageList, "7");
    find<QComboBox>(form, "ParityBox")->setCurrentIndex(1);
    EXPECT_EQ(form.request(7).Parity, ppOddPages);
}

TEST_F(PrintFormTest, CollateRedrawsThePicture) {
    TvlPrintForm form(Globals(), 3);
    form.show();
    auto* picture = find<CollatePicture>(form, "CollatePicture");
    auto* collate = find<QCheckBox>(form, "CollateCB");
    EXPECT_TRUE(picture->collated());
    QTest::mouseClick(collate, Qt::LeftButton);
    EXPECT_FALSE(picture->collated());
    EXPECT_FALSE(form.request(1).Collate);
    form.setCollate(true);
    EXPECT_TRUE(picture->collated());
    EXPECT_TRUE(collate->isChecked());
}

TEST_F(PrintFormTest, CopiesThatAreNoWholeNumberAreRefused) {
    TvlPrintForm form(Globals(), 3);
    form.show();
    auto* copies = find<QLineEdit>(form, "CopiesEdit");
    for (const char* text : {"2x", "", "1.5", "-1"}) {
        copies->setText(QString::fromLatin1(text));
        clickOk(form);
        EXPECT_TRUE(form.isVisible()) << text;
        EXPECT_EQ(form.result(), QDialog::Rejected) << text;
    }
    ASSERT_EQ(messages->size(), 4u);
    EXPECT_EQ(messages->front(), "Error: '2x' is not a valid number of copies");
    copies->setText(QStringLiteral(" 2 "));
    clickOk(form);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.request(1).Copies, 2);
}

TEST_F(PrintFormTest, APageListThatCannotBeReadIsRefused) {
    TvlPrintForm form(Globals(), 3);
    form.show();
    QTest::keyClicks(find<QLineEdit>(form, "PageRangeEdit"), "1,x");
    clickOk(form);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(*messages, (std::vector<std::string>{"Error: 'x' is not a valid integer value"}));
    // The same text does not count while "All" is chosen.
    find<QRadioButton>(form, "AllPagesButton")->setChecked(true);
    clickOk(form);
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(PrintFormTest, CancelSelectsTheStartPrinterAgainOkKeepsTheChoice) {
    {
        TvlPrintForm form(Globals(), 3);
        auto* printers = find<QComboBox>(form, "PrinterBox");
        printers->setCurrentIndex(1);
        emit printers->activated(1);
        EXPECT_EQ(GlobalPrinter().SelectedPrinter(), 1);
        EXPECT_EQ(system->current, 1);
        form.reject();
        EXPECT_EQ(GlobalPrinter().SelectedPrinter(), 0);
    }
    TvlPrintForm form(Globals(), 3);
    auto* printers = find<QComboBox>(form, "PrinterBox");
    printers->setCurrentIndex(1);
    emit printers->activated(1);
    clickOk(form);
    EXPECT_EQ(GlobalPrinter().SelectedPrinter(), 1);
}

TEST_F(PrintFormTest, APrinterThatCannotBeSelectedIsRefused) {
    system->broken.insert(1);
    TvlPrintForm form(Globals(), 3);
    auto* printers = find<QComboBox>(form, "PrinterBox");
    printers->setCurrentIndex(1);
    emit printers->activated(1);
    EXPECT_EQ(*messages, (std::vector<std::string>{"Error: Printer selected is not valid"}));
    EXPECT_EQ(printers->currentText(), "Laser");
    EXPECT_EQ(system->current, 0);
}

TEST_F(PrintFormTest, PropertiesRunThePrintersOwnDialog) {
    int shown = 0;
    system->editHook = [&](DeviceMode& mode) {
        ++shown;
        mode.orientation = DeviceMode::dmLandscape;
        return 1;
    };
    TvlPrintForm form(Globals(), 3);
    QTest::mouseClick(find<QPushButton>(form, "PropButton"), Qt::LeftButton);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(system->mode.orientation, DeviceMode::dmLandscape);
}

namespace {

class PrintReportTest : public PrintFormTest {
protected:
    void SetUp() override {
        PrintFormTest::SetUp();
        report.ShowProgress = false;
        report.Events.OnProgress = [this](int n) { system->reportPage(n); };
        for (int i = 0; i < 3; ++i) {
            PageSettings paper;
            paper.PaperSize = 9;
            paper.PaperWidth = 2100;
            paper.PaperHeight = 2970;
            paper.PaperBin = -1;
            report.EMFPages().AddPage(paper);
        }
    }
    // A print dialog no test asked for fails the test that met it.
    void TearDown() override {
        if (!HasFailure()) EXPECT_EQ(dialogs.unanswered(), "");
        PrintFormTest::TearDown();
    }
    TvlReport report;
    vl::test::ModalDialogs dialogs;
};

} // namespace

TEST_F(PrintReportTest, TheDialogsChoicesReachThePrinter) {
    dialogs.expect<TvlPrintForm>([](TvlPrintForm& form) {
        QTest::keyClicks(form.findChild<QLineEdit*>(QStringLiteral("PageRangeEdit")), "2-3");
        form.findChild<QLineEdit*>(QStringLiteral("CopiesEdit"))->setText(QStringLiteral("2"));
        QTest::keyClick(&form, Qt::Key_Return);
    });
    EXPECT_TRUE(PrintReport(report, 1));
    EXPECT_EQ(dialogs.unanswered(), "");
    ASSERT_EQ(system->documents.size(), 1u);
    EXPECT_EQ(system->documents[0].copies, 1);
    EXPECT_EQ(system->pages(), (std::vector<int>{2, 3, 2, 3}));
}

// A report that asks for it is built again on the printer the dialog
// chose, but only when that printer lays its pages out otherwise: the same
// printable area prints the pages the preview shows.
TEST_F(PrintReportTest, AReportThatAsksIsBuiltAgainOnAPrinterOfAnotherGeometry) {
    report.Pages().Clear();
    report.Pages().Add();
    report.EMFPages().Clear();
    ASSERT_TRUE(report.PrepareReport());
    const int pages = report.EMFPages().Count();
    ASSERT_GT(pages, 0);
    report.RebuildPrinter = true;
    int builds = 0;
    report.Events.OnBeginDoc = [&] { ++builds; };
    const auto chooseInkjet = [](TvlPrintForm& form) {
        auto* list = form.findChild<QComboBox*>(QStringLiteral("PrinterBox"));
        list->setCurrentIndex(1);
        emit list->activated(1);
        QTest::keyClick(&form, Qt::Key_Return);
    };
    dialogs.expect<TvlPrintForm>(chooseInkjet);
    EXPECT_TRUE(PrintReport(report, 1));
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(builds, 0) << "the same geometry";
    EXPECT_EQ(report.PrinterName, "Inkjet");
    ASSERT_EQ(system->documents.size(), 1u);

    system->edges[1] = 100;
    GlobalPrinter().SelectPrinter(0);
    dialogs.expect<TvlPrintForm>(chooseInkjet);
    EXPECT_TRUE(PrintReport(report, 1));
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(builds, 1);
    EXPECT_EQ(report.PrinterName, "Inkjet");
    EXPECT_EQ(system->current, 1);
    ASSERT_EQ(system->documents.size(), 2u);
    EXPECT_EQ(static_cast<int>(system->documents[1].sheets.size()), pages);
}

TEST_F(PrintReportTest, CancelPrintsNothing) {
    dialogs.expect<TvlPrintForm>(
        [](TvlPrintForm& form) { QTest::keyClick(&form, Qt::Key_Escape); });
    EXPECT_FALSE(PrintReport(report, 1));
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_TRUE(system->documents.empty());
}

TEST_F(PrintReportTest, WithoutTheDialogTheReportsDefaultsPrint) {
    report.ShowPrintDialog = false;
    report.DefaultCopies = 3;
    report.DefaultCollate = false;
    EXPECT_TRUE(PrintReport(report, 2));
    EXPECT_EQ(dialogs.unanswered(), ""); // no dialog
    ASSERT_EQ(system->documents.size(), 1u);
    EXPECT_EQ(system->documents[0].copies, 3);
    EXPECT_FALSE(system->documents[0].collate);
    EXPECT_EQ(system->pages(), (std::vector<int>{1, 2, 3}));
}

TEST_F(PrintReportTest, NothingHappensWithoutPagesOrPrinters) {
    report.ShowPrintDialog = false;
    Globals().startPrinter(nullptr);
    EXPECT_FALSE(PrintReport(report, 1));
    report.EMFPages().Clear();
    EXPECT_FALSE(PrintReport(report, 1));
    EXPECT_TRUE(messages->empty());
}

TEST_F(PrintReportTest, PrinterErrorsAreShown) {
    report.ShowPrintDialog = false;
    system->failToBegin = true;
    EXPECT_FALSE(PrintReport(report, 1));
    EXPECT_EQ(*messages, (std::vector<std::string>{"Error: printer offline"}));
}

namespace {

// The dialog on the system's printers through Qt: "Print to PDF file" and a
// private CUPS scheduler with a cups-pdf printer.
class QtPrintDialogTest : public ::testing::Test {
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
        auto owned = std::make_unique<QtPrinterSystem>();
        owned->setPdfPrinterOffered(true);
        qt = owned.get();
        Globals().startPrinter(std::move(owned));
        title = QStringLiteral("vellum-dialog-%1").arg(QRandomGenerator::global()->generate());
        report.Title = FromQt(title);
        report.ShowProgress = false;
        // A printer's PostScript stage keeps how many words a page holds,
        // not always their letters.
        vl::test::AddTextPages(report.EMFPages(), {"ONE", "TWO TWO", "THREE THREE THREE"});
    }
    void TearDown() override {
        for (const QString& file : vl::test::WaitForCupsPdf(title, 0))
            QFile::remove(file);
        Globals().startPrinter(nullptr);
    }
    // The print dialog is to come: it chooses the printer, pages 2-3 and
    // two collated copies, and OK; a file name asked for is answered with
    // pdf and counted in asked.
    void choose(const QString& printer, const QString& pdf = {}) {
        dialogs.expect<TvlPrintForm>([this, printer, pdf](TvlPrintForm& form) {
            auto* list = form.findChild<QComboBox*>(QStringLiteral("PrinterBox"));
            const int item = list->findText(printer);
            if (item < 0) {
                ADD_FAILURE() << "no printer " << printer.toStdString();
                return form.reject();
            }
            list->setCurrentIndex(item);
            emit list->activated(item);
            QTest::keyClicks(form.findChild<QLineEdit*>(QStringLiteral("PageRangeEdit")), "2-3");
            QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("UpBtn")),
                              Qt::LeftButton);
            form.findChild<QCheckBox*>(QStringLiteral("CollateCB"))->setChecked(true);
            form.askPdfFileName = [this, pdf](QWidget*) {
                ++asked;
                return pdf;
            };
            QTest::keyClick(&form, Qt::Key_Return);
        });
    }

    static vl::test::PrivateCupsServer* server_;
    static std::string reason_;
    QtPrinterSystem* qt = nullptr;
    int asked = 0;
    QString title;
    TvlReport report;
    vl::test::ModalDialogs dialogs;
};

vl::test::PrivateCupsServer* QtPrintDialogTest::server_ = nullptr;
std::string QtPrintDialogTest::reason_;

using Counts = std::vector<int>;

} // namespace

TEST_F(QtPrintDialogTest, PrintsIntoAPdfFileItAsksFor) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("chosen.pdf"));
    choose(QStringLiteral("Print to PDF file"), pdf);
    EXPECT_TRUE(PrintReport(report, 1));
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(vl::test::PdfWordsPerPage(pdf), (Counts{2, 3, 2, 3}));
}

TEST_F(QtPrintDialogTest, PrintsOnACupsPrinter) {
    if (!server_->running()) GTEST_SKIP() << reason_;
    GlobalPrinter().AttachSystemPrinter();
    choose(QString::fromLatin1(vl::test::PrivateCupsServer::kPrinterName));
    EXPECT_TRUE(PrintReport(report, 1));
    EXPECT_EQ(dialogs.unanswered(), "");
    EXPECT_EQ(asked, 0);
    const QStringList files = vl::test::WaitForCupsPdf(title, 1);
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(vl::test::PdfWordsPerPage(files[0]), (Counts{2, 3, 2, 3}));
}
