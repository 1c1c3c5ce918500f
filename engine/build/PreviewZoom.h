#pragma once

#include <cstdint>

namespace vl {

// How a preview scales its pages: by a percentage, to the page width, the
// whole page or two pages side by side.
enum TvlPreviewZoom : std::uint8_t { pzDefault, pzPageWidth, pzOnePage, pzTwoPages };

} // namespace vl
