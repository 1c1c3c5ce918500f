#include "engine/build/TvlDataset.h"

namespace vl {

void TvlDataset::fire(const TNotifyEvent& event) {
    if (event) event(*this);
}

void TvlDataset::First() {
    recordNo_ = 0;
    fire(OnFirst);
}

void TvlDataset::Next() {
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
