#include "engine/model/TvlBandView.h"
#include "engine/model/TvlView.h"
#include "engine/model/ViewState.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vl {

int Nearest(double value) {
    // Damaged files can hold any geometry; out-of-range results saturate.
    const double rounded = RoundHalfEven(value);
    if (std::isnan(rounded)) return 0;
    if (rounded <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    if (rounded >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return static_cast<int>(rounded);
}

double TvlView::OutputRight() const {
    return (static_cast<double>(SavedLeft) + SavedWidth) * ScaleX + OffsetX;
}

double TvlView::OutputBottom() const {
    return (static_cast<double>(SavedTop) + SavedHeight) * ScaleY + OffsetY;
}

void TvlView::LimitGeometry(int limit) {
    for (int* v : {&Left, &Top, &Width, &Height, &GapX, &GapY})
        *v = std::clamp(*v, -limit, limit);
}

void TvlView::ScaleForOutput() {
    SavedLeft = Left;
    SavedTop = Top;
    SavedWidth = Width;
    SavedHeight = Height;
    SavedGapX = GapX;
    SavedGapY = GapY;
    SavedFrameWidth = FrameWidth;
    if (DrawMode == rmDesign) {
        ScaleX = ScaleY = 1;
        OffsetX = OffsetY = 0;
    }
    const double sx = ScaleX, sy = ScaleY;
    Left = Nearest(Left * sx) + OffsetX;
    Top = Nearest(Top * sy) + OffsetY;
    Width = Nearest(Width * sx);
    Height = Nearest(Height * sy);

    const double fw = SavedFrameWidth;
    const int lx = Nearest((fw * sx - 1) / 2);
    const int rx = Nearest(fw * sx / 2);
    const int ty = Nearest((fw * sy - 1) / 2);
    const int by = Nearest(fw * sy / 2);
    FrameWidth = static_cast<float>(fw * sx);
    GapX = Nearest(GapX * sx) + rx;
    GapY = Nearest(GapY * sy) + by / 2;

    int right = Nearest(OutputRight());
    int bottom = Nearest(OutputBottom());
    if (hasSide(vlftRight)) right -= rx;
    if (hasSide(vlftBottom)) bottom -= by;
    const int left = Left + (hasSide(vlftLeft) ? lx : 0);
    const int top = Top + (hasSide(vlftTop) ? ty : 0);
    DRect = {left, top, right + 1, bottom + 1};
}

void TvlView::RestoreGeometry() {
    Left = SavedLeft;
    Top = SavedTop;
    Width = SavedWidth;
    Height = SavedHeight;
    GapX = SavedGapX;
    GapY = SavedGapY;
    FrameWidth = SavedFrameWidth;
}

QRegion TvlView::CreateClipRegion(bool extended) {
    const double fw = FrameWidth;
    int outer, inner;
    if (FrameStyle == psDouble) {
        outer = Nearest(fw * 1.5);
        inner = Nearest(fw + (fw - 1) / 2);
    } else {
        outer = Nearest(fw / 2);
        inner = Nearest((fw - 1) / 2);
    }
    int l = Left - (hasSide(vlftLeft) ? outer : 0);
    int t = Top - (hasSide(vlftTop) ? outer : 0);
    int r = Left + Width + (hasSide(vlftRight) ? inner + 1 : 1);
    int b = Top + Height + (hasSide(vlftBottom) ? inner + 1 : 1);
    if (extended) {
        l -= 10;
        t -= 10;
        r += 10;
        b += 10;
    }
    return QRegion(l, t, std::max(0, r - l), std::max(0, b - t));
}

void TvlView::UseDrawContext(const TvlDrawContext& context) {
    Canvas = context.canvas;
    DrawMode = context.mode;
    ScaleX = context.scaleX;
    ScaleY = context.scaleY;
    OffsetX = context.offsetX;
    OffsetY = context.offsetY;
    Printing = context.printing;
}

void TvlView::PrepareDraw(const TvlDrawContext& context) {
    UseDrawContext(context);
    TvlViewState& state = viewState();
    state.currentView = this;
    TvlViewPage* page = DrawMode == rmOutput ? state.currentPage : state.designerPage;
    if (page && BandAlign != baNone) ApplyBandAlignment(*page);
}

namespace {

bool IsBand(const TvlView* v) {
    return dynamic_cast<const TvlBandView*>(v) != nullptr;
}

// The nearest object on the same row with the given alignment: to the left
// (largest smaller Left, later wins ties) or to the right (smallest larger
// Left, earlier wins ties).
const TvlView* Neighbour(const TvlViewPage& page, const TvlView& self, std::uint8_t align,
                         bool toLeft) {
    const TvlView* best = nullptr;
    for (int i = 0; i < page.viewCount(); ++i) {
        const TvlView* v = page.viewAt(i);
        if (!v || v == &self || IsBand(v) || v->BandAlign != align || v->Top != self.Top) continue;
        if (toLeft) {
            if (v->Left < self.Left && (!best || v->Left >= best->Left)) best = v;
        } else {
            if (v->Left > self.Left && (!best || v->Left < best->Left)) best = v;
        }
    }
    return best;
}

} // namespace

void TvlView::ApplyBandAlignment(TvlViewPage& page) {
    const int L = page.leftEdge(), R = page.rightEdge();
    const bool design = DrawMode == rmDesign;
    switch (BandAlign) {
    case baLeft: {
        const TvlView* n = Neighbour(page, *this, baLeft, true);
        Left = n ? n->Left + n->Width : L;
        break;
    }
    case baRight: {
        const TvlView* m = Neighbour(page, *this, baRight, false);
        Left = m ? m->Left - Width - 1 : R - Width;
        break;
    }
    case baCenter:
        Left = (R - L - Width) / 2 + L;
        break;
    case baWidth:
        if (!design) {
            if (viewState().currentBand) break;
            Left = L;
            Width = R - L - 1;
        } else if (const TvlView* band = FindOwnerBand(); band && IsCrossBandType(band->FrameTyp)) {
            Left = band->Left;
            Width = band->Width;
        } else {
            Left = L;
            Width = R - L;
        }
        break;
    case baBottom:
        if (const TvlView* band = design ? FindOwnerBand() : nullptr)
            Top = band->Top + band->Height - Height;
        break;
    case baTop:
        if (const TvlView* band = design ? FindOwnerBand() : nullptr) Top = band->Top;
        break;
    case baRest: {
        const TvlView* n = Neighbour(page, *this, baLeft, true);
        const TvlView* m = Neighbour(page, *this, baRight, false);
        Left = n ? n->Left + n->Width : L;
        Width = std::max(0, (m ? m->Left : R) - Left);
        break;
    }
    default:
        break;
    }
}

} // namespace vl
