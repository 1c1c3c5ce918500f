#include "engine/build/BuildRun.h"
#include "engine/build/ProgressWindow.h"
#include "engine/build/TvlBand.h"
#include "engine/build/TvlDBDataSet.h"
#include "engine/build/TvlDataset.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/script/Errors.h"
#include "engine/script/FunctionSplitter.h"
#include "engine/script/TInterpretator.h"
#include "engine/script/TvlParser.h"
#include "engine/script/UiService.h"

#include <unordered_set>

namespace vl {

// The build steps of a page around its run: preparing the bands and
// dialog forms, binding objects to data fields, registering totals, and
// cleaning up.

namespace {

// The final pass of a two-pass build goes on with the first pass's bands.
bool finalOfTwoPasses(const TvlPage& page) {
    const TvlReport& report = page.Run().report();
    return report.TwoPass && report.FinalPass();
}

bool firstOfTwoPasses(const TvlPage& page) {
    const TvlReport& report = page.Run().report();
    return report.TwoPass && !report.FinalPass();
}

} // namespace

TvlBuildRun& TvlPage::Run() const {
    TvlBuildRun* run = OwnerReport ? OwnerReport->Run() : nullptr;
    if (!run) throw VlError("The page " + Name + " is built outside a build of its report");
    return *run;
}

int TvlPage::ContentBottom() const {
    int bottom = BottomEdge();
    const TvlBand* footer = Band(btPageFooter);
    if (engine_.views().building && footer && footer->inUse()) bottom -= footer->Height;
    return bottom;
}

int TvlPage::ColumnFooterHeight() const {
    const TvlBand* footer = Band(btColumnFooter);
    return footer ? footer->Height : 0;
}

void TvlPage::HandleBuildError(const std::exception& error) {
    Run().report().HandleBuildError(error);
}

void TvlPage::InitForBuild() {
    if (PageType == ptDialog)
        initDialogPage();
    else
        initReportPage();
}

void TvlPage::initReportPage() {
    if (finalOfTwoPasses(*this) && prepared_) {
        for (auto& view : Objects)
            if (auto* memo = dynamic_cast<TvlMemoView*>(view.get())) memo->LastText.clear();
        for (const auto& band : ownedBands_)
            if (band->Source) band->Source->First();
        RecordCounter = 1;
    } else {
        BuildBands();
        RecordCounter = 1;
        CrossColumn = 1;
    }
    prepared_ = true;
}

void TvlPage::initDialogPage() {
    if (finalOfTwoPasses(*this)) return;
    TvlBuildRun& run = Run();
    TvlEngine& g = run.engine();
    g.views().currentPage = this;
    ModalResult = 0;
    for (auto& view : Objects)
        view->SetProperty("VISIBLE", Variant(view->Visible));
    prepared_ = true;
    if (Objects.empty() || !Visible) {
        RunPageScript(Script);
        return;
    }
    TvlProgressWindow& progress = g.progressWindow();
    const bool progressShown = progress.Shown();
    progress.SetShown(false);
    RunPageScript(Script);
    // a script that set the modal result decides without showing the form
    if (ModalResult == 0) ModalResult = g.uiService().showDialogPage(*this);
    progress.SetShown(progressShown);
    if (ModalResult == kModalCancel) run.state().dialogCancelled = true;
}

void TvlPage::DoneBuild() {
    if (firstOfTwoPasses(*this) || !prepared_) return;
    ReleaseBuild();
}

// A dialog page's objects stay: the report puts their settings back.
void TvlPage::ReleaseBuild() {
    for (auto& view : Objects)
        view->ParentBand = nullptr;
    bands_.fill(nullptr);
    ownedBands_.clear();
    pending_.clear();
    RecordedSteps.clear();
    ReplayIndex = 0;
    BuildMode = bmOutput;
    LastOutputBand = nullptr;
    ResumeBand = nullptr;
    prepared_ = false;
}

void TvlPage::RunPageScript(const StringList& lines) {
    if (lines.empty()) return;
    TvlEngine& g = Run().engine();
    g.views().currentView = nullptr;
    try {
        StringList compiled, errors;
        g.globalInterpretator().CompileScript(lines, compiled, errors);
        g.globalInterpretator().RunScript(compiled);
    } catch (const std::exception& error) {
        HandleBuildError(error);
    }
}

void TvlPage::BindObjects() {
    if (finalOfTwoPasses(*this)) return;
    Run().engine().views().currentPage = this;
    for (auto& view : Objects)
        bindObjectField(*view);
    registerTotals();
}

// An object whose whole text is one bracket is bound to the data field it
// names, so that pictures can take their content from blob fields.
void TvlPage::bindObjectField(TvlView& view) {
    view.DataField.clear();
    view.DataSet = nullptr;
    std::string text = JoinLines(view.Memo);
    const auto* memo = dynamic_cast<TvlMemoView*>(&view);
    if (text.size() <= 2 || text.front() != '[' ||
        (memo && (memo->Flags & TvlMemoView::mfTextOnly)))
        return;
    while (!text.empty() && text.back() != ']')
        text.pop_back();
    if (text.size() < 2) return;
    const std::string name = text.substr(1, text.size() - 2);
    TvlBuildRun& run = Run();
    run.engine().views().currentBand = view.ParentBand;
    TvlComponent* dataSet = nullptr;
    std::string field;
    if (run.report().resolveDataField(name, dataSet, field)) {
        view.DataSet = dataSet;
        view.DataField = field;
    }
}

TvlComponent* TvlPage::BandContextTable() const {
    const TvlBuildRun* run = OwnerReport ? OwnerReport->Run() : nullptr;
    if (!run) return nullptr;
    TvlDataset* source = run->report().Dataset.get();
    const auto* band = dynamic_cast<const TvlBand*>(run->engine().views().currentBand);
    if (band && &band->OwnerPage == this) {
        int dataType = -1;
        switch (band->Type) {
        case btDetailData:
        case btDetailFooter:
            dataType = btDetailData;
            break;
        case btSubDetailData:
        case btSubDetailFooter:
            dataType = btSubDetailData;
            break;
        case btCrossData:
        case btCrossFooter:
            dataType = btCrossData;
            break;
        default:
            if (band->Type <= btMasterFooter || band->Type == btGroupHeader ||
                band->Type == btGroupFooter)
                dataType = btMasterData;
        }
        if (const TvlBand* data = Band(dataType)) source = data->Source;
    }
    auto* table = dynamic_cast<TvlDBDataSet*>(source);
    if (!table) return nullptr;
    try {
        return &table->ResolveTable();
    } catch (const std::exception&) {
        return nullptr;
    }
}

void TvlPage::registerTotals() {
    AggregateContext& context = Run().engine().aggregateContext();
    context.PreparingAggregates = true;
    try {
        for (const int type : {btMasterData, btDetailData, btSubDetailData})
            for (TvlBand* data = Band(type); data && data->Source; data = data->NextBand)
                scanTotals(*data);
        if (TvlBand* cross = Band(btCrossData); cross && cross->inUse()) scanTotals(*cross);
    } catch (const std::exception& error) {
        HandleBuildError(error);
    }
    context.PreparingAggregates = false;
    context.AggregateScanBand = nullptr;
    context.CurrentBand = nullptr;
}

void TvlPage::scanTotals(TvlBand& dataBand) {
    static const std::vector<int> kMaster = {btPageFooter, btColumnFooter, btMasterFooter,
                                             btGroupFooter, btReportSummary};
    static const std::vector<int> kDetail = {btPageFooter,   btColumnFooter, btMasterFooter,
                                             btDetailFooter, btGroupFooter,  btReportSummary};
    static const std::vector<int> kSubDetail = {btPageFooter,   btColumnFooter,    btMasterFooter,
                                                btDetailFooter, btSubDetailFooter, btGroupFooter,
                                                btReportSummary};
    static const std::vector<int> kCross = {btCrossFooter};
    const std::vector<int>& types = dataBand.Type == btMasterData   ? kMaster
                                    : dataBand.Type == btDetailData ? kDetail
                                    : dataBand.Type == btCrossData  ? kCross
                                                                    : kSubDetail;
    Run().engine().aggregateContext().AggregateScanBand = &dataBand;
    for (const int type : types) {
        TvlBand* first = Band(type);
        if (!first) continue;
        std::unordered_set<const TvlBand*> seen;
        for (TvlBand* band = first; band && seen.insert(band).second; band = band->ChildLink)
            registerBandTotals(*band);
        for (TvlBand* band = first->NextBand; band; band = band->NextBand)
            registerBandTotals(*band);
    }
}

// Every aggregate call that the band's script and objects make is run once
// with the band current, which registers it on the data band being scanned.
void TvlPage::registerBandTotals(TvlBand& band) {
    TvlBuildRun& run = Run();
    TvlEngine& g = run.engine();
    StringList calls;
    TAggregateFunctionsSplitter splitter(calls, &run.report().Dictionary().Variables);
    g.aggregateContext().CurrentBand = &band;
    g.views().currentBand = &band;
    splitter.SplitScript(band.Script);
    for (TvlView* view : band.Objects) {
        g.views().currentView = view;
        if (dynamic_cast<TvlMemoView*>(view)) splitter.SplitMemo(view->Memo);
        splitter.SplitScript(view->Script);
    }
    for (const std::string& call : calls)
        g.globalParser().EvalPostfix(call);
}

} // namespace vl
