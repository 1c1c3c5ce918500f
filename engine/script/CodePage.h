#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vl {

// An 8-bit Windows code page: what the stored formats hold text in, and
// the engine's text while it keeps one byte per character (EngineText.h).
class CodePage {
public:
    static const CodePage& windows1252();
    static const CodePage& windows1251();
    // The code page with this number (1252 or 1251); nullptr for others.
    static const CodePage* byNumber(int number);

    int number() const { return number_; }
    QString toUnicode(std::string_view text) const;
    std::string fromUnicode(const QString& text) const;
    QChar toUnicode(char c) const { return QChar(toUnicode_[static_cast<std::uint8_t>(c)]); }

    char toUpper(char c) const { return static_cast<char>(upper_[static_cast<std::uint8_t>(c)]); }
    char toLower(char c) const { return static_cast<char>(lower_[static_cast<std::uint8_t>(c)]); }
    std::string toUpper(std::string_view text) const;
    std::string toLower(std::string_view text) const;
    bool isLetter(char c) const { return toUnicode(c).isLetter(); }

private:
    CodePage(int number, const std::array<char16_t, 128>& high);
    int fromUnicode(char16_t u) const;

    int number_;
    std::array<char16_t, 256> toUnicode_{};
    std::array<std::uint8_t, 256> upper_{};
    std::array<std::uint8_t, 256> lower_{};
    // Unicode -> byte for the upper half; 0 where the code page has no byte.
    std::array<std::uint8_t, 65536> fromUnicode_{};
};

// The code page of engine text in this process: Windows-1252 unless the
// environment variable VELLUM_CODEPAGE names another supported one.
const CodePage& CurrentCodePage();
void SetCurrentCodePage(const CodePage& page);

// Engine text to and from Qt's, in the engine's text encoding: the current
// code page or UTF-8.
QString ToQt(std::string_view text);
std::string FromQt(const QString& text);

} // namespace vl
