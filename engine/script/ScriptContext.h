#pragma once

#include "engine/script/Component.h"
#include "engine/script/EngineLimits.h"
#include "engine/script/LocaleService.h"
#include "engine/script/TvlLocale.h"

#include <atomic>
#include <memory>

namespace vl {

class TvlParser;
class TInterpretator;
class TvlVariables;
class TvlFunctionLibraries;
class TvlInstalledFunctions;
class UiService;
struct AggregateContext;

// The objects of expressions and scripts: the lowest part of an engine
// instance (TvlEngine), shared by the instance's reports, so one build,
// template load or drawing runs in it at a time. Each object is created on
// first use and lives as long as the instance.
class TvlScriptContext {
public:
    TvlScriptContext();
    ~TvlScriptContext();
    TvlScriptContext(const TvlScriptContext&) = delete;
    TvlScriptContext& operator=(const TvlScriptContext&) = delete;

    // Localized texts and the host's localisation handler.
    TvlLocale& locale();
    // Formatting, parsing and case conversion.
    LocaleService& localeService();
    // The host program's forms and data modules, searched by data-field paths.
    ComponentDirectory& components() { return components_; }
    // GlobalParser: evaluates the expressions of reports; a build binds its
    // callbacks to the report's value lookup and function dispatch.
    TvlParser& globalParser();
    // GlobalInterpretator: runs the scripts of reports; a build binds it to
    // the report being built.
    TInterpretator& globalInterpretator();
    // StopRequested: a build, a print run or a running script stops at its
    // next check. Atomic, so that a watchdog thread may set it too.
    std::atomic<bool>& stopRequested() { return stopRequested_; }
    // The stop check of every engine loop: true when the stop flag is set;
    // sets it first when the armed deadline has passed or the host was
    // interrupted, so a build that clears the flag as it starts still stops.
    bool stopDue();
    // Ctrl-C and the like: safe in a signal handler. The interruption
    // lasts until ClearInterrupt.
    void interrupt() {
        interrupted_ = true;
        stopRequested_ = true;
    }
    void clearInterrupt() { interrupted_ = false; }
    bool interrupted() const { return interrupted_; }
    // The bounds the engine enforces (see EngineLimits).
    EngineLimits& limits() { return limits_; }
    // The deadline ScopedDeadline arms (steady-clock ticks, 0: none) and the
    // one that last stopped the work.
    ScopedDeadline::Clock::rep& deadline() { return deadline_; }
    ScopedDeadline::Clock::rep passedDeadline() const { return passedDeadline_; }
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

private:
    void createFunctionLibraries();

    std::unique_ptr<TvlLocale> locale_;
    std::unique_ptr<LocaleService> localeService_;
    ComponentDirectory components_;
    std::unique_ptr<TvlParser> globalParser_;
    std::unique_ptr<TInterpretator> globalInterpretator_;
    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> interrupted_{false};
    EngineLimits limits_;
    ScopedDeadline::Clock::rep deadline_ = 0;
    ScopedDeadline::Clock::rep passedDeadline_ = 0;
    std::unique_ptr<TvlVariables> globalVariables_;
    std::unique_ptr<TvlVariables> constantList_;
    std::unique_ptr<TvlInstalledFunctions> installedFunctions_;
    std::unique_ptr<TvlFunctionLibraries> functionLibraries_;
    std::unique_ptr<AggregateContext> aggregateContext_;
    std::unique_ptr<UiService> uiService_;
};

// The expression and script objects of the engine instance the calling
// thread works for: the process's own unless the thread entered another
// instance. For the few entry points that are handed nothing (a value's
// conversions, the engine's texts); everything else is given its instance.
TvlScriptContext& ScriptGlobals();
// The process's own expression and script objects.
TvlScriptContext& DefaultScriptContext();
// Makes part the calling thread's expression and script objects (none: the
// process's own) and returns the one it replaces. Engine instances enter
// their parts.
TvlScriptContext* EnterScriptContext(TvlScriptContext* part);

} // namespace vl
