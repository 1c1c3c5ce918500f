#include "engine/model/picture/MetafileCanvas.h"

#include "engine/model/picture/DibDecoder.h"

#include <QPaintEngine>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace vl {

namespace {

// Painter coordinates beyond this are not drawn: nothing real lies there, and
// the rasteriser's fixed-point arithmetic does not reach much further.
constexpr double kCoordLimit = 1 << 22;
constexpr int kMaxClipElements = 20000;

bool finiteRect(const QRectF& r) {
    return std::isfinite(r.left()) && std::isfinite(r.top()) && std::isfinite(r.width()) &&
           std::isfinite(r.height());
}

double scaleOf(const QTransform& t) {
    return std::sqrt(std::abs(t.determinant()));
}

// Dash patterns of the cosmetic pens, in device pixels.
QList<qreal> cosmeticDashes(int style) {
    switch (style) {
    case GdiPen::kDash:
        return {18, 6};
    case GdiPen::kDot:
        return {3, 3};
    case GdiPen::kDashDot:
        return {9, 6, 3, 6};
    case GdiPen::kDashDotDot:
        return {9, 3, 3, 3, 3, 3};
    case GdiPen::kAlternate:
        return {1, 1};
    default:
        return {};
    }
}

// Dash patterns of wide pens, in pen widths.
QList<qreal> wideDashes(int style) {
    switch (style) {
    case GdiPen::kDash:
        return {3, 1};
    case GdiPen::kDot:
    case GdiPen::kAlternate:
        return {1, 1};
    case GdiPen::kDashDot:
        return {3, 1, 1, 1};
    case GdiPen::kDashDotDot:
        return {3, 1, 1, 1, 1, 1};
    default:
        return {};
    }
}

Qt::BrushStyle hatchStyle(int hatch) {
    switch (hatch) {
    case GdiBrush::kVertical:
        return Qt::VerPattern;
    case GdiBrush::kFDiagonal:
        return Qt::FDiagPattern;
    case GdiBrush::kBDiagonal:
        return Qt::BDiagPattern;
    case GdiBrush::kCross:
        return Qt::CrossPattern;
    case GdiBrush::kDiagCross:
        return Qt::DiagCrossPattern;
    default:
        return Qt::HorPattern;
    }
}

// The middle byte of a ternary raster operation names its boolean function.
int ropFunction(std::uint32_t rop) {
    return static_cast<int>((rop >> 16) & 0xFF);
}

} // namespace

MetafileCanvas::MetafileCanvas(QPainter& painter, const QTransform& deviceToTarget,
                               const QPointF& devicePerMm)
    : painter_(painter), outer_(deviceToTarget), base_(painter.transform()),
      devicePerMm_(devicePerMm) {
    painter_.save();
    painter_.save(); // the level that carries the metafile's clipping
    const QPaintEngine* engine = painter_.paintEngine();
    rasterOps_ = engine && engine->hasFeature(QPaintEngine::RasterOpModes);
    blendModes_ = engine && engine->hasFeature(QPaintEngine::BlendModes);
    bool invertible = false;
    const QTransform back = (outer_ * base_).inverted(&invertible);
    const QRectF limit(-kCoordLimit, -kCoordLimit, 2 * kCoordLimit, 2 * kCoordLimit);
    const QRectF visible = back.mapRect(limit);
    usable_ = invertible && finiteRect(visible) && scaleOf(outer_ * base_) > 0;
    if (usable_) universe_.addRect(visible);
}

MetafileCanvas::~MetafileCanvas() {
    painter_.restore();
    painter_.restore();
}

void MetafileCanvas::saveDC() {
    if (static_cast<int>(saved_.size()) < kMaxSavedStates) saved_.push_back(state_);
}

void MetafileCanvas::restoreDC(int which) {
    const auto depth = static_cast<std::int64_t>(saved_.size());
    std::int64_t index;
    if (which < 0)
        index = depth + which;
    else if (which > 0)
        index = static_cast<std::int64_t>(which) - 1;
    else
        return;
    if (index < 0 || index >= depth) return;
    state_ = saved_[static_cast<std::size_t>(index)];
    saved_.resize(static_cast<std::size_t>(index));
    applyClip();
}

// ---- lines and shapes ----

void MetafileCanvas::moveTo(const QPointF& p) {
    state_.current = p;
    if (pathOpen_) {
        bracket_.moveTo(logicalToDevice().map(p));
        figureOpen_ = true;
    }
}

