#pragma once

#include <string_view>
#include <vector>

namespace vl {

// Where a word may be hyphenated, by the syllable rules for Russian text in
// code page 1251: the 1-based byte positions after which a break may fall
// (each the last byte of a character), in increasing order. Words of three
// characters or fewer, and words without Cyrillic vowels, have none. The
// word is upper-cased first; in UTF-8 text Cyrillic letters count as their
// code-page-1251 bytes.
std::vector<int> HyphenPositions(std::string_view word);

} // namespace vl
