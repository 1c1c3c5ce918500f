#include "designer/window/PageCommands.h"

#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/ObjectSelection.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/script/BandType.h"
#include "engine/script/TvlLocale.h"

#include <algorithm>

namespace vl {

namespace {

constexpr int kPageTextId = 55004;

bool Movable(const TvlView& view) {
    return (view.Restrictions & rsNoMove) == 0;
}

// Moves the selected movable objects to one end of the list, keeping the
// order within both groups.
void MoveSelection(TvlPage& page, const TvlObjectSelection& selection, bool toFront) {
    auto& objects = page.Objects;
    auto moves = [&](const std::unique_ptr<TvlView>& v) {
        return selection.contains(*v) && Movable(*v);
    };
    if (toFront)
        std::stable_partition(objects.begin(), objects.end(),
                              [&](const auto& v) { return !moves(v); });
    else
        std::stable_partition(objects.begin(), objects.end(), moves);
}

void ClearChildLinks(TvlPage& page, const std::string& childName) {
    for (auto& object : page.Objects)
        if (auto* band = dynamic_cast<TvlBandView*>(object.get());
            band && band->ChildBand == childName)
            band->ChildBand.clear();
}

} // namespace

int SelectionState(const TvlPage* page, const TvlObjectSelection& selection, bool clipboardFilled) {
    int state = clipboardFilled ? ssClipboard : 0;
    if (!page) return state;
    const int count = selection.countIn(*page);
    if (count > 1) return state | ssSeveral;
    if (count == 0) return state;
    const TvlView* single = selection.onlyIn(*page);
    if (single->Typ == otBand) return state | ssBand;
    if (single->Typ == otMemo) return state | ssText;
    return state | ssOther;
}

int DeleteSelectedObjects(TvlPage& page, TvlObjectSelection& selection) {
    int removed = 0;
    for (int i = static_cast<int>(page.Objects.size()) - 1; i >= 0; --i) {
        TvlView& view = *page.Objects[static_cast<std::size_t>(i)];
        if (!selection.contains(view) || (view.Restrictions & rsNoDelete)) continue;
        selection.deselect(view);
        const bool childBand =
            view.Typ == otBand && static_cast<TvlBandView&>(view).bandType() == btChild;
        const std::string name = view.Name;
        page.Objects.erase(page.Objects.begin() + i);
        ++removed;
        if (childBand) ClearChildLinks(page, name);
    }
    return removed;
}

void BringSelectionToFront(TvlPage& page, const TvlObjectSelection& selection) {
    MoveSelection(page, selection, true);
}
void SendSelectionToBack(TvlPage& page, const TvlObjectSelection& selection) {
    MoveSelection(page, selection, false);
}

int SelectAllObjects(TvlPage& page, TvlObjectSelection& selection) {
    selection.selectAllOf(page);
    return static_cast<int>(page.Objects.size());
}

void RenumberSubReports(TvlReport& report, int from, int to) {
    for (int p = 0; p < report.Pages().Count(); ++p)
        for (auto& object : report.Pages()[p].Objects)
            if (auto* sub = dynamic_cast<TvlSubReportView*>(object.get());
                sub && sub->SubPage == from)
                sub->SubPage = to;
}

void MoveReportPage(TvlReport& report, int from, int to) {
    const int count = report.Pages().Count();
    if (from == to || from < 0 || to < 0 || from >= count || to >= count) return;
    // The moved page is parked at -1 while the pages between shift by one.
    RenumberSubReports(report, from, -1);
    if (to < from)
        for (int j = from - 1; j >= to; --j)
            RenumberSubReports(report, j, j + 1);
    else
        for (int j = from + 1; j <= to; ++j)
            RenumberSubReports(report, j, j - 1);
    RenumberSubReports(report, -1, to);
    report.Pages().Move(from, to);
}

bool ShownBySubReport(const TvlReport& report, int i) {
    bool shown = false;
    report.ForEachObject([&](const TvlView& view) {
        if (auto* sub = dynamic_cast<const TvlSubReportView*>(&view); sub && sub->SubPage == i)
            shown = true;
    });
    return shown;
}

std::string PageTitle(const TvlReport& report, int i) {
    std::string title;
    report.ForEachObject([&](const TvlView& view) {
        if (title.empty())
            if (auto* sub = dynamic_cast<const TvlSubReportView*>(&view); sub && sub->SubPage == i)
                title = sub->Name;
    });
    return title.empty() ? LoadResString(kPageTextId) + std::to_string(i + 1) : title;
}

} // namespace vl
