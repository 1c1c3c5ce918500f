#include "engine/model/TvlView.h"
#include "engine/model/ViewState.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <span>

namespace vl {

namespace {

// Dash patterns of 1-pixel lines, in pixels: on, off, on, off...
std::span<const int> DashPattern(int style) {
    static constexpr std::array<int, 2> dash = {18, 6};
    static constexpr std::array<int, 2> dot = {3, 3};
    static constexpr std::array<int, 4> dashDot = {9, 6, 3, 6};
    static constexpr std::array<int, 6> dashDotDot = {9, 3, 3, 3, 3, 3};
    switch (style) {
    case psDash:
        return dash;
    case psDot:
        return dot;
    case psDashDot:
        return dashDot;
    case psDashDotDot:
        return dashDotDot;
    default:
        return {};
    }
}

// The span of logical coordinates, along x or y, that can show on the
// painter's device (a pixel of allowance on each side). Dashed frames are
// drawn one dash at a time, and a damaged file may make them millions of
// pixels long or wide; only this part is drawn.
struct VisibleSpan {
    std::int64_t lo = std::numeric_limits<int>::min();
    std::int64_t hi = std::numeric_limits<int>::max();
};

VisibleSpan Visible(const QPainter& p, bool alongY) {
    const QPaintDevice* device = p.device();
    if (!device) return {};
    bool invertible = false;
    const QTransform inverse = p.combinedTransform().inverted(&invertible);
    if (!invertible) return {0, -1};
    const QRectF r = inverse.mapRect(QRectF(0, 0, device->width(), device->height()));
    const double lo = alongY ? r.top() : r.left(), hi = alongY ? r.bottom() : r.right();
    constexpr double kLimit = std::numeric_limits<int>::max();
    return {static_cast<std::int64_t>(std::clamp(std::floor(lo) - 1, -kLimit, kLimit)),
            static_cast<std::int64_t>(std::clamp(std::ceil(hi) + 1, -kLimit, kLimit))};
}

// A horizontal or vertical line as the platform draws it: a 1-pixel line
// covers its start and stops before its end; a wider one is centred on the
// line and reaches half its width beyond both ends.
class LinePainter {
public:
    LinePainter(QPainter& painter, QColor color, int width, int style)
        : p_(painter), color_(color), width_(std::max(1, width)), style_(style) {}

    void setColor(QColor color) { color_ = color; }

    void line(int x1, int y1, int x2, int y2) {
        if (x1 != x2 && y1 != y2) {
            p_.setPen(QPen(color_, width_));
            p_.drawLine(x1, y1, x2, y2);
            return;
        }
        const bool vertical = x1 == x2;
        const int from = vertical ? std::min(y1, y2) : std::min(x1, x2);
        const int to = vertical ? std::max(y1, y2) : std::max(x1, x2);
        const int across = vertical ? x1 : y1;
        if (width_ == 1) {
            run(vertical, across, from, to);
            return;
        }
        const int half = width_ / 2;
        const QRect r = vertical ? QRect(across - half, from - half, width_, to - from + width_)
                                 : QRect(from - half, across - half, to - from + width_, width_);
        p_.fillRect(r, color_);
    }

private:
    // A 1-pixel run from..to (exclusive), dashed when the style says so.
    void run(bool vertical, int across, int from, int to) {
        const auto pattern = DashPattern(style_);
        auto fill = [&](int a, int b) {
            if (b <= a) return;
            p_.fillRect(vertical ? QRect(across, a, 1, b - a) : QRect(a, across, b - a, 1), color_);
        };
        if (pattern.empty()) {
            fill(from, to);
            return;
        }
        // Whole dash periods before and after the visible part are skipped,
        // so the pattern keeps its phase.
        int period = 0;
        for (const int length : pattern)
            period += length;
        const VisibleSpan span = Visible(p_, vertical);
        std::int64_t start = from, stop = to;
        if (span.lo > start) start += (span.lo - start) / period * period;
        stop = std::min(stop, span.hi + period);
        std::size_t i = 0;
        for (int pos = static_cast<int>(start); pos < stop; i = (i + 1) % pattern.size()) {
            const int end =
                static_cast<int>(std::min<std::int64_t>(stop, std::int64_t{pos} + pattern[i]));
            if (i % 2 == 0) fill(pos, end);
            pos = end;
        }
    }

