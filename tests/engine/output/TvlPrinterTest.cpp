#include "engine/output/TvlPrinter.h"

#include "engine/build/TvlEngine.h"
#include "engine/output/PageUnits.h"
#include "engine/output/PaperTable.h"
#include "engine/script/Errors.h"
#include "tests/support/ThreadEngine.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>

using namespace vl;

namespace {

// A platform with printers whose device mode is a plain record; the
// capabilities follow the paper as a driver's would.
class FakePrinterSystem : public PrinterSystem {
public:
    StringList names{"Laser", "Inkjet"};
    int current = 1;
    bool readable = true;
    int dpi = 600;
    int offset = 100;
    DeviceMode mode;
    std::vector<DeviceEntry> paperList{{9, "A4"}, {1, "Letter"}, {256, "Custom"}};
    std::vector<DeviceEntry> binList{{7, "Auto"}, {4, "Manual"}};
    bool busy = false;
    int modeWrites = 0;
    std::function<int(DeviceMode&)> dialog;

    FakePrinterSystem() {
        mode.fields = DeviceMode::dmOrientation | DeviceMode::dmPaperSize | DeviceMode::dmCopies |
                      DeviceMode::dmDefaultSource;
        mode.paperSize = 9;
        mode.defaultSource = 7;
        mode.copies = 3;
    }

    StringList enumeratePrinters() override { return names; }
    int currentPrinter() const override { return current; }
    void setCurrentPrinter(int index) override { current = index; }
    std::optional<DeviceMode> deviceMode() const override {
        return readable ? std::optional<DeviceMode>(mode) : std::nullopt;
    }
    void setDeviceMode(const DeviceMode& m) override {
        mode = m;
        ++modeWrites;
    }
    DeviceCaps capabilities() const override {
        int w = 0, h = 0;
        if (mode.has(DeviceMode::dmPaperWidth) && mode.paperSize == kCustomPaper) {
            w = mode.paperWidth;
            h = mode.paperLength;
        } else if (const PaperSizeInfo* p = FindPaper(mode.paperSize)) {
            w = p->width;
            h = p->height;
        }
        if (mode.orientation == DeviceMode::dmLandscape) std::swap(w, h);
        DeviceCaps caps;
        caps.dpiX = caps.dpiY = dpi;
        caps.physicalWidth = static_cast<int>(std::lround(w * dpi / 254.0));
        caps.physicalHeight = static_cast<int>(std::lround(h * dpi / 254.0));
        caps.physicalOffsetX = caps.physicalOffsetY = offset;
        caps.printableWidth = caps.physicalWidth - 2 * offset;
        caps.printableHeight = caps.physicalHeight - 2 * offset;
        return caps;
    }
    std::vector<DeviceEntry> papers() const override { return paperList; }
    std::vector<DeviceEntry> bins() const override { return binList; }
    bool printing() const override { return busy; }
    int editDeviceMode(DeviceMode& m) override { return dialog ? dialog(m) : -1; }
};

struct RealPrinter {
    TvlPrinter printer;
    FakePrinterSystem* system;
    RealPrinter() {
        auto owned = std::make_unique<FakePrinterSystem>();
        system = owned.get();
        printer.Start(std::move(owned));
    }
};

PageMetrics marked() {
    PageMetrics m;
    m.DevicePaperWidth = m.DevicePaperHeight = m.DeviceOffsetX = m.DeviceOffsetY = -7;
    m.DevicePrintWidth = m.DevicePrintHeight = -7;
    return m;
}

} // namespace

TEST(PageUnits, ConvertsWithHalvesToEven) {
    EXPECT_EQ(TenthsMmToPixels(2100), 758);
    EXPECT_EQ(TenthsMmToPixels(2970), 1071);
    EXPECT_EQ(TenthsMmToPixels(254), 92); // one inch
    EXPECT_EQ(DotsToPixels(600, 600), 92);
    EXPECT_EQ(DotsToTenthsMm(128, 512), 64);  // 63.5
    EXPECT_EQ(DotsToTenthsMm(384, 512), 190); // 190.5
}

