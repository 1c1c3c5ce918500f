#pragma once

#include <cstdint>
#include <string>

namespace vl {

// How a print run ended, as one value: the window or command that asked for
// it decides what to tell.
struct TvlPrintOutcome {
    enum Kind : std::uint8_t {
        Printed,        // every selected page went to the printer
        Cancelled,      // Cancel or a stop ended the run; the document was withdrawn
        NothingToPrint, // no prepared pages, or the page list selects none of them
        Failed,         // a page list that cannot be read, or the printer's error
    };
    Kind kind = Printed;
    std::string message; // a failure's text

    bool printed() const { return kind == Printed; }
    explicit operator bool() const { return printed(); }
};

} // namespace vl
