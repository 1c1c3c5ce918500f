#pragma once

#include "engine/script/Stream.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

using StringList = std::vector<std::string>;

// The first stream version whose strings and string lists use the current
// (length-prefixed) encodings; older streams hold zero-terminated forms.
constexpr int kFirstCurrentStringVersion = 23;
// The stream version this engine writes.
constexpr int kCurrentTemplateVersion = 25;

// Little-endian primitives. Reads past the end throw StreamReadError.
std::uint8_t ReadByte(Stream& s);
std::int16_t ReadWord(Stream& s);
std::uint16_t ReadUWord(Stream& s);
std::int32_t ReadInteger(Stream& s);
double ReadDouble(Stream& s);
void WriteByte(Stream& s, std::uint8_t value);
void WriteWord(Stream& s, std::int16_t value);
void WriteUWord(Stream& s, std::uint16_t value);
void WriteInteger(Stream& s, std::int32_t value);
void WriteDouble(Stream& s, double value);

// "str": length word, text, one zero byte.
std::string ReadString(Stream& s);
void WriteString(Stream& s, std::string_view text);
// "list": count word; 0 then a zero byte for the empty list; else per line
// its length word and text followed by 13, or 0 after the last line.
StringList ReadStrings(Stream& s);
void WriteStrings(Stream& s, const StringList& lines);

// Legacy forms of streams older than version 23.
std::string ReadStringOld(Stream& s);
StringList ReadStringsOld(Stream& s);

// The form that a stream of the given version holds.
std::string ReadStringFor(Stream& s, int version);
StringList ReadStringsFor(Stream& s, int version);

// "pstr": length word and text, no terminator, in every version.
std::string ReadPStr(Stream& s);
void WritePStr(Stream& s, std::string_view text);

// Raw text, and text followed by CR LF.
void WriteText(Stream& s, std::string_view text);
void WriteLine(Stream& s, std::string_view text);

} // namespace vl
