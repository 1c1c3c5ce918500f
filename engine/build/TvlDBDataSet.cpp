#include "engine/build/TvlDBDataSet.h"

#include "engine/script/Errors.h"

#include <utility>

namespace vl {

void TvlDBDataSet::SetDataSet(TvlTable* table) {
    dataSet_.reset(table);
    dataSource_.reset();
}

void TvlDBDataSet::SetDataSource(TvlTableSource* source) {
    dataSource_.reset(source);
    if (source) dataSet_.reset();
}

TvlTable& TvlDBDataSet::ResolveTable() const {
    if (TvlTableSource* source = dataSource_.get(); source && source->DataSet())
        return *source->DataSet();
    if (TvlTable* table = dataSet_.get()) return *table;
    throw VlError("Unable to open dataset " + name());
}

void TvlDBDataSet::Open() {
    if (OpenDataSource) ResolveTable().Open();
    if (OnOpen) OnOpen(*this);
    startPosition_.reset();
    if (RangeBegin == rbCurrent || RangeEnd == reCurrent)
        startPosition_ = ResolveTable().GetBookmark();
    endReached_ = false;
}

namespace {

// A walk prepared on an empty table has no start record to return to.
void returnTo(TvlTable& table, const TBookmark& start) {
    if (start.position >= 0) table.GotoBookmark(start);
}

} // namespace

void TvlDBDataSet::Close() {
    // The start position is dropped first, so a failing table leaves no
    // stale bookmark behind.
    const std::optional<TBookmark> start = std::exchange(startPosition_, std::nullopt);
    if (start) returnTo(ResolveTable(), *start);
    if (OnClose) OnClose(*this);
    if (CloseDataSource) ResolveTable().Close();
}

void TvlDBDataSet::First() {
    TvlTable& table = ResolveTable();
    if (RangeBegin == rbCurrent && startPosition_)
        returnTo(table, *startPosition_);
    else
        table.First();
    endReached_ = false;
    TvlDataset::First();
}

void TvlDBDataSet::Next() {
    TvlTable& table = ResolveTable();
    endReached_ = false;
    if (RangeEnd == reCurrent && startPosition_ &&
        TvlTable::SameBookmark(table.GetBookmark(), *startPosition_)) {
        endReached_ = true;
        return;
    }
    table.Next();
    TvlDataset::Next();
}

void TvlDBDataSet::Prior() {
    ResolveTable().Prior();
    TvlDataset::Prior();
}

bool TvlDBDataSet::Eof() {
    if (TvlDataset::Eof()) return true;
    return ResolveTable().Eof() || endReached_;
}

} // namespace vl
