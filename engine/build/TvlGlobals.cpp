#include "engine/build/TvlGlobals.h"

#include "engine/build/EngineBandExtensions.h"
#include "engine/build/EngineTexts.h"
#include "engine/build/ProgressWindow.h"
#include "engine/output/LinkOpener.h"
#include "engine/output/PrinterSystem.h"
#include "engine/output/TvlCompressor.h"
#include "engine/script/ApplicationLifetime.h"
#include "engine/script/UiService.h"

#include <utility>

namespace vl {

namespace {

thread_local TvlGlobals* threadEngine = nullptr;

} // namespace

// The default parts are created first, in layer order, so that they
// outlive this one.
TvlGlobals::TvlGlobals(DefaultParts)
    : script_(DefaultScriptGlobals()), model_(DefaultModelGlobals()),
      output_(DefaultOutputGlobals()) {}

TvlGlobals::TvlGlobals()
    : ownScript_(std::make_unique<TvlScriptGlobals>()),
      ownModel_(std::make_unique<TvlModelGlobals>(*ownScript_)),
      ownOutput_(std::make_unique<TvlOutputGlobals>(*ownModel_)), script_(*ownScript_),
      model_(*ownModel_), output_(*ownOutput_) {}

TvlGlobals::~TvlGlobals() {
    if (!ownScript_) return;
    // what the parts release may reach this instance's parts
    const TvlEngineScope scope(*this);
    progressWindow_.reset();
    bandExtensions_.reset();
    ownOutput_.reset();
    ownModel_.reset();
}

TvlGlobals& TvlGlobals::Default() {
    static TvlGlobals globals{DefaultParts{}};
    return globals;
}

TvlEngineScope::TvlEngineScope(TvlGlobals& engine)
    : engine_(std::exchange(threadEngine, &engine)), script_(EnterScriptGlobals(&engine.script_)),
      model_(EnterModelGlobals(&engine.model_)), output_(EnterOutputGlobals(&engine.output_)) {}

TvlEngineScope::~TvlEngineScope() {
    EnterOutputGlobals(output_);
    EnterModelGlobals(model_);
    EnterScriptGlobals(script_);
    threadEngine = engine_;
}

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
    // a host's window goes with the application object, or with its instance
    if (progressWindow_ && this == &Default())
        ReleaseWithApplication([] { Default().setProgressWindow(nullptr); });
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
    return threadEngine ? *threadEngine : TvlGlobals::Default();
}

} // namespace vl
