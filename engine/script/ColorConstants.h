#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vl {

// A named colour constant: the 16 basic colours, clTransparent, and the 25
// system colours (0xFF000000 + index, negative as 32-bit integers).
struct ColorConstant {
    const char* name;
    std::int32_t value;
};

inline constexpr std::size_t kColorConstantCount = 42;

// The colour constants in their fixed order, clWhite first and clInfoBk last.
// The object inspector offers them in this order.
const std::array<ColorConstant, kColorConstantCount>& ColorConstants();

// The constant of that name (case ignored), or nullptr.
const ColorConstant* FindColorConstant(std::string_view name);
// The first constant with that value, or nullptr.
const ColorConstant* FindColorConstant(std::int32_t value);

} // namespace vl
