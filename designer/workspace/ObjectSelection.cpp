#include "designer/workspace/ObjectSelection.h"

#include "engine/build/TvlPage.h"
#include "engine/model/TvlView.h"
#include "engine/model/ViewState.h"

namespace vl {

bool TvlObjectSelection::contains(const TvlView& view) const {
    return view.ID != 0 && sequences_.count(view.ID) > 0;
}

void TvlObjectSelection::select(TvlView& view) {
    if (view.ID == 0) view.ID = ++view.viewState().sequence;
    sequences_.insert(view.ID);
}

void TvlObjectSelection::deselect(const TvlView& view) {
    sequences_.erase(view.ID);
}

void TvlObjectSelection::set(TvlView& view, bool selected) {
    if (selected)
        select(view);
    else
        deselect(view);
}

void TvlObjectSelection::toggle(TvlView& view) {
    set(view, !contains(view));
}

void TvlObjectSelection::clear() {
    sequences_.clear();
}

std::vector<TvlView*> TvlObjectSelection::in(const TvlPage& page) const {
    std::vector<TvlView*> result;
    for (const auto& view : page.Objects)
        if (contains(*view)) result.push_back(view.get());
    return result;
}

int TvlObjectSelection::countIn(const TvlPage& page) const {
    int count = 0;
    for (const auto& view : page.Objects)
        count += contains(*view) ? 1 : 0;
    return count;
}

TvlView* TvlObjectSelection::onlyIn(const TvlPage& page) const {
    TvlView* found = nullptr;
    for (const auto& view : page.Objects) {
        if (!contains(*view)) continue;
        if (found) return nullptr;
        found = view.get();
    }
    return found;
}

TvlView* TvlObjectSelection::topmostIn(const TvlPage& page) const {
    for (auto it = page.Objects.rbegin(); it != page.Objects.rend(); ++it)
        if (contains(**it)) return it->get();
    return nullptr;
}

void TvlObjectSelection::selectAllOf(const TvlPage& page) {
    for (const auto& view : page.Objects)
        select(*view);
}

} // namespace vl
