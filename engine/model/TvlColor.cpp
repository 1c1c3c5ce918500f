#include "engine/model/TvlColor.h"

#include <array>

namespace vl {

namespace {

// The classic system palette, indexed like the platform's system colours.
constexpr std::array<std::uint32_t, 31> kSystemPalette = {
    0xC0C0C0, // scroll bar
    0x808000, // background
    0x800000, // active caption
    0x808080, // inactive caption
    0xC0C0C0, // menu
    0xFFFFFF, // window
    0x000000, // window frame
    0x000000, // menu text
    0x000000, // window text
    0xFFFFFF, // caption text
    0xC0C0C0, // active border
    0xC0C0C0, // inactive border
    0x808080, // application workspace
    0x800000, // highlight
    0xFFFFFF, // highlight text
    0xC0C0C0, // button face
    0x808080, // button shadow
    0x808080, // grey text
    0x000000, // button text
    0xC0C0C0, // inactive caption text
    0xFFFFFF, // button highlight
    0x000000, // 3D dark shadow
    0xDFDFDF, // 3D light
    0x000000, // info text
    0xE1FFFF, // info background
    0xB5B5B5, // (unused slot)
    0xFF0000, // hot light
    0xD1B499, // gradient active caption
    0xDBCDBF, // gradient inactive caption
    0xFF9933, // menu highlight
    0xF0F0F0, // menu bar
};

QColor FromBgr(std::uint32_t value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace

QColor ToQColor(TvlColor color) {
    if (color == clNone) return QColor(0, 0, 0, 0);
    const auto value = static_cast<std::uint32_t>(color);
    if ((value >> 24) == 0xFF) {
        const std::size_t index = value & 0xFF;
        return FromBgr(index < kSystemPalette.size() ? kSystemPalette[index] : 0);
    }
    return FromBgr(value & 0xFFFFFF);
}

TvlColor FromQColor(const QColor& color) {
    return RgbColor(color.red(), color.green(), color.blue());
}

} // namespace vl
