#include "engine/model/TvlFont.h"

#include "engine/script/CodePage.h"
#include "engine/script/Variant.h"

#include <algorithm>
#include <cmath>

namespace vl {

QFont TvlFont::toQFont(int pixelHeight) const {
    QFont font(ToQt(name));
    font.setPixelSize(pixelHeight > 0 ? pixelHeight : 1);
    font.setItalic(style & 1);
    font.setBold(style & 2);
    font.setUnderline(style & 4);
    font.setStrikeOut(style & 8);
    return font;
}

int TvlFont::pixelHeight96() const {
    return clampPixelHeight(RoundHalfEven(size * 96.0 / 72.0));
}

int TvlFont::clampPixelHeight(double pixels) {
    constexpr double kLargestPixelHeight = 4096;
    // A negative size names the same height, as the platform's fonts read it.
    if (std::isnan(pixels)) return 0;
    return static_cast<int>(std::min(std::fabs(pixels), kLargestPixelHeight));
}

} // namespace vl
