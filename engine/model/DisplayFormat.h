#pragma once

#include "engine/script/LocaleService.h"
#include "engine/script/Variant.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vl {

// Categories of a display format word (bits 24-27).
enum TvlFormatCategory : int {
    fcText = 0,
    fcNumber = 1,
    fcDate = 2,
    fcTime = 3,
    fcBoolean = 4,
};

// The type within a category whose pattern is the display format text.
constexpr int kCustomFormatType = 4;

// How a value is shown: the format word (category, type, decimals, decimal
// separator) and, for custom types, the pattern.
struct TvlDisplayFormat {
    std::int32_t word = 0;
    std::string pattern;

    int category() const { return (word >> 24) & 0x0F; }
    int type() const { return (word >> 16) & 0xFF; }
    int decimals() const { return (word >> 8) & 0xFF; }
    char separator() const { return static_cast<char>(word & 0xFF); }

    static std::int32_t Word(int category, int type, int decimals, char separator);
};

// The word the format dialog builds: the separator is the first character
// typed, a comma when nothing is.
std::int32_t FormatDialogWord(int category, int type, int decimals, std::string_view separator);

// A bracket's text split into the expression and the format its value is
// shown with: the view's format, or the inline format after " #".
struct TvlBracketSpec {
    std::string expression;
    TvlDisplayFormat format;
};
TvlBracketSpec SplitInlineFormat(std::string_view bracketText, const TvlDisplayFormat& viewFormat);

// "HideZeros": a value that is not a string and equals zero becomes the empty
// text; a value that does not compare stays as it is.
void HideZero(Variant& value);

// The value as text by the format word and pattern. Null, empty values and
// blank strings give empty text; any formatting error gives the value's
// plain text.
std::string FormatValue(const Variant& value, std::int32_t word, std::string_view pattern,
                        LocaleService& locale);

// A whole bracket: split off an inline format, evaluate the expression,
// hide zeros when asked, and format the result unless raw values are wanted.
// Evaluation errors propagate.
using TvlEvaluator = std::function<Variant(std::string_view expression)>;
std::string EvaluateBracket(std::string_view bracketText, const TvlDisplayFormat& viewFormat,
                            bool hideZeros, const TvlEvaluator& evaluate, LocaleService& locale,
                            bool rawValue = false);

} // namespace vl
