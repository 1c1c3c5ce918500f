#pragma once

#include "engine/model/ViewTypes.h"
#include "engine/output/PageSettings.h"
#include "engine/output/PreparedLivePage.h"
#include "engine/script/Stream.h"

#include <memory>

namespace vl {

// One built page: its paper, the compact stream of the objects written onto
// it (a version byte, then object records in prepared mode) and, only while
// the page is drawn or edited, its live objects.
struct PreparedPage : PageSettings {
    // Where the preview placed the page, in its unscrolled pixels.
    TvlRect ScreenRect;
    // The page is to be drawn now; drawing it while clear releases Page.
    bool Shown = false;
    MemoryStream Stream;
    std::unique_ptr<PreparedLivePage> Page;
};

} // namespace vl
