#pragma once

#include "engine/model/MeasuringCanvas.h"
#include "engine/model/ModelContext.h"
#include "engine/model/ViewState.h"
#include "engine/output/OutputContext.h"
#include "engine/output/TvlPrinter.h"

// Shorthands for tests that set up or inspect the engine instance the
// thread works for (the default one unless a test entered another). The
// engine's own code reaches these through the report, page or object it
// works on.
namespace vl {

inline TvlViewState& ViewState() {
    return ModelGlobals().views();
}
inline TvlMeasuringCanvas& MeasuringCanvas() {
    return ModelGlobals().measuringCanvas();
}
inline TvlPrinter& GlobalPrinter() {
    return OutputGlobals().printer();
}

} // namespace vl
