#include "designer/workspace/TvlUndoList.h"

namespace vl {

void TvlUndoList::add(TvlUndoEntry entry) {
    if (entries_.size() >= kMaxEntries) entries_.pop_front();
    entries_.push_back(std::move(entry));
}

TvlUndoEntry TvlUndoList::takeLast() {
    TvlUndoEntry entry = std::move(entries_.back());
    entries_.pop_back();
    return entry;
}

std::size_t TvlUndoList::byteSize() const {
    std::size_t bytes = 0;
    for (const TvlUndoEntry& entry : entries_) {
        bytes += sizeof(TvlUndoEntry) + entry.nodes.capacity() * sizeof(TvlUndoNode);
        for (const TvlUndoNode& node : entry.nodes)
            bytes += node.copy.byteSize();
    }
    return bytes;
}

} // namespace vl
