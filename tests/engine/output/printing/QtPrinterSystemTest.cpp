#include "engine/output/printing/QtPrinterSystem.h"

#include "engine/build/TvlEngine.h"
#include "engine/output/PaperTable.h"
#include "engine/output/TvlPrinter.h"
#include "tests/support/PrivateCupsServer.h"
#include "tests/support/ThreadEngine.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace vl;
using vl::test::PrivateCupsServer;

TEST(QtPaperCodes, UsesWindowsCodesAndNumbersTheRest) {
    const QPageSize odd(QSizeF(100, 150), QPageSize::Millimeter, "Photo", QPageSize::ExactMatch);
    const auto entries = PaperEntriesOf({QPageSize(QPageSize::A4), odd, QPageSize(QPageSize::A0)});
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].code, 9);
    EXPECT_EQ(entries[1].code, 258); // printer-specific: above the custom code
    EXPECT_EQ(entries[2].code, 259); // Qt knows no Windows code for A0

    EXPECT_EQ(PaperCodeOf(QPageSize(QPageSize::A4), entries), 9);
    EXPECT_EQ(PaperCodeOf(odd, entries), 258);
    EXPECT_EQ(PaperCodeOf(QPageSize(QPageSize::Letter), entries), 1);
    EXPECT_EQ(PaperCodeOf(CustomPageSize(1234, 2345), entries), 256);

    EXPECT_TRUE(PageSizeOf(258, entries)->isEquivalentTo(odd));
    EXPECT_EQ(PageSizeOf(1, entries)->id(), QPageSize::Letter);
    EXPECT_FALSE(PageSizeOf(256, entries).has_value());
    EXPECT_FALSE(PageSizeOf(-1, entries).has_value());
    EXPECT_FALSE(PageSizeOf(300, entries).has_value());
}

TEST(QtPaperCodes, PaperSourcesRoundTripThroughBinCodes) {
    for (auto source : {QPrinter::Upper, QPrinter::Manual, QPrinter::Auto, QPrinter::Cassette,
                        QPrinter::FormSource})
        EXPECT_EQ(PaperSourceOf(BinCodeOf(source)), source);
    EXPECT_EQ(BinCodeOf(QPrinter::Lower), 2);
    EXPECT_EQ(BinCodeOf(QPrinter::Cassette), 14);
    EXPECT_EQ(PaperSourceOf(-1), QPrinter::Auto);
}

namespace {

// The tests below run against a real CUPS printer: a private scheduler with
// a cups-pdf printer, started once for the suite.
class CupsPrinter : public ::testing::Test {
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
        auto system = std::make_unique<QtPrinterSystem>();
        qt = system.get();
        printer.Start(std::move(system));
    }

    int printerIndex() const {
        const StringList& list = printer.PrinterList();
        const auto it = std::find(list.begin(), list.end(), PrivateCupsServer::kPrinterName);
        return it == list.end() ? -1 : static_cast<int>(it - list.begin());
    }

    static PrivateCupsServer* server_;
    static std::string reason_;
    TvlPrinter printer;
    QtPrinterSystem* qt = nullptr;
};

PrivateCupsServer* CupsPrinter::server_ = nullptr;
std::string CupsPrinter::reason_;

} // namespace

TEST_F(CupsPrinter, ListsThePrinterBeforeTheVirtualOneAndSelectsIt) {
    ASSERT_GE(printerIndex(), 0);
    EXPECT_LT(printerIndex(), printer.VirtualPrinterIndex());
    EXPECT_EQ(printer.PrinterList().back(), "Virtual printer");
    EXPECT_EQ(printer.SelectedPrinter(), printerIndex());
    EXPECT_FALSE(printer.IsVirtual());
    EXPECT_EQ(printer.Device(), PrivateCupsServer::kPrinterName);
    ASSERT_NE(qt->printer(), nullptr);
    EXPECT_EQ(qt->printer()->printerName(), PrivateCupsServer::kPrinterName);
}

