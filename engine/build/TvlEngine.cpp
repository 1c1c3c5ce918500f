#include "engine/build/TvlEngine.h"

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

thread_local TvlEngine* threadEngine = nullptr;

} // namespace

// The default parts are created first, in layer order, so that they
// outlive this one.
TvlEngine::TvlEngine(DefaultParts)
    : script_(DefaultScriptContext()), model_(DefaultModelContext()),
      output_(DefaultOutputContext()) {}

TvlEngine::TvlEngine()
    : ownScript_(std::make_unique<TvlScriptContext>()),
      ownModel_(std::make_unique<TvlModelContext>(*ownScript_)),
      ownOutput_(std::make_unique<TvlOutputContext>(*ownModel_)), script_(*ownScript_),
      model_(*ownModel_), output_(*ownOutput_) {}

TvlEngine::~TvlEngine() {
    if (!ownScript_) return;
    // what the parts release may reach this instance's parts
    const TvlEngineScope scope(*this);
    progressWindow_.reset();
    bandExtensions_.reset();
    ownOutput_.reset();
    ownModel_.reset();
}

TvlEngine& TvlEngine::Default() {
    static TvlEngine globals{DefaultParts{}};
    return globals;
}

TvlEngineScope::TvlEngineScope(TvlEngine& engine)
    : engine_(std::exchange(threadEngine, &engine)), script_(EnterScriptContext(&engine.script_)),
      model_(EnterModelContext(&engine.model_)), output_(EnterOutputContext(&engine.output_)) {}

TvlEngineScope::~TvlEngineScope() {
    EnterOutputContext(output_);
    EnterModelContext(model_);
    EnterScriptContext(script_);
    threadEngine = engine_;
}

const EngineTexts& TvlEngine::texts() {
    if (!texts_) texts_ = std::make_unique<EngineTexts>(EngineTexts::load());
    return *texts_;
}

TvlProgressWindow& TvlEngine::progressWindow() {
    if (!progressWindow_) progressWindow_ = std::make_unique<TvlProgressWindow>();
    return *progressWindow_;
}

void TvlEngine::setProgressWindow(std::unique_ptr<TvlProgressWindow> window) {
    progressWindow_ = std::move(window);
    // a host's window goes with the application object, or with its instance
    if (progressWindow_ && this == &Default())
        ReleaseWithApplication([] { Default().setProgressWindow(nullptr); });
}

TvlBandExtensions* TvlEngine::bandExtensions() {
    if (!bandExtensionsSet_) {
        bandExtensions_ = std::make_unique<TvlEngineBandExtensions>();
        bandExtensionsSet_ = true;
    }
    return bandExtensions_.get();
}

void TvlEngine::setBandExtensions(std::unique_ptr<TvlBandExtensions> extensions) {
    bandExtensions_ = std::move(extensions);
    bandExtensionsSet_ = true;
}

void TvlEngine::setUiService(std::unique_ptr<UiService> service) {
    script_.setUiService(std::move(service));
}

void TvlEngine::startPrinter(std::unique_ptr<PrinterSystem> system) {
    output_.startPrinter(std::move(system));
}

void TvlEngine::setCompressor(std::unique_ptr<TvlCompressor> compressor) {
    output_.setCompressor(std::move(compressor));
}

void TvlEngine::setLinkOpener(std::unique_ptr<TvlLinkOpener> opener) {
    output_.setLinkOpener(std::move(opener));
}

TvlEngine& Globals() {
    return threadEngine ? *threadEngine : TvlEngine::Default();
}

} // namespace vl
