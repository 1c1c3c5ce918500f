#include "engine/output/OutputContext.h"

#include "engine/model/ModelContext.h"
#include "engine/output/LinkOpener.h"
#include "engine/output/TvlCompressor.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/ApplicationLifetime.h"

#include <utility>

namespace vl {

TvlOutputContext::TvlOutputContext(TvlModelContext& model) : model_(model) {}

TvlOutputContext::~TvlOutputContext() = default;

TvlPrinter& TvlOutputContext::printer() {
    if (!printer_) startPrinter(nullptr);
    return *printer_;
}

void TvlOutputContext::startPrinter(std::unique_ptr<PrinterSystem> system) {
    printerReady_ = false;
    auto printer = std::make_unique<TvlPrinter>();
    printer->Start(std::move(system));
    printer_ = std::move(printer);
    defaultPaperSize_ = printer_->PaperSize();
    printerReady_ = true;
    ReleaseWithSystem();
}

// Another instance's system objects go with their instance.
void TvlOutputContext::ReleaseWithSystem() {
    if (this == &DefaultOutputContext())
        ReleaseWithApplication([] { DefaultOutputContext().releaseSystemObjects(); });
}

void TvlOutputContext::releaseSystemObjects() {
    printerReady_ = false;
    printer_.reset();
    linkOpener_.reset();
}

TvlCompressor& TvlOutputContext::compressor() {
    if (!compressor_) compressor_ = std::make_unique<TvlZlibCompressor>(false);
    return *compressor_;
}

void TvlOutputContext::setCompressor(std::unique_ptr<TvlCompressor> compressor) {
    compressor_ = std::move(compressor);
}

void TvlOutputContext::setLinkOpener(std::unique_ptr<TvlLinkOpener> opener) {
    linkOpener_ = std::move(opener);
    if (linkOpener_) ReleaseWithSystem();
}

namespace {

thread_local TvlOutputContext* threadPart = nullptr;

} // namespace

TvlOutputContext& DefaultOutputContext() {
    static TvlOutputContext globals(DefaultModelContext());
    return globals;
}

TvlOutputContext& OutputGlobals() {
    return threadPart ? *threadPart : DefaultOutputContext();
}

TvlOutputContext* EnterOutputContext(TvlOutputContext* part) {
    return std::exchange(threadPart, part);
}

} // namespace vl
