#pragma once

#include "engine/build/DesignerShared.h"
#include "engine/build/PreviewShared.h"
#include "engine/model/ModelContext.h"
#include "engine/output/OutputContext.h"
#include "engine/script/ScriptContext.h"

#include <memory>
#include <string>
#include <vector>

namespace vl {

struct EngineTexts;
class TvlView;
class TvlProgressWindow;
class TvlBandExtensions;
class TvlBuildRun;

// An engine instance: the objects its reports share (parser, interpreter,
// variables, function libraries, printer, progress window, the state of
// the build that runs...), so one build, template load or drawing runs at a
// time in it. Reports of different instances build, load and draw at the
// same time on different threads. Each layer keeps its own part (script,
// model and output contexts), which that layer's code is handed through
// what it works on: a report knows its engine, a page its report's, an
// object the one of its page. This object holds the build's part and
// reaches all the others, so code above the engine needs nothing else. The
// process has a default instance, which a thread works for unless it
// entered another (TvlEngineScope).
class TvlEngine {
public:
    // A new instance with parts of its own.
    TvlEngine();
    ~TvlEngine();
    // The process's default instance, over the layers' default parts.
    static TvlEngine& Default();
    TvlEngine(const TvlEngine&) = delete;
    TvlEngine& operator=(const TvlEngine&) = delete;

    // The texts read once at start-up (band names, format lists...).
    const EngineTexts& texts();
    // The build that runs in this instance, if one does; another is
    // refused until it ends. Set by the build run itself.
    TvlBuildRun* activeBuild() const { return activeBuild_; }
    void setActiveBuild(TvlBuildRun* run) { activeBuild_ = run; }
    // "TOTALPAGES" outside a two-pass build: the count the last build left.
    int& lastTotalPages() { return lastTotalPages_; }
    // The progress window of builds and print runs; headless until a host
    // installs one.
    TvlProgressWindow& progressWindow();
    void setProgressWindow(std::unique_ptr<TvlProgressWindow> window);
    // Where bands hand sub-report objects and cross columns over: the
    // engine's own output unless something else is installed (none leaves
    // them out).
    TvlBandExtensions* bandExtensions();
    void setBandExtensions(std::unique_ptr<TvlBandExtensions> extensions);
    // The zoom previews start with and the print command (see
    // TvlPreviewShared).
    TvlPreviewShared& preview() { return preview_; }
    // The commands that open the designer (see TvlDesignerShared).
    TvlDesignerShared& designer() { return designer_; }

    // Expressions and scripts (see TvlScriptContext).
    TvlScriptContext& script() { return script_; }
    TvlLocale& locale() { return script_.locale(); }
    LocaleService& localeService() { return script_.localeService(); }
    ComponentDirectory& components() { return script_.components(); }
    TvlParser& globalParser() { return script_.globalParser(); }
    TInterpretator& globalInterpretator() { return script_.globalInterpretator(); }
    std::atomic<bool>& stopRequested() { return script_.stopRequested(); }
    TvlVariables& globalVariables() { return script_.globalVariables(); }
    TvlVariables& constantList() { return script_.constantList(); }
    TvlFunctionLibraries& functionLibraries() { return script_.functionLibraries(); }
    TvlInstalledFunctions& installedFunctions() { return script_.installedFunctions(); }
    AggregateContext& aggregateContext() { return script_.aggregateContext(); }
    UiService& uiService() { return script_.uiService(); }
    void setUiService(std::unique_ptr<UiService> service);

    // Report objects (see TvlModelContext).
    TvlModelContext& model() { return model_; }
    TvlViewState& views() { return model_.views(); }
    TvlMeasuringCanvas& measuringCanvas() { return model_.measuringCanvas(); }
    void releaseMeasuringCanvas() { model_.releaseMeasuringCanvas(); }

    // Prepared pages and printing (see TvlOutputContext).
    TvlOutputContext& output() { return output_; }
    TvlPrinter& printer() { return output_.printer(); }
    void startPrinter(std::unique_ptr<PrinterSystem> system);
    bool printerReady() const { return output_.printerReady(); }
    int defaultPaperSize() const { return output_.defaultPaperSize(); }
    TvlCompressor& compressor() { return output_.compressor(); }
    void setCompressor(std::unique_ptr<TvlCompressor> compressor);
    TvlLinkOpener* linkOpener() const { return output_.linkOpener(); }
    void setLinkOpener(std::unique_ptr<TvlLinkOpener> opener);

private:
    struct DefaultParts {};
    explicit TvlEngine(DefaultParts);
    friend class TvlEngineScope;

    // The parts a new instance owns (none for the default instance, whose
    // parts live until the process ends); declared first, released last.
    std::unique_ptr<TvlScriptContext> ownScript_;
    std::unique_ptr<TvlModelContext> ownModel_;
    std::unique_ptr<TvlOutputContext> ownOutput_;
    TvlScriptContext& script_;
    TvlModelContext& model_;
    TvlOutputContext& output_;
    std::unique_ptr<EngineTexts> texts_;
    TvlBuildRun* activeBuild_ = nullptr;
    int lastTotalPages_ = 0;
    std::unique_ptr<TvlProgressWindow> progressWindow_;
    std::unique_ptr<TvlBandExtensions> bandExtensions_;
    bool bandExtensionsSet_ = false;
    TvlPreviewShared preview_;
    TvlDesignerShared designer_;
};

// Makes engine the instance the calling thread works for, with all its
// parts, until the scope ends; scopes nest.
class TvlEngineScope {
public:
    explicit TvlEngineScope(TvlEngine& engine);
    ~TvlEngineScope();
    TvlEngineScope(const TvlEngineScope&) = delete;
    TvlEngineScope& operator=(const TvlEngineScope&) = delete;

private:
    TvlEngine* engine_;
    TvlScriptContext* script_;
    TvlModelContext* model_;
    TvlOutputContext* output_;
};

// The engine instance the calling thread works for: what a report made
// without an engine belongs to.
TvlEngine& Globals();

} // namespace vl
