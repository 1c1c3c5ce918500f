#pragma once

#include "engine/model/picture/GdiState.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QRectF>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vl {

// The device context a metafile plays into. The record readers translate
// records into these calls; the canvas keeps the GDI state (with its SaveDC
// stack), maps logical coordinates through the map mode and world transform
// to the reference device, and from there onto the painter.
//
// Everything is bounded: drawing whose coordinates land far outside any
// sensible device is dropped, bitmaps draw from a fixed pixel budget, and the
// state stack has a fixed depth.
class MetafileCanvas {
public:
    static constexpr std::int64_t kPixelBudget = 64LL * 1024 * 1024;
    static constexpr int kMaxSavedStates = 1024;
    static constexpr int kMaxTextLength = 8192;

    // deviceToTarget maps reference-device coordinates onto the painter's
    // coordinates; devicePerMm is the reference device's resolution, which the
    // metric map modes need. The painter's state is restored on destruction.
    MetafileCanvas(QPainter& painter, const QTransform& deviceToTarget, const QPointF& devicePerMm);
    ~MetafileCanvas();
    MetafileCanvas(const MetafileCanvas&) = delete;
    MetafileCanvas& operator=(const MetafileCanvas&) = delete;

    GdiState& state() { return state_; }
    const GdiState& state() const { return state_; }
    QTransform logicalToDevice() const { return state_.logicalToDevice(devicePerMm_); }

    void saveDC();
    // Negative: that many levels back; positive: the state saved as that
    // instance (1 = the first); anything out of range is ignored.
    void restoreDC(int which);

    // Lines and shapes, logical coordinates.
    void moveTo(const QPointF& p);
    void lineTo(const QPointF& p);
    void polyline(const QPolygonF& points);
    void polylineTo(const QPolygonF& points);
    void polygon(const QPolygonF& points);
    void polyPolygon(const std::vector<QPolygonF>& polygons);
    void polyPolyline(const std::vector<QPolygonF>& lines);
    void polyBezier(const QPolygonF& points);
    void polyBezierTo(const QPolygonF& points);
    void polyDraw(const QPolygonF& points, std::span<const std::uint8_t> types);
    void rectangle(const QRectF& box);
    void roundRect(const QRectF& box, const QSizeF& corner);
    void ellipse(const QRectF& box);
    enum class ArcKind { Arc, ArcTo, Chord, Pie };
    void arc(const QRectF& box, const QPointF& start, const QPointF& end, ArcKind kind);
    void angleArc(const QPointF& centre, double radius, double startDegrees, double sweepDegrees);
    void setPixel(const QPointF& p, const QColor& colour);
    void fillRegion(const QPainterPath& logical, const GdiBrush& brush);
    void frameRegion(const QPainterPath& logical, const GdiBrush& brush);

    // ExtTextOut. dx holds the advance of each UTF-16 unit in logical units
    // (empty: the font's own advances).
    enum TextOptions : std::uint32_t { kOpaque = 2, kClipped = 4, kGlyphIndex = 0x10 };
    struct TextRun {
        QPointF reference;
        QString text;
        std::vector<double> dx;
        std::uint32_t options = 0;
        std::optional<QRectF> rect;
    };
    void textOut(const TextRun& run);

    // Raster operations, ternary ROP codes. source is in image pixels; a
    // negative destination width or height mirrors the image.
    void stretchBlt(const QImage& image, const QRectF& dest, const QRectF& source,
                    std::uint32_t rop);
    void patBlt(const QRectF& dest, std::uint32_t rop);
    // Takes pixels from the budget for a bitmap about to be decoded; false
    // when it is spent.
    bool chargePixels(std::int64_t pixels);
    // A DIB decoded within the pixel budget (null when damaged or over it).
    QImage decodeDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits,
                     bool paletteIndices = false);
    QImage decodePackedDib(std::span<const std::uint8_t> packed, bool paletteIndices = false);

    // Clipping. Regions given to selectClip are in device coordinates.
    enum RegionMode { kRgnAnd = 1, kRgnOr, kRgnXor, kRgnDiff, kRgnCopy };
    void intersectClipRect(const QRectF& r);
    void excludeClipRect(const QRectF& r);
    void offsetClip(const QPointF& logicalDelta);
    void selectClip(const std::optional<QPainterPath>& devicePath, int mode);

    // Path brackets (BeginPath .. EndPath), kept in device coordinates.
    void beginPath();
    void endPath();
    void abortPath();
    void closeFigure();
    void fillPath();
    void strokePath();
    void strokeAndFillPath();
    void selectClipPath(int mode);

private:
    enum Paint { kStroke = 1, kFill = 2, kBoth = 3 };

    QTransform toPainter(const QTransform& logical) const { return logical * outer_ * base_; }
    bool sane(const QTransform& full, const QRectF& bounds) const;
    void figure(const QPainterPath& path, int paint, bool continues = false);
    void draw(const QPainterPath& path, int paint);
    void drawDevicePath(const QPainterPath& devicePath, int paint);
    bool applyRop2();
    QPen makePen(const QTransform& full) const;
    QBrush makeBrush(const GdiBrush& brush, const QTransform& full) const;
    void applyClip();
    void combineClip(const QPainterPath& devicePath, int mode);
    struct ArcSpan {
        QRectF box;
        double start; // degrees, counter-clockwise from three o'clock
        double sweep;
    };
    std::optional<ArcSpan> arcSpan(const QRectF& box, const QPointF& start,
                                   const QPointF& end) const;
    QPainterPath takePath();
    void drawTextRun(const TextRun& run);

    QPainter& painter_;
    QTransform outer_;
    QTransform base_;
    QPointF devicePerMm_;
    QPainterPath universe_; // the part of device space that can be seen
    bool usable_ = true;
    bool rasterOps_ = false;
    bool blendModes_ = false;
    GdiState state_;
    std::vector<GdiState> saved_;
    std::int64_t pixelsLeft_ = kPixelBudget;
    bool pathOpen_ = false;
    bool figureOpen_ = false;
    QPainterPath bracket_;
};

} // namespace vl
