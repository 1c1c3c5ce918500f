#pragma once

#include "designer/workspace/SurfaceGeometry.h"

#include <QRect>
#include <QRegion>

class QPainter;

namespace vl {

class TvlObjectSelection;

class TvlPage;
class TvlView;

// Draws the designer's page: background with the dot grid, the margins
// and page columns, every object as the designer shows it with its script
// and highlight markers, then what the mouse is doing on top: selection
// handles, outlines, rubber band, rubber line and splitter. Only what
// meets the update region is drawn.
class SurfacePainter {
public:
    SurfacePainter(QPainter& painter, TvlPage& page, const TvlObjectSelection& selection,
                   const QRegion& update);

    // White (the dialog colour on dialog pages) with the grid dots: an
    // 8 x 8 pattern for grids 4 and 8, a dot every 18 pixels for grid 18.
    void background(int gridSize, bool showGrid);
    // The usable area and the page columns of a report page.
    void pageFrame();
    // Which objects a drawing takes: all, or (for the pictures a drag
    // moves over the page) those that stay and those that move.
    enum Layer { AllObjects, StillObjects, MovingObjects };
    // Every object of the layer in page order, later ones on top. With
    // outlinesOnly the selected objects show as outlines (while dragged).
    void objects(bool outlinesOnly, Layer layer = AllObjects);
    // Handles of every selected object; the bottom-right object's
    // bottom-right handle in teal.
    void handles(int selectedCount, const TvlView* bottomRight);
    // An inverted light-grey rectangle (a line when one pixel thin).
    void outline(const SurfaceBox& box);
    // The line tool's rubber line from the start corner: vertical when it
    // is at least as high as wide, else horizontal.
    void rubberLine(const SurfaceBox& box, int lineWidth);
    void splitter(int x, int top, int bottom);

    // Whether a selected object goes with the selection when it is dragged.
    bool moves(const TvlView& view) const;

private:
    void marker(const TvlView& view);
    bool meetsUpdate(const QRect& area) const { return bounds_.intersects(area); }

    QPainter& p_;
    TvlPage& page_;
    const TvlObjectSelection& selection_;
    QRegion update_;
    QRect bounds_;
};

} // namespace vl
