#include "designer/editing/PageSelection.h"

#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerSession.h"
#include "engine/build/TvlPage.h"
#include "engine/model/TvlBandView.h"

namespace vl {

std::vector<TvlView*> SelectedViews(TvlDesignerHost& host) {
    const TvlPage* page = host.currentPage();
    return page ? host.session().selected.in(*page) : std::vector<TvlView*>{};
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
