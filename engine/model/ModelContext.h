#pragma once

#include "engine/model/ViewState.h"

#include <memory>

namespace vl {

class TvlMeasuringCanvas;
class TvlScriptContext;

// The state of report objects: the part of an engine instance (TvlEngine)
// above expressions and scripts. Objects reach the one they belong to.
class TvlModelContext {
public:
    // Over the script part of the same instance, which outlives this one.
    explicit TvlModelContext(TvlScriptContext& script);
    ~TvlModelContext();
    TvlModelContext(const TvlModelContext&) = delete;
    TvlModelContext& operator=(const TvlModelContext&) = delete;

    // Whether a build runs, current objects, load errors and the hooks report
    // objects use.
    TvlViewState& views() { return views_; }
    // The instance's expressions and scripts (its locale, parser...).
    TvlScriptContext& script() { return script_; }
    // The canvas text is measured on while reports are built. It is released
    // with the application object, before Qt's font system goes away.
    TvlMeasuringCanvas& measuringCanvas();
    void releaseMeasuringCanvas();

private:
    TvlScriptContext& script_;
    TvlViewState views_;
    std::unique_ptr<TvlMeasuringCanvas> measuringCanvas_;
};

// The report-object state of the engine instance the calling thread works
// for: the process's own unless the thread entered another instance. A new
// report object starts out as one of its objects.
TvlModelContext& ModelGlobals();
// The process's own report-object state.
TvlModelContext& DefaultModelContext();
// Makes part the calling thread's report-object state (none: the process's
// own) and returns the one it replaces. Engine instances enter their parts.
TvlModelContext* EnterModelContext(TvlModelContext* part);

} // namespace vl
