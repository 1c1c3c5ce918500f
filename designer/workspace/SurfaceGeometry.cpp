#include "designer/workspace/SurfaceGeometry.h"

#include "engine/model/TvlView.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace vl {

SurfaceBox SurfaceBox::normalized() const {
    return {std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

bool SurfaceBox::meets(const SurfaceBox& o) const {
    return o.l <= r && o.r >= l && o.t <= b && o.b >= t;
}

SurfaceBox SurfaceBox::of(const TvlView& v) {
    return {v.Left, v.Top, v.Left + v.Width, v.Top + v.Height};
}

namespace {

int floorDiv(int value, int grid) {
    int q = value / grid;
    if (value % grid != 0 && value < 0) --q;
    return q;
}

int nearestLine(int value, int grid) {
    return floorDiv(value + grid / 2, grid) * grid;
}

} // namespace

QPoint SnapFloor(QPoint p, int grid) {
    if (grid <= 0) return p;
    return {floorDiv(p.x(), grid) * grid, floorDiv(p.y(), grid) * grid};
}

QPoint SnapLineStart(QPoint p, int grid, const std::vector<QPoint>& corners) {
    if (grid <= 0) return p;
    const QPoint* best = nullptr;
    double bestDistance = 0;
    for (const QPoint& c : corners) {
        const double d = std::hypot(c.x() - p.x(), c.y() - p.y());
        if (d <= grid && (!best || d < bestDistance)) {
            best = &c;
            bestDistance = d;
        }
    }
    if (best) return *best;
    return {nearestLine(p.x(), grid), nearestLine(p.y(), grid)};
}

std::optional<QPoint> SnapDelta(QPoint delta, int grid, bool align) {
    if (!align || grid <= 0) return delta;
    if (std::abs(delta.x()) < grid && std::abs(delta.y()) < grid) return std::nullopt;
    return QPoint(delta.x() / grid * grid, delta.y() / grid * grid);
}

std::vector<HandlePoint> HandlePoints(const TvlView& v, bool onlySelected) {
    const int l = v.Left, t = v.Top, r = v.Left + v.Width, b = v.Top + v.Height;
    std::vector<HandlePoint> points{{shTopLeft, {l, t}}};
    if (v.Width > 0 && v.Height > 0) {
        points.push_back({shBottomRight, {r, b}});
        points.push_back({shTopRight, {r, t}});
        points.push_back({shBottomLeft, {l, b}});
    }
    if (onlySelected) {
        const int mx = l + v.Width / 2, my = t + v.Height / 2;
        points.push_back({shLeft, {l, my}});
        points.push_back({shRight, {r, my}});
        points.push_back({shTop, {mx, t}});
        points.push_back({shBottom, {mx, b}});
    }
    return points;
}

bool HitsHandle(QPoint p, QPoint c, int t) {
    return c.x() - t <= p.x() && p.x() <= c.x() + t + 1 && c.y() - t <= p.y() &&
           p.y() <= c.y() + t + 1;
}

SurfaceHandle HandleAt(const TvlView& view, QPoint p, bool onlySelected, int tolerance) {
    for (const HandlePoint& h : HandlePoints(view, onlySelected))
        if (HitsHandle(p, h.centre, tolerance)) return h.handle;
    return shNone;
}

namespace {

// The handle across the object horizontally and vertically.
int flipHorizontally(int corner) {
    switch (corner) {
    case shTopLeft:
        return shTopRight;
    case shTopRight:
        return shTopLeft;
    case shBottomRight:
        return shBottomLeft;
    case shBottomLeft:
        return shBottomRight;
    case shLeft:
        return shRight;
    case shRight:
        return shLeft;
    default:
        return corner;
    }
}

int flipVertically(int corner) {
    switch (corner) {
    case shTopLeft:
        return shBottomLeft;
    case shBottomLeft:
        return shTopLeft;
    case shTopRight:
        return shBottomRight;
    case shBottomRight:
        return shTopRight;
    case shTop:
        return shBottom;
    case shBottom:
        return shTop;
    default:
        return corner;
    }
}

} // namespace

void ResizeByHandle(TvlView& v, int& corner, QPoint d) {
    const int dx = d.x(), dy = d.y();
    switch (corner) {
    case shTopLeft:
        v.SetBounds(v.Left + dx, v.Top + dy, v.Width - dx, v.Height - dy);
        break;
    case shBottomRight:
        v.SetBounds(v.Left, v.Top, v.Width + dx, v.Height + dy);
        break;
    case shTopRight:
        v.SetBounds(v.Left, v.Top + dy, v.Width + dx, v.Height - dy);
        break;
    case shBottomLeft:
        v.SetBounds(v.Left + dx, v.Top, v.Width - dx, v.Height + dy);
        break;
    case shLeft:
        v.SetBounds(v.Left + dx, v.Top, v.Width - dx, v.Height);
        break;
    case shRight:
        v.Width += dx;
        break;
    case shTop:
        v.SetBounds(v.Left, v.Top + dy, v.Width, v.Height - dy);
        break;
    case shBottom:
        v.Height += dy;
        break;
    default:
        return;
    }
    if (v.Width < 0) {
        v.Left += v.Width;
        v.Width = -v.Width;
        corner = flipHorizontally(corner);
    }
    if (v.Height < 0) {
        v.Top += v.Height;
        v.Height = -v.Height;
        corner = flipVertically(corner);
    }
}

void NormalizeView(TvlView& v) {
    if (v.Width < 0) {
        v.Left += v.Width;
        v.Width = -v.Width;
    }
    if (v.Height < 0) {
        v.Top += v.Height;
        v.Height = -v.Height;
    }
}

namespace {

// One axis of the proportional resize: offset and size scaled by k, both
// ends rounded so that objects that touched still touch.
std::pair<int, int> scaleSpan(int savedStart, int savedSize, int boxStart, double k) {
    const double offset = static_cast<double>(savedStart - boxStart) * k;
    const int start = Nearest(offset);
    return {boxStart + start, Nearest(offset + savedSize * k) - start};
}

double factor(int newSize, int oldSize) {
    return oldSize == 0 ? 1.0 : static_cast<double>(newSize) / oldSize;
}

} // namespace

SurfaceBox ScaleInBox(const SurfaceBox& s, const SurfaceBox& box, const SurfaceBox& newBox) {
    const double kx = factor(newBox.width(), box.width());
    const double ky = factor(newBox.height(), box.height());
    const auto [left, width] = scaleSpan(s.l, s.width(), box.l, kx);
    const auto [top, height] = scaleSpan(s.t, s.height(), box.t, ky);
    return {left, top, left + width, top + height};
}

} // namespace vl
