#include "engine/output/preview/PreviewLayout.h"

#include "engine/model/TvlView.h"

#include <algorithm>
#include <cmath>

namespace vl::preview_layout {

double BoundedScale(double scale) {
    if (!std::isfinite(scale)) return kMinScale;
    return std::clamp(scale, kMinScale, kMaxScale);
}

double ScaleFor(TvlPreviewZoom mode, double scale, QSize paper, QSize area) {
    const int pw = paper.width(), ph = paper.height();
    switch (mode) {
    case pzPageWidth:
        if (pw > 0) scale = static_cast<double>(area.width() - kFitMargin) / pw;
        break;
    case pzOnePage:
        if (ph > 0) scale = static_cast<double>(area.height() - kFitMargin) / ph;
        break;
    case pzTwoPages:
        if (pw > 0) scale = static_cast<double>(area.width() - kTwoPagesMargin) / (2.0 * pw);
        break;
    case pzDefault:
        break;
    }
    return BoundedScale(scale);
}

namespace {

// How many pages fit side by side: the longest run of pages that fit in
// a row (a page that overflows a row starts the count anew and is not
// counted itself).
int CountColumns(const std::vector<QSize>& papers, int width, double scale) {
    int x = kGap, run = 0, best = 0;
    for (const QSize& paper : papers) {
        const int d = Nearest(paper.width() * scale) + x + kGap;
        if (d > width) {
            best = std::max(best, run);
            run = 0;
            x = kGap;
        } else {
            x = d;
            ++run;
        }
    }
    return std::max(std::max(best, run), 1);
}

} // namespace

Result LayOut(const std::vector<QSize>& papers, int current, QSize area, TvlPreviewZoom mode,
              double scale) {
    Result r;
    if (papers.empty()) return r;
    current = std::clamp(current, 0, static_cast<int>(papers.size()) - 1);
    r.scale = ScaleFor(mode, BoundedScale(scale), papers[static_cast<std::size_t>(current)], area);
    const int width = area.width();
    r.columns = mode == pzOnePage    ? 1
                : mode == pzTwoPages ? 2
                                     : CountColumns(papers, width, r.scale);
    r.rects.resize(papers.size());
    int y = kGap, right = 0, bottom = 0;
    for (std::size_t first = 0; first < papers.size();
         first += static_cast<std::size_t>(r.columns)) {
        const std::size_t end =
            std::min(papers.size(), first + static_cast<std::size_t>(r.columns));
        int x = kGap, tallest = 0;
        for (std::size_t i = first; i < end; ++i) {
            const int w = Nearest(papers[i].width() * r.scale);
            const int h = Nearest(papers[i].height() * r.scale);
            const int left = r.columns == 1 && w < width ? (width - w) / 2 : x;
            r.rects[i] = TvlRect{left, y, left + w, y + h};
            right = std::max(right, left + w);
            bottom = std::max(bottom, y + h);
            x += w + kGap;
            tallest = std::max(tallest, h);
        }
        y += tallest + kGap;
    }
    r.horizontalMax = std::max(0, right - width + kGap);
    r.verticalMax = std::max(0, bottom - area.height() + kGap);
    if (right - width < 0) r.horizontalMax = 0;
    if (bottom - area.height() < 0) r.verticalMax = 0;
    return r;
}

int PageAtViewTop(const std::vector<TvlRect>& rects, int verticalPosition) {
    const int line = 11 + verticalPosition;
    for (std::size_t i = 0; i < rects.size(); ++i)
        if (rects[i].Top < line && line < rects[i].Bottom) return static_cast<int>(i);
    return -1;
}

} // namespace vl::preview_layout
