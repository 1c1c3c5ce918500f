#include "designer/workspace/PageObjects.h"

#include "engine/build/TvlPage.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlLineView.h"

#include <algorithm>

namespace vl {

bool IsBandView(const TvlView* view) {
    return dynamic_cast<const TvlBandView*>(view) != nullptr;
}

bool IsLineView(const TvlView* view) {
    return dynamic_cast<const TvlLineView*>(view) != nullptr;
}

int PageObjects::count() const {
    return static_cast<int>(page_.Objects.size());
}

TvlView* PageObjects::at(int index) const {
    return page_.Objects[static_cast<std::size_t>(index)].get();
}

int PageObjects::indexOf(const TvlView* view) const {
    for (int i = 0; i < count(); ++i)
        if (at(i) == view) return i;
    return -1;
}

std::vector<TvlView*> PageObjects::selected() const {
    return selection_.in(page_);
}

int PageObjects::selectedCount() const {
    return selection_.countIn(page_);
}

TvlView* PageObjects::onlySelected() const {
    return selection_.onlyIn(page_);
}

void PageObjects::selectAll() {
    selection_.selectAllOf(page_);
}

SelectionBox PageObjects::selectionBox() const {
    SelectionBox result;
    if (selectedCount() < 2) return result;
    int bestRight = 0, bestBottom = 0;
    for (int i = 0; i < count(); ++i) {
        TvlView* v = at(i);
        if (!selection_.contains(*v)) continue;
        const SurfaceBox b = SurfaceBox::of(*v);
        result.saved.emplace_back(v, b);
        result.topLeft = {std::min(result.topLeft.x(), b.l), std::min(result.topLeft.y(), b.t)};
        if (result.bottomRight < 0 || b.r > bestRight || (b.r == bestRight && b.b > bestBottom)) {
            result.bottomRight = i;
            bestRight = b.r;
            bestBottom = b.b;
        }
    }
    result.box = {result.topLeft.x(), result.topLeft.y(), bestRight, bestBottom};
    result.valid = true;
    return result;
}

TvlView* PageObjects::objectAt(QPoint p) const {
    for (int i = count() - 1; i >= 0; --i) {
        TvlView* v = at(i);
        if (v->Width < 3 || v->Height < 3) {
            const SurfaceBox b = SurfaceBox::of(*v).normalized();
            if (p.x() >= b.l - 3 && p.x() <= b.r + 3 && p.y() >= b.t - 3 && p.y() <= b.b + 3)
                return v;
        } else if (v->CreateClipRegion(false).contains(p)) {
            return v;
        }
    }
    return nullptr;
}

int PageObjects::selectInBox(const SurfaceBox& box) const {
    int n = 0;
    for (bool bands : {false, true}) {
        for (const auto& v : page_.Objects)
            if (IsBandView(v.get()) == bands && box.meets(SurfaceBox::of(*v))) {
                selection_.select(*v);
                ++n;
            }
        if (n > 0) break;
    }
    return n;
}

void PageObjects::pickUpBandContents(const TvlView& band) const {
    const SurfaceBox b = SurfaceBox::of(band);
    for (const auto& v : page_.Objects) {
        if (IsBandView(v.get())) continue;
        const SurfaceBox o = SurfaceBox::of(*v);
        if (o.l >= b.l && o.r <= b.r && o.t >= b.t && o.b <= b.b) selection_.select(*v);
    }
}

std::vector<QPoint> PageObjects::corners() const {
    std::vector<QPoint> result;
    result.reserve(page_.Objects.size() * 4);
    for (const auto& v : page_.Objects) {
        const SurfaceBox b = SurfaceBox::of(*v);
        result.insert(result.end(), {{b.l, b.t}, {b.r, b.t}, {b.l, b.b}, {b.r, b.b}});
    }
    return result;
}

void PageObjects::sortBands() {
    auto& list = page_.Objects;
    auto bandType = [](const std::unique_ptr<TvlView>& v) {
        const auto* band = dynamic_cast<const TvlBandView*>(v.get());
        return band ? band->bandType() : -1;
    };
    const auto bandsEnd = std::stable_partition(list.begin(), list.end(),
                                                [&](const auto& v) { return bandType(v) >= 0; });
    const auto overlay =
        std::find_if(list.begin(), bandsEnd, [&](const auto& v) { return bandType(v) == 13; });
    if (overlay != bandsEnd) std::rotate(list.begin(), overlay, overlay + 1);
    std::stable_partition(list.begin(), bandsEnd,
                          [&](const auto& v) { return !IsCrossBandType(bandType(v)); });
}

namespace {

// An object's extent seen along an arrow's direction: "start" is its edge
// that comes first in that direction, the cross span runs at right angles.
struct Span {
    int start, end, crossStart, crossEnd;
};

Span along(const TvlView& v, int key) {
    const SurfaceBox b = SurfaceBox::of(v);
    switch (key) {
    case Qt::Key_Right:
        return {b.l, b.r, b.t, b.b};
    case Qt::Key_Left:
        return {-b.r, -b.l, b.t, b.b};
    case Qt::Key_Down:
        return {b.t, b.b, b.l, b.r};
    default:
        return {-b.b, -b.t, b.l, b.r};
    }
}

// How far c lies beside s across the direction: 0 when it spans s.
int crossOffset(const Span& s, const Span& c) {
    if (c.crossStart <= s.crossStart && c.crossEnd >= s.crossEnd) return 0;
    if (c.crossEnd <= s.crossStart) return s.crossStart - c.crossEnd;
    if (c.crossStart >= s.crossEnd) return c.crossStart - s.crossEnd;
    return c.crossStart - s.crossStart;
}

} // namespace

TvlView* PageObjects::nearest(const TvlView& s, int key) const {
    const Span sv = along(s, key);
    TvlView* best = nullptr;
    int bestScore = 10000;
    for (const auto& v : page_.Objects) {
        if (v.get() == &s || selection_.contains(*v) || IsBandView(v.get())) continue;
        const Span c = along(*v, key);
        if (c.start <= sv.start) continue;
        const int distance = c.start < sv.end ? c.start - sv.start : c.start - sv.end;
        const int score = distance + crossOffset(sv, c);
        if (score < bestScore) {
            bestScore = score;
            best = v.get();
        }
    }
    return best;
}

void MoveToTouch(TvlView& s, const TvlView& n, int key) {
    switch (key) {
    case Qt::Key_Right:
        if (n.Left >= s.Left + s.Width) s.Left = n.Left - s.Width;
        break;
    case Qt::Key_Left:
        if (n.Left + n.Width <= s.Left) s.Left = n.Left + n.Width;
        break;
    case Qt::Key_Down:
        if (n.Top >= s.Top + s.Height) s.Top = n.Top - s.Height;
        break;
    case Qt::Key_Up:
        if (n.Top + n.Height <= s.Top) s.Top = n.Top + n.Height;
        break;
    default:
        break;
    }
}

} // namespace vl
