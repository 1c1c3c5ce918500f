#include "designer/editing/PageSelection.h"

#include "engine/build/TvlPage.h"
#include "engine/model/TvlBandView.h"

namespace vl {

std::vector<TvlView*> SelectedViews(const TvlPage& page) {
    std::vector<TvlView*> result;
    for (const auto& view : page.Objects)
        if (view->Selected) result.push_back(view.get());
    return result;
}

TvlView* TopmostSelected(const TvlPage& page) {
    for (auto it = page.Objects.rbegin(); it != page.Objects.rend(); ++it)
        if ((*it)->Selected) return it->get();
    return nullptr;
}

int IndexOfView(const TvlPage& page, const TvlView* view) {
    for (std::size_t i = 0; i < page.Objects.size(); ++i)
        if (page.Objects[i].get() == view) return static_cast<int>(i);
    return -1;
}

int IndexOfSequence(const TvlPage& page, std::int32_t sequence) {
    for (std::size_t i = 0; i < page.Objects.size(); ++i)
        if (page.Objects[i]->ID == sequence) return static_cast<int>(i);
    return -1;
}

bool IsBandView(const TvlView& view) {
    return dynamic_cast<const TvlBandView*>(&view) != nullptr;
}

} // namespace vl
