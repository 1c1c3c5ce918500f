#include "engine/model/ModelGlobals.h"

#include "engine/model/MeasuringCanvas.h"
#include "engine/script/ApplicationLifetime.h"
#include "engine/script/ScriptGlobals.h"

#include <utility>

namespace vl {

TvlModelGlobals::TvlModelGlobals(TvlScriptGlobals& script) : script_(script) {}

TvlModelGlobals::~TvlModelGlobals() = default;

TvlMeasuringCanvas& TvlModelGlobals::measuringCanvas() {
    if (!measuringCanvas_) {
        measuringCanvas_ = std::make_unique<TvlMeasuringCanvas>();
        views_.measuringCanvas = &measuringCanvas_->painter();
        // another instance's canvas goes with its instance
        if (this == &DefaultModelGlobals())
            ReleaseWithApplication([] { DefaultModelGlobals().releaseMeasuringCanvas(); });
    }
    return *measuringCanvas_;
}

void TvlModelGlobals::releaseMeasuringCanvas() {
    views_.measuringCanvas = nullptr;
    measuringCanvas_.reset();
}

namespace {

thread_local TvlModelGlobals* threadPart = nullptr;

} // namespace

TvlModelGlobals& DefaultModelGlobals() {
    static TvlModelGlobals globals(DefaultScriptGlobals());
    return globals;
}

TvlModelGlobals& ModelGlobals() {
    return threadPart ? *threadPart : DefaultModelGlobals();
}

TvlModelGlobals* EnterModelGlobals(TvlModelGlobals* part) {
    return std::exchange(threadPart, part);
}

} // namespace vl
