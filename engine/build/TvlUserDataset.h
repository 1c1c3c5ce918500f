#pragma once

#include "engine/build/TvlDataset.h"

namespace vl {

// A data source driven entirely by its owner's event handlers: the host
// program moves its own cursor in OnFirst/OnNext/OnPrior and ends the walk in
// OnCheckEOF, reading RecordNo to know the current record.
class TvlUserDataset : public TvlDataset {
public:
    using TvlDataset::TvlDataset;
    std::string className() const override { return "TvlUserDataset"; }
};

} // namespace vl
