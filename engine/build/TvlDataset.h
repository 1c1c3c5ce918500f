#pragma once

#include "engine/script/Component.h"
#include "engine/script/ComponentRef.h"

#include <functional>

namespace vl {

// Where a walk starts: at the first record or at the record that was
// current when the walk was prepared.
enum TRangeBegin { rbFirst = 0, rbCurrent = 1 };
// Where a walk ends: at the last record, at the record that was current
// when the walk was prepared, or after RangeEndCount records.
enum TRangeEnd { reLast = 0, reCurrent = 1, reCount = 2 };

class TvlDataset;
using TNotifyEvent = std::function<void(TvlDataset& sender)>;
using TCheckEOFEvent = std::function<void(TvlDataset& sender, bool& eof)>;

// Walks records for a band. It knows nothing of the records: it keeps the
// record number, answers whether the walk is at its end and asks its owner
// (through events) to move. RecordNo counts from 0 in walk order.
class TvlDataset : public TvlComponent, public RefTarget {
public:
    using TvlComponent::TvlComponent;

    TRangeBegin RangeBegin = rbFirst;
    TRangeEnd RangeEnd = reLast;
    int RangeEndCount = 0;
    TNotifyEvent OnFirst;
    TNotifyEvent OnNext;
    TNotifyEvent OnPrior;
    TCheckEOFEvent OnCheckEOF;

    int RecordNo() const { return recordNo_; }

    virtual void Open() {}
    virtual void Close() {}
    virtual void First();
    virtual void Next();
    virtual void Prior();
    virtual bool Eof();

    std::string className() const override { return "TvlDataset"; }
    bool isDataSource() const override { return true; }

private:
    void fire(const TNotifyEvent& event);

    int recordNo_ = 0;
};

} // namespace vl
