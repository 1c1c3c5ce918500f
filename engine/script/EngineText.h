#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vl {

// How the engine's text is held in its std::string values: one byte per
// character in the process code page (what the stored formats hold), or
// UTF-8. The functions below work on characters either way, so the
// function library, comparisons and case mapping give the same answers
// whichever encoding the text arrives in.
enum class TextEncoding { CodePage, Utf8 };

TextEncoding EngineTextEncoding();
void SetEngineTextEncoding(TextEncoding encoding);

// Sets the encoding for as long as it lives.
class ScopedTextEncoding {
public:
    explicit ScopedTextEncoding(TextEncoding encoding);
    ~ScopedTextEncoding();
    ScopedTextEncoding(const ScopedTextEncoding&) = delete;
    ScopedTextEncoding& operator=(const ScopedTextEncoding&) = delete;

private:
    TextEncoding previous_;
};

namespace text {

// Whether every byte is ASCII: then the text is the same in every encoding.
bool IsAscii(std::string_view text);
// The number of characters. Malformed UTF-8 counts a byte per character.
int Length(std::string_view text);
// Up to count characters from the 1-based character start.
std::string Copy(std::string_view text, std::int64_t start, std::int64_t count);
// The 1-based character position of part in whole, 0 when it is not there
// (or part is empty).
int Position(std::string_view part, std::string_view whole);
std::string Upper(std::string_view text);
std::string Lower(std::string_view text);
// The first character upper-cased, the rest lower-cased.
std::string NameCase(std::string_view text);
// Compares character by character without regard to case: each character
// upper-cased, then by its code.
int CompareNoCase(std::string_view a, std::string_view b);
// Whether the character starting at byte i is a letter.
bool IsLetterAt(std::string_view text, std::size_t i);
// The byte size of the character starting at byte i (at least 1).
std::size_t CharSize(std::string_view text, std::size_t i);
// The Unicode code of the character starting at byte i.
char32_t CodeAt(std::string_view text, std::size_t i);
// Whether the byte continues a character that starts before it (never with
// one byte per character).
bool ContinuesChar(char byte);
// Whether the code is of a script written without spaces between words
// (Chinese, Japanese, Korean), where a line may break between any two
// characters.
bool BreaksBetweenChars(char32_t code);

} // namespace text
} // namespace vl
