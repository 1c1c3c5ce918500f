#include "engine/output/TvlPrinter.h"

#include "engine/output/PageUnits.h"
#include "engine/output/PaperTable.h"
#include "engine/script/Errors.h"
#include "engine/script/TvlLocale.h"

#include <algorithm>
#include <cstdlib>

namespace vl {

namespace {

constexpr int kVirtualPrinterNameId = 55007;
constexpr int kDefaultBinNameId = 55435;
constexpr int kPixelMargin = 18; // 5 mm

// A bin whose low 16 bits are all set stands for the printer's default.
bool isDefaultBin(int bin) {
    return (bin & 0xFFFF) == 0xFFFF;
}

int indexOf(const std::vector<int>& codes, int code) {
    const auto it = std::find(codes.begin(), codes.end(), code);
    return it == codes.end() ? -1 : static_cast<int>(it - codes.begin());
}

} // namespace

TvlPrinter::TvlPrinter() : tablePaperNames_(LoadPaperNames()), paperSize_(kPaperA4) {}

TvlPrinter::~TvlPrinter() = default;

void TvlPrinter::Start(std::unique_ptr<PrinterSystem> system) {
    try {
        AttachSystemPrinter(std::move(system));
        // Printers whose settings cannot be read leave the virtual printer
        // selected with no paper code of their own. Without any printer the
        // virtual printer keeps A4.
        if (hasSystemPrinters() && (IsVirtual() || !system_->deviceMode())) {
            SelectPrinter(virtualPrinterIndex_);
            paperSize_ = -1;
        }
    } catch (const std::exception&) {
        // A broken printer setup must not stop the engine: reports are laid
        // out on the virtual printer then.
    }
}

void TvlPrinter::AttachSystemPrinter(std::unique_ptr<PrinterSystem> system) {
    system_ = std::move(system);
    AttachSystemPrinter();
}

void TvlPrinter::AttachSystemPrinter() {
    printerList_.clear();
    selectedPrinter_ = 0;
    if (system_) printerList_ = system_->enumeratePrinters();
    if (!printerList_.empty()) {
        const int current = system_->currentPrinter();
        const bool valid = current >= 0 && current < static_cast<int>(printerList_.size());
        selectedPrinter_ = valid ? current : 0;
    }
    printerList_.push_back(LoadResString(kVirtualPrinterNameId));
    virtualPrinterIndex_ = static_cast<int>(printerList_.size()) - 1;
    if (hasSystemPrinters())
        ReadPrinterSettings();
    else
        ApplyPrinterSettings();
}

void TvlPrinter::SelectPrinter(int index) {
    if (index == selectedPrinter_) return;
    selectedPrinter_ = index;
    if (IsVirtual()) {
        ApplyPrinterSettings();
    } else if (hasSystemPrinters()) {
        system_->setCurrentPrinter(index);
        ReadPrinterSettings();
    }
}

void TvlPrinter::fallBackToVirtual() {
    SelectPrinter(virtualPrinterIndex_);
}

void TvlPrinter::ReadPrinterSettings() {
    if (IsVirtual() || !system_) return;
    try {
        readDeviceSettings();
    } catch (const std::exception&) {
        fallBackToVirtual();
    }
}

void TvlPrinter::readDeviceSettings() {
    std::optional<DeviceMode> mode = system_->deviceMode();
    if (!mode) mode = system_->deviceMode(); // some drivers answer only when asked twice
    if (!mode) {
        fallBackToVirtual();
        return;
    }
    const DeviceCaps caps = system_->capabilities();
    if (caps.dpiX <= 0 || caps.dpiY <= 0) throw VlError("The printer reports no resolution");
    device_ = printerList_[static_cast<std::size_t>(selectedPrinter_)];
    paperSize_ = mode->paperSize;
    paperWidth_ = DotsToTenthsMm(caps.physicalWidth, caps.dpiX);
    paperHeight_ = DotsToTenthsMm(caps.physicalHeight, caps.dpiY);

    paperCodes_.clear();
    paperNameList_.clear();
    for (const DeviceEntry& paper : system_->papers()) {
        paperCodes_.push_back(paper.code);
        paperNameList_.push_back(paper.name);
    }

    paperBin_ = mode->defaultSource;
    setDefaultBinOnly();
    for (const DeviceEntry& bin : system_->bins()) {
        binCodes_.push_back(bin.code);
        binNameList_.push_back(bin.name);
    }
    orientation_ = mode->orientation == DeviceMode::dmPortrait ? 0 : 1;
}

void TvlPrinter::setDefaultBinOnly() {
    binCodes_.assign(1, -1);
    binNameList_.assign(1, LoadResString(kDefaultBinNameId));
}

void TvlPrinter::ApplyPrinterSettings() {
    if (IsVirtual() || !system_) {
        applyVirtualSettings();
        return;
    }
    try {
        applyDeviceSettings();
    } catch (const std::exception&) {
        fallBackToVirtual();
    }
}

void TvlPrinter::applyVirtualSettings() {
    device_.clear();
    paperNameList_ = tablePaperNames_;
    paperCodes_.clear();
    for (const PaperSizeInfo& paper : PaperTable())
        paperCodes_.push_back(paper.code);
    // The virtual printer has no paper sources; a list left over from a
    // real printer would offer bins that do not exist.
    setDefaultBinOnly();
    const PaperSizeInfo* paper = FindPaper(paperSize_);
    if (paperSize_ == kCustomPaper || !paper) return;
    const bool landscape = orientation_ == 1;
    paperWidth_ = landscape ? paper->height : paper->width;
    paperHeight_ = landscape ? paper->width : paper->height;
}

void TvlPrinter::applyDeviceSettings() {
    std::optional<DeviceMode> mode = system_->deviceMode();
    if (!mode) {
        fallBackToVirtual();
        return;
    }
    constexpr unsigned sizeBits = DeviceMode::dmPaperLength | DeviceMode::dmPaperWidth;
    const bool landscape = orientation_ == 1;
    if (paperSize_ == kCustomPaper) {
        // The device mode holds a custom paper upright; ours is as oriented.
        mode->fields |= sizeBits;
        mode->paperWidth = landscape ? paperHeight_ : paperWidth_;
        mode->paperLength = landscape ? paperWidth_ : paperHeight_;
    } else {
        mode->fields &= ~sizeBits;
    }
    if (mode->has(DeviceMode::dmPaperSize)) mode->paperSize = paperSize_;
    if (mode->has(DeviceMode::dmOrientation))
        mode->orientation = landscape ? DeviceMode::dmLandscape : DeviceMode::dmPortrait;
    if (mode->has(DeviceMode::dmCopies)) mode->copies = 1;
    if (mode->has(DeviceMode::dmDefaultSource) && !isDefaultBin(paperBin_))
        mode->defaultSource = paperBin_;
    system_->setDeviceMode(*mode);
    // The driver may have adjusted what it was given.
    readDeviceSettings();
}

bool TvlPrinter::PaperMatches(int size, int width, int height, int bin, int orientation) const {
    if (paperSize_ == kCustomPaper && size == kCustomPaper)
        // sizes come from files: compared in 64 bits, so absurd ones cannot overflow
        return std::abs(std::int64_t{paperWidth_} - width) <= 1 &&
               std::abs(std::int64_t{paperHeight_} - height) <= 1 && orientation_ == orientation;
    return paperSize_ == size && orientation_ == orientation &&
           (paperBin_ == bin || isDefaultBin(bin));
}

void TvlPrinter::SetPaper(int size, int width, int height, int bin, int orientation, bool force) {
    if (system_ && system_->printing()) return;
    if (!force && PaperMatches(size, width, height, bin, orientation)) return;
    SetPaperInDocument(size, width, height, bin, orientation);
}

void TvlPrinter::SetPaperInDocument(int size, int width, int height, int bin, int orientation) {
    paperSize_ = size;
    paperWidth_ = width;
    paperHeight_ = height;
    paperBin_ = bin;
    orientation_ = orientation;
    ApplyPrinterSettings();
}

void TvlPrinter::FillMetrics(PageMetrics& m) const {
    const DeviceCaps caps = IsVirtual() || !system_ ? DeviceCaps{} : system_->capabilities();
    if (caps.dpiX <= 0 || caps.dpiY <= 0) {
        FillVirtualMetrics(m, paperWidth_, paperHeight_);
        return;
    }
    m.DevicePaperWidth = caps.physicalWidth;
    m.DevicePaperHeight = caps.physicalHeight;
    m.DeviceOffsetX = caps.physicalOffsetX;
    m.DeviceOffsetY = caps.physicalOffsetY;
    m.DevicePrintWidth = caps.printableWidth;
    m.DevicePrintHeight = caps.printableHeight;
    m.PixelPaperWidth = DotsToPixels(m.DevicePaperWidth, caps.dpiX);
    m.PixelPaperHeight = DotsToPixels(m.DevicePaperHeight, caps.dpiY);
    m.PixelOffsetX = DotsToPixels(m.DeviceOffsetX, caps.dpiX);
    m.PixelOffsetY = DotsToPixels(m.DeviceOffsetY, caps.dpiY);
    m.PixelPrintWidth = DotsToPixels(m.DevicePrintWidth, caps.dpiX);
    m.PixelPrintHeight = DotsToPixels(m.DevicePrintHeight, caps.dpiY);
}

void TvlPrinter::FillVirtualMetrics(PageMetrics& m, int paperWidth, int paperHeight) {
    m.PixelPaperWidth = TenthsMmToPixels(paperWidth);
    m.PixelPaperHeight = TenthsMmToPixels(paperHeight);
    m.PixelOffsetX = m.PixelOffsetY = kPixelMargin;
    m.PixelPrintWidth = m.PixelPaperWidth - 2 * kPixelMargin;
    m.PixelPrintHeight = m.PixelPaperHeight - 2 * kPixelMargin;
}

std::string TvlPrinter::SelectedPrinterName() const {
    const auto i = static_cast<std::size_t>(selectedPrinter_);
    return i < printerList_.size() ? printerList_[i] : std::string();
}

void TvlPrinter::ShowPrinterProperties() {
    if (IsVirtual() || !system_) return;
    const std::optional<DeviceMode> mode = system_->deviceMode();
    if (!mode) return;
    DeviceMode copy = *mode;
    // OK and Cancel both hand the copy back; only a failed dialog drops it.
    if (system_->editDeviceMode(copy) >= 0) system_->setDeviceMode(copy);
}

int TvlPrinter::PaperIndex(int code) const {
    const int i = indexOf(paperCodes_, code);
    return i >= 0 ? i : static_cast<int>(paperCodes_.size()) - 1;
}

int TvlPrinter::BinIndex(int code) const {
    return std::max(indexOf(binCodes_, code), 0);
}

} // namespace vl
