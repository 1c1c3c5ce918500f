#include "engine/build/BandExtensions.h"
#include "engine/build/BuildRun.h"
#include "engine/build/TvlBand.h"
#include "engine/build/TvlDataset.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/TInterpretator.h"

#include <algorithm>

namespace vl {

namespace {

// A band that is reached again while it is being output (a child that
// names its parent) is not output a second time.
class OutputGuard {
public:
    explicit OutputGuard(bool& flag) : flag_(flag), entered_(!flag) { flag_ = true; }
    ~OutputGuard() {
        if (entered_) flag_ = false;
    }
    OutputGuard(const OutputGuard&) = delete;
    OutputGuard& operator=(const OutputGuard&) = delete;
    bool entered() const { return entered_; }

private:
    bool& flag_;
    bool entered_;
};

bool keepsPlace(TvlBandType type) {
    return type == btPageFooter || type == btOverlay || type == btColumnFooter || type == btNone;
}

void makeCurrent(TvlBand& band, TvlView* view) {
    TvlEngine& engine = band.Run().engine();
    TvlViewState& state = engine.views();
    state.currentView = view;
    state.currentBand = &band;
    engine.aggregateContext().CurrentBand = &band;
}

} // namespace

bool TvlBand::stopping() const {
    return Run().stopDue();
}

bool TvlBand::Output() {
    const OutputGuard guard(outputting_);
    if (!guard.entered()) return false;
    const bool savedBreaked = Breaked;
    makeCurrent(*this, BandView);
    NeededHeight = -1;
    PendingNewPages = 0;
    PendingNewColumns = 0;
    Run().report().FireBeginBand(*this);

    TvlPage& page = OwnerPage;
    if (TvlBand* last = page.LastOutputBand;
        last && last != this && last->inUse() && last->BandColumn > 1) {
        page.ColumnOffset = last->BandColumnStartX;
        page.CurY += last->Height;
    }

    CurYAfterBreak = false;
    if (!ScriptDone) RunScript();
    ScriptDone = false;
    const int y0 = page.CurY;
    if (stopping()) return false;
    runScriptBreaks(y0);

    bool result = false;
    if (Visible) {
        if (!outputVisible(result)) {
            Breaked = savedBreaked;
            return true;
        }
    } else {
        if (ChildLink && PrintChildIfInvisible) ChildLink->Output();
        if (isDataBand()) AccumulateTotals();
    }
    if (!KeepTotals) resetAfterOutput();
    Run().report().FireEndBand(*this);
    Breaked = savedBreaked;
    return result;
}

void TvlBand::RunScript() {
    if (Script.empty()) return;
    makeCurrent(*this, BandView);
    try {
        Run().engine().globalInterpretator().RunScript(Script);
    } catch (const std::exception& error) {
        OwnerPage.HandleBuildError(error);
    }
}

void TvlBand::runScriptBreaks(int y0) {
    TvlPage& page = OwnerPage;
    // breaks asked for by the bands of a new page would never end
    if (page.InBreak()) return;
    for (int i = 0; i < PendingNewPages && !stopping(); ++i) {
        page.PageColumn = std::max(page.Columns, 1) - 1;
        page.StartNewColumn(this);
    }
    for (int i = 0; i < PendingNewColumns && !stopping(); ++i)
        page.StartNewColumn(this);
    if (CurYAfterBreak) page.CurY = y0;
}

// False when the band stops at once because a sub-report page must break
// first (the outer page resumes it).
bool TvlBand::outputVisible(bool& result) {
    TvlPage& page = OwnerPage;
    if (Type == btColumnHeader) page.ColumnTop = page.CurY;
    if (Type == btPageFooter) Top = page.BottomLimit;
    if (inUse()) {
        NeededHeight = std::max(NeededHeight, Height);
        if (!keepsPlace(Type) && !makeRoom(result)) return false;
    }
    SubReportsDone = true;
    if (isDataBand() && NextBand && !NextBand->Source && Source) {
        outputChain();
    } else {
        OutputBody();
        if (ChildLink) ChildLink->Output();
        if (!isDataBand() && !isGroupHeader() && FormNewPage && Visible) page.StartNewPage();
    }
    if (!SubReportsDone) result = true;
    return true;
}

// The free-space test before the body: a band that does not fit starts a
// new column or page; one too tall for any page is split instead. The top
// of a page is where its content starts, below the page and column
// headers: a band that a new page would not give more room is split where
// it stands, and one that does not fit on the new page either is split
// there, so that no page is left with nothing but its headers.
bool TvlBand::makeRoom(bool& result) {
    TvlPage& page = OwnerPage;
    const int h = MeasureHeight();
    if (page.CurY + h <= page.BottomLimit || Breaked) return true;
    // A sub-report page never breaks or splits by itself: the outer page
    // breaks and resumes it.
    if (page.SubReportPage) {
        result = true;
        return false;
    }
    const int freshTop = contentTop();
    if (page.BottomLimit - freshTop >= h || page.CurY > freshTop) {
        result = true;
        FitOrBreak(0, 10000, false);
        if (FitOrBreak(page.CurY, h, true)) Breaked = true;
    } else {
        Breaked = true;
    }
    return true;
}

// Where the content of a new page starts: the top edge, below the page
// header and the column header that every new page prints.
int TvlBand::contentTop() const {
    const TvlPage& page = OwnerPage;
    int top = page.TopEdge();
    for (const int type : {btPageHeader, btColumnHeader}) {
        const TvlBand* header = page.Band(type);
        if (header && header->inUse() && header->Visible) top += header->Height;
    }
    return top;
}

// The bands behind a data band that have no source of their own print with
// each of its records.
void TvlBand::outputChain() {
    for (TvlBand* band = this; band; band = band->NextBand) {
        if (band != this && band->Source) break;
        if (band->Visible) band->OutputBody();
    }
}

void TvlBand::resetAfterOutput() {
    if (Type == btPageFooter) {
        const TvlBuildRun& run = Run();
        const int last = run.report().EMFPages().Count() - 1;
        if (run.state().currentPageIndex != last) return;
    }
    ResetTotals();
}

void TvlBand::OutputBody() {
    if (!inUse()) return;
    const int t0 = Top;
    if (isFlowing()) Top = OwnerPage.CurY;
    if (Stretched)
        outputStretchedBody();
    else
        outputPlainBody();
    advanceBandColumn();
    Top = t0;
    // a row of cross columns has counted its totals column by column (a
    // split band prints no cross columns)
    const bool crossRow = HasCrossObjects() && !Breaked && Run().engine().bandExtensions();
    if (isDataBand() && !crossRow) AccumulateTotals();
}

void TvlBand::outputStretchedBody() {
    TvlPage& page = OwnerPage;
    int h = std::max(NeededHeight, Height);
    for (TvlView* view : Objects) {
        if (dynamic_cast<TvlStretcheable*>(view) && view->isStretched() && view->Height > 0)
            view->Height = h - view->Top;
    }
    PrintedHeight = h;
    // Bands that keep their place never break: a page footer that broke
    // would start the page whose footer it is again.
    if (isFlowing()) {
        if (!Breaked) FitOrBreak(Top, h, false);
        Top = page.CurY;
    }
    bool subReports = false;
    if (Breaked) {
        OutputSplit();
        h = 0;
    } else {
        subReports = OutputObjects();
        if (HasCrossObjects()) outputCross();
    }
    restoreHeights();
    if (!subReports && isFlowing()) page.CurY += h;
}

void TvlBand::outputPlainBody() {
    TvlPage& page = OwnerPage;
    if (isFlowing()) {
        if (!Breaked) FitOrBreak(Top, Height, false);
        Top = page.CurY;
    }
    if (Breaked) {
        PrintedHeight = std::max(NeededHeight, Height);
        OutputSplit();
        return;
    }
    const bool subReports = OutputObjects();
    if (HasCrossObjects()) outputCross();
    if (isFlowing() && !subReports) page.CurY += Height;
}

void TvlBand::outputCross() {
    if (TvlBandExtensions* extensions = Run().engine().bandExtensions())
        extensions->outputCross(*this);
}

void TvlBand::advanceBandColumn() {
    TvlPage& page = OwnerPage;
    if (page.LastOutputBand != this) BandColumn = 1;
    page.LastOutputBand = this;
    if (!BandView || BandView->Columns <= 1 || BandView->NewColumnAfter != 1) return;
    if (BandColumn == 1) BandColumnStartX = page.ColumnOffset;
    ++BandColumn;
    if (BandColumn > BandView->Columns) {
        page.ColumnOffset = BandColumnStartX;
        BandColumn = 1;
    } else {
        const std::int64_t offset =
            (std::int64_t{BandView->ColumnWidth} + BandView->ColumnGap) * (BandColumn - 1) +
            BandColumnStartX;
        page.ColumnOffset =
            static_cast<int>(std::clamp<std::int64_t>(offset, INT32_MIN / 2, INT32_MAX / 2));
        page.CurY -= std::max(NeededHeight, Height);
    }
}

int TvlBand::MeasureHeight() {
    int result = 0;
    if (isDataBand() && NextBand && !NextBand->Source) {
        for (TvlBand* band = this; band; band = band->NextBand) {
            if (band != this) {
                if (band->Source) break;
                // each record measures the chain afresh
                band->NeededHeight = -1;
            }
            result += band->MeasureStretched();
        }
    } else {
        result = Stretched ? MeasureStretched() : Height;
    }
    NeededHeight = std::max(NeededHeight, result);
    return result;
}

int TvlBand::MeasureStretched() {
    int result = Height;
    if (HasCrossObjects() && Type != btPageFooter)
        result = std::max(result, measureCrossColumns());
    else
        result = std::max(result, measureObjects(false));
    NeededHeight = std::max(NeededHeight, result);
    return result;
}

int TvlBand::measureCrossColumns() {
    TvlPage& page = OwnerPage;
    page.CrossColumn = 1;
    TvlReport& report = Run().report();
    report.FireBeginColumn(*this);
    const TvlBand* cross = page.Band(btCrossData);
    TvlDataset* source = nullptr;
    if (cross && cross->inUse()) source = cross->Source ? cross->Source : ColumnSource;
    if (!source) return measureObjects(false);
    int result = Height;
    source->First();
    while (!source->Eof()) {
        int width = 0;
        report.FirePrintColumn(page.CrossColumn, width);
        result = std::max(result, measureObjects(true));
        NeededHeight = std::max(NeededHeight, result);
        ++page.CrossColumn;
        source->Next();
        if (stopping()) break;
    }
    return result;
}

int TvlBand::measureObjects(bool includeCross) {
    makeCurrent(*this, BandView);
    int h = Height;
    measuredHeights_.resize(Objects.size());
    for (std::size_t i = 0; i < Objects.size(); ++i) {
        TvlView* view = Objects[i];
        measuredHeights_[i] = view->Height;
        auto* stretchable = dynamic_cast<TvlStretcheable*>(view);
        if (!stretchable) continue;
        if (includeCross || view->ParentBand == this) {
            Run().engine().views().currentView = view;
            try {
                h = std::max(h, stretchable->CalcHeight() + view->Top);
            } catch (const std::exception& error) {
                OwnerPage.HandleBuildError(error);
            }
        }
        if (includeCross) stretchable->OutputPass = opFull;
    }
    return h;
}

void TvlBand::restoreHeights() {
    if (measuredHeights_.size() != Objects.size()) return;
    for (std::size_t i = 0; i < Objects.size(); ++i)
        Objects[i]->Height = measuredHeights_[i];
}

bool TvlBand::FitOrBreak(int top, int height, bool noBreak) {
    if (Type == btColumnFooter) return false;
    TvlPage& page = OwnerPage;
    if (std::int64_t{top} + height + page.ColumnFooterHeight() <= page.BottomLimit) return false;
    // A band that does not fit on a page that is just being opened would
    // open page after page: it overflows instead.
    if (!noBreak && !page.InBreak()) page.StartNewColumn(this);
    return true;
}

bool TvlBand::OutputObjects() {
    for (std::size_t i = 0; i < Objects.size(); ++i) {
        if (stopping()) break;
        TvlView* view = Objects[i];
        if (dynamic_cast<TvlSubReportView*>(view)) {
            if (!view->Visible) continue;
            // Without sub-report output the object is left out.
            TvlBandExtensions* extensions = Run().engine().bandExtensions();
            if (extensions && extensions->outputSubReports(*this, i)) return true;
            continue;
        }
        OutputObject(*view);
    }
    return false;
}

void TvlBand::OutputObject(TvlView& view) {
    TvlViewState& state = Run().engine().views();
    state.currentPage = &OwnerPage;
    makeCurrent(*this, state.currentView);
    if (view.ParentBand != this) return;
    try {
        if (Breaked || !state.noDrawing) {
            writeObject(view);
        } else {
            state.currentView = &view;
            const auto* memo = dynamic_cast<TvlMemoView*>(&view);
            if (!(memo && memo->OutputPass != opFull) && !view.Script.empty())
                Run().engine().globalInterpretator().RunScript(view.Script);
        }
    } catch (const std::exception& error) {
        OwnerPage.HandleBuildError(error);
    }
}

void TvlBand::writeObject(TvlView& view) {
    TvlPage& page = OwnerPage;
    TvlReport* receiver = &Run().report();
    const int dx = page.ColumnOffset - page.LeftEdge();
    const auto* memo = dynamic_cast<TvlMemoView*>(&view);
    const bool notify = memo && memo->OutputPass < opPart;
    Run().engine().views().currentView = &view;
    {
        // written at its place on the page, kept at its place in the band
        const ScopedValue left(view.Left, view.Left + dx);
        const ScopedValue top(view.Top, view.Top + Top);
        view.WritePrepared(receiver->PreparedStream());
    }
    if (!notify) return;
    // a hook may add or drop hooks: walk a copy
    const std::vector<TvlView*> hooks = Run().hooks();
    for (TvlView* hook : hooks)
        hook->NotifyPrinted(view);
}

} // namespace vl
