#include "engine/output/LinkOpener.h"

#include "engine/script/TextUtils.h"

#include <algorithm>

namespace vl {

bool IsOpenableLink(std::string_view target) {
    const bool control = std::any_of(target.begin(), target.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (control) return false;
    const std::size_t colon = target.find(':');
    if (colon == std::string_view::npos || colon + 1 >= target.size()) return false;
    const std::string_view scheme = target.substr(0, colon);
    return SameText(scheme, "http") || SameText(scheme, "https") || SameText(scheme, "mailto");
}

} // namespace vl