void MetafileCanvas::lineTo(const QPointF& p) {
    if (pathOpen_) {
        const QTransform l = logicalToDevice();
        if (!figureOpen_ || bracket_.isEmpty()) bracket_.moveTo(l.map(state_.current));
        bracket_.lineTo(l.map(p));
        figureOpen_ = true;
    } else {
        QPainterPath path(state_.current);
        path.lineTo(p);
        draw(path, kStroke);
    }
    state_.current = p;
}

void MetafileCanvas::polyline(const QPolygonF& points) {
    if (points.size() < 2) return;
    QPainterPath path;
    path.addPolygon(points);
    figure(path, kStroke);
}

void MetafileCanvas::polylineTo(const QPolygonF& points) {
    if (points.isEmpty()) return;
    QPainterPath path(state_.current);
    for (const QPointF& p : points)
        path.lineTo(p);
    figure(path, kStroke, true);
    state_.current = points.back();
}

void MetafileCanvas::polygon(const QPolygonF& points) {
    if (points.size() < 2) return;
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    figure(path, kBoth);
}

void MetafileCanvas::polyPolygon(const std::vector<QPolygonF>& polygons) {
    QPainterPath path;
    for (const QPolygonF& polygon : polygons) {
        if (polygon.size() < 2) continue;
        path.addPolygon(polygon);
        path.closeSubpath();
    }
    if (!path.isEmpty()) figure(path, kBoth);
}

void MetafileCanvas::polyPolyline(const std::vector<QPolygonF>& lines) {
    QPainterPath path;
    for (const QPolygonF& line : lines)
        if (line.size() >= 2) path.addPolygon(line);
    if (!path.isEmpty()) figure(path, kStroke);
}

