#include "engine/build/BuildRun.h"
#include "engine/build/TvlBand.h"
#include "engine/build/TvlDataset.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/script/TInterpretator.h"
#include "engine/script/TextUtils.h"

#include <algorithm>
#include <unordered_set>

namespace vl {

// Turning the page's band views into runtime bands: each type's bands in a
// chain sorted by position, every object handed to the band it lies in, and
// headers, footers, groups and children linked.

namespace {

bool isCrossType(int type) {
    return type == btCrossHeader || type == btCrossData || type == btCrossFooter;
}

TvlBandView* asBandView(TvlView* view) {
    return dynamic_cast<TvlBandView*>(view);
}

// Whether some sub-report object of the report shows the page, whichever
// page holds the object: its bands must know before they are built.
bool shownBySubReport(TvlPage& page) {
    TvlPages& pages = page.Run().report().Pages();
    int index = -1;
    for (int i = 0; i < pages.Count() && index < 0; ++i)
        if (&pages[i] == &page) index = i;
    for (int i = 0; i < pages.Count() && index >= 0; ++i) {
        for (const auto& view : pages[i].Objects) {
            const auto* sub = dynamic_cast<const TvlSubReportView*>(view.get());
            if (sub && sub->SubPage == index) return true;
        }
    }
    return false;
}

} // namespace

TvlBand& TvlPage::newBand(TvlBandType type) {
    ownedBands_.push_back(std::make_unique<TvlBand>(*this, type));
    return *ownedBands_.back();
}

TvlBand* TvlPage::Band(int type) const {
    if (type < 0 || type >= static_cast<int>(bands_.size())) return nullptr;
    return bands_[static_cast<std::size_t>(type)];
}

void TvlPage::BuildBands() {
    ownedBands_.clear();
    for (int type = 0; type < TvlBandView::kBandTypeCount; ++type)
        bands_[static_cast<std::size_t>(type)] = &newBand(static_cast<TvlBandType>(type));
    placed_.assign(Objects.size(), false);
    if (shownBySubReport(*this)) SubReportPage = true;
    prepareObjects();
    fillCrossBands();
    fillHorizontalBands();
    placeLooseObjects();
    linkHeadersAndFooters();
    pairGroupFooters();
    bindColumnSources();
    linkChildren();
    linkGroupHeaders();
    computePageColumns();
}

void TvlPage::prepareObjects() {
    limitGeometry();
    TvlBuildRun& run = Run();
    TvlEngine& g = run.engine();
    TvlReport* report = &run.report();
    for (std::size_t i = 0; i < Objects.size(); ++i) {
        TvlView& view = *Objects[i];
        view.WriteMode = wmPrepared;
        if (view.Flags & ofWantsHook) run.hooks().push_back(&view);
        placed_[i] = asBandView(&view) != nullptr;
        view.ParentBand = nullptr;
        if (!view.Script.empty()) {
            StringList compiled, errors;
            g.globalInterpretator().CompileScript(view.Script, compiled, errors);
            view.Script = std::move(compiled);
        }
        const auto* sub = dynamic_cast<TvlSubReportView*>(&view);
        if (sub && report && sub->SubPage >= 0 && sub->SubPage < report->Pages().Count())
            report->Pages()[sub->SubPage].SubReportPage = true;
    }
}

void TvlPage::fillCrossBands() {
    bool anyCross = false;
    for (auto& object : Objects) {
        TvlBandView* view = asBandView(object.get());
        if (!view || !isCrossType(view->bandType())) continue;
        TvlBand& band = *bands_[static_cast<std::size_t>(view->bandType())];
        band.ReleaseDataSources();
        band.EventText = view->Memo;
        band.Script = view->Script;
        band.Left = view->Left;
        band.Width = view->Width;
        band.BindDataSource(view->FormatStr);
        band.BandView = view;
        band.BandFlags = view->Flags;
        band.Visible = view->Visible;
        band.Name = view->Name;
        view->ParentBand = &band;
        anyCross = true;
    }
    if (!anyCross) return;
    for (const int type : {btCrossHeader, btCrossData, btCrossFooter}) {
        TvlBand& band = *bands_[static_cast<std::size_t>(type)];
        if (!band.BandView) continue;
        for (std::size_t i = 0; i < Objects.size(); ++i) {
            TvlView& view = *Objects[i];
            if (placed_[i] || view.ParentBand) continue;
            if (view.Left < band.Left || view.Left + view.Width > band.Left + band.Width) continue;
            view.Left -= band.Left;
            view.ParentBand = &band;
            band.Objects.push_back(&view);
        }
    }
}

void TvlPage::fillHorizontalBands() {
    std::vector<std::vector<TvlBand*>> byType(TvlBandView::kBandTypeCount);
    for (int type = 0; type <= btChild; ++type) {
        if (isCrossType(type)) continue;
        bool first = true;
        for (auto& object : Objects) {
            TvlBandView* view = asBandView(object.get());
            if (!view || view->bandType() != type) continue;
            TvlBand& band = first ? *bands_[static_cast<std::size_t>(type)]
                                  : newBand(static_cast<TvlBandType>(type));
            first = false;
            fillBand(band, *view);
            byType[static_cast<std::size_t>(type)].push_back(&band);
        }
    }
    sortChains(byType);
}

void TvlPage::fillBand(TvlBand& band, TvlBandView& view) {
    band.EventText = view.Memo;
    band.Script = view.Script;
    band.Top = view.Top;
    band.Height = view.Height;
    band.Left = view.Left;
    band.Width = view.Width;
    band.BandView = &view;
    band.BandFlags = view.Flags;
    band.Visible = view.Visible;
    band.Name = view.Name;
    band.BandColumn = 1;
    view.ParentBand = &band;
    band.BindDataSource(view.FormatStr);
    band.Stretched = band.hasFlag(TvlBandView::bfStretched);
    band.PrintIfSubsetEmpty = band.hasFlag(TvlBandView::bfPrintIfSubsetEmpty);
    band.PrintChildIfInvisible = band.hasFlag(TvlBandView::bfPrintChildIfInvisible);
    band.FormNewPage = !SubReportPage && band.hasFlag(TvlBandView::bfFormNewPage);
    band.Breaked = !SubReportPage && band.hasFlag(TvlBandView::bfBreaked);
    takeObjects(band);
}

// Three passes: plain objects, objects that already lie in a cross band,
// and sub-report objects last, so that they follow everything else.
void TvlPage::takeObjects(TvlBand& band) {
    enum Pass { Plain, Cross, SubReport };
    for (const Pass pass : {Plain, Cross, SubReport}) {
        for (std::size_t i = 0; i < Objects.size(); ++i) {
            TvlView& view = *Objects[i];
            if (placed_[i]) continue;
            if (view.Top < band.Top ||
                std::int64_t{view.Top} > std::int64_t{band.Top} + band.Height)
                continue;
            const bool sub = dynamic_cast<TvlSubReportView*>(&view) != nullptr;
            const bool cross = view.ParentBand != nullptr;
            const bool wanted = pass == Plain   ? !cross && !sub
                                : pass == Cross ? cross
                                                : !cross && sub;
            if (!wanted) continue;
            if (!cross) view.ParentBand = &band;
            view.Top -= band.Top;
            placed_[i] = true;
            band.Objects.push_back(&view);
        }
    }
}

void TvlPage::sortChains(std::vector<std::vector<TvlBand*>>& byType) {
    for (std::size_t type = 0; type < byType.size(); ++type) {
        std::vector<TvlBand*>& chain = byType[type];
        if (chain.empty()) continue;
        std::stable_sort(chain.begin(), chain.end(),
                         [](const TvlBand* a, const TvlBand* b) { return a->Top < b->Top; });
        bands_[type] = chain.front();
        for (std::size_t i = 0; i < chain.size(); ++i) {
            chain[i]->PrevBand = i ? chain[i - 1] : nullptr;
            chain[i]->NextBand = i + 1 < chain.size() ? chain[i + 1] : nullptr;
        }
        chain.front()->ChainEnd = chain.back();
    }
}

void TvlPage::placeLooseObjects() {
    TvlBand& loose = *bands_[btNone];
    loose.Top = 0;
    for (std::size_t i = 0; i < Objects.size(); ++i) {
        if (placed_[i]) continue;
        Objects[i]->ParentBand = &loose;
        loose.Objects.push_back(Objects[i].get());
    }
}

void TvlPage::linkHeadersAndFooters() {
    static constexpr int kLevels[3][3] = {{btMasterHeader, btMasterData, btMasterFooter},
                                          {btDetailHeader, btDetailData, btDetailFooter},
                                          {btSubDetailHeader, btSubDetailData, btSubDetailFooter}};
    for (const auto& level : kLevels) {
        TvlBand* firstData = bands_[static_cast<std::size_t>(level[1])];
        if (!firstData->BandView) continue;
        for (TvlBand* header = Band(level[0]); header && header->BandView;
             header = header->NextBand) {
            TvlBand* data = firstData;
            while (data && std::int64_t{data->Top} <= std::int64_t{header->Top} + header->Height)
                data = data->NextBand;
            if (!data) continue;
            if (!data->HeaderLink) data->HeaderLink = header;
            header->DataLink = data;
        }
        for (TvlBand* footer = Band(level[2]); footer && footer->BandView;
             footer = footer->NextBand) {
            TvlBand* data = firstData;
            TvlBand* taken = nullptr;
            while (data && std::int64_t{data->Top} + data->Height <= footer->Top) {
                taken = data;
                data = data->NextBand;
            }
            // A footer above every data band of its level belongs to none.
            if (data && !taken) continue;
            if (!taken) taken = firstData->ChainEnd ? firstData->ChainEnd : firstData;
            if (!taken->FooterLink) taken->FooterLink = footer;
            footer->DataLink = taken;
        }
    }
}

void TvlPage::pairGroupFooters() {
    TvlBand* header = Band(btGroupHeader);
    TvlBand* footer = Band(btGroupFooter);
    if (!header || !header->BandView || !footer || !footer->BandView) return;
    header = header->ChainEnd ? header->ChainEnd : header;
    for (; header && footer; header = header->PrevBand, footer = footer->NextBand)
        header->FooterLink = footer;
}

void TvlPage::bindColumnSources() {
    const TvlBand* cross = Band(btCrossData);
    if (!cross || !cross->BandView) return;
    const std::string& text = cross->BandView->FormatStr;
    if (text.find(';') == std::string::npos) return;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(';', start)) != std::string::npos; start = end + 1) {
        const std::string pair = text.substr(start, end - start);
        const std::size_t eq = pair.find('=');
        if (eq == std::string::npos) continue;
        const std::string bandName = pair.substr(0, eq);
        const std::string sourceName = pair.substr(eq + 1);
        for (const auto& band : ownedBands_) {
            if (band->Type < btMasterHeader || band->Type > btChild || !band->BandView) continue;
            if (SameText(band->BandView->Name, bandName)) band->setColumnSource(sourceName);
        }
    }
}

