#pragma once

#include <QSize>
#include <functional>

namespace vl {

class TvlDesignerPage;

// What the editing commands ask of the page surface and the window beyond
// the designer host. Every member may stay empty; the command then skips
// that step. SurfaceHooksFor fills the surface's part from the real surface.
struct TvlSurfaceHooks {
    std::function<void()> redrawPage;
    std::function<void()> computeSelectionBox;
    // 0 repaints everything, 1 hides the selection handles, 2 draws the
    // outlines.
    std::function<void(int what)> drawSelection;
    // The surface's size in pixels (the "window" the centring commands use).
    std::function<QSize()> surfaceSize;
    // The page tabs follow a rename of a sub-report object.
    std::function<void()> updateTabs;
    // The database fields window refreshes its lists.
    std::function<void()> refreshFieldsWindow;
    // Shows page i on the surface (the window's SelectPage).
    std::function<void(int index)> selectPage;

    void redraw() const {
        if (redrawPage) redrawPage();
    }
    void recomputeSelectionBox() const {
        if (computeSelectionBox) computeSelectionBox();
    }
    void hideHandles() const {
        if (drawSelection) drawSelection(1);
    }
};

// The surface's part of the hooks (redraw, selection box, handles, size);
// the window adds its own.
TvlSurfaceHooks SurfaceHooksFor(TvlDesignerPage& surface);

} // namespace vl
