#include "engine/model/picture/GdiState.h"

#include <algorithm>
#include <cmath>

namespace vl {

namespace {

// Millimetres per logical unit of the fixed-scale map modes.
double metricUnitMm(int mode) {
    switch (mode) {
    case GdiState::kLoMetric:
        return 0.1;
    case GdiState::kHiMetric:
        return 0.01;
    case GdiState::kLoEnglish:
        return 0.254;
    case GdiState::kHiEnglish:
        return 0.0254;
    case GdiState::kTwips:
        return 25.4 / 1440.0;
    default:
        return 1.0;
    }
}

double ratio(double num, double den) {
    return den == 0 || !std::isfinite(num / den) ? 1.0 : num / den;
}

} // namespace

QTransform GdiState::pageToDevice(const QPointF& devicePerMm) const {
    double sx = 1, sy = 1;
    if (isMetric()) {
        const double mm = metricUnitMm(mapMode);
        sx = mm * devicePerMm.x();
        sy = -mm * devicePerMm.y(); // these modes count upwards
    } else if (mapMode == kIsotropic || mapMode == kAnisotropic) {
        sx = ratio(viewportExt.width(), windowExt.width());
        sy = ratio(viewportExt.height(), windowExt.height());
        if (mapMode == kIsotropic) {
            // equal units on both axes: the smaller scale wins, signs stay
            const double s = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(s, sx);
            sy = std::copysign(s, sy);
        }
    }
    return QTransform::fromTranslate(-windowOrg.x(), -windowOrg.y()) *
           QTransform::fromScale(sx, sy) *
           QTransform::fromTranslate(viewportOrg.x(), viewportOrg.y());
}

} // namespace vl
