#pragma once

#include "engine/script/Stream.h"

#include <cstdint>
#include <string>

namespace vl {

// What a template says about itself: descriptive texts, the opening
// password and the creation and last-change dates (OLE Automation days).
struct TvlReportInfo {
    // The generator version this engine writes into every template.
    static constexpr std::uint8_t kGeneratorVersion = 88;

    std::string Comment;
    std::string Name;
    std::string Author;
    std::string VersionMajor;
    std::string VersionMinor;
    std::string VersionRelease;
    std::string VersionBuild;
    std::string Password;
    std::uint8_t GeneratorVersion = kGeneratorVersion;
    bool Protected = false;
    double Created = 0;
    double LastChange = 0;

    // Empty texts, no password, protection off, generator version 88 and
    // both dates the current moment.
    void Reset();

    // The trailer that closes a template. Writing stamps LastChange with
    // the current moment.
    void ReadTrailer(Stream& stream);
    void WriteTrailer(Stream& stream);
};

// The current moment as an OLE Automation date.
double CurrentOleDate();

// A password as stored: its character codes as upper-case hexadecimal,
// two digits each. Decoding ignores a trailing odd digit and reads
// anything that is no hexadecimal digit as 0.
std::string PasswordToHex(const std::string& password);
std::string PasswordFromHex(const std::string& hex);

} // namespace vl
