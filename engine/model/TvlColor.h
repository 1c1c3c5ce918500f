#pragma once

#include <QColor>
#include <cstdint>

namespace vl {

// Engine colours are 32-bit values: an RGB colour in the low three bytes
// (red lowest), a system colour (high byte 0xFF, its index in the low byte),
// or clNone for "transparent".
using TvlColor = std::int32_t;

constexpr TvlColor clNone = 0x1FFFFFFF;
constexpr TvlColor clBlack = 0x000000;
constexpr TvlColor clWhite = 0xFFFFFF;
constexpr TvlColor clSilver = 0xC0C0C0;

constexpr TvlColor SystemColor(int index) {
    return static_cast<TvlColor>(0xFF000000u | static_cast<std::uint32_t>(index & 0xFF));
}
constexpr TvlColor clBtnFace = SystemColor(15);
constexpr TvlColor clBtnShadow = SystemColor(16);
constexpr TvlColor clBtnHighlight = SystemColor(20);

constexpr TvlColor RgbColor(int r, int g, int b) {
    return static_cast<TvlColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// The colour as Qt paints it: system colours through the classic system
// palette, clNone fully transparent, anything else from its low three bytes.
QColor ToQColor(TvlColor color);

// A Qt colour as an engine RGB value (alpha dropped).
TvlColor FromQColor(const QColor& color);

} // namespace vl
