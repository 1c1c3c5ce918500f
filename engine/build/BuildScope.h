#pragma once

#include "engine/script/ScopedValue.h"

namespace vl {

class TvlEngine;
class TvlRuntimeBand;
class TvlView;
class TvlViewPage;

// What a build points at and collects belongs to it: the current page, band
// and view start at none and get their values from before the build back
// on every way out of it, so nothing engine-wide names a runtime band or a
// page the build released.
class BuildScope {
public:
    explicit BuildScope(TvlEngine& globals);
    ~BuildScope();
    BuildScope(const BuildScope&) = delete;
    BuildScope& operator=(const BuildScope&) = delete;

private:
    ScopedValue<TvlViewPage*> page_;
    ScopedValue<TvlRuntimeBand*> band_;
    ScopedValue<TvlView*> view_;
};

} // namespace vl
