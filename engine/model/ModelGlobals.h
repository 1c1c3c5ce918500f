#pragma once

#include "engine/model/ViewState.h"

#include <memory>

namespace vl {

class TvlMeasuringCanvas;
class TvlScriptGlobals;

// The process-wide state of report objects: the engine context's part above
// expressions and scripts (vl::Globals() reaches it too).
class TvlModelGlobals {
public:
    // Over the script part of the same instance, which outlives this one.
    explicit TvlModelGlobals(TvlScriptGlobals& script);
    ~TvlModelGlobals();
    TvlModelGlobals(const TvlModelGlobals&) = delete;
    TvlModelGlobals& operator=(const TvlModelGlobals&) = delete;

    // Render mode, current objects, load errors and the hooks report objects use.
    TvlViewState& views() { return views_; }
    // The instance's expressions and scripts (its locale, parser...).
    TvlScriptGlobals& script() { return script_; }
    // The canvas text is measured on while reports are built. It is released
    // with the application object, before Qt's font system goes away.
    TvlMeasuringCanvas& measuringCanvas();
    void releaseMeasuringCanvas();

private:
    TvlScriptGlobals& script_;
    TvlViewState views_;
    std::unique_ptr<TvlMeasuringCanvas> measuringCanvas_;
};

// The report-object state of the engine instance the calling thread works for: the
// process's own unless the thread entered another instance.
TvlModelGlobals& ModelGlobals();
// The process's own report-object state.
TvlModelGlobals& DefaultModelGlobals();
// Makes part the calling thread's report-object state (none: the process's own) and
// returns the one it replaces. Engine instances enter their parts.
TvlModelGlobals* EnterModelGlobals(TvlModelGlobals* part);

} // namespace vl
