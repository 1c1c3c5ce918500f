#include "designer/editing/Alignment.h"

#include "designer/editing/PageSelection.h"
#include "engine/build/TvlPage.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace vl {

namespace {

using Views = std::vector<TvlView*>;

bool movable(const TvlView& view) {
    return !(view.Restrictions & rsNoMove);
}

int rightOf(const TvlView& v) {
    return v.Left + v.Width;
}

int bottomOf(const TvlView& v) {
    return v.Top + v.Height;
}

TvlView* firstBand(const Views& selected) {
    for (TvlView* view : selected)
        if (IsBandView(*view)) return view;
    return nullptr;
}

int minimumSelected(int command) {
    switch (command) {
    case acCenterHorizontally:
    case acCenterVertically:
        return 1;
    case acSpaceHorizontally:
    case acSpaceVertically:
        return 3;
    default:
        return 2;
    }
}

// The objects of the page, not bands, that lie vertically within the band.
Views objectsInBand(const TvlPage& page, const TvlView& band) {
    Views result;
    for (const auto& view : page.Objects) {
        if (IsBandView(*view)) continue;
        if (view->Top >= band.Top && bottomOf(*view) <= bottomOf(band))
            result.push_back(view.get());
    }
    return result;
}

// Lines the band's objects up side by side from the left margin, in order
// of Left, or towards the right margin in descending order.
void alignInBand(const TvlPage& page, const TvlView& band, bool toRight) {
    Views views = objectsInBand(page, band);
    if (views.empty()) return;
    std::stable_sort(views.begin(), views.end(), [toRight](TvlView* a, TvlView* b) {
        return toRight ? a->Left > b->Left : a->Left < b->Left;
    });
    const TvlView* topFrom = views.front();
    if (toRight) {
        topFrom = *std::max_element(views.begin(), views.end(), [](TvlView* a, TvlView* b) {
            return rightOf(*a) < rightOf(*b);
        });
    }
    const int top = topFrom->Top;
    int position = toRight ? page.RightEdge() : page.LeftEdge();
    for (TvlView* view : views) {
        const int left = toRight ? position - view->Width : position;
        if (movable(*view)) {
            view->Left = left;
            view->Top = top;
        }
        position += toRight ? -view->Width : view->Width;
    }
}

void setEach(const Views& views, const std::function<void(TvlView&)>& change) {
    for (TvlView* view : views)
        if (movable(*view)) change(*view);
}

// Equal steps between the first and the last object in order of the
// coordinate.
void spaceEqually(Views views, int TvlView::*coordinate) {
    std::stable_sort(views.begin(), views.end(), [coordinate](TvlView* a, TvlView* b) {
        return a->*coordinate < b->*coordinate;
    });
    const int count = static_cast<int>(views.size());
    const int step = (views.back()->*coordinate - views.front()->*coordinate) / (count - 1);
    for (int i = 1; i + 1 < count; ++i) {
        TvlView& view = *views[static_cast<std::size_t>(i)];
        if (movable(view))
            view.*coordinate = views[static_cast<std::size_t>(i - 1)]->*coordinate + step;
    }
}

void centerIn(const Views& views, bool horizontally, int extent) {
    int low = horizontally ? views.front()->Left : views.front()->Top;
    int high = horizontally ? rightOf(*views.front()) : bottomOf(*views.front());
    for (const TvlView* view : views) {
        low = std::min(low, horizontally ? view->Left : view->Top);
        high = std::max(high, horizontally ? rightOf(*view) : bottomOf(*view));
    }
    const int shift = low + (high - low - extent) / 2;
    setEach(views, [&](TvlView& v) { (horizontally ? v.Left : v.Top) -= shift; });
}

void alignToAnchor(int command, const Views& views, const TvlView& anchor) {
    switch (command) {
    case acLeftEdges:
        setEach(views, [&](TvlView& v) { v.Left = anchor.Left; });
        break;
    case acRightEdges:
        setEach(views, [&](TvlView& v) { v.Left = rightOf(anchor) - v.Width; });
        break;
    case acTops:
        setEach(views, [&](TvlView& v) { v.Top = anchor.Top; });
        break;
    case acBottoms:
        setEach(views, [&](TvlView& v) { v.Top = bottomOf(anchor) - v.Height; });
        break;
    case acHorizontalCenters:
        setEach(views, [&](TvlView& v) { v.Left = anchor.Left + anchor.Width / 2 - v.Width / 2; });
        break;
    case acVerticalCenters:
        setEach(views, [&](TvlView& v) { v.Top = anchor.Top + anchor.Height / 2 - v.Height / 2; });
        break;
    default:
        break;
    }
}

int gridRounded(int value, int grid) {
    return Nearest(static_cast<double>(value) / grid) * grid;
}

} // namespace

bool AlignmentApplies(int command, const Views& selected) {
    if (command < acLeftEdges || command > acBottoms) return false;
    if ((command == acLeftEdges || command == acRightEdges) && firstBand(selected)) return true;
    return static_cast<int>(selected.size()) >= minimumSelected(command);
}

TvlAlignOutcome AlignSelection(TvlPage& page, const Views& views, int command, TvlView* selObject,
                               QSize surface) {
    if (!AlignmentApplies(command, views)) return TvlAlignOutcome::NotApplicable;
    if (command == acLeftEdges || command == acRightEdges) {
        if (const TvlView* band = firstBand(views)) {
            alignInBand(page, *band, command == acRightEdges);
            return TvlAlignOutcome::AlignedInBand;
        }
    }
    const bool anchorSelected = std::find(views.begin(), views.end(), selObject) != views.end();
    const TvlView* anchor = selObject && anchorSelected ? selObject : views.back();
    switch (command) {
    case acCenterHorizontally:
        centerIn(views, true, surface.width());
        break;
    case acCenterVertically:
        centerIn(views, false, surface.height());
        break;
    case acSpaceHorizontally:
        spaceEqually(views, &TvlView::Left);
        break;
    case acSpaceVertically:
        spaceEqually(views, &TvlView::Top);
        break;
    default:
        alignToAnchor(command, views, *anchor);
        break;
    }
    return TvlAlignOutcome::Aligned;
}

void FitSelectionToGrid(const Views& selected, int grid) {
    if (grid <= 0) return;
    for (TvlView* view : selected) {
        if (movable(*view)) {
            view->Left = gridRounded(view->Left, grid);
            view->Top = gridRounded(view->Top, grid);
        }
        if (view->Restrictions & rsNoResize) continue;
        view->Width = gridRounded(view->Width, grid);
        view->Height = gridRounded(view->Height, grid);
        if (view->Width == 0) view->Width = grid;
        if (view->Height == 0) view->Height = grid;
    }
}

} // namespace vl
