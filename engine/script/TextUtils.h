#pragma once

#include "engine/script/Stream.h"
#include "engine/script/StreamIO.h"

#include <string>
#include <string_view>

namespace vl {

// The text between the outer double quotes when it is longer than two
// characters and quoted at both ends; otherwise the text unchanged.
std::string RemoveQuotes(std::string_view text);

// Reads a number written with either '.' or ',' as its decimal separator.
// Throws ConversionError when the text is no number.
double StrToFloatAny(std::string_view text);

// Cuts the text at every ';'; empty pieces are kept, a trailing ';' adds none.
void SplitBySemicolon(std::string_view text, StringList& target);

// Line feed, carriage return, '"', '<' and '>' become "&#N;"; '&' stays.
std::string EscapeXml(std::string_view text);

// Every byte of the stream from its start as two upper-case hex digits.
std::string StreamToHex(const MemoryStream& stream);

// Every character's code minus 10.
std::string ShiftCharsDown(std::string_view text);

// The operating system family as the engine names it.
std::string GetWindowsVersion();

// Removes leading and trailing characters up to and including the blank.
std::string_view TrimBlanks(std::string_view text);

// Upper-cases ASCII letters (property and method names).
std::string UpperName(std::string_view name);

// Compares without regard to case in the engine code page.
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);

} // namespace vl
