#include "engine/build/BuildRun.h"
#include "engine/build/ProgressWindow.h"
#include "engine/build/TvlBand.h"
#include "engine/build/TvlDataset.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/DisplayFormat.h"
#include "engine/model/TvlMemoView.h"
#include "engine/script/Errors.h"
#include "engine/script/FunctionLibrary.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/TInterpretator.h"
#include "engine/script/TvlField.h"
#include "engine/script/TvlParser.h"
#include "engine/script/TvlTable.h"

#include <cmath>

namespace vl {

// How a report answers the names and functions of its expressions while it
// is built: the user's value event, the data dictionary, the built-in
// variables, the script variables and constants; the function libraries,
// the report procedures and the user's function event.

namespace {

// Dictionary variables may refer to each other; one that leads back to
// itself would otherwise recurse without end.
constexpr int kMaxDictionaryDepth = 64;

TvlPage* currentPage(const TvlViewState& views) {
    return dynamic_cast<TvlPage*>(views.currentPage);
}

TvlBand* currentBand(const TvlViewState& views) {
    return dynamic_cast<TvlBand*>(views.currentBand);
}

// The band whose line counters LINE# and LINETHROUGH# read.
TvlBand* lineBand(const TvlViewState& views) {
    TvlBand* band = currentBand(views);
    if (!band || band->Source) return band;
    TvlPage& page = band->OwnerPage;
    TvlBand* first = page.Band(band->Type);
    return first ? first : band;
}

Variant calcWidth(const TvlViewState& views) {
    TvlView* view = views.currentView;
    if (!view) return Variant(0);
    auto* memo = dynamic_cast<TvlMemoView*>(view);
    if (!memo) return Variant(view->Width);
    memo->ExpandMemo();
    return Variant(memo->CalcWidth());
}

} // namespace

void TvlReport::resolveName(std::string_view name, Variant& value) {
    value = Variant();
    if (Events.OnGetValue) {
        Events.OnGetValue(name, value);
        if (!value.isNull()) return;
    }
    value = Variant(0);
    if (dictionary_.IsVariable(name)) {
        dictionaryValue(name, value);
        return;
    }
    EmptyReportBinding::resolveName(name, value);
}

void TvlReport::dictionaryValue(std::string_view name, Variant& value) {
    int& depth = dictionaryDepth_;
    if (depth >= kMaxDictionaryDepth)
        throw ParserError("Variable \"" + std::string(name) + "\" refers to itself");
    const ScopedDepth nested(depth);
    dictionary_.GetValue(name, value);
}

bool TvlReport::builtInValue(std::string_view name, Variant& value) {
    // outside a build: the first page, and the moment of the question (the
    // clock is read only then: names are looked up all through a build)
    TvlBuildState idle;
    if (!run_) {
        idle.totalPages = engine_.lastTotalPages();
        idle.buildMoment = DateTimeToOleDate(Now ? Now() : QDateTime::currentDateTime());
    }
    const TvlBuildState& b = run_ ? run_->state() : idle;
    const TvlPage* page = currentPage(engine_.views());
    if (name == "VALUE") {
        value = currentValue_;
    } else if (name == "PAGE#") {
        value = Variant(b.currentPageIndex + 1);
    } else if (name == "DATE") {
        value = Variant::dateTime(std::floor(b.buildMoment));
    } else if (name == "TIME") {
        value = Variant::dateTime(b.buildMoment);
    } else if (name == "LINE#" || name == "LINETHROUGH#") {
        const TvlBand* band = lineBand(engine_.views());
        value = Variant(!band ? 0 : name == "LINE#" ? band->LineNo : band->LineThroughNo);
    } else if (name == "COLUMN#") {
        value = Variant(page ? page->CrossColumn : 0);
    } else if (name == "CURRENT#") {
        value = Variant(page ? page->RecordCounter : 0);
    } else if (name == "TOTALPAGES") {
        value = Variant(b.totalPages);
    } else if (name == "REPORTCOMMENT") {
        value = Variant(Info.Comment);
    } else if (name == "REPORTNAME") {
        value = Variant(Info.Name);
    } else if (name == "REPORTAUTOR") {
        value = Variant(Info.Author);
    } else if (name == "VMAJOR") {
        value = Variant(Info.VersionMajor);
    } else if (name == "VMINOR") {
        value = Variant(Info.VersionMinor);
    } else if (name == "VRELEASE") {
        value = Variant(Info.VersionRelease);
    } else if (name == "VBUILD") {
        value = Variant(Info.VersionBuild);
    } else if (name == "REPORTDATE") {
        value = Variant::dateTime(Info.Created);
    } else if (name == "REPORTLASTCHANGE") {
        value = Variant::dateTime(Info.LastChange);
    } else if (name == "CALCWIDTH") {
        value = calcWidth(engine_.views());
    } else {
        return false;
    }
    return true;
}

bool TvlReport::systemValue(std::string_view name, Variant& value) {
    const TvlPage* page = currentPage(engine_.views());
    if (name == "CURY") {
        value = Variant(page ? page->CurY : 0);
    } else if (name == "FREESPACE") {
        value = Variant(page ? page->BottomLimit - page->CurY : 0);
    } else if (name == "FINALPASS") {
        value = Variant(finalPass_);
    } else if (name == "PAGEHEIGHT") {
        value = Variant(page ? page->BottomLimit : 0);
    } else if (name == "PAGEWIDTH") {
        value = Variant(page ? page->RightEdge() : 0);
    } else {
        return false;
    }
    return true;
}

// Breaks asked for outside any band (a page script before the first band)
// have nothing to break and are ignored.
void TvlReport::reportProcedure(std::string_view name, const Variant& p1) {
    if (name == "STOPREPORT") {
        if (run_) run_->state().stoppedByReport = true;
        engine_.stopRequested() = true;
    } else if (name == "NEWPAGE") {
        if (TvlBand* band = currentBand(engine_.views())) ++band->PendingNewPages;
    } else if (name == "NEWCOLUMN") {
        if (TvlBand* band = currentBand(engine_.views())) ++band->PendingNewColumns;
    } else if (name == "SHOWBAND") {
        if (TvlPage* page = currentPage(engine_.views()); page && page->Prepared())
            page->ShowBand(p1.toString());
    }
}

void TvlReport::callFunction(std::string_view name, const Variant& p1, const Variant& p2,
                             const Variant& p3, Variant& val) {
    if (CallFunctionLibraries(engine_.functionLibraries(), name, p1, p2, p3, val)) return;
    reportProcedure(name, p1);
    engine_.globalInterpretator().CallProcedure(name, p1, p2, p3, val);
    if (Events.OnUserFunction) Events.OnUserFunction(name, p1, p2, p3, val);
}

std::string TvlReport::EvaluateField(std::string_view text, TvlView& view) {
    TvlEngine& g = engine_;
    Variant& current = currentValue_;
    const auto* memo = dynamic_cast<const TvlMemoView*>(&view);
    const bool hideZeros = memo && (memo->Flags & TvlMemoView::mfHideZeros);
    const bool preparing = g.aggregateContext().PreparingAggregates;
    std::string shown = EvaluateBracket(
        text, TvlDisplayFormat{view.Format, view.FormatStr}, hideZeros,
        [this, &current](std::string_view expression) {
            current = Variant(0);
            resolveName(expression, current);
            return current;
        },
        g.localeService(), preparing);
    return preparing ? std::string() : shown;
}

std::string TvlReport::expandBracket(std::string_view bracketText, TvlView& view) {
    if (!building_) return evaluate(bracketText).toString();
    return EvaluateField(bracketText, view);
}

void TvlReport::runScript(TvlView& view, const StringList& script) {
    if (!building_ || script.empty()) return;
    engine_.views().currentView = &view;
    engine_.globalInterpretator().RunScript(script);
}

// A picture bound to a blob field shows the field's content; then the
// user's handler sees the lines about to be written.
void TvlReport::beforeObjectOutput(TvlView& view) {
    if (!building_) return;
    if (auto* table = dynamic_cast<TvlTable*>(view.DataSet); table && !view.DataField.empty()) {
        if (TvlField* field = table->FindField(view.DataField); field && field->isBlob()) {
            TvlBlobField blob;
            blob.isNull = field->isNull();
            if (!blob.isNull) blob.bytes = field->blobBytes();
            view.LoadFromBlob(blob);
        }
    }
    if (Events.OnBeforePrint) Events.OnBeforePrint(view.EvaluatedText, view);
}

TvlComponent* TvlReport::bandContextTable() const {
    if (!UseDefaultDataSetName) return nullptr;
    const TvlPage* page = currentPage(engine_.views());
    return page ? page->BandContextTable() : nullptr;
}

TvlObject* TvlReport::findObject(std::string_view name) {
    return pages_.FindObject(name);
}

TvlObject* TvlReport::page(int index) {
    if (index < 0 || index >= pages_.Count()) return nullptr;
    return &pages_[index];
}

TvlObject* TvlReport::findObjectOnPage(int index, std::string_view name) {
    if (index < 0 || index >= pages_.Count()) return nullptr;
    return pages_[index].FindObject(name);
}

TvlScriptObject* TvlReport::runningObject() {
    return engine_.views().currentView;
}

bool TvlReport::setDictionaryVariable(std::string_view name, const Variant& value) {
    const int index = dictionary_.Variables.IndexOf(name);
    if (index < 0) return false;
    dictionary_.Variables.SetValue(index, value);
    return true;
}

void TvlReport::setModalResult(int value) {
    if (TvlPage* page = currentPage(engine_.views()); page && page->PageType == ptDialog)
        page->ModalResult = value;
}

void TvlReport::setCurY(int value) {
    TvlPage* page = currentPage(engine_.views());
    if (!page) return;
    page->CurY = value;
    if (TvlBand* band = currentBand(engine_.views());
        band && (band->PendingNewPages || band->PendingNewColumns))
        band->CurYAfterBreak = true;
}

void TvlReport::showProgress(const std::string& text) {
    engine_.progressWindow().SetFirstLine(text);
}

} // namespace vl
