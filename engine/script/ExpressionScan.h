#pragma once

#include <cstddef>
#include <string_view>

namespace vl {

// Scanning routines shared by the expression parser, the script compiler, the
// function splitter and the data dictionary. Positions are 0-based indexes
// into the text; the returned views point into the text they were read from.

// Skips leading characters up to and including the blank, then reads up to
// (not including) the first delimiter: carriage return, space, '(', ')', '*',
// '+', '-', '/', '<', '=', '>' or '['. Inside an odd number of double quotes a
// delimiter belongs to the identifier, so Table."First Name" reads as one.
// pos is left on the delimiter or at the end.
std::string_view ReadIdentifier(std::string_view text, std::size_t& pos);

// The single-quoted literal whose opening quote is at pos, both quotes
// included; a doubled quote inside does not end it. An unterminated literal
// runs to the end. pos is left just after it.
std::string_view ReadQuotedString(std::string_view text, std::size_t& pos);

// The text between the first '[' at or after start and its matching ']'.
// Brackets nest and brackets inside single- or double-quoted text do not
// count. start becomes the position of that '[' and end the position of the
// matching ']' (the text's size when it is not closed). Without a '[' both
// become the text's size and the result is empty.
std::string_view ReadBracketed(std::string_view text, std::size_t& start, std::size_t& end);

// Splits the argument list whose '(' is at pos into at most three argument
// texts (untrimmed; absent ones empty). Commas inside single quotes or nested
// parentheses do not split. pos is left just after the closing parenthesis.
// Throws ParserError when the list is not closed.
void SplitArguments(std::string_view text, std::size_t& pos, std::string_view& a1,
                    std::string_view& a2, std::string_view& a3);

// The binding level of an operator byte of the postfix text; smaller binds
// tighter. '(' is 5, ')' 4, unknown bytes 0.
int OperatorPriority(char op);

// Operator bytes of the postfix text besides '+', '-', '*', '/', '<', '=', '>'.
namespace op {
constexpr char GreaterEqual = 1;
constexpr char LessEqual = 2;
constexpr char NotEqual = 3;
constexpr char Or = 4;
constexpr char And = 5;
constexpr char Int = 6;
constexpr char Frac = 7;
constexpr char Negate = 9;
constexpr char Plus = 10;
constexpr char Str = 11;
constexpr char Not = 12;
constexpr char Mod = 13;
constexpr char Round = 14;
} // namespace op

} // namespace vl
