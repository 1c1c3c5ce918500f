#include "engine/build/BuildRun.h"
#include "engine/build/BuildScope.h"
#include "engine/build/FindDataSource.h"
#include "engine/build/ProgressWindow.h"
#include "engine/build/TemplateSnapshot.h"
#include "engine/build/TvlBand.h"
#include "engine/build/TvlDataset.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/MeasuringCanvas.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/ViewState.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/DatabaseFunctionLibrary.h"
#include "engine/script/LocaleService.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/UiService.h"

#include <algorithm>

namespace vl {

// Building the template into prepared pages: one or two passes, each
// running every page (once, or once per record of the report's data set),
// with the template restored afterwards.

namespace {

constexpr int kCalculationErrorId = 55200;
constexpr int kReportLabelId = 55201;
constexpr int kObjectLabelId = 55202;
constexpr int kPreparingId = 55203;
constexpr int kFirstPassId = 55204;
constexpr int kProcessingId = 55205;
constexpr int kErrorCaptionId = 55206;
constexpr int kFromId = 55199;
constexpr int kIconError = 0x10;

std::string buildTimeText(std::chrono::milliseconds limit) {
    return "The build took longer than " + std::to_string(limit.count()) +
           " ms, the limit of one build";
}

// FIELDISNULL resolves its references from the report being built: names
// without a container among the components of the report's owner, bare
// field names in the band's table when the report asks for that. The
// build's report is looked up when the function runs, so that nothing
// refers to a report that is gone.
void bindFieldLookup(TvlEngine& engine) {
    auto* library = dynamic_cast<TDatabaseFunctionLibrary*>(
        engine.functionLibraries().Find(TDatabaseFunctionLibrary::kClassName));
    if (!library) return;
    library->Context = [&engine] {
        const TvlBuildRun* run = engine.activeBuild();
        return run ? FieldLookupContext{run->report().owner(), run->report().bandContextTable()}
                   : FieldLookupContext{};
    };
}

} // namespace

bool TvlReport::PrepareReport() {
    TvlEngine& g = engine_;
    if (g.activeBuild()) return refuseNestedBuild();
    const TvlEngineScope inEngine(g);
    TvlBuildRun run(g, *this);
    const ScopedValue<TvlBuildRun*> current(run_, &run);
    TvlBuildState& b = run.state();
    TvlViewState& views = g.views();
    SetPrinterName(PrinterName);
    const ScopedValue building(views.building, true);
    b.buildMoment = DateTimeToOleDate(Now ? Now() : QDateTime::currentDateTime());
    views.host = this;
    const BuildScope scope(g);
    alignObjectsToBands();
    twoPassAtStart_ = TwoPass;
    Attach();

    TemplateSnapshot saved(*this);
    bool result = false;
    bool overTime = false;
    {
        const ScopedValue building(building_, true);
        const ScopedDeadline deadline(g.script(), g.script().limits().buildTime);
        if (Events.OnBeginDoc) Events.OnBeginDoc();
        result = RunPasses();
        if (Events.OnEndDoc) Events.OnEndDoc();
        overTime = deadline.Passed();
    }
    outcome_ = {};
    if (b.errorFlag)
        outcome_ = {TvlBuildOutcome::Failed, b.errorText};
    else if (overTime)
        outcome_ = {TvlBuildOutcome::Failed, buildTimeText(g.script().limits().buildTime)};
    restoreTemplate(saved);
    TwoPass = twoPassAtStart_;

    finalPass_ = false;
    if (b.dialogCancelled) result = false;
    if (!outcome_.failed()) outcome_.kind = outcomeKind(result);
    if (outcome_.failed() || b.dialogCancelled) EMFPages().Clear();
    views.noDrawing = false;
    return outcome_.built();
}

// A build asked for while another runs in the same engine (from a window
// opened by that build, or from its events) would reuse the running
// build's state under it: it is refused, and the running build goes on
// untouched.
bool TvlReport::refuseNestedBuild() {
    outcome_ = {TvlBuildOutcome::Failed, kBuildRunningText};
    return false;
}

bool TvlReport::ShowBuildFailure() {
    if (!outcome_.failed()) return false;
    engine_.uiService().messageBox(outcome_.message, LoadResString(kErrorCaptionId), kIconError);
    return true;
}

bool TvlReport::BuildRunning() const {
    return engine_.activeBuild() != nullptr;
}

// A build that did not fail was cancelled when the progress window or a
// dialog page said so, or when something outside the build (a host's
// Cancel, Ctrl-C, a deadline) stopped it; STOPREPORT ends a build that
// counts as built.
TvlBuildOutcome::Kind TvlReport::outcomeKind(bool result) const {
    if (!result) return TvlBuildOutcome::Cancelled;
    if (run_->stopDue() && !run_->state().stoppedByReport) return TvlBuildOutcome::Cancelled;
    return TvlBuildOutcome::Built;
}

// Objects aligned to their band take their place before the bands are made.
void TvlReport::alignObjectsToBands() {
    QPainter& canvas = engine_.measuringCanvas().painter();
    for (int i = 0; i < pages_.Count(); ++i) {
        const ScopedValue<TvlViewPage*> current(engine_.views().currentPage, &pages_[i]);
        for (const auto& view : pages_[i].Objects)
            if (view->BandAlign != baNone) view->PrepareDraw(TvlDrawContext::at(&canvas));
    }
}

// Whatever scripts changed during the build is undone.
void TvlReport::restoreTemplate(TemplateSnapshot& saved) {
    try {
        saved.Restore();
    } catch (const VlError& error) {
        if (!outcome_.failed()) outcome_ = {TvlBuildOutcome::Failed, error.what()};
    }
}

bool TvlReport::RunPasses() {
    TvlEngine& g = engine_;
    TvlBuildState& b = run_->state();
    g.stopRequested() = false;
    b.continuation = false;
    g.views().noDrawing = false;
    finalPass_ = true;
    b.currentPageIndex = 0;
    EMFPages().Clear();
    std::string caption = LoadResString(kPreparingId);
    if (!Title.empty()) caption += " - " + Title;
    const bool window = !Events.OnProgress && ShowProgress;
    TvlProgressWindow& progress = g.progressWindow();
    const auto start = [this] { RunBuildPass(); };
    bool result = true;
    if (TwoPass) {
        g.views().noDrawing = true;
        finalPass_ = false;
        if (!window)
            RunBuildPass();
        else
            result = progress.RunWithProgress(caption, LoadResString(kFirstPassId), start) !=
                     TvlProgressWindow::kCancel;
        return result;
    }
    if (!window) {
        TwoPass = twoPassAtStart_;
        RunBuildPass();
    } else if (twoPassAtStart_) {
        // the final pass runs inside the window of the first
        progress.ProgressText = LoadResString(kProcessingId);
        progress.SetFirstLine(progress.ProgressText + "  1");
        TwoPass = true;
        RunBuildPass();
    } else {
        b.totalPages = 0;
        result = progress.RunWithProgress(caption, LoadResString(kProcessingId), start) !=
                 TvlProgressWindow::kCancel;
    }
    return result;
}

void TvlReport::RunBuildPass() {
    TvlProgressWindow& progress = engine_.progressWindow();
    BuildPages();
    if (finalPass_) {
        progress.Close(run_->stopDue() ? TvlProgressWindow::kCancel : TvlProgressWindow::kOk);
        return;
    }
    run_->state().totalPages = EMFPages().Count();
    TwoPass = false;
    if (run_->stopDue()) {
        EMFPages().Clear();
        progress.Close(TvlProgressWindow::kCancel);
    } else {
        RunPasses();
    }
    TwoPass = true;
}

void TvlReport::BuildPages() {
    TvlEngine& g = engine_;
    TvlBuildState& b = run_->state();
    rebuildable_ = true;
    g.views().host = this;
    dictionary_.ClearCache();
    Attach();
    bindFieldLookup(g);
    b.errorFlag = false;
    b.errorText.clear();
    const bool multiple = Dataset && ReportType == rtMultiple;
    try {
        if (multiple) {
            Dataset->Open();
            Dataset->First();
        }
        if (!(TwoPass && finalPass_)) {
            run_->hooks().clear();
            for (int i = 0; i < pages_.Count(); ++i)
                pages_[i].SubReportPage = false;
            b.dialogCancelled = false;
        }
        initPages();
        if (!b.dialogCancelled) {
            do {
                runPageLoop();
                if (multiple) Dataset->Next();
            } while (!run_->stopDue() && multiple && !Dataset->Eof());
        }
    } catch (const std::exception& error) {
        HandleBuildError(error);
    }
    donePages();
    if (multiple) {
        try {
            Dataset->Close();
        } catch (const std::exception& error) {
            HandleBuildError(error);
        }
    }
}

void TvlReport::initPages() {
    const bool& cancelled = run_->state().dialogCancelled;
    for (int i = 0; i < pages_.Count() && !cancelled; ++i)
        if (pages_[i].PageType == ptDialog) pages_[i].InitForBuild();
    if (cancelled) return;
    for (int i = 0; i < pages_.Count(); ++i)
        if (pages_[i].PageType == ptReport) pages_[i].InitForBuild();
    for (int i = 0; i < pages_.Count(); ++i)
        if (pages_[i].PageType == ptReport) pages_[i].BindObjects();
}

void TvlReport::donePages() {
    for (const auto type : {ptReport, ptDialog})
        for (int i = 0; i < pages_.Count(); ++i)
            if (pages_[i].PageType == type) pages_[i].DoneBuild();
}

void TvlReport::runPageLoop() {
    TvlEngine& g = engine_;
    TvlBuildState& b = run_->state();
    ReportProgress(b.currentPageIndex + 1);
    for (int j = 0; j < pages_.Count(); ++j) {
        TvlPage& page = pages_[j];
        g.views().currentPage = &page;
        if (!page.Visible) page.RunPageScript(page.Script);
        if (page.PageType != ptReport || !page.Visible || page.SubReportPage) continue;
        page.BuildMode = TvlPage::bmOutput;
        page.RunPage();
        b.continuation = false;
        if (j + 1 < pages_.Count() && pages_[j + 1].PrintToPrevPage) {
            --b.currentPageIndex;
            b.continuation = true;
        } else {
            b.currentPageIndex = EMFPages().Count();
            ReportProgress(b.currentPageIndex);
        }
        if (run_->stopDue()) break;
    }
    ReportProgress(b.currentPageIndex);
}

void TvlReport::ReportProgress(int n) {
    if (Events.OnProgress) {
        Events.OnProgress(n);
        return;
    }
    if (!ShowProgress) return;
    TvlProgressWindow& progress = engine_.progressWindow();
    std::string line = progress.ProgressText + "  " + std::to_string(n);
    if (TwoPass && finalPass_ && run_)
        line += " " + LoadResString(kFromId) + " " + std::to_string(run_->state().totalPages);
    progress.SetFirstLine(line);
}

void TvlReport::HandleBuildError(const std::exception& error) {
    TvlEngine& g = engine_;
    g.stopRequested() = true;
    if (!run_) return;
    TvlBuildState& b = run_->state();
    if (b.errorFlag) return; // the first error explains the rest
    b.errorFlag = true;
    std::string text = LoadResString(kCalculationErrorId);
    std::string objectPart;
    if (const TvlView* view = g.views().currentView) {
        for (const std::string& line : view->Memo)
            text += "\r" + line;
        objectPart = LoadResString(kObjectLabelId) + " " + view->Name + "\r";
    }
    text += "\r\r" + LoadResString(kReportLabelId) + " " + name() + "\r" + objectPart + "\r" +
            error.what();
    b.errorText = text;
}

void TvlReport::FireBeginBand(TvlBand& band) {
    if (Events.OnBeginBand) Events.OnBeginBand(band);
}

void TvlReport::FireEndBand(TvlBand& band) {
    if (Events.OnEndBand) Events.OnEndBand(band);
}

void TvlReport::FireBeginColumn(TvlBand& band) {
    if (Events.OnBeginColumn) Events.OnBeginColumn(band);
}

void TvlReport::FirePrintColumn(int column, int& width) {
    if (Events.OnPrintColumn) Events.OnPrintColumn(column, width);
}

void TvlReport::FireEndPage(int pageIndex) {
    if (Events.OnEndPage) Events.OnEndPage(pageIndex);
}

Stream& TvlReport::PreparedStream() {
    return EMFPages().PageAt(run_ ? run_->state().currentPageIndex : 0).Stream;
}

void TvlReport::LoadPreparedReport(const QString& path) {
    rebuildable_ = false;
    EMFPages().LoadFromFile(path);
}

void TvlReport::SavePreparedReport(const QString& path) {
    EMFPages().SaveToFile(path);
}

void TvlReport::AppendPreparedPage(const TvlPage& page) {
    const int limit = engine_.script().limits().pagesPerBuild;
    if (limit > 0 && EMFPages().Count() >= limit)
        throw VlError("The build stopped at " + std::to_string(limit) +
                      " pages, the most one build may write");
    const PageSettings settings = page.PreparedSettings();
    EMFPages().AddPage(settings);
}

namespace {

bool walksRecords(int bandType) {
    return bandType == btMasterData || bandType == btDetailData || bandType == btSubDetailData ||
           bandType == btCrossData;
}

} // namespace

StringList TvlReport::MissingDataSources() const {
    StringList missing;
    for (int p = 0; p < pages_.Count(); ++p) {
        for (const auto& object : pages_[p].Objects) {
            const auto* band = dynamic_cast<const TvlBandView*>(object.get());
            if (!band || !walksRecords(band->bandType())) continue;
            const std::string& name = band->FormatStr;
            // Cross bands pair several sources; a simple report's master
            // band falls back on the report's own data set.
            if (name.empty() || name.find(';') != std::string::npos) continue;
            if (band->bandType() == btMasterData && Dataset.get()) continue;
            if (DataSourceExists(engine_.components(), owner(), name)) continue;
            const bool listed =
                std::any_of(missing.begin(), missing.end(),
                            [&](const std::string& m) { return SameText(m, name); });
            if (!listed) missing.push_back(name);
        }
    }
    return missing;
}

} // namespace vl
