#pragma once

#include "designer/workspace/ObjectSelection.h"
#include "designer/workspace/SurfaceGeometry.h"

#include <QPoint>
#include <memory>
#include <utility>
#include <vector>

namespace vl {

class TvlView;
class TvlPage;

bool IsBandView(const TvlView* view);
bool IsLineView(const TvlView* view);

// The selection's extent: the smallest Left and Top, the selected object
// with the largest right edge (the larger bottom on a tie), the box from
// that top-left to that object's bottom-right, and every selected object's
// rectangle as it was, which a proportional resize scales from. Valid with
// two or more selected objects.
struct SelectionBox {
    QPoint topLeft{10000, 10000};
    int bottomRight = -1;
    SurfaceBox box;
    bool valid = false;
    std::vector<std::pair<TvlView*, SurfaceBox>> saved;
};

// The objects of a page the designer works on: selection, order and the
// searches the mouse and the keyboard need.
class PageObjects {
public:
    PageObjects(TvlPage& page, TvlObjectSelection& selection)
        : page_(page), selection_(selection) {}

    int count() const;
    TvlView* at(int index) const;
    int indexOf(const TvlView* view) const;
    std::vector<TvlView*> selected() const;
    int selectedCount() const;
    // The single selected object, none with zero or several.
    TvlView* onlySelected() const;
    void selectAll();
    SelectionBox selectionBox() const;

    // The topmost object under p: thin objects (under 3 pixels wide or
    // high) within 3 pixels of their rectangle, others by their clip region.
    TvlView* objectAt(QPoint p) const;
    // Selects every non-band object the box meets; when there is none,
    // the bands it meets. Returns how many were selected.
    int selectInBox(const SurfaceBox& box) const;
    // Selects the non-band objects lying wholly inside the band.
    void pickUpBandContents(const TvlView& band) const;
    // Every object corner, where lines start snapping to.
    std::vector<QPoint> corners() const;

    // Band views first in their order; the first overlay band in front of
    // all; the cross bands last among the bands. Bands paint below the rest.
    void sortBands();

    // The nearest unselected non-band object from s in the direction of an
    // arrow key (Qt::Key_Left...), or none.
    TvlView* nearest(const TvlView& s, int key) const;

private:
    TvlPage& page_;
    TvlObjectSelection& selection_;
};

// Moves s so that it touches n in the direction of the arrow key, when n
// lies wholly on that side.
void MoveToTouch(TvlView& s, const TvlView& n, int key);

} // namespace vl
