#pragma once

#include "engine/script/ComponentRef.h"
#include "engine/script/TvlTable.h"

namespace vl {

// A link to a table that several data-aware parts can share; data sources
// bound to it walk whatever table it currently names.
class TvlTableSource : public TvlComponent, public RefTarget {
public:
    using TvlComponent::TvlComponent;

    TvlTable* DataSet() const { return dataSet_.get(); }
    void SetDataSet(TvlTable* table) { dataSet_.reset(table); }

    std::string className() const override { return "TvlTableSource"; }

private:
    ComponentRef<TvlTable> dataSet_;
};

} // namespace vl
