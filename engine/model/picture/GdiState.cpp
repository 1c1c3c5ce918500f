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

void GdiState::set(Setting setting, std::uint32_t value) {
    const int number = static_cast<int>(value);
    switch (setting) {
    case Setting::MapMode:
        mapMode = number;
        return;
    case Setting::BkMode:
        bkMode = number;
        return;
    case Setting::PolyFillMode:
        polyFillMode = number;
        return;
    case Setting::Rop2:
        rop2 = number;
        return;
    case Setting::TextAlign:
        textAlign = value;
        return;
    case Setting::TextColor:
        textColor = ColourRef(value);
        return;
    case Setting::BkColor:
        bkColor = ColourRef(value);
        return;
    }
}

void GdiState::scaleExtent(QSizeF& ext, double xNum, double xDenom, double yNum, double yDenom) {
    if (xDenom == 0 || yDenom == 0) return;
    ext = QSizeF(ext.width() * xNum / xDenom, ext.height() * yNum / yDenom);
}

QColor ColourRef(std::uint32_t c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

} // namespace vl
