#include "designer/editing/SurfaceHooks.h"

#include "designer/workspace/TvlDesignerPage.h"

namespace vl {

TvlSurfaceHooks SurfaceHooksFor(TvlDesignerPage& surface) {
    TvlSurfaceHooks hooks;
    hooks.redrawPage = [&surface] { surface.redrawPage(); };
    hooks.computeSelectionBox = [&surface] { surface.computeSelectionBox(); };
    hooks.drawSelection = [&surface](int what) { surface.drawSelection(what); };
    hooks.surfaceSize = [&surface] { return surface.size(); };
    return hooks;
}

} // namespace vl
