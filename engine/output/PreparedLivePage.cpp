#include "engine/output/PreparedLivePage.h"

#include "engine/model/ViewState.h"

namespace vl {

PreparedLivePage::~PreparedLivePage() {
    // Objects die with the page; nothing may keep pointing at them.
    TvlViewState& state = ViewState();
    if (state.currentPage == this) state.currentPage = nullptr;
    objects_.clear();
}

TvlView* PreparedLivePage::viewAt(int index) const {
    if (index < 0 || index >= viewCount()) return nullptr;
    return objects_[static_cast<std::size_t>(index)].get();
}

int PreparedLivePage::leftEdge() const {
    if (!settings_.PaperCoordinates) return 0;
    return settings_.LeftMargin ? settings_.LeftMargin : settings_.Metrics.PixelOffsetX;
}

int PreparedLivePage::rightEdge() const {
    const PageMetrics& m = settings_.Metrics;
    if (!settings_.PaperCoordinates) return m.PixelPaperWidth;
    return settings_.RightMargin ? m.PixelPaperWidth - settings_.RightMargin
                                 : m.PixelOffsetX + m.PixelPrintWidth;
}

} // namespace vl
