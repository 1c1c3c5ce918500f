#include "engine/output/printing/QtPrinterSystem.h"

#include "engine/script/CodePage.h"

#include <QPageLayout>
#include <QPrinterInfo>

namespace vl {

namespace {

constexpr int kCustomPaper = 256;

constexpr unsigned kAllFields = DeviceMode::dmOrientation | DeviceMode::dmPaperSize |
                                DeviceMode::dmPaperLength | DeviceMode::dmPaperWidth |
                                DeviceMode::dmCopies | DeviceMode::dmDefaultSource;

int tenthsMm(qreal mm) {
    return qRound(mm * 10.0);
}

} // namespace

QtPrinterSystem::QtPrinterSystem() = default;
QtPrinterSystem::~QtPrinterSystem() = default;

StringList QtPrinterSystem::enumeratePrinters() {
    const QString current = printer_ ? printer_->printerName() : QString();
    names_ = QPrinterInfo::availablePrinterNames();
    int index = names_.indexOf(current);
    if (current.isEmpty() || index < 0) index = names_.indexOf(QPrinterInfo::defaultPrinterName());
    if (index < 0 && !names_.isEmpty()) index = 0;
    if (index < 0) {
        current_ = -1;
        printer_.reset();
        papers_.clear();
    } else if (index != current_ || names_[index] != current) {
        openPrinter(index);
    }
    current_ = index;
    StringList names;
    for (const QString& name : names_)
        names.push_back(FromQt(name));
    return names;
}

std::unique_ptr<QPrinter> QtPrinterSystem::createPrinter(int index) const {
    return std::make_unique<QPrinter>(QPrinterInfo::printerInfo(names_[index]),
                                      QPrinter::HighResolution);
}

void QtPrinterSystem::openPrinter(int index) {
    printer_ = createPrinter(index);
    papers_ = PaperEntriesOf(QPrinterInfo::printerInfo(names_[index]).supportedPageSizes());
    current_ = index;
}

void QtPrinterSystem::setCurrentPrinter(int index) {
    if (index < 0 || index >= names_.size() || index == current_) return;
    openPrinter(index);
}

DeviceMode QtPrinterSystem::readMode(const QPrinter& printer) const {
    const QPageLayout layout = printer.pageLayout();
    DeviceMode mode;
    mode.fields = kAllFields;
    mode.paperSize = PaperCodeOf(layout.pageSize(), papers_);
    if (mode.paperSize == kCustomPaper) {
        const QSizeF mm = layout.pageSize().size(QPageSize::Millimeter);
        mode.paperWidth = tenthsMm(mm.width());
        mode.paperLength = tenthsMm(mm.height());
    }
    mode.orientation = layout.orientation() == QPageLayout::Portrait ? DeviceMode::dmPortrait
                                                                     : DeviceMode::dmLandscape;
    mode.copies = printer.copyCount();
    mode.defaultSource = BinCodeOf(printer.paperSource());
    return mode;
}

std::optional<DeviceMode> QtPrinterSystem::deviceMode() const {
    if (!printer_ || !printer_->isValid()) return std::nullopt;
    return readMode(*printer_);
}

void QtPrinterSystem::applyMode(QPrinter& printer, const DeviceMode& mode) const {
    std::optional<QPageSize> size;
    if (mode.has(DeviceMode::dmPaperLength) && mode.has(DeviceMode::dmPaperWidth) &&
        mode.paperSize == kCustomPaper && mode.paperWidth > 0 && mode.paperLength > 0)
        size = CustomPageSize(mode.paperWidth, mode.paperLength);
    else if (mode.has(DeviceMode::dmPaperSize))
        size = PageSizeOf(mode.paperSize, papers_);
    if (size) printer.setPageSize(*size);
    if (mode.has(DeviceMode::dmOrientation))
        printer.setPageOrientation(mode.orientation == DeviceMode::dmLandscape
                                       ? QPageLayout::Landscape
                                       : QPageLayout::Portrait);
    if (mode.has(DeviceMode::dmCopies) && mode.copies > 0) printer.setCopyCount(mode.copies);
    if (mode.has(DeviceMode::dmDefaultSource))
        printer.setPaperSource(PaperSourceOf(mode.defaultSource));
}

void QtPrinterSystem::setDeviceMode(const DeviceMode& mode) {
    if (printer_) applyMode(*printer_, mode);
}

DeviceCaps QtPrinterSystem::capabilities() const {
    DeviceCaps caps;
    if (!printer_) return caps;
    const int dpi = printer_->resolution();
    caps.dpiX = caps.dpiY = dpi;
    // Millimetre rectangles keep a paper's exact size; Qt's pixel
    // rectangles go through whole points.
    const auto dots = [dpi](qreal mm) { return qRound(mm * dpi / 25.4); };
    QPageLayout layout = printer_->pageLayout();
    const QRectF paper = layout.fullRect(QPageLayout::Millimeter);
    // The printable area is what the device's own minimum margins leave.
    layout.setMode(QPageLayout::FullPageMode);
    layout.setMargins(layout.minimumMargins());
    const QRectF printable = layout.paintRect(QPageLayout::Millimeter);
    caps.physicalWidth = dots(paper.width());
    caps.physicalHeight = dots(paper.height());
    caps.physicalOffsetX = dots(printable.left());
    caps.physicalOffsetY = dots(printable.top());
    caps.printableWidth = dots(printable.width());
    caps.printableHeight = dots(printable.height());
    return caps;
}

std::vector<DeviceEntry> QtPrinterSystem::papers() const {
    std::vector<DeviceEntry> list;
    for (const QtPaperEntry& entry : papers_)
        list.push_back({entry.code, FromQt(entry.size.name())});
    return list;
}

std::vector<DeviceEntry> QtPrinterSystem::bins() const {
    std::vector<DeviceEntry> list;
#if defined(Q_OS_WIN)
    // Qt lists paper sources only where the platform reports them.
    if (printer_)
        for (QPrinter::PaperSource source : printer_->supportedPaperSources())
            list.push_back({BinCodeOf(source), PaperSourceName(source)});
#endif
    return list;
}

bool QtPrinterSystem::printing() const {
    return printer_ && printer_->printerState() == QPrinter::Active;
}

int QtPrinterSystem::editDeviceMode(DeviceMode& mode) {
    if (!dialog_ || current_ < 0) return -1;
    const std::unique_ptr<QPrinter> scratch = createPrinter(current_);
    applyMode(*scratch, mode);
    const int result = dialog_(*scratch);
    if (result >= 0) mode = readMode(*scratch);
    return result;
}

} // namespace vl
