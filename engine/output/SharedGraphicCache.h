#pragma once

#include "engine/model/TvlGraphic.h"

#include <cstddef>
#include <list>
#include <memory>
#include <vector>

namespace vl {

class TvlPicture;

// Keeps recently seen pictures so that equal pictures on different pages
// share one decoded image. Drawing shares the pixels too: a PDF then holds
// a picture that repeats on every page once. The cache is bounded, so a
// report of many different pictures does not grow it.
class SharedGraphicCache {
public:
    explicit SharedGraphicCache(std::size_t maxEntries = 64) : maxEntries_(maxEntries) {}

    // Gives the picture the shared copy of an equal graphic, or makes its
    // graphic the one that later equal pictures share.
    void share(TvlPicture& picture);
    void clear() { entries_.clear(); }
    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        TvlGraphicKind kind;
        std::size_t hash;
        std::vector<std::uint8_t> bytes;
        std::unique_ptr<TvlGraphic> graphic;
    };

    std::size_t maxEntries_;
    std::list<Entry> entries_; // most recently used first
};

} // namespace vl
