#pragma once

#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/ObjectRecord.h"

#include <cstdint>
#include <deque>
#include <vector>

namespace vl {

// One object of an undo step: its sequence number, its record (delete
// and change steps only) and its index in the page's object list.
struct TvlUndoNode {
    std::int32_t sequence = 0;
    TvlObjectRecord copy;
    int index = 0;
};

// One undo or redo step: what kind of change it reverses, on which page,
// and the objects it concerns in page order.
struct TvlUndoEntry {
    TvlSnapshotKind kind = skChange;
    int page = 0;
    std::vector<TvlUndoNode> nodes;
};

// The undo or the redo list: at most kMaxEntries steps, the oldest dropped
// first.
class TvlUndoList {
public:
    static constexpr std::size_t kMaxEntries = 100;

    void add(TvlUndoEntry entry);
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    const TvlUndoEntry& last() const { return entries_.back(); }
    const TvlUndoEntry& at(std::size_t index) const { return entries_.at(index); }
    TvlUndoEntry takeLast();
    void clear() { entries_.clear(); }
    // The bytes the kept records take.
    std::size_t byteSize() const;

private:
    std::deque<TvlUndoEntry> entries_;
};

} // namespace vl
