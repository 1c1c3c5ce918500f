#pragma once

#include <string>
#include <string_view>

namespace vl {

// Opens a link of a prepared page outside the program: the GUI implements
// it with the desktop's web browser and mail program. The engine hands it
// only targets that IsOpenableLink accepts, never files or programs.
class TvlLinkOpener {
public:
    virtual ~TvlLinkOpener() = default;
    virtual void open(const std::string& target) = 0;
};

// True for "http:", "https:" and "mailto:" targets (scheme in any case)
// with something after the scheme and no control characters.
bool IsOpenableLink(std::string_view target);

} // namespace vl
