#include "engine/model/Hyphenation.h"

#include "engine/script/CodePage.h"

#include <string>

namespace vl {

namespace {

// Upper-case Cyrillic vowels of code page 1251: Ё А Е И О У Ы Э Ю Я.
bool IsVowel(unsigned char c) {
    switch (c) {
    case 0xA8:
    case 0xC0:
    case 0xC5:
    case 0xC8:
    case 0xCE:
    case 0xD3:
    case 0xDB:
    case 0xDD:
    case 0xDE:
    case 0xDF:
        return true;
    default:
        return false;
    }
}

// The hard and the soft sign: Ъ Ь.
bool IsSign(unsigned char c) {
    return c == 0xDA || c == 0xDC;
}

bool IsDelimiter(unsigned char c) {
    return c == ' ' || c == ',' || c == '-' || c == '.';
}

} // namespace

std::vector<int> HyphenPositions(std::string_view word) {
    std::vector<int> positions;
    const int length = static_cast<int>(word.size());
    if (length <= 3) return positions;
    const std::string upper = CurrentCodePage().toUpper(word);
    auto at = [&](int i) {
        return static_cast<unsigned char>(upper[static_cast<std::size_t>(i - 1)]);
    };
    for (int i = 2; i <= length - 2; ++i) {
        const unsigned char x = at(i), y = at(i + 1), z = at(i + 2);
        const bool breakAfter = (IsVowel(x) && (IsVowel(y) || IsVowel(z))) ||
                                (IsSign(x) && !IsDelimiter(z)) ||
                                (!IsVowel(y) && !IsSign(y) && IsVowel(z));
        if (breakAfter) positions.push_back(i);
    }
    return positions;
}

} // namespace vl
