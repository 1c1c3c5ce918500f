#pragma once

#include <string>
#include <string_view>

namespace vl {

// The name as an expression operand: unchanged when, upper-cased, it holds
// only ".", digits, the letters A to Z and "_"; otherwise in square
// brackets (names with blanks, quotes, "#" or other letters).
std::string BracketName(std::string_view name);

// The expression builder's text as a memo insertion: a text that is one
// bracket pair already ("[" at its start, "]" at its end, no other "[" in
// the 255 characters after the first) stays as it is, any other is put in
// brackets; an empty text gives nothing.
std::string BracketExpression(std::string_view text);

// A field reference as the fields chooser gives it: data set, a dot and
// the field name in double quotes.
std::string FieldReference(std::string_view dataSet, std::string_view field);

// A function's description split at its first "/": the syntax before it,
// the explanation (at most 1000 characters) after it. Without "/" the
// syntax is empty and the whole text explains.
struct TvlFunctionHelp {
    std::string syntax;
    std::string description;
};
TvlFunctionHelp SplitFunctionDescription(std::string_view text);

// How many argument rows a function's syntax asks for: one, plus one for
// each of its first two commas.
int ArgumentRowCount(std::string_view syntax);

// The call text of the arguments dialog: the name, "(", the first
// argument (even when empty), the second and third when not empty, ")".
std::string FunctionCallText(std::string_view name, std::string_view arg1, std::string_view arg2,
                             std::string_view arg3);

// The position an error line "Line L/C: message" points at. A line
// without "/" gives line 0 and column 1; unreadable numbers give 0.
struct TvlScriptErrorPos {
    int line = 0;
    int col = 1;
};
TvlScriptErrorPos ParseScriptError(std::string_view errorLine);

} // namespace vl
