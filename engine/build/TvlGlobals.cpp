#include "engine/build/TvlGlobals.h"

#include "engine/build/EngineBandExtensions.h"
#include "engine/build/EngineTexts.h"
#include "engine/build/ProgressWindow.h"
#include "engine/output/LinkOpener.h"
#include "engine/output/PrinterSystem.h"
#include "engine/output/TvlCompressor.h"
#include "engine/script/ApplicationLifetime.h"
#include "engine/script/UiService.h"

namespace vl {

// The parts below are created first, in layer order, so that they outlive
// this one.
TvlGlobals::TvlGlobals()
    : script_(ScriptGlobals()), model_(ModelGlobals()), output_(OutputGlobals()) {}

TvlGlobals::~TvlGlobals() = default;

const EngineTexts& TvlGlobals::texts() {
    if (!texts_) texts_ = std::make_unique<EngineTexts>(EngineTexts::load());
    return *texts_;
}

TvlProgressWindow& TvlGlobals::progressWindow() {
    if (!progressWindow_) progressWindow_ = std::make_unique<TvlProgressWindow>();
    return *progressWindow_;
}

void TvlGlobals::setProgressWindow(std::unique_ptr<TvlProgressWindow> window) {
    progressWindow_ = std::move(window);
    // a host's window goes with the application object
    if (progressWindow_) ReleaseWithApplication([] { Globals().setProgressWindow(nullptr); });
}

TvlBandExtensions* TvlGlobals::bandExtensions() {
    if (!bandExtensionsSet_) {
        bandExtensions_ = std::make_unique<TvlEngineBandExtensions>();
        bandExtensionsSet_ = true;
    }
    return bandExtensions_.get();
}

void TvlGlobals::setBandExtensions(std::unique_ptr<TvlBandExtensions> extensions) {
    bandExtensions_ = std::move(extensions);
    bandExtensionsSet_ = true;
}

void TvlGlobals::setUiService(std::unique_ptr<UiService> service) {
    script_.setUiService(std::move(service));
}

void TvlGlobals::startPrinter(std::unique_ptr<PrinterSystem> system) {
    output_.startPrinter(std::move(system));
}

void TvlGlobals::setCompressor(std::unique_ptr<TvlCompressor> compressor) {
    output_.setCompressor(std::move(compressor));
}

void TvlGlobals::setLinkOpener(std::unique_ptr<TvlLinkOpener> opener) {
    output_.setLinkOpener(std::move(opener));
}

TvlGlobals& Globals() {
    static TvlGlobals globals;
    return globals;
}

} // namespace vl