TEST(PaperTable, HoldsEveryPaperWithItsName) {
    const auto& table = PaperTable();
    ASSERT_EQ(table.size(), 67u);
    EXPECT_EQ(table.front().code, 1);
    EXPECT_EQ(table.back().code, kCustomPaper);
    EXPECT_EQ(FindPaper(47)->width, 2200);
    EXPECT_EQ(FindPaper(50)->height, 3048); // 48 and 49 do not exist
    EXPECT_EQ(FindPaper(48), nullptr);
    const StringList names = LoadPaperNames();
    EXPECT_EQ(names.front(), "Letter, 8 1/2 x 11\"");
    EXPECT_EQ(names[8], "A4 210 x 297 mm");
    EXPECT_EQ(names.back(), "Custom");
}

TEST(VirtualPrinter, IsAllThereIsWithoutPrinters) {
    TvlPrinter printer;
    printer.Start(nullptr);
    EXPECT_EQ(printer.PrinterList(), (StringList{"Virtual printer"}));
    EXPECT_TRUE(printer.IsVirtual());
    EXPECT_EQ(printer.PaperSize(), kPaperA4);
    EXPECT_EQ(printer.PaperNameList().size(), 67u);
    EXPECT_EQ(printer.PaperCodes().size(), 67u);
    EXPECT_EQ(printer.BinCodes(), (std::vector<int>{-1}));
    EXPECT_EQ(printer.BinNameList(), (StringList{"Default"}));

    auto none = std::make_unique<FakePrinterSystem>();
    none->names.clear();
    printer.Start(std::move(none));
    EXPECT_EQ(printer.PrinterList().size(), 1u);
    EXPECT_TRUE(printer.IsVirtual());
}

TEST(VirtualPrinter, MetricsHaveAFiveMillimetreEdge) {
    TvlPrinter printer;
    printer.Start(nullptr);
    printer.SetPaper(9, 0, 0, -1, 0, true);
    PageMetrics m = marked();
    printer.FillMetrics(m);
    EXPECT_EQ(m.PixelPaperWidth, 758);
    EXPECT_EQ(m.PixelPaperHeight, 1071);
    EXPECT_EQ(m.PixelOffsetX, 18);
    EXPECT_EQ(m.PixelOffsetY, 18);
    EXPECT_EQ(m.PixelPrintWidth, 722);
    EXPECT_EQ(m.PixelPrintHeight, 1035);
    EXPECT_EQ(m.DevicePaperWidth, -7); // device fields are left alone
    EXPECT_EQ(m.DevicePrintHeight, -7);

    printer.SetPaper(1, 0, 0, -1, 0, false);
    printer.FillMetrics(m);
    EXPECT_EQ(m.PixelPaperWidth, 779);
    EXPECT_EQ(m.PixelPaperHeight, 1008);

    printer.SetPaper(9, 0, 0, -1, 1, false);
    EXPECT_EQ(printer.PaperWidth(), 2970);
    printer.FillMetrics(m);
    EXPECT_EQ(m.PixelPaperWidth, 1071);
    EXPECT_EQ(m.PixelPrintHeight, 722);
}

TEST(VirtualPrinter, CustomPaperMatchesWithinATenthOfAMillimetre) {
    TvlPrinter printer;
    printer.Start(nullptr);
    printer.SetPaper(kCustomPaper, 2000, 1000, -1, 0, false);
    EXPECT_EQ(printer.PaperWidth(), 2000);
    EXPECT_EQ(printer.PaperHeight(), 1000);
    EXPECT_TRUE(printer.PaperMatches(kCustomPaper, 2001, 999, 5, 0)); // bin not compared
    EXPECT_FALSE(printer.PaperMatches(kCustomPaper, 2002, 1000, -1, 0));
    EXPECT_FALSE(printer.PaperMatches(kCustomPaper, 2000, 1000, -1, 1));
    EXPECT_FALSE(printer.PaperMatches(kPaperA4, 2000, 1000, -1, 0));
    // Sizes from a damaged file sit at the ends of the range.
    EXPECT_FALSE(printer.PaperMatches(kCustomPaper, INT_MIN, INT_MIN, -1, 0));
    printer.SetPaper(kCustomPaper, INT_MIN, INT_MAX, -1, 0, false);
    EXPECT_FALSE(printer.PaperMatches(kCustomPaper, INT_MAX, INT_MIN, -1, 0));
    // A code the table lacks keeps the sizes it came with.
    printer.SetPaper(300, 1234, 2345, -1, 0, false);
    EXPECT_EQ(printer.PaperWidth(), 1234);
}