void MetafileCanvas::polyBezier(const QPolygonF& points) {
    if (points.size() < 4) return;
    QPainterPath path(points[0]);
    for (qsizetype i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    figure(path, kStroke);
}

void MetafileCanvas::polyBezierTo(const QPolygonF& points) {
    if (points.size() < 3) return;
    QPainterPath path(state_.current);
    for (qsizetype i = 0; i + 2 < points.size(); i += 3) {
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
        state_.current = points[i + 2];
    }
    figure(path, kStroke, true);
}

void MetafileCanvas::polyDraw(const QPolygonF& points, std::span<const std::uint8_t> types) {
    enum : std::uint8_t { kClose = 1, kLineTo = 2, kBezierTo = 4, kMoveTo = 6 };
    QPainterPath path(state_.current);
    const auto n = std::min<qsizetype>(points.size(), static_cast<qsizetype>(types.size()));
    for (qsizetype i = 0; i < n; ++i) {
        const int type = types[static_cast<std::size_t>(i)] & ~kClose;
        if (type == kMoveTo) {
            path.moveTo(points[i]);
        } else if (type == kBezierTo && i + 2 < n) {
            path.cubicTo(points[i], points[i + 1], points[i + 2]);
            i += 2;
        } else {
            path.lineTo(points[i]);
        }
        if (types[static_cast<std::size_t>(i)] & kClose) path.closeSubpath();
    }
    if (n > 0) state_.current = points[n - 1];
    figure(path, kStroke, true);
}

void MetafileCanvas::rectangle(const QRectF& box) {
    QPainterPath path;
    path.addRect(box.normalized());
    figure(path, kBoth);
}

void MetafileCanvas::roundRect(const QRectF& box, const QSizeF& corner) {
    const QRectF r = box.normalized();
    const double rx = std::min(std::abs(corner.width()) / 2, r.width() / 2);
    const double ry = std::min(std::abs(corner.height()) / 2, r.height() / 2);
    QPainterPath path;
    path.addRoundedRect(r, rx, ry);
    figure(path, kBoth);
}

void MetafileCanvas::ellipse(const QRectF& box) {
    QPainterPath path;
    path.addEllipse(box.normalized());
    figure(path, kBoth);
}

std::optional<MetafileCanvas::ArcSpan>
MetafileCanvas::arcSpan(const QRectF& box, const QPointF& start, const QPointF& end) const {
    const QRectF b = box.normalized();
    if (!(b.width() > 0 && b.height() > 0)) return std::nullopt;
    const QPointF c = b.center();
    const double rx = b.width() / 2, ry = b.height() / 2;
    // the angles of the points where the radials cross the ellipse
    const auto angle = [&](const QPointF& p) {
        return std::atan2(-(p.y() - c.y()) / ry, (p.x() - c.x()) / rx) * 180 / std::numbers::pi;
    };
    const double a0 = angle(start), a1 = angle(end);
    // arcs turn counter-clockwise as seen on the device unless told otherwise
    bool counterClockwise = !state_.clockwiseArcs;
    if (logicalToDevice().determinant() < 0) counterClockwise = !counterClockwise;
    double sweep = std::fmod(a1 - a0, 360.0);
    if (counterClockwise) {
        if (sweep <= 0) sweep += 360;
    } else {
        if (sweep >= 0) sweep -= 360;
    }
    if (!std::isfinite(a0) || !std::isfinite(sweep)) return std::nullopt;
    return ArcSpan{b, a0, sweep};
}

void MetafileCanvas::arc(const QRectF& box, const QPointF& start, const QPointF& end,
                         ArcKind kind) {
    const auto span = arcSpan(box, start, end);
    if (!span) return;
    QPainterPath path;
    switch (kind) {
    case ArcKind::Arc:
    case ArcKind::Chord:
        path.arcMoveTo(span->box, span->start);
        path.arcTo(span->box, span->start, span->sweep);
        if (kind == ArcKind::Chord) path.closeSubpath();
        figure(path, kind == ArcKind::Chord ? kBoth : kStroke);
        break;
    case ArcKind::ArcTo:
        path.moveTo(state_.current);
        path.arcTo(span->box, span->start, span->sweep); // joined by a line from here
        state_.current = path.currentPosition();
        figure(path, kStroke, true);
        break;
    case ArcKind::Pie:
        path.moveTo(span->box.center());
        path.arcTo(span->box, span->start, span->sweep);
        path.closeSubpath();
        figure(path, kBoth);
        break;
    }
}

void MetafileCanvas::angleArc(const QPointF& centre, double radius, double startDegrees,
                              double sweepDegrees) {
    if (!(radius >= 0) || !std::isfinite(startDegrees) || !std::isfinite(sweepDegrees)) return;
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath path(state_.current);
    path.arcTo(box, std::fmod(startDegrees, 360.0), std::clamp(sweepDegrees, -360.0, 360.0));
    state_.current = path.currentPosition();
    figure(path, kStroke, true);
}

void MetafileCanvas::setPixel(const QPointF& p, const QColor& colour) {
    if (!usable_ || pathOpen_) return;
    const QPointF d = logicalToDevice().map(p);
    const QRectF pixel(std::floor(d.x()), std::floor(d.y()), 1, 1);
    const QTransform full = outer_ * base_;
    if (!sane(full, pixel)) return;
    painter_.setTransform(full);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.fillRect(pixel, colour);
}

void MetafileCanvas::fillRegion(const QPainterPath& logical, const GdiBrush& brush) {
    const GdiBrush selected = state_.brush;
    state_.brush = brush;
    draw(logical, kFill);
    state_.brush = selected;
}

void MetafileCanvas::frameRegion(const QPainterPath& logical, const GdiBrush& brush) {
    const GdiPen selected = state_.pen;
    state_.pen = GdiPen{};
    state_.pen.color = brush.color;
    draw(logical, kStroke);
    state_.pen = selected;
}

// ---- painting ----

bool MetafileCanvas::sane(const QTransform& full, const QRectF& bounds) const {
    if (!usable_ || !finiteRect(bounds)) return false;
    const QRectF r = full.mapRect(bounds);
    return finiteRect(r) && r.left() >= -kCoordLimit && r.top() >= -kCoordLimit &&
           r.right() <= kCoordLimit && r.bottom() <= kCoordLimit;
}

void MetafileCanvas::figure(const QPainterPath& path, int paint, bool continues) {
    if (!pathOpen_) {
        draw(path, paint);
        return;
    }
    const QPainterPath device = logicalToDevice().map(path);
    if (continues && figureOpen_ && !bracket_.isEmpty())
        bracket_.connectPath(device);
    else
        bracket_.addPath(device);
    figureOpen_ = continues;
}

void MetafileCanvas::draw(const QPainterPath& path, int paint) {
    const QTransform logical = logicalToDevice();
    const QTransform full = toPainter(logical);
    if (!sane(full, path.controlPointRect()) || !applyRop2()) return;
    painter_.setTransform(full);
    painter_.setPen((paint & kStroke) ? makePen(full) : QPen(Qt::NoPen));
    painter_.setBrush((paint & kFill) ? makeBrush(state_.brush, logical) : QBrush(Qt::NoBrush));
    painter_.setBackgroundMode(state_.bkMode == GdiState::kOpaque ? Qt::OpaqueMode
                                                                  : Qt::TransparentMode);
    painter_.setBackground(state_.bkColor);
    QPainterPath filled = path;
    filled.setFillRule(state_.polyFillMode == GdiState::kWinding ? Qt::WindingFill
                                                                 : Qt::OddEvenFill);
    painter_.drawPath(filled);
}

void MetafileCanvas::drawDevicePath(const QPainterPath& devicePath, int paint) {
    bool invertible = false;
    const QTransform back = logicalToDevice().inverted(&invertible);
    if (invertible) draw(back.map(devicePath), paint);
}

bool MetafileCanvas::applyRop2() {
    auto mode = QPainter::CompositionMode_SourceOver;
    switch (state_.rop2) {
    case 11: // R2_NOP
        return false;
    case 6: // R2_NOT
        if (!rasterOps_) return false;
        mode = QPainter::RasterOp_NotDestination;
        break;
    case 7: // R2_XORPEN
        mode = rasterOps_ ? QPainter::RasterOp_SourceXorDestination : mode;
        break;
    case 10: // R2_NOTXORPEN
        mode = rasterOps_ ? QPainter::RasterOp_NotSourceXorDestination : mode;
        break;
    case 9: // R2_MASKPEN
        mode = rasterOps_ ? QPainter::RasterOp_SourceAndDestination : mode;
        break;
    case 15: // R2_MERGEPEN
        mode = rasterOps_ ? QPainter::RasterOp_SourceOrDestination : mode;
        break;
    default:
        break;
    }
    painter_.setCompositionMode(mode);
    return true;
}

namespace {

QColor ropColour(int rop2, const QColor& colour) {
    switch (rop2) {
    case 1: // R2_BLACK
        return Qt::black;
    case 16: // R2_WHITE
        return Qt::white;
    case 4: // R2_NOTCOPYPEN
        return QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue());
    default:
        return colour;
    }
}

} // namespace

