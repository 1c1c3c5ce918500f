#pragma once

namespace vl {

// The character classes the expression scanner, the script compiler and the
// designer's syntax colouring share, so that they split text alike. Engine
// text is 8-bit: only ASCII letters and digits count here; other bytes are
// neither (names with accented letters are written in brackets).
constexpr bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Letters, digits and the underscore: the characters of a plain name.
constexpr bool IsNameChar(char c) {
    return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_';
}

// Control characters and the space.
constexpr bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace vl