TEST_F(CupsPrinter, ReadsThePrintersPapersAndBins) {
    const auto& codes = printer.PaperCodes();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(printer.PaperNameList().size(), codes.size());
    EXPECT_EQ(printer.PaperNameList()[static_cast<std::size_t>(printer.PaperIndex(9))], "A4");
    EXPECT_NE(std::find(codes.begin(), codes.end(), 1), codes.end()); // Letter
    EXPECT_EQ(printer.BinCodes().front(), -1);
    EXPECT_EQ(printer.BinNameList().front(), "Default");
    EXPECT_EQ(printer.PaperSize(), 9); // the printer's default paper
    EXPECT_NEAR(printer.PaperWidth(), 2100, 1);
    EXPECT_NEAR(printer.PaperHeight(), 2970, 1);
}

TEST_F(CupsPrinter, MetricsOfA4AtThePrintersResolution) {
    printer.SetPaper(9, 2100, 2970, -1, 0, true);
    PageMetrics m;
    printer.FillMetrics(m);
    const int dpi = qt->printer()->resolution();
    ASSERT_GE(dpi, 72);
    EXPECT_NEAR(m.DevicePaperWidth, 210 / 25.4 * dpi, 2);
    EXPECT_NEAR(m.DevicePaperHeight, 297 / 25.4 * dpi, 2);
    EXPECT_NEAR(m.PixelPaperWidth, 758, 1);
    EXPECT_NEAR(m.PixelPaperHeight, 1071, 1);
    EXPECT_GE(m.DeviceOffsetX, 0);
    EXPECT_GE(m.DeviceOffsetY, 0);
    EXPECT_LE(m.DeviceOffsetX + m.DevicePrintWidth, m.DevicePaperWidth);
    EXPECT_LE(m.DeviceOffsetY + m.DevicePrintHeight, m.DevicePaperHeight);
    EXPECT_GT(m.PixelPrintWidth, 600);
    EXPECT_GT(m.PixelPrintHeight, 900);
}

TEST_F(CupsPrinter, ChangesPaperOrientationAndCustomSizes) {
    printer.SetPaper(1, 2159, 2794, -1, 1, false);
    EXPECT_EQ(printer.PaperSize(), 1);
    EXPECT_EQ(printer.Orientation(), 1);
    EXPECT_EQ(qt->printer()->pageLayout().orientation(), QPageLayout::Landscape);
    PageMetrics m;
    printer.FillMetrics(m);
    EXPECT_NEAR(m.PixelPaperWidth, 1008, 1);
    EXPECT_NEAR(m.PixelPaperHeight, 779, 1);

    printer.SetPaper(kCustomPaper, 1500, 1000, -1, 1, false);
    EXPECT_EQ(printer.PaperSize(), kCustomPaper);
    EXPECT_NEAR(printer.PaperWidth(), 1500, 1);
    EXPECT_NEAR(printer.PaperHeight(), 1000, 1);
    EXPECT_TRUE(printer.PaperMatches(kCustomPaper, 1500, 1000, -1, 1));
}

TEST_F(CupsPrinter, SwitchesToTheVirtualPrinterAndBack) {
    const int real = printer.SelectedPrinter();
    printer.SelectPrinter(printer.VirtualPrinterIndex());
    EXPECT_EQ(printer.PaperCodes().size(), 67u);
    printer.SelectPrinter(real);
    EXPECT_EQ(printer.Device(), PrivateCupsServer::kPrinterName);
    EXPECT_NE(printer.PaperCodes().size(), 67u);
}

TEST_F(CupsPrinter, PropertiesDialogHookWorksOnACopy) {
    int shown = 0;
    qt->setPropertiesDialog([&](QPrinter& p) {
        ++shown;
        EXPECT_NE(&p, qt->printer());
        p.setPageOrientation(QPageLayout::Landscape);
        return 1;
    });
    printer.ShowPrinterProperties();
    EXPECT_EQ(shown, 1);
    printer.RefreshSettings();
    EXPECT_EQ(printer.Orientation(), 1);
}

TEST_F(CupsPrinter, GlobalPrinterStartsOnTheSystemPrinters) {
    Globals().startPrinter(std::make_unique<QtPrinterSystem>());
    EXPECT_TRUE(Globals().printerReady());
    EXPECT_EQ(GlobalPrinter().Device(), PrivateCupsServer::kPrinterName);
    EXPECT_EQ(Globals().defaultPaperSize(), 9);
    Globals().startPrinter(nullptr);
}