TEST(VirtualPrinter, PaperAndBinIndexes) {
    TvlPrinter printer;
    printer.Start(nullptr);
    EXPECT_EQ(printer.PaperIndex(9), 8);
    EXPECT_EQ(printer.PaperIndex(50), 47);
    EXPECT_EQ(printer.PaperIndex(49), 66); // absent: the last entry
    EXPECT_EQ(printer.BinIndex(-1), 0);
    EXPECT_EQ(printer.BinIndex(7), 0); // absent: the first entry
}

TEST(SystemPrinter, ListsSystemPrintersBeforeTheVirtualOne) {
    RealPrinter r;
    TvlPrinter& p = r.printer;
    EXPECT_EQ(p.PrinterList(), (StringList{"Laser", "Inkjet", "Virtual printer"}));
    EXPECT_EQ(p.SelectedPrinter(), 1);
    EXPECT_EQ(p.VirtualPrinterIndex(), 2);
    EXPECT_EQ(p.Device(), "Inkjet");
    EXPECT_EQ(p.PaperSize(), 9);
    EXPECT_EQ(p.PaperWidth(), 2100);
    EXPECT_EQ(p.PaperHeight(), 2970);
    EXPECT_EQ(p.PaperBin(), 7);
    EXPECT_EQ(p.PaperCodes(), (std::vector<int>{9, 1, 256}));
    EXPECT_EQ(p.PaperNameList(), (StringList{"A4", "Letter", "Custom"}));
    EXPECT_EQ(p.BinCodes(), (std::vector<int>{-1, 7, 4}));
    EXPECT_EQ(p.BinNameList(), (StringList{"Default", "Auto", "Manual"}));
    EXPECT_EQ(p.PaperIndex(1), 1);
    EXPECT_EQ(p.PaperIndex(5), 2);
    EXPECT_EQ(p.BinIndex(4), 2);
    EXPECT_EQ(p.BinIndex(99), 0);

    p.SelectPrinter(p.VirtualPrinterIndex());
    EXPECT_TRUE(p.IsVirtual());
    EXPECT_EQ(p.PaperCodes().size(), 67u);
    p.SelectPrinter(0);
    EXPECT_EQ(r.system->current, 0);
    EXPECT_EQ(p.Device(), "Laser");
}

TEST(SystemPrinter, DefaultBinMatchesAnyBin) {
    RealPrinter r;
    r.printer.SetPaper(9, 2100, 2970, -1, 0, false);
    EXPECT_EQ(r.system->modeWrites, 0);
    EXPECT_EQ(r.printer.PaperBin(), 7);
    EXPECT_TRUE(r.printer.PaperMatches(9, 0, 0, 0xFFFF, 0));

    r.printer.SetPaper(9, 2100, 2970, 4, 0, false);
    EXPECT_EQ(r.system->modeWrites, 1);
    EXPECT_EQ(r.system->mode.defaultSource, 4);
    EXPECT_EQ(r.system->mode.copies, 1);
    EXPECT_EQ(r.printer.PaperBin(), 4);
}

TEST(SystemPrinter, WritesPaperAndOrientationAndReadsBackTheDriversValues) {
    RealPrinter r;
    r.printer.SetPaper(1, 0, 0, -1, 1, false);
    EXPECT_EQ(r.system->mode.paperSize, 1);
    EXPECT_EQ(r.system->mode.orientation, DeviceMode::dmLandscape);
    EXPECT_EQ(r.system->mode.defaultSource, 7); // -1 leaves the source alone
    EXPECT_EQ(r.printer.Orientation(), 1);
    EXPECT_EQ(r.printer.PaperWidth(), 2794); // from the driver, as oriented
    EXPECT_EQ(r.printer.PaperHeight(), 2159);

    // A custom landscape paper goes to the device upright.
    r.printer.SetPaper(kCustomPaper, 3000, 2000, -1, 1, false);
    EXPECT_TRUE(r.system->mode.has(DeviceMode::dmPaperWidth));
    EXPECT_EQ(r.system->mode.paperWidth, 2000);
    EXPECT_EQ(r.system->mode.paperLength, 3000);
    EXPECT_EQ(r.printer.PaperWidth(), 3000);
    EXPECT_EQ(r.printer.PaperHeight(), 2000);
    EXPECT_TRUE(r.printer.PaperMatches(kCustomPaper, 3001, 2000, -1, 1));

    r.printer.SetPaper(9, 0, 0, -1, 0, false);
    EXPECT_FALSE(r.system->mode.has(DeviceMode::dmPaperLength));
}

