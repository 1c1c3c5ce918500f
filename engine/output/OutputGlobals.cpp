#include "engine/output/OutputGlobals.h"

#include "engine/model/ModelGlobals.h"
#include "engine/output/LinkOpener.h"
#include "engine/output/TvlCompressor.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/ApplicationLifetime.h"

#include <utility>

namespace vl {

TvlOutputGlobals::TvlOutputGlobals(TvlModelGlobals& model) : model_(model) {}

TvlOutputGlobals::~TvlOutputGlobals() = default;

TvlPrinter& TvlOutputGlobals::printer() {
    if (!printer_) startPrinter(nullptr);
    return *printer_;
}

void TvlOutputGlobals::startPrinter(std::unique_ptr<PrinterSystem> system) {
    printerReady_ = false;
    auto printer = std::make_unique<TvlPrinter>();
    printer->Start(std::move(system));
    printer_ = std::move(printer);
    defaultPaperSize_ = printer_->PaperSize();
    printerReady_ = true;
    ReleaseWithSystem();
}

// Another instance's system objects go with their instance.
void TvlOutputGlobals::ReleaseWithSystem() {
    if (this == &DefaultOutputGlobals())
        ReleaseWithApplication([] { DefaultOutputGlobals().releaseSystemObjects(); });
}

void TvlOutputGlobals::releaseSystemObjects() {
    printerReady_ = false;
    printer_.reset();
    linkOpener_.reset();
}

TvlCompressor& TvlOutputGlobals::compressor() {
    if (!compressor_) compressor_ = std::make_unique<TvlZlibCompressor>(false);
    return *compressor_;
}

void TvlOutputGlobals::setCompressor(std::unique_ptr<TvlCompressor> compressor) {
    compressor_ = std::move(compressor);
}

void TvlOutputGlobals::setLinkOpener(std::unique_ptr<TvlLinkOpener> opener) {
    linkOpener_ = std::move(opener);
    if (linkOpener_) ReleaseWithSystem();
}

namespace {

thread_local TvlOutputGlobals* threadPart = nullptr;

} // namespace

TvlOutputGlobals& DefaultOutputGlobals() {
    static TvlOutputGlobals globals(DefaultModelGlobals());
    return globals;
}

TvlOutputGlobals& OutputGlobals() {
    return threadPart ? *threadPart : DefaultOutputGlobals();
}

TvlOutputGlobals* EnterOutputGlobals(TvlOutputGlobals* part) {
    return std::exchange(threadPart, part);
}

TvlPrinter& GlobalPrinter() {
    return OutputGlobals().printer();
}

} // namespace vl
