#pragma once

#include <QPoint>
#include <QRect>
#include <optional>
#include <vector>

namespace vl {

class TvlView;

// A rectangle by its edges, right and bottom being Left + Width and
// Top + Height as objects keep them. Dragging may leave it inverted until
// it is normalised.
struct SurfaceBox {
    int l = 0, t = 0, r = 0, b = 0;

    int width() const { return r - l; }
    int height() const { return b - t; }
    bool isPoint() const { return l == r && t == b; }
    SurfaceBox normalized() const;
    // Edges count: touching boxes meet.
    bool meets(const SurfaceBox& other) const;
    QRect toRect() const { return QRect(l, t, r - l, b - t); }
    static SurfaceBox of(const TvlView& view);
    static SurfaceBox at(QPoint p, int width = 0, int height = 0) {
        return {p.x(), p.y(), p.x() + width, p.y() + height};
    }
    bool operator==(const SurfaceBox&) const = default;
};

// Grid snapping. Floor snapping places rubber bands and insert outlines;
// a line starts at the nearest grid point or at an object corner within
// one grid step; drags move by whole grid steps only.
QPoint SnapFloor(QPoint p, int grid);
QPoint SnapLineStart(QPoint p, int grid, const std::vector<QPoint>& corners);
// The part of a drag's delta that applies: nothing while it is smaller
// than one step in both directions, else each component cut down (toward
// zero) to a multiple of the grid. Without alignment the delta as it is.
std::optional<QPoint> SnapDelta(QPoint delta, int grid, bool align);

// The handles of a selected object, numbered as the corner or edge a drag
// on them resizes.
enum SurfaceHandle : int {
    shNone = 0,
    shTopLeft = 1,
    shBottomRight = 2,
    shTopRight = 3,
    shBottomLeft = 4,
    shLeft = 5,
    shRight = 6,
    shTop = 7,
    shBottom = 8,
};

struct HandlePoint {
    SurfaceHandle handle;
    QPoint centre;
};

// The top-left handle always; the other corners when the object has width
// and height; the middles of the sides when it is the only selected one.
std::vector<HandlePoint> HandlePoints(const TvlView& view, bool onlySelected);
// Hover tolerance 2, resize tolerance 3.
bool HitsHandle(QPoint p, QPoint centre, int tolerance);
SurfaceHandle HandleAt(const TvlView& view, QPoint p, bool onlySelected, int tolerance);

// Moves the corner or edge of a single-object resize by delta. A size
// that turns negative is normalised and the corner switches to the
// opposite handle in that direction.
void ResizeByHandle(TvlView& view, int& corner, QPoint delta);

// Makes Width and Height positive, moving Left and Top where needed.
void NormalizeView(TvlView& view);

// Proportional resize: each object's saved rectangle scaled from box to
// newBox about the box's top-left, neighbouring edges staying together.
SurfaceBox ScaleInBox(const SurfaceBox& saved, const SurfaceBox& box, const SurfaceBox& newBox);

} // namespace vl
