#include "engine/build/BuildScope.h"

#include "engine/build/TvlEngine.h"
#include "engine/model/ViewState.h"

namespace vl {

BuildScope::BuildScope(TvlEngine& globals)
    : page_(globals.views().currentPage, nullptr), band_(globals.views().currentBand, nullptr),
      view_(globals.views().currentView, nullptr) {}

BuildScope::~BuildScope() = default;

} // namespace vl
