#pragma once

#include "engine/build/BuildState.h"
#include "engine/model/ViewState.h"
#include "engine/script/Component.h"
#include "engine/script/LocaleService.h"
#include "engine/script/TvlLocale.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace vl {

struct EngineTexts;
class TvlView;
class PrinterSystem;
class TvlCompressor;
class TvlLinkOpener;
class TvlMeasuringCanvas;
class TvlPrinter;
class TvlParser;
class TInterpretator;
class TvlVariables;
class TvlFunctionLibraries;
class TvlInstalledFunctions;
class UiService;
class TvlProgressWindow;
struct AggregateContext;

// What the designer's choosers remember until the program ends: the last
// data set of the fields chooser and the last category of the variables
// chooser.
struct TvlChooserMemory {
    std::string dataSet;
    std::string category;
};

// The engine's process-wide objects, owned in one place. They are shared by
// every report of the process, so one build, template load or drawing runs at
// a time. Each object is created on first use and lives until the process
// ends.
class TvlGlobals {
public:
    TvlGlobals();
    ~TvlGlobals();
    TvlGlobals(const TvlGlobals&) = delete;
    TvlGlobals& operator=(const TvlGlobals&) = delete;

    // Localized texts and the host's localisation handler.
    TvlLocale& locale();
    // The texts read once at start-up (band names, format lists...).
    const EngineTexts& texts();
    // Formatting, parsing and case conversion.
    LocaleService& localeService();
    // The host program's forms and data modules, searched by data-field paths.
    ComponentDirectory& components() { return components_; }
    // The objects told about every text object a build writes (the band
    // engine fills it with the objects that want the hook).
    std::vector<TvlView*>& hookList() { return hookList_; }
    // The state of the build that runs (current report, page index, totals
    // of pages, continuation, error text).
    TvlBuildState& build() { return build_; }
    // Render mode, current objects, load errors and the hooks report objects use.
    TvlViewState& views() { return views_; }
    // The canvas text is measured on while reports are built. It is released
    // with the application object, before Qt's font system goes away.
    TvlMeasuringCanvas& measuringCanvas();
    void releaseMeasuringCanvas();

    // The one printer object. Used before startPrinter it is started
    // without system printers, on the virtual printer.
    TvlPrinter& printer();
    // Starts the printer object on the system's printers and then sets the
    // printer-ready flag, also when starting failed.
    void startPrinter(std::unique_ptr<PrinterSystem> system);
    // Template reading waits for this flag.
    bool printerReady() const { return printerReady_; }
    // The paper code new pages take: the printer's paper when it started.
    int defaultPaperSize() const { return defaultPaperSize_; }

    // GlobalParser: evaluates the expressions of reports; a build binds its
    // callbacks to the report's value lookup and function dispatch.
    TvlParser& globalParser();
    // GlobalInterpretator: runs the scripts of reports; a build binds it to
    // the report being built.
    TInterpretator& globalInterpretator();
    // StopRequested: a build, a print run or a running script stops at its
    // next check. Atomic, so that a watchdog thread may set it too.
    std::atomic<bool>& stopRequested() { return stopRequested_; }
    // GlobalVariables (script variables and array elements) and ConstantList
    // (the predefined constants); both sorted.
    TvlVariables& globalVariables();
    TvlVariables& constantList();
    // The installed function libraries (standard, then database) and
    // InstalledFunctions, the descriptions they register.
    TvlFunctionLibraries& functionLibraries();
    TvlInstalledFunctions& installedFunctions();
    // What aggregate functions see of the build.
    AggregateContext& aggregateContext();
    // The dialogs of INPUT and MESSAGEBOX; headless until a host installs one.
    UiService& uiService();
    void setUiService(std::unique_ptr<UiService> service);
    // The progress window of builds and print runs; headless until a host
    // installs one.
    TvlProgressWindow& progressWindow();
    void setProgressWindow(std::unique_ptr<TvlProgressWindow> window);
    // The compressor of prepared-report files: zlib, switched off.
    TvlCompressor& compressor();
    void setCompressor(std::unique_ptr<TvlCompressor> compressor);
    // Opens web and mail links from prepared pages; none in headless runs.
    TvlLinkOpener* linkOpener() const { return linkOpener_.get(); }
    void setLinkOpener(std::unique_ptr<TvlLinkOpener> opener);
    TvlChooserMemory& chooserMemory() { return chooserMemory_; }
    // The data set chosen last in the designer's database fields window; a
    // new fields window opens on it.
    std::string& lastFieldsDataSet() { return lastFieldsDataSet_; }

private:
    void createFunctionLibraries();

    std::unique_ptr<TvlLocale> locale_;
    std::unique_ptr<EngineTexts> texts_;
    std::unique_ptr<LocaleService> localeService_;
    ComponentDirectory components_;
    std::vector<TvlView*> hookList_;
    std::unique_ptr<TvlPrinter> printer_;
    bool printerReady_ = false;
    int defaultPaperSize_ = 9;
    TvlViewState views_;
    TvlBuildState build_;
    std::unique_ptr<TvlMeasuringCanvas> measuringCanvas_;
    std::unique_ptr<TvlParser> globalParser_;
    std::unique_ptr<TInterpretator> globalInterpretator_;
    std::atomic<bool> stopRequested_{false};
    std::unique_ptr<TvlVariables> globalVariables_;
    std::unique_ptr<TvlVariables> constantList_;
    std::unique_ptr<TvlInstalledFunctions> installedFunctions_;
    std::unique_ptr<TvlFunctionLibraries> functionLibraries_;
    std::unique_ptr<AggregateContext> aggregateContext_;
    std::unique_ptr<UiService> uiService_;
    std::unique_ptr<TvlProgressWindow> progressWindow_;
    std::unique_ptr<TvlCompressor> compressor_;
    std::unique_ptr<TvlLinkOpener> linkOpener_;
    TvlChooserMemory chooserMemory_;
    std::string lastFieldsDataSet_;
};

// The process's engine objects.
TvlGlobals& Globals();

// The process's printer object.
TvlPrinter& GlobalPrinter();

} // namespace vl
