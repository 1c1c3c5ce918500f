#include "engine/build/TvlGlobals.h"

#include "engine/output/LinkOpener.h"
#include "engine/output/TvlCompressor.h"
#include "engine/output/TvlPrinter.h"

namespace vl {

TvlGlobals::TvlGlobals() = default;
TvlGlobals::~TvlGlobals() = default;

TvlLocale& TvlGlobals::locale() {
    if (!locale_) locale_ = std::make_unique<TvlLocale>();
    return *locale_;
}

LocaleService& TvlGlobals::localeService() {
    if (!localeService_) localeService_ = std::make_unique<LocaleService>();
    return *localeService_;
}

TvlPrinter& TvlGlobals::printer() {
    if (!printer_) startPrinter(nullptr);
    return *printer_;
}

void TvlGlobals::startPrinter(std::unique_ptr<PrinterSystem> system) {
    printerReady_ = false;
    auto printer = std::make_unique<TvlPrinter>();
    printer->Start(std::move(system));
    printer_ = std::move(printer);
    defaultPaperSize_ = printer_->PaperSize();
    printerReady_ = true;
}

TvlCompressor& TvlGlobals::compressor() {
    if (!compressor_) compressor_ = std::make_unique<TvlZlibCompressor>(false);
    return *compressor_;
}

void TvlGlobals::setCompressor(std::unique_ptr<TvlCompressor> compressor) {
    compressor_ = std::move(compressor);
}

void TvlGlobals::setLinkOpener(std::unique_ptr<TvlLinkOpener> opener) {
    linkOpener_ = std::move(opener);
}

TvlGlobals& Globals() {
    static TvlGlobals globals;
    return globals;
}

TvlPrinter& GlobalPrinter() {
    return Globals().printer();
}

} // namespace vl
