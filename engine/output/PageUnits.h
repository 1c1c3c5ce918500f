#pragma once

namespace vl {

// Report geometry is measured in page pixels: 93 / 1.015 per inch, about
// 3.6073 per millimetre. Paper sizes are held in tenths of a millimetre.
inline constexpr double kPagePixelsPerInch = 93.0 / 1.015;

// All conversions round to the nearest integer, halves to even.
int TenthsMmToPixels(int tenthsMm);
int DotsToPixels(int dots, int dotsPerInch);
int DotsToTenthsMm(int dots, int dotsPerInch);

} // namespace vl
