#pragma once

#include <cstdint>
#include <string>

namespace vl {

// The values newly inserted objects take, which the designer's formatting
// toolbars change as the user formats objects.
struct TvlNewObjectSettings {
    float frameWidth = 1;
    float lineWidth = 2;
    std::uint32_t fillColor = 0x1FFFFFFF; // clNone
    std::uint32_t frameColor = 0;         // black
    std::uint32_t fontColor = 0;
    std::uint16_t frameSides = 0;
    std::string fontName = "Arial";
    int fontSize = 10;
    int fontStyle = 0;
    int alignment = 0;
    int charset = 1; // the engine's default character set
};

} // namespace vl
