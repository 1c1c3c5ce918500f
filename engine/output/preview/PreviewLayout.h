#pragma once

#include "engine/build/PreviewZoom.h"
#include "engine/model/ViewTypes.h"

#include <QSize>
#include <vector>

namespace vl {

// The arithmetic of the preview's page area, in screen pixels: pages as
// sheets with 10 pixels between them and around them, as many per row as
// fit, one centred column when only one fits.
namespace preview_layout {

inline constexpr int kGap = 10;
inline constexpr int kFitMargin = 20;
inline constexpr int kTwoPagesMargin = 30;
// Zoom is kept between 1 % and 1000 %: a zero or negative zoom (which a
// host can ask for) would divide by zero or lay the pages out backwards,
// and huge ones would overflow the pixel arithmetic.
inline constexpr double kMinScale = 0.01;
inline constexpr double kMaxScale = 10.0;

double BoundedScale(double scale);

// The scale a fitted mode gives for the current page's paper size in an
// area; pzDefault keeps scale.
double ScaleFor(TvlPreviewZoom mode, double scale, QSize paper, QSize area);

struct Result {
    double scale = 1.0;
    int columns = 1;
    // Each page's place in the unscrolled area.
    std::vector<TvlRect> rects;
    int horizontalMax = 0;
    int verticalMax = 0;
};

// Lays pages of the given paper sizes (page pixels) out in an area of
// that size; current (0-based) is the page whose paper the fitted modes
// measure.
Result LayOut(const std::vector<QSize>& papers, int current, QSize area, TvlPreviewZoom mode,
              double scale);

// The first page (0-based) whose rectangle spans the line 11 pixels below
// the view's top at that vertical scroll position; -1 for none.
int PageAtViewTop(const std::vector<TvlRect>& rects, int verticalPosition);

} // namespace preview_layout

} // namespace vl