QPen MetafileCanvas::makePen(const QTransform& full) const {
    const GdiPen& gdi = state_.pen;
    const int style = gdi.lineStyle();
    if (style == GdiPen::kNull) return QPen(Qt::NoPen);
    const double scale = scaleOf(full);
    const double width = std::min(gdi.width <= 0 ? 1.0 : std::max(1.0, gdi.width * scale), 1e5);
    QPen pen(ropColour(state_.rop2, gdi.color), width);
    pen.setCosmetic(true);
    const std::uint32_t cap = gdi.style & GdiPen::kEndCapMask;
    pen.setCapStyle(cap == GdiPen::kEndCapSquare ? Qt::SquareCap
                    : cap == GdiPen::kEndCapFlat ? Qt::FlatCap
                                                 : Qt::RoundCap);
    const std::uint32_t join = gdi.style & GdiPen::kJoinMask;
    pen.setJoinStyle(join == GdiPen::kJoinBevel   ? Qt::BevelJoin
                     : join == GdiPen::kJoinMiter ? Qt::MiterJoin
                                                  : Qt::RoundJoin);
    QList<qreal> dashes;
    if (style == GdiPen::kUserStyle) {
        for (const double d : gdi.dashes)
            dashes.append(d * scale / width);
    } else if (width > 1.5) {
        dashes = wideDashes(style);
    } else {
        // GDI's dash lengths count screen pixels; keep their physical size
        const double devicePixel =
            25.4 / 96 * (devicePerMm_.x() + devicePerMm_.y()) / 2 * scaleOf(outer_ * base_);
        for (const qreal d : cosmeticDashes(style))
            dashes.append(d * devicePixel / width);
    }
    if (dashes.size() >= 2 && dashes.size() % 2 == 0) {
        for (qreal& d : dashes)
            d = std::clamp<qreal>(d, 1.0 / width, 1e6);
        pen.setDashPattern(dashes);
    }
    return pen;
}

