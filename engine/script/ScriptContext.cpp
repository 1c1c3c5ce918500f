#include "engine/script/ScriptContext.h"

#include "engine/script/Aggregates.h"
#include "engine/script/ApplicationLifetime.h"
#include "engine/script/ConstantList.h"
#include "engine/script/DatabaseFunctionLibrary.h"
#include "engine/script/FunctionDescriptions.h"
#include "engine/script/FunctionLibrary.h"
#include "engine/script/StdFunctionLibrary.h"
#include "engine/script/TInterpretator.h"
#include "engine/script/TvlParser.h"
#include "engine/script/TvlVariables.h"
#include "engine/script/UiService.h"

#include <utility>

namespace vl {

TvlScriptContext::TvlScriptContext() = default;
TvlScriptContext::~TvlScriptContext() = default;

TvlLocale& TvlScriptContext::locale() {
    if (!locale_) locale_ = std::make_unique<TvlLocale>();
    return *locale_;
}

LocaleService& TvlScriptContext::localeService() {
    if (!localeService_) localeService_ = std::make_unique<LocaleService>();
    return *localeService_;
}

TvlParser& TvlScriptContext::globalParser() {
    if (!globalParser_) globalParser_ = std::make_unique<TvlParser>(localeService());
    return *globalParser_;
}

TInterpretator& TvlScriptContext::globalInterpretator() {
    if (!globalInterpretator_) globalInterpretator_ = std::make_unique<TInterpretator>(*this);
    return *globalInterpretator_;
}

TvlVariables& TvlScriptContext::globalVariables() {
    if (!globalVariables_) globalVariables_ = std::make_unique<TvlVariables>(true);
    return *globalVariables_;
}

TvlVariables& TvlScriptContext::constantList() {
    if (!constantList_) {
        constantList_ = std::make_unique<TvlVariables>(true);
        AddPredefinedConstants(*constantList_);
    }
    return *constantList_;
}

// The descriptions first: the libraries register theirs while they are created.
void TvlScriptContext::createFunctionLibraries() {
    installedFunctions_ = std::make_unique<TvlInstalledFunctions>();
    functionLibraries_ = std::make_unique<TvlFunctionLibraries>(*this, *installedFunctions_);
    functionLibraries_->Register(FunctionLibraryClass::of<TvlStdFunctionLibrary>());
    functionLibraries_->Register(FunctionLibraryClass::of<TDatabaseFunctionLibrary>());
}

TvlInstalledFunctions& TvlScriptContext::installedFunctions() {
    if (!installedFunctions_) createFunctionLibraries();
    return *installedFunctions_;
}

TvlFunctionLibraries& TvlScriptContext::functionLibraries() {
    if (!functionLibraries_) createFunctionLibraries();
    return *functionLibraries_;
}

AggregateContext& TvlScriptContext::aggregateContext() {
    if (!aggregateContext_) aggregateContext_ = std::make_unique<AggregateContext>();
    return *aggregateContext_;
}

UiService& TvlScriptContext::uiService() {
    if (!uiService_) uiService_ = std::make_unique<HeadlessUiService>();
    return *uiService_;
}

void TvlScriptContext::setUiService(std::unique_ptr<UiService> service) {
    uiService_ = std::move(service);
    // another instance's service goes with its instance
    if (uiService_ && this == &DefaultScriptContext())
        ReleaseWithApplication([] { DefaultScriptContext().setUiService(nullptr); });
}

namespace {

thread_local TvlScriptContext* threadPart = nullptr;

} // namespace

TvlScriptContext& DefaultScriptContext() {
    static TvlScriptContext globals;
    return globals;
}

TvlScriptContext& ScriptGlobals() {
    return threadPart ? *threadPart : DefaultScriptContext();
}

TvlScriptContext* EnterScriptContext(TvlScriptContext* part) {
    return std::exchange(threadPart, part);
}

} // namespace vl
