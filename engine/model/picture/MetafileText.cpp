// Text output of the metafile canvas: fonts as GDI realises them, alignment
// on the reference point, per-character advances and rotated baselines.
#include "engine/model/picture/MetafileCanvas.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace vl {

namespace {

constexpr double kMaxTextPixels = 4096;
constexpr double kDefaultEmDevice = 12;
constexpr double kMaxTextWidth = 1 << 24;

QFont makeFont(const GdiFont& gdi) {
    QFont font;
    if (!gdi.face.isEmpty()) font.setFamily(gdi.face);
    font.setItalic(gdi.italic);
    font.setUnderline(gdi.underline);
    font.setStrikeOut(gdi.strikeOut);
    const int weight = gdi.weight <= 0 ? 400 : std::clamp(gdi.weight, 100, 900);
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}

// A positive LOGFONT height is the cell height; this is the share of the
// character (em) height in it.
double emShareOfCell(QFont font) {
    font.setPixelSize(100);
    const QFontMetricsF fm(font);
    const double cell = fm.ascent() + fm.descent();
    return cell > 0 ? 100 / cell : 1.0;
}

// The advance of each UTF-16 unit in text units.
std::vector<double> advances(const QString& text, const std::vector<double>& dx, double scale,
                             const QFontMetricsF& fm) {
    std::vector<double> result(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        result[at] = at < dx.size() ? dx[at] * scale : fm.horizontalAdvance(text.at(i));
    }
    return result;
}

// Whether a transform does more than turn, move and scale evenly.
bool distorts(const QTransform& t) {
    const double sx = std::hypot(t.m11(), t.m12());
    const double sy = std::hypot(t.m21(), t.m22());
    const double shear = t.m11() * t.m21() + t.m12() * t.m22();
    return t.isAffine() == false || !(sx > 0 && sy > 0) || std::abs(sx / sy - 1) > 0.01 ||
           std::abs(shear) > 0.01 * sx * sy;
}

} // namespace

void MetafileCanvas::drawTextRun(const TextRun& run) {
    const QTransform logical = logicalToDevice();
    const QTransform full = toPainter(logical);
    if (run.rect && (run.options & kOpaque) && sane(full, run.rect->normalized())) {
        painter_.setTransform(full);
        painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter_.fillRect(run.rect->normalized(), state_.bkColor);
    }
    const QString text = run.text.left(kMaxTextLength);
    if (text.isEmpty()) return;

    const GdiFont& gdi = state_.font;
    const double lx = std::hypot(logical.m11(), logical.m12());
    const double ly = std::hypot(logical.m21(), logical.m22());
    const double ox = std::hypot(outer_.m11(), outer_.m12());
    const double oy = std::hypot(outer_.m21(), outer_.m22());
    if (!(lx > 0 && ly > 0 && ox > 0 && oy > 0)) return;

    // Text space: reference-device units scaled by the target's vertical
    // scale, origin on the reference point, x along the baseline.
    QFont font = makeFont(gdi);
    double emDevice = gdi.height == 0 ? kDefaultEmDevice : std::abs(double(gdi.height)) * ly;
    if (gdi.height > 0) emDevice *= emShareOfCell(font);
    const double em = emDevice * oy;
    if (!(em >= 0.5 && em <= kMaxTextPixels)) return;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));
    if (gdi.width != 0) {
        const double natural = QFontMetricsF(font).averageCharWidth();
        const double wanted = std::abs(double(gdi.width)) * lx * oy;
        if (natural > 0)
            font.setStretch(
                std::clamp(static_cast<int>(std::lround(wanted / natural * 100)), 1, 4000));
    }
    const QFontMetricsF fm(font);

    const bool updateCp = state_.textAlign & GdiState::kUpdateCp;
    const QPointF reference = updateCp ? state_.current : run.reference;
    const QPointF origin = (logical * outer_).map(reference);
    if (!sane(base_, QRectF(origin, QSizeF(1, 1)))) return;

    const double toText = lx * oy; // logical x units to text units
    const std::vector<double> advance = advances(text, run.dx, toText, fm);
    double width = 0;
    for (const double a : advance)
        width += a;
    if (!std::isfinite(width) || std::abs(width) > kMaxTextWidth) return;

    const std::uint32_t horizontal = state_.textAlign & GdiState::kHorizontalMask;
    const std::uint32_t vertical = state_.textAlign & GdiState::kVerticalMask;
    const double x0 = horizontal == GdiState::kAlignCenter  ? -width / 2
                      : horizontal == GdiState::kAlignRight ? -width
                                                            : 0;
    const double baseline = vertical == GdiState::kAlignBaseline ? 0
                            : vertical == GdiState::kAlignBottom ? -fm.descent()
                                                                 : fm.ascent();

    // Escapement turns the baseline counter-clockwise; a rotating world
    // transform turns it further. Mirroring map modes leave glyphs upright.
    const double worldAngle =
        std::atan2(state_.world.m12(), state_.world.m11()) * 180 / std::numbers::pi;
    const QTransform textToPainter = QTransform().rotate(-(gdi.escapement / 10.0)) *
                                     QTransform().rotate(worldAngle) *
                                     QTransform::fromScale(ox / oy, 1) *
                                     QTransform::fromTranslate(origin.x(), origin.y()) * base_;

    painter_.save();
    if (run.rect && (run.options & kClipped)) {
        painter_.setTransform(full);
        painter_.setClipRect(run.rect->normalized(), Qt::IntersectClip);
    }
    painter_.setTransform(textToPainter);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (state_.bkMode == GdiState::kOpaque)
        painter_.fillRect(QRectF(x0, baseline - fm.ascent(), width, fm.ascent() + fm.descent()),
                          state_.bkColor);
    painter_.setFont(font);
    painter_.setPen(state_.textColor);
    painter_.setBackgroundMode(Qt::TransparentMode);
    // Glyph bitmaps under a distorting transform can overflow the font
    // rasteriser; such text is drawn as outlines instead.
    const bool outlines = distorts(textToPainter) || font.stretch() != QFont::Unstretched;
    const auto put = [&](const QPointF& at, const QString& part) {
        if (!outlines) {
            painter_.drawText(at, part);
            return;
        }
        QPainterPath path;
        path.addText(at, font, part);
        painter_.fillPath(path, state_.textColor);
    };
    if (run.dx.empty()) {
        put(QPointF(x0, baseline), text);
    } else {
        double x = x0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() &&
                              text.at(i + 1).isLowSurrogate();
            put(QPointF(x, baseline), text.mid(i, pair ? 2 : 1));
            x += advance[static_cast<std::size_t>(i)];
            if (pair) x += advance[static_cast<std::size_t>(++i)];
        }
    }
    painter_.restore();

    if (updateCp) {
        const double moved = width / toText;
        if (horizontal == GdiState::kAlignRight)
            state_.current.rx() -= moved;
        else if (horizontal != GdiState::kAlignCenter)
            state_.current.rx() += moved;
    }
}

} // namespace vl
