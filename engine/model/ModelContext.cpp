#include "engine/model/ModelContext.h"

#include "engine/model/MeasuringCanvas.h"
#include "engine/script/ApplicationLifetime.h"
#include "engine/script/ScriptContext.h"

#include <utility>

namespace vl {

TvlModelContext::TvlModelContext(TvlScriptContext& script) : script_(script) {}

TvlModelContext::~TvlModelContext() = default;

TvlMeasuringCanvas& TvlModelContext::measuringCanvas() {
    if (!measuringCanvas_) {
        measuringCanvas_ = std::make_unique<TvlMeasuringCanvas>();
        views_.measuringCanvas = &measuringCanvas_->painter();
        // another instance's canvas goes with its instance
        if (this == &DefaultModelContext())
            ReleaseWithApplication([] { DefaultModelContext().releaseMeasuringCanvas(); });
    }
    return *measuringCanvas_;
}

void TvlModelContext::releaseMeasuringCanvas() {
    views_.measuringCanvas = nullptr;
    measuringCanvas_.reset();
}

namespace {

thread_local TvlModelContext* threadPart = nullptr;

} // namespace

TvlModelContext& DefaultModelContext() {
    static TvlModelContext globals(DefaultScriptContext());
    return globals;
}

TvlModelContext& ModelGlobals() {
    return threadPart ? *threadPart : DefaultModelContext();
}

TvlModelContext* EnterModelContext(TvlModelContext* part) {
    return std::exchange(threadPart, part);
}

} // namespace vl
