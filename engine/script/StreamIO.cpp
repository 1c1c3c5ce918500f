#include "engine/script/StreamIO.h"

#include "engine/script/Errors.h"

#include <bit>
#include <cstring>

namespace vl {

namespace {

static_assert(std::endian::native == std::endian::little, "streams are little-endian");

template <typename T> T readRaw(Stream& s) {
    T value;
    s.readBuffer(&value, sizeof value);
    return value;
}

template <typename T> void writeRaw(Stream& s, T value) {
    s.write(&value, sizeof value);
}

std::uint16_t checkedLength(std::string_view text) {
    if (text.size() > 0xFFFF)
        throw StreamWriteError("Text of " + std::to_string(text.size()) +
                               " bytes is too long to store (at most 65535)");
    return static_cast<std::uint16_t>(text.size());
}

std::string readChars(Stream& s, std::size_t n) {
    std::string text(n, '\0');
    s.readBuffer(text.data(), n);
    return text;
}

} // namespace

std::uint8_t ReadByte(Stream& s) {
    return readRaw<std::uint8_t>(s);
}
std::int16_t ReadWord(Stream& s) {
    return readRaw<std::int16_t>(s);
}
std::uint16_t ReadUWord(Stream& s) {
    return readRaw<std::uint16_t>(s);
}
std::int32_t ReadInteger(Stream& s) {
    return readRaw<std::int32_t>(s);
}
double ReadDouble(Stream& s) {
    return readRaw<double>(s);
}
void WriteByte(Stream& s, std::uint8_t value) {
    writeRaw(s, value);
}
void WriteWord(Stream& s, std::int16_t value) {
    writeRaw(s, value);
}
void WriteUWord(Stream& s, std::uint16_t value) {
    writeRaw(s, value);
}
void WriteInteger(Stream& s, std::int32_t value) {
    writeRaw(s, value);
}
void WriteDouble(Stream& s, double value) {
    writeRaw(s, value);
}

std::string ReadString(Stream& s) {
    std::string text = readChars(s, ReadUWord(s));
    ReadByte(s); // the terminator
    return text;
}

void WriteString(Stream& s, std::string_view text) {
    WriteUWord(s, checkedLength(text));
    WriteText(s, text);
    WriteByte(s, 0);
}

StringList ReadStrings(Stream& s) {
    StringList lines;
    if (ReadUWord(s) == 0) {
        ReadByte(s);
        return lines;
    }
    // The count only tells the empty list apart; the separators end the list.
    for (;;) {
        lines.push_back(readChars(s, ReadUWord(s)));
        if (ReadByte(s) == 0) return lines;
    }
}

void WriteStrings(Stream& s, const StringList& lines) {
    if (lines.size() > 0xFFFF)
        throw StreamWriteError("A list of " + std::to_string(lines.size()) +
                               " lines is too long to store (at most 65535)");
    WriteUWord(s, static_cast<std::uint16_t>(lines.size()));
    if (lines.empty()) {
        WriteByte(s, 0);
        return;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        WriteUWord(s, checkedLength(lines[i]));
        WriteText(s, lines[i]);
        WriteByte(s, i + 1 < lines.size() ? 13 : 0);
    }
}

std::string ReadStringOld(Stream& s) {
    std::string text;
    for (char c; (c = static_cast<char>(ReadByte(s))) != 0;)
        text.push_back(c);
    return text;
}

StringList ReadStringsOld(Stream& s) {
    StringList lines;
    std::string line;
    for (;;) {
        const auto c = ReadByte(s);
        if (c == 0) break;
        if (c == 13) {
            lines.push_back(std::move(line));
            line.clear();
        } else {
            line.push_back(static_cast<char>(c));
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

std::string ReadStringFor(Stream& s, int version) {
    return version >= kFirstCurrentStringVersion ? ReadString(s) : ReadStringOld(s);
}

StringList ReadStringsFor(Stream& s, int version) {
    return version >= kFirstCurrentStringVersion ? ReadStrings(s) : ReadStringsOld(s);
}

std::string ReadPStr(Stream& s) {
    return readChars(s, ReadUWord(s));
}

void WritePStr(Stream& s, std::string_view text) {
    WriteUWord(s, checkedLength(text));
    WriteText(s, text);
}

void WriteText(Stream& s, std::string_view text) {
    s.write(text.data(), text.size());
}

void WriteLine(Stream& s, std::string_view text) {
    WriteText(s, text);
    WriteText(s, "\r\n");
}

} // namespace vl
