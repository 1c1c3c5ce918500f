#include "engine/build/TvlDataset.h"

#include "engine/script/Errors.h"

#include <climits>

namespace vl {

void TvlDataset::fire(const TNotifyEvent& event) {
    if (event) event(*this);
}

void TvlDataset::First() {
    recordNo_ = 0;
    fire(OnFirst);
}

void TvlDataset::Next() {
    // A source whose owner never says it ended would count past the last
    // number a record can have.
    if (recordNo_ == INT_MAX) throw VlError("The data source " + name() + " does not end");
    ++recordNo_;
    // The step that reaches the count moves the number but does not ask the
    // owner to move past the last wanted record.
    if (RangeEnd == reCount && recordNo_ >= RangeEndCount) return;
    fire(OnNext);
}

void TvlDataset::Prior() {
    --recordNo_;
    fire(OnPrior);
}

bool TvlDataset::Eof() {
    bool eof = RangeEnd == reCount && recordNo_ >= RangeEndCount;
    if (OnCheckEOF) OnCheckEOF(*this, eof);
    return eof;
}

} // namespace vl
