#include "engine/model/ModelGlobals.h"

#include "engine/model/MeasuringCanvas.h"
#include "engine/script/ApplicationLifetime.h"
#include "engine/script/ScriptGlobals.h"

namespace vl {

// The script objects are created first so that they outlive this part.
TvlModelGlobals::TvlModelGlobals() {
    ScriptGlobals();
}

TvlModelGlobals::~TvlModelGlobals() = default;

TvlMeasuringCanvas& TvlModelGlobals::measuringCanvas() {
    if (!measuringCanvas_) {
        measuringCanvas_ = std::make_unique<TvlMeasuringCanvas>();
        views_.measuringCanvas = &measuringCanvas_->painter();
        ReleaseWithApplication([] { ModelGlobals().releaseMeasuringCanvas(); });
    }
    return *measuringCanvas_;
}

void TvlModelGlobals::releaseMeasuringCanvas() {
    views_.measuringCanvas = nullptr;
    measuringCanvas_.reset();
}

TvlModelGlobals& ModelGlobals() {
    static TvlModelGlobals globals;
    return globals;
}

} // namespace vl
