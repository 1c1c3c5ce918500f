#include "engine/build/SubReportRun.h"

#include "engine/build/BuildRun.h"
#include "engine/build/TvlBand.h"
#include "engine/build/TvlDataset.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/script/Errors.h"
#include "engine/script/ScopedValue.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

namespace vl {

namespace {

// A bottom limit no band reaches: a band printed under it always fits.
constexpr int kNoLimit = INT_MAX / 4;
// Turns in a row after which sub-reports that never move on end the build.
constexpr int kIdleTurns = 2;

bool stopping(const TvlPage& page) {
    return page.Run().stopDue();
}

// The report page a visible sub-report object can start now. A page that
// is recording or replaying already (a sub-report showing itself, directly
// or through others) prints nothing a second time.
TvlPage* startablePage(const TvlBand& band, const TvlView& object) {
    const auto* sub = dynamic_cast<const TvlSubReportView*>(&object);
    if (!sub || !sub->Visible) return nullptr;
    TvlPages& pages = band.Run().report().Pages();
    if (sub->SubPage < 0 || sub->SubPage >= pages.Count()) return nullptr;
    TvlPage& page = pages[sub->SubPage];
    if (page.PageType != ptReport || !page.Prepared() || !page.SubReportPage) return nullptr;
    if (page.BuildMode == TvlPage::bmRecord) return nullptr;
    return &page;
}

// The lowest position of sub-report bands: above the outer page's column
// footer, which the outer page prints below them.
int bottomLimitBelow(const TvlPage& outer) {
    if (outer.SubReportPage) return outer.BottomLimit;
    return outer.BottomLimit - outer.ColumnFooterHeight();
}

// Where a new outer page's content starts, below the page and column
// headers: a sub-report band that does not fit there fits on no page. A
// sub-report page's own headers never print, so it has no such place.
int freshTop(const TvlPage& outer) {
    if (outer.SubReportPage) return INT_MIN;
    int top = outer.TopEdge();
    for (const int type : {btPageHeader, btColumnHeader}) {
        const TvlBand* header = outer.Band(type);
        if (header && header->inUse() && header->Visible) top += header->Height;
    }
    return top;
}

// The lowest position the band's sub-reports reached on the current outer
// page: those that finished in this turn and those still going on.
int lowestSubReport(const TvlBand& band) {
    int lowest = std::max(band.OwnerPage.CurY, band.SubReportBottom);
    for (std::size_t i = 0; i < band.SubReportPages.size(); ++i) {
        const TvlPage* page = band.SubReportPages[i];
        if (page && !band.SubReportDone[i]) lowest = std::max(lowest, page->CurY);
    }
    return lowest;
}

// Sub-reports side by side may walk the same data source: before a
// sub-report goes on, its sources return to the records its replay had
// reached.
void restorePositions(TvlPage& page) {
    std::vector<std::pair<TvlDataset*, int>> positions;
    const auto end = std::min(page.RecordedSteps.size(),
                              static_cast<std::size_t>(std::max(page.ReplayIndex, 0)));
    for (std::size_t i = 0; i < end; ++i) {
        const TvlPage::RecordedStep& step = page.RecordedSteps[i];
        TvlDataset* source = step.band ? step.band->Source : nullptr;
        if (!source || step.kind == TvlPage::RecordedStep::Draw) continue;
        auto found = std::find_if(positions.begin(), positions.end(),
                                  [source](const auto& p) { return p.first == source; });
        if (found == positions.end()) found = positions.insert(positions.end(), {source, 0});
        found->second = step.kind == TvlPage::RecordedStep::First ? 0 : found->second + 1;
    }
    for (const auto& [source, position] : positions) {
        if (source->RecordNo() == position) continue;
        source->First();
        while (source->RecordNo() < position && !source->Eof() && !stopping(page))
            source->Next();
    }
}

void clearSteps(TvlPage& page) {
    page.RecordedSteps.clear();
    page.ReplayIndex = 0;
    page.ResumeBand = nullptr;
    page.BuildMode = TvlPage::bmOutput;
}

} // namespace

void TvlSubReportRun::HandOver(TvlBand& band, std::size_t firstObject) {
    TvlPage& outer = band.OwnerPage;
    band.SubReportStart = firstObject;
    const int bottom = std::max(0, outer.CurY + band.Height);
    TvlBuildRun& run = band.Run();
    const int index = run.state().currentPageIndex;
    start(band);
    OutputSubReports(band, !outer.SubReportPage && outer.InBreak());
    // the band takes at least its own height
    if (run.state().currentPageIndex == index && outer.CurY < bottom) outer.CurY = bottom;
    run.engine().views().currentPage = &outer;
}

void TvlSubReportRun::start(TvlBand& band) {
    const std::size_t first = std::min(band.SubReportStart, band.Objects.size());
    const std::size_t count = band.Objects.size() - first;
    band.SubReportPages.assign(count, nullptr);
    band.SubReportDone.assign(count, true);
    for (std::size_t i = 0; i < count && !stopping(band.OwnerPage); ++i) {
        TvlView& object = *band.Objects[first + i];
        TvlPage* page = startablePage(band, object);
        if (!page) continue;
        startOne(band, object, *page);
        band.SubReportPages[i] = page;
        band.SubReportDone[i] = false;
    }
    band.OwnerPage.ResumeBand = nullptr;
}

// Records the walk of the page and places it where the object lies, with
// the outer page's paper and edges.
void TvlSubReportRun::startOne(TvlBand& band, TvlView& object, TvlPage& page) {
    TvlPage& outer = band.OwnerPage;
    clearSteps(page);
    page.BuildMode = TvlPage::bmRecord;
    page.Run().engine().views().currentPage = &page;
    page.RunPage();
    page.CurY = object.Top + band.Top;
    page.BottomLimit = bottomLimitBelow(outer);
    page.ColumnOffset = outer.ColumnOffset + object.Left;
    page.UseMargins = outer.UseMargins;
    page.LeftMargin = outer.LeftMargin;
    page.TopMargin = outer.TopMargin;
    page.RightMargin = outer.RightMargin;
    page.BottomMargin = outer.BottomMargin;
    // the paper too: a page a cross-tab of the sub-report adds to the right
    // is the outer page's
    page.PaperSize = outer.PaperSize;
    page.PaperWidth = outer.PaperWidth;
    page.PaperHeight = outer.PaperHeight;
    page.Orientation = outer.Orientation;
    page.PaperBin = outer.PaperBin;
    page.PrinterInfo = outer.PrinterInfo;
    page.Columns = 1;
    page.PageColumn = 0;
}

void TvlSubReportRun::reposition(TvlBand& band) {
    const TvlPage& outer = band.OwnerPage;
    for (TvlPage* page : band.SubReportPages) {
        if (!page) continue;
        page->CurY = outer.CurY;
        page->BottomLimit = bottomLimitBelow(outer);
    }
}

void TvlSubReportRun::OutputSubReports(TvlBand& band, bool force) {
    TvlPage& outer = band.OwnerPage;
    // a band that resumes after an outer page break starts on a fresh page
    bool fresh = !band.SubReportsDone;
    bool newPage = fresh;
    int idle = 0;
    for (;;) {
        if (newPage) reposition(band);
        newPage = false;
        const bool progress = replayTurn(band, fresh, force);
        if (band.SubReportsDone || stopping(outer)) break;
        if (outer.SubReportPage && !force) {
            // nested: the outer replay resumes this band after its own break
            outer.ResumeBand = &band;
            return;
        }
        idle = progress ? 0 : idle + 1;
        if (idle > kIdleTurns) {
            outer.HandleBuildError(VlError("Sub-report does not fit on the page"));
            break;
        }
        if (!outer.SubReportPage && outer.InBreak()) {
            // the outer page is opening a page itself: what does not fit
            // prints where it stands
            force = true;
            continue;
        }
        // the column footer follows the sub-reports
        outer.CurY = lowestSubReport(band);
        outer.StartNewPage();
        fresh = newPage = true;
    }
    finish(band);
}

bool TvlSubReportRun::replayTurn(TvlBand& band, bool fresh, bool force) {
    const Replay replay{fresh, force, freshTop(band.OwnerPage)};
    band.SubReportsDone = true;
    band.SubReportBottom = band.OwnerPage.CurY;
    bool progress = false;
    const std::size_t first = std::min(band.SubReportStart, band.Objects.size());
    for (std::size_t i = 0; i < band.SubReportPages.size(); ++i) {
        TvlPage* page = band.SubReportPages[i];
        if (!page || band.SubReportDone[i] || first + i >= band.Objects.size()) continue;
        if (!band.Objects[first + i]->Visible) continue;
        if (replaySteps(*page, replay, progress)) {
            band.SubReportsDone = false;
        } else {
            band.SubReportDone[i] = true;
            band.SubReportBottom = std::max(band.SubReportBottom, page->CurY);
            progress = true;
        }
    }
    return progress;
}

bool TvlSubReportRun::replaySteps(TvlPage& page, const Replay& replay, bool& progress) {
    const ScopedDepth inBreak = page.EnterBreak();
    try {
        restorePositions(page);
    } catch (const std::exception& error) {
        page.HandleBuildError(error);
        return false;
    }
    bool drawn = false;
    while (page.ReplayIndex >= 0 &&
           page.ReplayIndex < static_cast<int>(page.RecordedSteps.size())) {
        if (stopping(page)) return false;
        const TvlPage::RecordedStep step =
            page.RecordedSteps[static_cast<std::size_t>(page.ReplayIndex)];
        TvlBand& band = *step.band;
        try {
            switch (step.kind) {
            case TvlPage::RecordedStep::Draw:
                if (!drawStep(page, band, replay.force,
                              replay.force || (replay.fresh && !drawn) ||
                                  page.CurY <= replay.freshTop))
                    return true;
                drawn = true;
                break;
            case TvlPage::RecordedStep::First:
                if (band.Source) band.Source->First();
                page.ResetLineNo(&band, 1);
                band.LineThroughNo = 1;
                break;
            case TvlPage::RecordedStep::Next:
                if (band.Source) band.Source->Next();
                ++page.RecordCounter;
                ++band.LineThroughNo;
                ++band.LineNo;
                break;
            }
        } catch (const std::exception& error) {
            page.HandleBuildError(error);
            return false;
        }
        ++page.ReplayIndex;
        progress = true;
    }
    return false;
}

// With lift, a band that does not fit prints where it stands: either the
// outer page cannot break now (force), or it has just broken and a new page
// would give the band no more room.
bool TvlSubReportRun::drawStep(TvlPage& page, TvlBand& band, bool force, bool lift) {
    if (!page.ResumeBand) {
        if (!band.Output()) return true;
        if (!page.ResumeBand) {
            // it did not fit: its script has run and does not run again
            band.ScriptDone = true;
            if (!lift) return false;
            const ScopedValue lifted(page.BottomLimit, kNoLimit);
            band.Output();
            return page.ResumeBand == nullptr;
        }
        if (!force) return false;
    }
    OutputSubReports(*page.ResumeBand, force);
    return page.ResumeBand == nullptr;
}

void TvlSubReportRun::finish(TvlBand& band) {
    for (TvlPage* page : band.SubReportPages)
        if (page) clearSteps(*page);
    band.SubReportPages.clear();
    band.SubReportDone.clear();
    TvlPage& outer = band.OwnerPage;
    outer.CurY += std::max(band.NeededHeight, band.SubReportBottom - outer.CurY);
    outer.ResumeBand = nullptr;
}

} // namespace vl
