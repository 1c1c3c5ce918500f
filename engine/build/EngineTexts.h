#pragma once

#include "engine/script/StreamIO.h"

#include <array>
#include <string>

namespace vl {

// The engine texts read once when the engine starts: the character set of
// new fonts, the names of the band types and the format lists that text
// objects and their editor offer. A localisation handler installed before
// they are read gives its translations.
struct EngineTexts {
    static constexpr int kBandTypeCount = 23;

    int defaultCharset = 1;
    std::array<std::string, kBandTypeCount> bandNames;
    StringList booleanFormats;
    StringList dateFormats;
    StringList timeFormats;

    // Throws ConversionError when the character-set text is no integer.
    static EngineTexts load();
};

} // namespace vl
