#include "engine/build/TvlGlobals.h"

#include "engine/build/EngineTexts.h"
#include "engine/build/ProgressWindow.h"
#include "engine/model/MeasuringCanvas.h"
#include "engine/output/LinkOpener.h"
#include "engine/output/TvlCompressor.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/Aggregates.h"
#include "engine/script/ConstantList.h"
#include "engine/script/DatabaseFunctionLibrary.h"
#include "engine/script/FunctionDescriptions.h"
#include "engine/script/FunctionLibrary.h"
#include "engine/script/StdFunctionLibrary.h"
#include "engine/script/TInterpretator.h"
#include "engine/script/TvlParser.h"
#include "engine/script/TvlVariables.h"
#include "engine/script/UiService.h"

#include <QCoreApplication>

namespace vl {

TvlGlobals::TvlGlobals() = default;
TvlGlobals::~TvlGlobals() = default;

TvlLocale& TvlGlobals::locale() {
    if (!locale_) locale_ = std::make_unique<TvlLocale>();
    return *locale_;
}

const EngineTexts& TvlGlobals::texts() {
    if (!texts_) texts_ = std::make_unique<EngineTexts>(EngineTexts::load());
    return *texts_;
}

LocaleService& TvlGlobals::localeService() {
    if (!localeService_) localeService_ = std::make_unique<LocaleService>();
    return *localeService_;
}

TvlMeasuringCanvas& TvlGlobals::measuringCanvas() {
    if (!measuringCanvas_) {
        measuringCanvas_ = std::make_unique<TvlMeasuringCanvas>();
        views_.measuringCanvas = &measuringCanvas_->painter();
        if (QCoreApplication::instance())
            qAddPostRoutine([] { Globals().releaseMeasuringCanvas(); });
    }
    return *measuringCanvas_;
}

void TvlGlobals::releaseMeasuringCanvas() {
    views_.measuringCanvas = nullptr;
    measuringCanvas_.reset();
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

TvlParser& TvlGlobals::globalParser() {
    if (!globalParser_) globalParser_ = std::make_unique<TvlParser>();
    return *globalParser_;
}

TInterpretator& TvlGlobals::globalInterpretator() {
    if (!globalInterpretator_) globalInterpretator_ = std::make_unique<TInterpretator>();
    return *globalInterpretator_;
}

TvlVariables& TvlGlobals::globalVariables() {
    if (!globalVariables_) globalVariables_ = std::make_unique<TvlVariables>(true);
    return *globalVariables_;
}

TvlVariables& TvlGlobals::constantList() {
    if (!constantList_) {
        constantList_ = std::make_unique<TvlVariables>(true);
        AddPredefinedConstants(*constantList_);
    }
    return *constantList_;
}

// The descriptions first: the libraries register theirs while they are created.
void TvlGlobals::createFunctionLibraries() {
    installedFunctions_ = std::make_unique<TvlInstalledFunctions>();
    functionLibraries_ = std::make_unique<TvlFunctionLibraries>(*installedFunctions_);
    functionLibraries_->Register(FunctionLibraryClass::of<TvlStdFunctionLibrary>());
    functionLibraries_->Register(FunctionLibraryClass::of<TDatabaseFunctionLibrary>());
}

TvlInstalledFunctions& TvlGlobals::installedFunctions() {
    if (!installedFunctions_) createFunctionLibraries();
    return *installedFunctions_;
}

TvlFunctionLibraries& TvlGlobals::functionLibraries() {
    if (!functionLibraries_) createFunctionLibraries();
    return *functionLibraries_;
}

AggregateContext& TvlGlobals::aggregateContext() {
    if (!aggregateContext_) aggregateContext_ = std::make_unique<AggregateContext>();
    return *aggregateContext_;
}

UiService& TvlGlobals::uiService() {
    if (!uiService_) uiService_ = std::make_unique<HeadlessUiService>();
    return *uiService_;
}

TvlProgressWindow& TvlGlobals::progressWindow() {
    if (!progressWindow_) progressWindow_ = std::make_unique<TvlProgressWindow>();
    return *progressWindow_;
}

void TvlGlobals::setProgressWindow(std::unique_ptr<TvlProgressWindow> window) {
    progressWindow_ = std::move(window);
}

void TvlGlobals::setUiService(std::unique_ptr<UiService> service) {
    uiService_ = std::move(service);
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