void TvlPage::linkChildren() {
    for (const auto& band : ownedBands_) {
        if (band->Type > btChild || !band->BandView || band->BandView->ChildBand.empty()) continue;
        band->setChildBand(band->BandView->ChildBand);
    }
}

void TvlPage::linkGroupHeaders() {
    const TvlBand* master = Band(btMasterData);
    if (!master || !master->BandView) return;
    for (TvlBand* header = Band(btGroupHeader); header && header->BandView;
         header = header->NextBand) {
        const std::string& masterName = header->BandView->Master;
        TvlView* target = FindObject(masterName.empty() ? master->BandView->Name : masterName);
        TvlBandView* view = asBandView(target);
        if (!view || !view->ParentBand) continue;
        auto* data = static_cast<TvlBand*>(view->ParentBand);
        header->GroupPrev = data->LastGroupHeader;
        header->GroupNext = nullptr;
        if (data->LastGroupHeader)
            data->LastGroupHeader->GroupNext = header;
        else
            data->FirstGroupHeader = header;
        data->LastGroupHeader = header;
    }
}

// Geometry far beyond any paper (from a damaged file) is held at a size
// that the band and page arithmetic cannot overflow with. The template
// is restored after the build.
void TvlPage::limitGeometry() {
    constexpr int kLimit = 1 << 20;
    for (auto& view : Objects) {
        view->LimitGeometry(kLimit);
        if (auto* band = asBandView(view.get())) {
            band->Columns = std::clamp(band->Columns, 0, 1000);
            band->ColumnWidth = std::clamp(band->ColumnWidth, -kLimit, kLimit);
            band->ColumnGap = std::clamp(band->ColumnGap, -kLimit, kLimit);
        }
    }
    for (int* margin : {&LeftMargin, &TopMargin, &RightMargin, &BottomMargin})
        *margin = std::clamp(*margin, -kLimit, kLimit);
    Columns = std::clamp(Columns, 0, 1000);
    ColumnGap = std::clamp(ColumnGap, -kLimit, kLimit);
}

void TvlPage::computePageColumns() {
    if (Columns <= 0) Columns = 1;
    ColumnWidth = static_cast<std::int32_t>(
        (std::int64_t{RightEdge()} - LeftEdge() - std::int64_t{Columns - 1} * ColumnGap) / Columns);
}

} // namespace vl
