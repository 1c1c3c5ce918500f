#pragma once

#include "engine/script/StreamIO.h"

#include <string>
#include <string_view>

namespace vl {

// The languages the syntax-highlighting editor knows.
enum TSyntaxType { stPascal = 0, stCpp = 1, stSQL = 2, stText = 3 };

// What each character of an edited text is, for drawing it.
enum TvlSyntaxClass : char {
    scText = 't',
    scComment = 'c',
    scKeyword = 'k',
    scString = 's',
};

// Classifies every character of a text anew: identifiers that are keywords
// of the language, comments (line and block comments; an unclosed block
// comment runs to the end of the text) and strings (to the closing quote or
// the end of the line). The map has one string per line, each as long as
// its line, plus one empty line.
class TvlSyntaxClassMap {
public:
    static StringList Classify(const StringList& lines, TSyntaxType type);
    // The keyword list of a language: comma-separated, with a comma at both
    // ends; empty for plain text.
    static std::string_view Keywords(TSyntaxType type);
    static bool IsKeyword(std::string_view identifier, TSyntaxType type);
};

} // namespace vl
