#include "engine/output/PreparedLivePage.h"

#include "engine/model/ViewState.h"

#include <algorithm>
#include <climits>

namespace vl {

namespace {

// The margins and metrics of a damaged page may be any numbers: an edge
// made of them stays within int.
int Edge(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

} // namespace

PreparedLivePage::~PreparedLivePage() {
    // Objects die with the page; nothing may keep pointing at them.
    if (views_.currentPage == this) views_.currentPage = nullptr;
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
    return settings_.RightMargin
               ? Edge(static_cast<long long>(m.PixelPaperWidth) - settings_.RightMargin)
               : Edge(static_cast<long long>(m.PixelOffsetX) + m.PixelPrintWidth);
}

} // namespace vl