QBrush MetafileCanvas::makeBrush(const GdiBrush& gdi, const QTransform& logical) const {
    const QColor colour = ropColour(state_.rop2, gdi.color);
    switch (gdi.style) {
    case GdiBrush::kNull:
        return QBrush(Qt::NoBrush);
    case GdiBrush::kHatched:
        return QBrush(colour, hatchStyle(gdi.hatch));
    case GdiBrush::kPattern:
    case GdiBrush::kDibPattern:
    case GdiBrush::kDibPatternPt: {
        if (gdi.pattern.isNull()) return QBrush(colour);
        QBrush brush(gdi.pattern);
        bool invertible = false;
        // pattern pixels stay reference-device pixels whatever the mapping
        const QTransform back = logical.inverted(&invertible);
        if (invertible) brush.setTransform(back);
        return brush;
    }
    default:
        return QBrush(colour);
    }
}

// ---- bitmaps ----

bool MetafileCanvas::chargePixels(std::int64_t pixels) {
    if (pixels < 0 || pixels > pixelsLeft_) {
        pixelsLeft_ = 0;
        return false;
    }
    pixelsLeft_ -= pixels;
    return true;
}

QImage MetafileCanvas::decodeDib(std::span<const std::uint8_t> info,
                                 std::span<const std::uint8_t> bits, bool paletteIndices) {
    const auto header = DibDecoder::readHeader(info, {.paletteIndices = paletteIndices});
    if (!header || !chargePixels(std::int64_t(header->width) * header->height)) return {};
    return DibDecoder::decode(info, bits, {.paletteIndices = paletteIndices});
}

QImage MetafileCanvas::decodePackedDib(std::span<const std::uint8_t> packed, bool paletteIndices) {
    const auto header = DibDecoder::readHeader(packed, {.paletteIndices = paletteIndices});
    if (!header || !chargePixels(std::int64_t(header->width) * header->height)) return {};
    return DibDecoder::decodePacked(packed, {.paletteIndices = paletteIndices});
}

void MetafileCanvas::patBlt(const QRectF& dest, std::uint32_t rop) {
    if (pathOpen_) return;
    const QTransform logical = logicalToDevice();
    const QTransform full = toPainter(logical);
    const QRectF r = dest.normalized();
    if (!sane(full, r)) return;
    QBrush brush = makeBrush(state_.brush, logical);
    auto mode = QPainter::CompositionMode_SourceOver;
    switch (ropFunction(rop)) {
    case 0xAA: // the destination itself
        return;
    case 0x00:
        brush = QBrush(Qt::black);
        break;
    case 0xFF:
        brush = QBrush(Qt::white);
        break;
    case 0x55: // DSTINVERT
        if (!rasterOps_) return;
        mode = QPainter::RasterOp_NotDestination;
        break;
    case 0x5A: // PATINVERT
        if (rasterOps_)
            mode = QPainter::RasterOp_SourceXorDestination;
        else if (blendModes_)
            mode = QPainter::CompositionMode_Difference;
        break;
    default:
        break;
    }
    painter_.setTransform(full);
    painter_.setCompositionMode(mode);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.fillRect(r, brush);
}

void MetafileCanvas::stretchBlt(const QImage& image, const QRectF& dest, const QRectF& source,
                                std::uint32_t rop) {
    const int function = ropFunction(rop);
    if (function == 0xF0 || function == 0x5A || function == 0x55 || function == 0x00 ||
        function == 0xFF || function == 0xAA) {
        patBlt(dest, rop); // operations that ignore the source
        return;
    }
    if (image.isNull() || pathOpen_) return;
    const QTransform full = toPainter(logicalToDevice());
    if (!sane(full, dest.normalized()) || !finiteRect(source)) return;
    const QRect s = source.normalized().toAlignedRect() & image.rect();
    if (s.isEmpty()) return;
    QImage piece = s == image.rect() ? image : image.copy(s);
    if (dest.width() < 0 || dest.height() < 0)
        piece = piece.mirrored(dest.width() < 0, dest.height() < 0);
    auto mode = QPainter::CompositionMode_SourceOver;
    switch (function) {
    case 0x33: // NOTSRCCOPY
        piece.invertPixels();
        break;
    case 0xEE: // SRCPAINT
        mode = rasterOps_    ? QPainter::RasterOp_SourceOrDestination
               : blendModes_ ? QPainter::CompositionMode_Screen
                             : mode;
        break;
    case 0x88: // SRCAND
        mode = rasterOps_    ? QPainter::RasterOp_SourceAndDestination
               : blendModes_ ? QPainter::CompositionMode_Multiply
                             : mode;
        break;
    case 0x66: // SRCINVERT
        mode = rasterOps_    ? QPainter::RasterOp_SourceXorDestination
               : blendModes_ ? QPainter::CompositionMode_Difference
                             : mode;
        break;
    default:
        break;
    }
    painter_.setTransform(full);
    painter_.setCompositionMode(mode);
    painter_.drawImage(dest.normalized(), piece);
}

