#include "engine/build/BuildRun.h"
#include "engine/build/TvlBand.h"
#include "engine/build/TvlDataset.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/TextUtils.h"

namespace vl {

// One run of a report page: the record loop level by level with its group
// changes and pending headers, and the steps that start new pages and
// columns with the bands that belong to them.

namespace {

constexpr int kDataTypes[4] = {0, btMasterData, btDetailData, btSubDetailData};

TvlBuildState& build(const TvlPage& page) {
    return page.Run().state();
}

bool stopping(const TvlPage& page) {
    return page.Run().stopDue();
}

int preparedCount(const TvlPage& page) {
    return page.Run().report().EMFPages().Count();
}

} // namespace

void TvlPage::PrintBand(TvlBand* band) {
    if (!band) return;
    if (BuildMode == bmRecord) {
        RecordedSteps.push_back({RecordedStep::Draw, band});
        // The group test while recording compares with the value the
        // header will print with.
        if (band->isGroupHeader() && band->inUse() && !band->KeepTotals) band->ResetTotals();
        return;
    }
    if (!band->inUse()) {
        // Without a column header the column still starts here.
        if (band->Type == btColumnHeader) ColumnTop = CurY;
        return;
    }
    band->Output();
}

void TvlPage::ResetLineNo(TvlBand* band, int n) {
    if (!band) return;
    band->LineNo = n;
    for (TvlView* view : band->Objects)
        if (auto* memo = dynamic_cast<TvlMemoView*>(view)) memo->LastText.clear();
}

bool TvlPage::pageIsEmpty() const {
    TvlBand* master = Band(btMasterData);
    if (!master || !master->Source) return true;
    try {
        master->Source->First();
        return master->Source->Eof();
    } catch (const std::exception&) {
        return true;
    }
}

int TvlPage::deepestLevel() const {
    int deepest = 1;
    for (int level = 1; level <= 3; ++level) {
        const TvlBand* data = Band(kDataTypes[level]);
        if (data && data->inUse()) deepest = level;
    }
    return deepest;
}

void TvlPage::RunPage() {
    TvlReport& report = Run().report();
    if (!report.PrintIfEmpty && pageIsEmpty()) {
        // a sub-report's page run never stepped the index back
        if (build(*this).continuation && BuildMode == bmOutput) ++build(*this).currentPageIndex;
        return;
    }
    NoRepeatedHeaders = false;
    const bool manual = static_cast<bool>(report.Events.OnManualBuild);
    if (BuildMode == bmOutput) startRun(manual);
    if (!manual) {
        pending_.clear();
        deepestLevel_ = deepestLevel();
        RecordLoop(1);
    }
    if (BuildMode == bmOutput) finishRun(manual);
    LastOutputBand = nullptr;
}

void TvlPage::startRun(bool manual) {
    TvlBuildState& b = build(*this);
    RunPageScript(Script);
    if (b.continuation && b.savedEndY == b.savedBottomLimit) {
        b.continuation = false;
        b.footerAtEnd = false;
        b.currentPageIndex = preparedCount(*this);
    }
    BottomLimit = b.continuation && b.footerAtEnd ? b.savedBottomLimit : ContentBottom();
    PageColumn = 0;
    ColumnOffset = LeftEdge();
    if (!b.continuation) {
        appendPreparedPage();
        CurY = TopEdge();
        PrintBand(Band(btOverlay));
        PrintBand(Band(btNone));
    } else {
        CurY = b.savedEndY;
    }
    const int index = b.currentPageIndex;
    if (!manual) PrintBand(Band(btReportTitle));
    if (b.currentPageIndex != index) return;
    TvlBand* header = Band(btPageHeader);
    if (header && header->inUse() && header->hasFlag(TvlBandView::bfOnFirstPage)) PrintBand(header);
    PrintBand(Band(btColumnHeader));
}

void TvlPage::finishRun(bool manual) {
    TvlBuildState& b = build(*this);
    TvlReport& report = Run().report();
    if (!manual) {
        NoRepeatedHeaders = true;
        PrintBand(Band(btColumnFooter));
        TvlBand* columnFooter = Band(btColumnFooter);
        const int height = columnFooter->Height;
        columnFooter->Height = 0; // the summary may use the column footer's room
        PrintBand(Band(btReportSummary));
        columnFooter->Height = height;
        NoRepeatedHeaders = false;
    } else {
        report.Events.OnManualBuild(*this);
    }
    b.savedEndY = PageColumn > 0 ? ContentBottom() : CurY;
    b.savedBottomLimit = BottomLimit;
    PageColumn = 0;
    ColumnOffset = LeftEdge();

    const int index = b.currentPageIndex;
    b.footerAtEnd = false;
    TvlBand* footer = Band(btPageFooter);
    if (!manual && footer) {
        const std::uint16_t flags = footer->BandFlags;
        if ((index == 0 && footer->hasFlag(TvlBandView::bfOnFirstPage)) ||
            footer->hasFlag(TvlBandView::bfOnLastPage)) {
            footer->BandFlags |= TvlBandView::bfOnFirstPage;
            b.footerAtEnd = footer->inUse();
            if (b.footerAtEnd) FinishPageFooters();
        }
        footer->BandFlags = flags;
    }
    report.FireEndPage(b.currentPageIndex);
    b.currentPageIndex = index + 1;
}

void TvlPage::appendPreparedPage() {
    Run().report().AppendPreparedPage(*this);
}

void TvlPage::RecordLoop(int level) {
    for (TvlBand* data = Band(kDataTypes[level]); data && !stopping(*this); data = data->NextBand)
        if (data->Source) walkDataBand(*data, level);
}

void TvlPage::walkDataBand(TvlBand& data, int level) {
    TvlDataset& source = *data.Source;
    source.First();
    if (BuildMode == bmRecord) {
        RecordedSteps.push_back({RecordedStep::First, &data});
    } else {
        ResetLineNo(&data, 1);
        data.LineThroughNo = 1;
    }
    for (TvlBand* g = data.FirstGroupHeader; g; g = g->GroupNext) {
        ResetLineNo(g, 0);
        g->LineThroughNo = 0;
    }
    if (source.Eof()) return;
    const std::size_t mark = pending_.size();
    openGroups(data.FirstGroupHeader);
    pushPending(data.HeaderLink);
    if (data.FooterLink) ResetAggregates(*data.FooterLink);

    while (!source.Eof() && !stopping(*this)) {
        pushPending(&data);
        if (data.PrintIfSubsetEmpty) ShowPending();
        bool printed = true;
        if (level < deepestLevel_) {
            RecordLoop(level + 1);
            if (!pending_.empty()) {
                if (data.PrintIfSubsetEmpty) {
                    ShowPending();
                } else {
                    pending_.pop_back(); // the record had nothing to show
                    printed = false;
                }
            }
        } else {
            ShowPending();
        }
        source.Next();
        groupChange(data);
        if (BuildMode == bmRecord) {
            RecordedSteps.push_back({RecordedStep::Next, &data});
        } else if (printed) {
            ++RecordCounter;
            ++data.LineThroughNo;
            ++data.LineNo;
            if (!source.Eof() && data.FormNewPage && data.Visible) StartNewPage();
        }
    }
    // Headers that never printed are dropped together with their footer.
    if (pending_.size() <= mark)
        PrintBand(data.FooterLink);
    else
        pending_.resize(mark);
}

// At the first group whose condition changed, the footers of that group
// and of every group inside it print while the source stands on the last
// record of the ending group; then the groups open again from there.
bool TvlPage::groupChange(TvlBand& data) {
    TvlDataset& source = *data.Source;
    for (TvlBand* g = data.FirstGroupHeader; g; g = g->GroupNext) {
        const bool eof = source.Eof();
        bool changed = eof || g->LastConditionValue.isNull();
        if (!changed) {
            try {
                changed = Variant::compare(g->ConditionValue(), g->LastConditionValue) != 0;
            } catch (const std::exception& error) {
                HandleBuildError(error);
                return false;
            }
        }
        if (!changed) continue;
        bool stepBack = true;
        if (!eof) {
            try {
                source.Prior();
            } catch (const std::exception&) {
                stepBack = false;
            }
        }
        for (TvlBand* k = data.LastGroupHeader; k && k != g; k = k->GroupPrev) {
            pushPending(k->FooterLink);
            ResetLineNo(k, 0);
            ResetLineNo(k->FooterLink, 0);
        }
        pushPending(g->FooterLink);
        ShowPending();
        if (eof) return true;
        if (stepBack) source.Next();
        if (g->FormNewPage && g->Visible) StartNewPage();
        openGroups(g);
        ResetLineNo(&data, 0);
        return true;
    }
    return false;
}

void TvlPage::openGroups(TvlBand* from) {
    for (TvlBand* g = from; g; g = g->GroupNext) {
        ++g->LineNo;
        ++g->LineThroughNo;
        pushPending(g);
    }
}

void TvlPage::pushPending(TvlBand* band) {
    if (band) pending_.push_back(band);
}

void TvlPage::ShowPending() {
    std::vector<TvlBand*> bands;
    bands.swap(pending_);
    for (TvlBand* band : bands)
        PrintBand(band);
}

void TvlPage::StartNewPage() {
    const ScopedDepth inBreak(breakDepth_);
    TvlBuildState& b = build(*this);
    Run().report().ReportProgress(preparedCount(*this) + 1);
    if (!NoRepeatedHeaders) PrintBand(Band(btColumnFooter));
    FinishPageFooters();
    BottomLimit = ContentBottom();
    appendPreparedPage();
    b.continuation = false;
    PrintBand(Band(btOverlay));
    PrintBand(Band(btNone));
    CurY = TopEdge();
    PrintBand(Band(btPageHeader));
    PrintBand(Band(btColumnHeader));
}

void TvlPage::StartNewColumn(TvlBand* band) {
    const ScopedDepth inBreak(breakDepth_);
    if (PageColumn < Columns - 1) {
        PrintBand(Band(btColumnFooter));
        ++PageColumn;
        ColumnOffset += ColumnWidth + ColumnGap;
        CurY = ColumnTop;
        PrintBand(Band(btColumnHeader));
    } else {
        StartNewPage();
    }
    for (TvlBand* k = Band(btGroupHeader); k && k != band && k->inUse(); k = k->NextBand) {
        if (!k->hasFlag(TvlBandView::bfRepeatHeader) || NoRepeatedHeaders) continue;
        k->KeepTotals = true;
        PrintBand(k);
        k->KeepTotals = false;
    }
    if (band && band->isDataBand() && band->HeaderLink &&
        band->HeaderLink->hasFlag(TvlBandView::bfRepeatHeader))
        PrintBand(band->HeaderLink);
}

void TvlPage::FinishPageFooters() {
    TvlBuildState& b = build(*this);
    PageColumn = 0;
    ColumnOffset = LeftEdge();
    TvlBand* footer = Band(btPageFooter);
    TvlReport& report = Run().report();
    if (footer && (b.currentPageIndex != 0 || footer->hasFlag(TvlBandView::bfOnFirstPage))) {
        for (; b.currentPageIndex < preparedCount(*this); ++b.currentPageIndex) {
            if (b.continuation && b.footerAtEnd) continue;
            report.FireEndPage(b.currentPageIndex);
            PrintBand(footer);
        }
    }
    b.currentPageIndex = preparedCount(*this);
}

void TvlPage::ShowBand(std::string_view name) {
    for (int type = 0; type < TvlBandView::kBandTypeCount; ++type) {
        for (TvlBand* band = Band(type); band; band = band->NextBand) {
            if (!band->BandView || !SameText(band->BandView->Name, name)) continue;
            band->Output();
            return;
        }
    }
}

} // namespace vl
