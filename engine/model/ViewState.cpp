#include "engine/model/ViewState.h"

#include "engine/model/ModelContext.h"

#include <algorithm>

namespace vl {

bool TvlAddInRegistry::add(TvlAddInEntry entry) {
    if (entries_.size() >= kMaxEntries || !entry.create || find(entry.className)) return false;
    entries_.push_back(std::move(entry));
    return true;
}

const TvlAddInEntry* TvlAddInRegistry::find(std::string_view className) const {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const TvlAddInEntry& e) { return e.className == className; });
    return it == entries_.end() ? nullptr : &*it;
}

} // namespace vl
