#include "engine/output/printing/QtPrinterSystem.h"

#include "engine/output/PdfDocumentWriter.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"
#include "engine/script/TvlLocale.h"

#include <QPageLayout>
#include <QPrintEngine>
#include <QPrinterInfo>
#include <algorithm>

namespace vl {

namespace {

constexpr int kCustomPaper = 256;

constexpr unsigned kAllFields = DeviceMode::dmOrientation | DeviceMode::dmPaperSize |
                                DeviceMode::dmPaperLength | DeviceMode::dmPaperWidth |
                                DeviceMode::dmCopies | DeviceMode::dmDefaultSource;

constexpr int kPdfPrinterNameId = 55778;

int tenthsMm(qreal mm) {
    return qRound(mm * 10.0);
}

// A file takes every paper Qt knows a Windows code for.
QList<QPageSize> pdfPageSizes() {
    QList<QPageSize> sizes;
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const QPageSize size(static_cast<QPageSize::PageSizeId>(id));
        if (size.windowsId() <= 0 || size.windowsId() >= kCustomPaper) continue;
        const bool known = std::any_of(sizes.begin(), sizes.end(), [&](const QPageSize& s) {
            return s.windowsId() == size.windowsId();
        });
        if (!known) sizes.push_back(size);
    }
    return sizes;
}

// The print engine property that carries a CUPS job's options, as pairs of
// option name and value. Qt keeps it outside its public keys; its CUPS
// engine has read it under this number since Qt 5, other engines ignore it.
const auto kCupsOptions = static_cast<QPrintEngine::PrintEnginePropertyKey>(0xfe00);

// CUPS shrinks a page whose content reaches into the printer's unprintable
// edge so that all of it fits ("print-scaling" auto): the page would then
// print smaller than the preview shows it. Pages keep their size; what the
// printer cannot reach is clipped.
void keepPageScale(QPrinter& printer) {
    QPrintEngine* engine = printer.printEngine();
    if (!engine) return;
    QStringList options = engine->property(kCupsOptions).toStringList();
    const qsizetype at = options.indexOf(QStringLiteral("print-scaling"));
    if (at >= 0 && at % 2 == 0 && at + 1 < options.size())
        options[at + 1] = QStringLiteral("none");
    else
        options << QStringLiteral("print-scaling") << QStringLiteral("none");
    engine->setProperty(kCupsOptions, options);
}

} // namespace

QtPrinterSystem::QtPrinterSystem() = default;
QtPrinterSystem::~QtPrinterSystem() = default;

StringList QtPrinterSystem::enumeratePrinters() {
    const QString current = printer_ ? currentName_ : QString();
    names_ = QPrinterInfo::availablePrinterNames();
    if (pdfOffered_) names_.push_back(ToQt(LoadResString(kPdfPrinterNameId)));
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
    if (!isPdf(index))
        return std::make_unique<QPrinter>(QPrinterInfo::printerInfo(names_[index]),
                                          QPrinter::HighResolution);
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    // The resolution of the engine's own PDF documents, so that a page
    // printed into a file is the page "vellum build --pdf" writes.
    printer->setResolution(PdfDocumentWriter().Resolution);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageMargins(QMarginsF(0, 0, 0, 0));
    return printer;
}

void QtPrinterSystem::openPrinter(int index) {
    printer_ = createPrinter(index);
    papers_ = PaperEntriesOf(isPdf(index)
                                 ? pdfPageSizes()
                                 : QPrinterInfo::printerInfo(names_[index]).supportedPageSizes());
    current_ = index;
    currentName_ = names_[index];
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
    // A document that is being printed keeps its copies.
    if (mode.has(DeviceMode::dmCopies) && mode.copies > 0 &&
        printer.printerState() != QPrinter::Active)
        printer.setCopyCount(mode.copies);
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
    // The printable area is what the device's own minimum margins leave
    // (in full-page mode a layout's paint rectangle would be the whole
    // sheet, whatever the margins).
    layout.setMode(QPageLayout::StandardMode);
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
    return painter_.isActive() || (printer_ && printer_->printerState() == QPrinter::Active);
}

void QtPrinterSystem::beginDocument(const std::string& title, int copies, bool collate) {
    if (!printer_) throw VlError("There is no printer to print on");
    if (pdfSelected()) {
        if (pdfFile_.isEmpty()) throw VlError("No file name was given for the PDF file");
        printer_->setOutputFileName(pdfFile_);
    }
    if (!pdfSelected()) keepPageScale(*printer_);
    printer_->setDocName(ToQt(title));
    printer_->setCopyCount(std::max(copies, 1));
    printer_->setCollateCopies(collate);
    // Pages are placed from the paper's corner; placeOrigin moves the
    // origin to where the printer's own printable area begins.
    printer_->setFullPage(true);
    if (!painter_.begin(printer_.get()))
        throw VlError("Cannot print on " + FromQt(currentName_) +
                      (pdfSelected() ? " (" + FromQt(pdfFile_) + ")" : std::string()));
    placeOrigin();
}

void QtPrinterSystem::placeOrigin() {
    const DeviceCaps caps = capabilities();
    painter_.resetTransform();
    painter_.translate(caps.physicalOffsetX, caps.physicalOffsetY);
}

QPainter* QtPrinterSystem::documentCanvas() {
    return painter_.isActive() ? &painter_ : nullptr;
}

void QtPrinterSystem::newSheet() {
    if (!printer_ || !printer_->newPage()) throw VlError("The printer cannot begin a new page");
    placeOrigin();
}

void QtPrinterSystem::endDocument() {
    if (painter_.isActive() && !painter_.end())
        throw VlError("The printer could not finish the document");
}

void QtPrinterSystem::abortDocument() {
    if (printer_ && printer_->printerState() == QPrinter::Active) printer_->abort();
    if (painter_.isActive()) painter_.end();
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
