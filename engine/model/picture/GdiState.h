#pragma once

#include "engine/model/picture/GdiObjects.h"

#include <QPointF>
#include <QSizeF>
#include <QTransform>
#include <cstdint>
#include <optional>

namespace vl {

// The attributes of a device context that a metafile sets and SaveDC keeps:
// the coordinate mapping, the selected objects, colours and modes, the current
// position and the clipping area.
struct GdiState {
    enum MapMode {
        kText = 1,
        kLoMetric,
        kHiMetric,
        kLoEnglish,
        kHiEnglish,
        kTwips,
        kIsotropic,
        kAnisotropic
    };
    enum BkMode { kTransparent = 1, kOpaque = 2 };
    enum FillMode { kAlternate = 1, kWinding = 2 };
    enum TextAlign : std::uint32_t {
        kUpdateCp = 1,
        kAlignRight = 2,
        kAlignCenter = 6,
        kHorizontalMask = 6,
        kAlignBottom = 8,
        kAlignBaseline = 24,
        kVerticalMask = 24
    };

    int mapMode = kText;
    QPointF windowOrg{0, 0};
    QSizeF windowExt{1, 1};
    QPointF viewportOrg{0, 0};
    QSizeF viewportExt{1, 1};
    QTransform world; // enhanced metafiles only

    GdiPen pen;
    GdiBrush brush;
    GdiFont font;
    QColor textColor = Qt::black;
    QColor bkColor = Qt::white;
    int bkMode = kOpaque;
    std::uint32_t textAlign = 0;
    int polyFillMode = kAlternate;
    int rop2 = 13; // R2_COPYPEN
    bool clockwiseArcs = false;
    QPointF current{0, 0}; // logical

    // Device coordinates; none means the whole device.
    std::optional<QPainterPath> clip;

    // Page space (after the world transform) to device space. Device units per
    // millimetre give the scale of the metric map modes.
    QTransform pageToDevice(const QPointF& devicePerMm) const;
    QTransform logicalToDevice(const QPointF& devicePerMm) const {
        return world * pageToDevice(devicePerMm);
    }
    bool isMetric() const { return mapMode >= kLoMetric && mapMode <= kTwips; }

    // The attributes both metafile formats set from one record value; each
    // reader reads the value at its own width.
    enum class Setting : std::uint8_t {
        MapMode,
        BkMode,
        PolyFillMode,
        Rop2,
        TextAlign,
        TextColor,
        BkColor
    };
    void set(Setting setting, std::uint32_t value);
    // The SCALE...EXT records: each axis of the extent times num / denom; a
    // zero denominator changes nothing.
    static void scaleExtent(QSizeF& ext, double xNum, double xDenom, double yNum, double yDenom);
};

// A COLORREF: red in the low byte.
QColor ColourRef(std::uint32_t c);

} // namespace vl
