#include "engine/output/SharedGraphicCache.h"

#include "engine/model/TvlPicture.h"

#include <algorithm>
#include <functional>
#include <string_view>

namespace vl {

namespace {

std::size_t HashBytes(const std::vector<std::uint8_t>& bytes) {
    return std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace

void SharedGraphicCache::share(TvlPicture& picture) {
    const TvlGraphic* graphic = picture.graphic();
    if (!graphic || graphic->empty() || maxEntries_ == 0) return;
    std::vector<std::uint8_t> bytes = graphic->save();
    const std::size_t hash = HashBytes(bytes);
    const TvlGraphicKind kind = graphic->kind();
    const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return e.kind == kind && e.hash == hash && e.bytes == bytes;
    });
    if (it != entries_.end()) {
        entries_.splice(entries_.begin(), entries_, it);
        picture.setGraphic(it->graphic->clone());
        return;
    }
    entries_.push_front({kind, hash, std::move(bytes), graphic->clone()});
    if (entries_.size() > maxEntries_) entries_.pop_back();
}

} // namespace vl
