#include "engine/build/TvlBand.h"

#include "engine/build/BuildRun.h"
#include "engine/build/FindDataSource.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/script/TvlParser.h"

namespace vl {

namespace {

// A band's data source as the report of its build names it.
DataSourceLookup FindBandSource(const TvlBand& band, std::string_view name) {
    const TvlBuildRun& run = band.Run();
    return FindDataSource(run.engine().components(), run.report().owner(), name);
}

} // namespace

TvlBand::TvlBand(TvlPage& page, TvlBandType type) : OwnerPage(page), Type(type) {}

TvlBand::~TvlBand() {
    ReleaseDataSources();
}

bool TvlBand::isDataBand() const {
    return Type == btMasterData || Type == btDetailData || Type == btSubDetailData;
}

bool TvlBand::isFlowing() const {
    return Type != btPageFooter && Type != btOverlay && Type != btNone;
}

bool TvlBand::inUse() const {
    return BandView != nullptr || (Type == btNone && !Objects.empty());
}

void TvlBand::BindDataSource(const std::string& text) {
    if (Type == btGroupHeader) {
        Condition = TvlParser::ToPostfix(text);
        return;
    }
    if (text.find(';') == std::string::npos) {
        DataSourceLookup found = FindBandSource(*this, text);
        Source = found.source;
        ownedSource_ = std::move(found.owned);
    }
    const TvlReport& report = Run().report();
    if (Type == btMasterData && !Source && report.ReportType == rtSimple) Source = report.Dataset;
}

void TvlBand::setColumnSource(const std::string& name) {
    if (ColumnSource) ColumnSource->Close();
    ownedColumnSource_.reset();
    DataSourceLookup found = FindBandSource(*this, name);
    ColumnSource = found.source;
    ownedColumnSource_ = std::move(found.owned);
}

void TvlBand::ReleaseDataSources() {
    // A source's owner may already have closed it; closing must not stop
    // the band from letting go of the rest.
    for (TvlDataset* source : {Source, ColumnSource}) {
        if (!source) continue;
        try {
            source->Close();
        } catch (const std::exception&) {
        }
    }
    Source = nullptr;
    ColumnSource = nullptr;
    ownedSource_.reset();
    ownedColumnSource_.reset();
}

bool TvlBand::HasCrossObjects() const {
    for (const TvlView* view : Objects)
        if (view->ParentBand != this) return true;
    return false;
}

int TvlBand::crossColumn() const {
    return OwnerPage.CrossColumn;
}

TvlBuildRun& TvlBand::Run() const {
    return OwnerPage.Run();
}

Variant TvlBand::ConditionValue() const {
    return Run().engine().globalParser().EvalPostfix(Condition);
}

void TvlBand::AccumulateTotals() {
    if (AggregateValues.Count() == 0) {
        ++AggregateRowCount;
        return;
    }
    try {
        AccumulateAggregates(*this, Run().engine().globalParser());
    } catch (const std::exception& error) {
        OwnerPage.HandleBuildError(error);
    }
}

void TvlBand::ResetTotals() {
    if (Type != btGroupHeader) {
        ResetAggregates(*this);
        return;
    }
    try {
        for (TvlBand* header = this; header; header = header->NextBand)
            header->LastConditionValue = header->ConditionValue();
    } catch (const std::exception& error) {
        OwnerPage.HandleBuildError(error);
    }
}

void TvlBand::setGroupCondition(const std::string& condition) {
    Condition = TvlParser::ToPostfix(condition);
}

void TvlBand::setChildBand(std::string_view bandViewName) {
    TvlView* view = OwnerPage.FindObject(bandViewName);
    ChildLink =
        dynamic_cast<TvlBandView*>(view) ? static_cast<TvlBand*>(view->ParentBand) : nullptr;
}

void TvlBand::bindDataSource(std::string_view name) {
    ReleaseDataSources();
    BindDataSource(std::string(name));
}

// A band without a source reads as ended, and moving it does nothing.
bool TvlBand::dataSourceEof() const {
    return Source ? Source->Eof() : true;
}

void TvlBand::dataSourceFirst() {
    if (Source) Source->First();
}

void TvlBand::dataSourceNext() {
    if (Source) Source->Next();
}

void TvlBand::dataSourcePrior() {
    if (Source) Source->Prior();
}

} // namespace vl
