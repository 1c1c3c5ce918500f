#pragma once

#include <cstdint>

namespace vl {

// The platform's font style set: bold first, italic second.
enum FontStyleFlag : std::uint8_t {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};
using FontStyles = std::uint8_t;

// Streams and expressions keep a font style as an integer whose bit 0 is
// italic and bit 1 bold (underline and strike-out as in the set). The two
// conversions swap bits 0 and 1.
constexpr int FontStyleToInt(FontStyles styles) {
    return ((styles & fsBold) << 1) | ((styles & fsItalic) >> 1) | (styles & 0x0C);
}

constexpr FontStyles IntToFontStyle(int code) {
    return static_cast<FontStyles>(((code & 1) << 1) | ((code & 2) >> 1) | (code & 0x0C));
}

} // namespace vl