// ---- clipping ----

void MetafileCanvas::applyClip() {
    painter_.restore();
    painter_.save();
    if (usable_ && state_.clip) {
        painter_.setTransform(outer_ * base_);
        painter_.setClipPath(*state_.clip, Qt::IntersectClip);
    }
}

void MetafileCanvas::combineClip(const QPainterPath& devicePath, int mode) {
    if (!usable_ || !finiteRect(devicePath.controlPointRect())) return;
    const QPainterPath current = state_.clip.value_or(universe_);
    if (current.elementCount() > kMaxClipElements || devicePath.elementCount() > kMaxClipElements)
        return; // beyond this the clip stays as it is
    const QPainterPath p = devicePath.intersected(universe_);
    switch (mode) {
    case kRgnAnd:
        state_.clip = current.intersected(p);
        break;
    case kRgnOr:
        state_.clip = current.united(p);
        break;
    case kRgnXor:
        state_.clip = current.united(p).subtracted(current.intersected(p));
        break;
    case kRgnDiff:
        state_.clip = current.subtracted(p);
        break;
    case kRgnCopy:
        state_.clip = p;
        break;
    default:
        return;
    }
    applyClip();
}

void MetafileCanvas::intersectClipRect(const QRectF& r) {
    QPainterPath path;
    path.addRect(r.normalized());
    combineClip(logicalToDevice().map(path), kRgnAnd);
}

void MetafileCanvas::excludeClipRect(const QRectF& r) {
    QPainterPath path;
    path.addRect(r.normalized());
    combineClip(logicalToDevice().map(path), kRgnDiff);
}

void MetafileCanvas::offsetClip(const QPointF& logicalDelta) {
    if (!state_.clip) return;
    const QTransform l = logicalToDevice();
    const QPointF d = l.map(logicalDelta) - l.map(QPointF(0, 0));
    if (!std::isfinite(d.x()) || !std::isfinite(d.y())) return;
    state_.clip->translate(d);
    state_.clip = state_.clip->intersected(universe_);
    applyClip();
}

void MetafileCanvas::selectClip(const std::optional<QPainterPath>& devicePath, int mode) {
    if (devicePath) {
        combineClip(*devicePath, mode);
    } else if (mode == kRgnCopy) {
        state_.clip.reset();
        applyClip();
    }
}

// ---- path brackets ----

void MetafileCanvas::beginPath() {
    bracket_ = QPainterPath();
    pathOpen_ = true;
    figureOpen_ = false;
}

void MetafileCanvas::endPath() {
    pathOpen_ = false;
}

void MetafileCanvas::abortPath() {
    bracket_ = QPainterPath();
    pathOpen_ = false;
}

void MetafileCanvas::closeFigure() {
    if (pathOpen_) bracket_.closeSubpath();
    figureOpen_ = false;
}

QPainterPath MetafileCanvas::takePath() {
    QPainterPath path = bracket_;
    bracket_ = QPainterPath();
    pathOpen_ = false;
    return path;
}

void MetafileCanvas::fillPath() {
    QPainterPath path = takePath();
    path.closeSubpath();
    drawDevicePath(path, kFill);
}

void MetafileCanvas::strokePath() {
    drawDevicePath(takePath(), kStroke);
}

void MetafileCanvas::strokeAndFillPath() {
    QPainterPath path = takePath();
    path.closeSubpath();
    drawDevicePath(path, kBoth);
}

void MetafileCanvas::selectClipPath(int mode) {
    QPainterPath path = takePath();
    path.setFillRule(state_.polyFillMode == GdiState::kWinding ? Qt::WindingFill : Qt::OddEvenFill);
    combineClip(path, mode);
}

void MetafileCanvas::textOut(const TextRun& run) {
    if (!usable_ || pathOpen_ || (run.options & kGlyphIndex)) return;
    drawTextRun(run);
}

} // namespace vl
