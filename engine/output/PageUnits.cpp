#include "engine/output/PageUnits.h"

#include "engine/script/Variant.h"

namespace vl {

int TenthsMmToPixels(int tenthsMm) {
    return static_cast<int>(RoundHalfEven(tenthsMm * kPagePixelsPerInch / 254.0));
}

int DotsToPixels(int dots, int dotsPerInch) {
    return static_cast<int>(RoundHalfEven(dots * kPagePixelsPerInch / dotsPerInch));
}

int DotsToTenthsMm(int dots, int dotsPerInch) {
    return static_cast<int>(RoundHalfEven(static_cast<double>(dots) / dotsPerInch * 254.0));
}

} // namespace vl