TEST(SystemPrinter, MetricsComeFromTheDevice) {
    RealPrinter r;
    PageMetrics m;
    r.printer.FillMetrics(m);
    EXPECT_EQ(m.DevicePaperWidth, 4961);
    EXPECT_EQ(m.DevicePaperHeight, 7016);
    EXPECT_EQ(m.DeviceOffsetX, 100);
    EXPECT_EQ(m.DevicePrintWidth, 4761);
    EXPECT_EQ(m.PixelPaperWidth, 758);
    EXPECT_EQ(m.PixelPaperHeight, 1071);
    EXPECT_EQ(m.PixelOffsetY, 15);
    EXPECT_EQ(m.PixelPrintWidth, 727);
    EXPECT_EQ(m.PixelPrintHeight, 1041);
}

TEST(SystemPrinter, IgnoresPaperChangesWhilePrinting) {
    RealPrinter r;
    r.system->busy = true;
    r.printer.SetPaper(1, 0, 0, -1, 0, true);
    EXPECT_EQ(r.printer.PaperSize(), 9);
    EXPECT_EQ(r.system->modeWrites, 0);
}

TEST(SystemPrinter, UnreadablePrintersFallBackToTheVirtualOne) {
    auto owned = std::make_unique<FakePrinterSystem>();
    owned->readable = false;
    TvlPrinter printer;
    printer.Start(std::move(owned));
    EXPECT_TRUE(printer.IsVirtual());
    EXPECT_EQ(printer.PaperSize(), -1);
    EXPECT_EQ(printer.PaperCodes().size(), 67u);

    RealPrinter r;
    r.system->dpi = 0; // a driver reporting nonsense
    r.printer.SetPaper(1, 0, 0, -1, 0, true);
    EXPECT_TRUE(r.printer.IsVirtual());
    PageMetrics m;
    r.printer.FillMetrics(m);
    EXPECT_EQ(m.PixelPaperWidth, 779);
}

TEST(SystemPrinter, PropertiesDialogHandsItsCopyBackUnlessItFailed) {
    RealPrinter r;
    r.system->dialog = [](DeviceMode& m) {
        m.orientation = DeviceMode::dmLandscape;
        return -1;
    };
    r.printer.ShowPrinterProperties();
    EXPECT_EQ(r.system->mode.orientation, DeviceMode::dmPortrait);
    EXPECT_EQ(r.system->modeWrites, 0);

    r.system->dialog = [](DeviceMode& m) {
        m.orientation = DeviceMode::dmLandscape;
        return 0; // cancelled: the copy still goes back
    };
    r.printer.ShowPrinterProperties();
    EXPECT_EQ(r.system->mode.orientation, DeviceMode::dmLandscape);
    r.printer.RefreshSettings();
    EXPECT_EQ(r.printer.Orientation(), 1);
}

TEST(GlobalPrinter, StartsOnceAndSetsTheReadyFlag) {
    TvlEngine& globals = Globals();
    EXPECT_TRUE(GlobalPrinter().IsVirtual() || globals.printerReady());
    EXPECT_TRUE(globals.printerReady());

    auto owned = std::make_unique<FakePrinterSystem>();
    owned->mode.paperSize = 1;
    globals.startPrinter(std::move(owned));
    EXPECT_TRUE(globals.printerReady());
    EXPECT_EQ(GlobalPrinter().Device(), "Inkjet");
    EXPECT_EQ(globals.defaultPaperSize(), 1);

    globals.startPrinter(nullptr);
    EXPECT_TRUE(GlobalPrinter().IsVirtual());
    EXPECT_EQ(globals.defaultPaperSize(), kPaperA4);
}
