#include "engine/build/CrossRow.h"

#include "engine/build/BuildRun.h"
#include "engine/build/FindDataSource.h"
#include "engine/build/TvlBand.h"
#include "engine/build/TvlDataset.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/TInterpretator.h"

#include <algorithm>
#include <climits>
#include <string>

namespace vl {

namespace {

int clampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN / 2, INT_MAX / 2));
}

bool lies(const TvlBand& band, const TvlView* view) {
    return std::find(band.Objects.begin(), band.Objects.end(), view) != band.Objects.end();
}

} // namespace

TvlCrossRow::TvlCrossRow(TvlBand& row)
    : row_(row), page_(row.OwnerPage), run_(row.Run()), header_(page_.Band(btCrossHeader)),
      data_(page_.Band(btCrossData)), footer_(page_.Band(btCrossFooter)) {}

bool TvlCrossRow::inUse(const TvlBand* cross) const {
    return cross && cross->inUse();
}

void TvlCrossRow::Output() {
    page_.CrossColumn = 1;
    x_ = 0;
    columns_ = 0;
    p0_ = run_.state().currentPageIndex;
    if (row_.Type == btPageFooter) return;
    run_.report().FireBeginColumn(row_);
    if (inUse(header_)) outputHeader();
    if (inUse(data_) && !run_.stopDue()) outputData();
    if (inUse(footer_) && !run_.stopDue()) outputFooter();
    run_.state().currentPageIndex = p0_;
    // a data row without columns still counts once
    if (columns_ == 0 && row_.isDataBand()) row_.AccumulateTotals();
}

void TvlCrossRow::outputHeader() {
    header_->RunScript();
    outputCell(*header_, header_->Left);
    x_ = std::int64_t{header_->Left} + header_->Width;
}

void TvlCrossRow::outputData() {
    TvlBand& data = *data_;
    if (x_ == 0) x_ = data.Left;
    TvlDataset* source = data.Source ? data.Source : row_.ColumnSource;
    if (!source) return;
    DataSourceLookup widest;
    source->First();
    if (row_.Type == btMasterFooter && source->Eof()) {
        // totals under a walk that has ended: as many columns as the
        // widest row had
        if (data.MaxCrossColumns <= 0) return;
        widest = FindDataSource(run_.engine().components(), run_.report().owner(),
                                std::to_string(data.MaxCrossColumns));
        source = widest.source;
        if (!source) return;
        source->First();
    }
    TvlReport& report = run_.report();
    while (!source->Eof()) {
        run_.engine().views().currentView = data.BandView;
        int width = data.Width;
        report.FirePrintColumn(page_.CrossColumn, width);
        data.Width = width;
        data.RunScript();
        checkWidth(data.Width);
        outputCell(data, x_);
        data.AccumulateTotals();
        if (row_.isDataBand()) row_.AccumulateTotals();
        x_ += data.Width;
        ++columns_;
        ++page_.CrossColumn;
        source->Next();
        if (run_.stopDue()) break;
    }
    data.MaxCrossColumns = std::max(data.MaxCrossColumns, source->RecordNo());
}

void TvlCrossRow::outputFooter() {
    if (x_ == 0) x_ = footer_->Left;
    footer_->RunScript();
    checkWidth(footer_->Width);
    outputCell(*footer_, x_);
    footer_->ResetTotals();
}

void TvlCrossRow::outputCell(TvlBand& cross, std::int64_t x) {
    TvlViewState& views = run_.engine().views();
    views.currentBand = &cross;
    run_.engine().aggregateContext().CurrentBand = &cross;
    cross.LineThroughNo = row_.LineThroughNo;
    cross.LineNo = row_.LineNo;
    // a cross data cell reads the totals of its row band
    if (&cross == data_) cross.AggregateBand = &row_;
    for (TvlView* view : cross.Objects) {
        if (run_.stopDue()) break;
        if (!lies(row_, view)) continue;
        try {
            writeCellObject(*view, x);
        } catch (const std::exception& error) {
            page_.HandleBuildError(error);
            break;
        }
    }
}

void TvlCrossRow::writeCellObject(TvlView& view, std::int64_t x) {
    TvlViewState& views = run_.engine().views();
    views.currentView = &view;
    if (views.noDrawing) {
        if (!view.Script.empty()) run_.engine().globalInterpretator().RunScript(view.Script);
        return;
    }
    TvlReport* receiver = &run_.report();
    const int left = view.Left;
    const int top = view.Top;
    view.Left = clampToInt(x + left);
    view.Top = clampToInt(std::int64_t{top} + row_.Top);
    const auto* memo = dynamic_cast<TvlMemoView*>(&view);
    const bool notify = memo && memo->OutputPass < opPart;
    try {
        view.WritePrepared(receiver->PreparedStream());
    } catch (...) {
        view.Left = left;
        view.Top = top;
        throw;
    }
    view.Left = left;
    view.Top = top;
    if (!notify) return;
    const std::vector<TvlView*> hooks = run_.hooks();
    for (TvlView* hook : hooks)
        hook->NotifyPrinted(view);
}

void TvlCrossRow::checkWidth(std::int64_t width) {
    if (page_.RightEdge() >= x_ + width) return;
    x_ = page_.LeftEdge();
    ++run_.state().currentPageIndex;
    if (run_.state().currentPageIndex >= run_.report().EMFPages().Count()) openSpillPage();
    if (inUse(header_) && header_->hasFlag(TvlBandView::bfRepeatHeader)) {
        outputCell(*header_, page_.LeftEdge());
        x_ = std::int64_t{page_.LeftEdge()} + header_->Width;
    }
}

// A page added to the right gets the overlay, the loose objects and, unless
// the row began on the first page and the header skips it, the page header.
// A sub-report's page, which records instead of printing, gives it nothing.
void TvlCrossRow::openSpillPage() {
    TvlReport* receiver = &run_.report();
    const int index = run_.state().currentPageIndex;
    receiver->AppendPreparedPage(page_);
    run_.state().currentPageIndex = index;
    if (page_.BuildMode == TvlPage::bmOutput) {
        const ScopedDepth inBreak = page_.EnterBreak();
        const ScopedValue savedY(page_.CurY, page_.CurY);
        const ScopedValue column(page_.CrossColumn, page_.CrossColumn);
        const ScopedValue lastBand(page_.LastOutputBand, page_.LastOutputBand);
        page_.PrintBand(page_.Band(btOverlay));
        page_.PrintBand(page_.Band(btNone));
        page_.CurY = page_.TopEdge();
        TvlBand* header = page_.Band(btPageHeader);
        if (header && (p0_ != 0 || header->hasFlag(TvlBandView::bfOnFirstPage)))
            page_.PrintBand(header);
        run_.state().currentPageIndex = index;
    }
    run_.report().ReportProgress(index);
}

} // namespace vl
