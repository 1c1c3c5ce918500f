#include "engine/build/BuildRun.h"

#include "engine/build/TvlEngine.h"

namespace vl {

TvlBuildRun::TvlBuildRun(TvlEngine& engine, TvlReport& report) : engine_(engine), report_(report) {
    state_.totalPages = engine.lastTotalPages();
    engine.setActiveBuild(this);
}

TvlBuildRun::~TvlBuildRun() {
    engine_.lastTotalPages() = state_.totalPages;
    engine_.setActiveBuild(nullptr);
}

bool TvlBuildRun::stopDue() const {
    return engine_.script().stopDue();
}

} // namespace vl
