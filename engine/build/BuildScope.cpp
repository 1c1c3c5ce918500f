#include "engine/build/BuildScope.h"

#include "engine/build/TvlGlobals.h"
#include "engine/model/ViewState.h"

namespace vl {

BuildScope::BuildScope(TvlGlobals& globals)
    : page_(globals.views().currentPage, nullptr), band_(globals.views().currentBand, nullptr),
      view_(globals.views().currentView, nullptr), hooks_(globals.hookList()) {
    hooks_.clear();
}

BuildScope::~BuildScope() {
    hooks_.clear();
}

} // namespace vl
