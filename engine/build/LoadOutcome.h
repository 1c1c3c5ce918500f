#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vl {

// How reading a template file ended, as one value: the window or command
// that asked decides what to tell.
struct TvlLoadOutcome {
    enum Kind : std::uint8_t {
        Loaded,
        PartlyLoaded,  // objects of classes this program lacks were left out (`lost`)
        WrongPassword, // protected and not unlocked: the report is empty and untitled
        NoFile,        // nothing changed
        Unreadable,    // damaged or too new: the report holds one empty page
    };
    Kind kind = Loaded;
    std::string message;           // what to tell the user, empty when loaded
    std::string detail;            // what made an unreadable file unreadable, when known
    std::vector<std::string> lost; // the missing classes of a partly loaded template

    bool loaded() const { return kind == Loaded; }
    // The message with its detail.
    std::string fullMessage() const { return detail.empty() ? message : message + ": " + detail; }
    explicit operator bool() const { return loaded(); }
};

} // namespace vl