    QPainter& p_;
    QColor color_;
    int width_;
    int style_;
};

// One frame side: dashed styles as parallel 1-pixel lines, psDouble as
// two lines with the fill colour between them. 1-pixel sides include their
// end pixel so that the frame's corners close.
void DrawSide(QPainter& p, const TvlView& v, int x1, int y1, int x2, int y2) {
    const int w = std::max(1, Nearest(v.FrameWidth));
    const QColor color = ToQColor(v.FrameColor);
    const bool vertical = x1 == x2;
    if (w == 1 || (v.FrameStyle >= psDash && v.FrameStyle <= psDashDotDot)) {
        if (vertical)
            ++y2;
        else
            ++x2;
    }
    auto shifted = [&](LinePainter& lp, int d) {
        if (vertical)
            lp.line(x1 + d, y1, x2 + d, y2);
        else
            lp.line(x1, y1 + d, x2, y2 + d);
    };
    if (v.FrameStyle >= psDash && v.FrameStyle <= psDashDotDot) {
        // Parallel 1-pixel lines; only those that can show are drawn.
        LinePainter lp(p, color, 1, v.FrameStyle);
        const VisibleSpan across = Visible(p, !vertical);
        const std::int64_t at = vertical ? x1 : y1;
        const std::int64_t first = std::max<std::int64_t>(0, across.lo - at + w / 2);
        const std::int64_t last = std::min<std::int64_t>(w - 1, across.hi - at + w / 2);
        for (std::int64_t i = first; i <= last; ++i)
            shifted(lp, static_cast<int>(i - w / 2));
    } else if (v.FrameStyle == psDouble) {
        LinePainter lp(p, color, w, psSolid);
        shifted(lp, -w);
        if (v.FillColor != clNone) {
            lp.setColor(ToQColor(v.FillColor));
            shifted(lp, 0);
            lp.setColor(color);
        }
        shifted(lp, w);
    } else {
        LinePainter lp(p, color, w, psSolid);
        shifted(lp, 0);
    }
}

void DrawCornerMarks(QPainter& p, const TvlView& v) {
    LinePainter lp(p, Qt::black, 1, psSolid);
    const int l = v.Left, t = v.Top, r = v.Left + v.Width, b = v.Top + v.Height;
    lp.line(l, t + 3, l, t);
    lp.line(l, t, l + 4, t);
    lp.line(l, b - 3, l, b);
    lp.line(l, b, l + 4, b);
    lp.line(r - 3, t, r, t);
    lp.line(r, t, r, t + 4);
    lp.line(r - 3, b, r, b);
    lp.line(r, b, r, b - 4);
}

} // namespace

void TvlView::PaintFill() {
    const TvlViewState& state = viewState();
    if (state.noDrawing || !Canvas) return;
    if (DrawMode == rmOutput) {
        if (FillColor == clNone) return;
        const int right = Nearest(OutputRight()), bottom = Nearest(OutputBottom());
        Canvas->fillRect(QRect(Left, Top, right - Left, bottom - Top), ToQColor(FillColor));
        return;
    }
    const QColor c = FillColor == clNone ? QColor(Qt::white) : ToQColor(FillColor);
    Canvas->fillRect(QRect(DRect.Left, DRect.Top, DRect.width(), DRect.height()), c);
}

void TvlView::PaintFrame() {
    const TvlViewState& state = viewState();
    if (state.noDrawing || !Canvas) return;
    const bool design = DrawMode == rmDesign;
    const bool framed = (FrameTyp & (vlftLeft | vlftRight | vlftTop | vlftBottom)) != 0;
    if (!design && !framed) return;
    QPainter& p = *Canvas;
    if (design && Width > 0 && Height > 0) DrawCornerMarks(p, *this);
    const int r = Nearest(OutputRight()), b = Nearest(OutputBottom());
    if (hasSide(vlftRight)) DrawSide(p, *this, r, Top, r, b);
    if (hasSide(vlftLeft)) DrawSide(p, *this, Left, Top, Left, b);
    if (hasSide(vlftBottom)) DrawSide(p, *this, Left, b, r, b);
    if (hasSide(vlftTop)) DrawSide(p, *this, Left, Top, r, Top);
}

} // namespace vl
