#include "engine/model/Hyphenation.h"

#include "engine/script/CodePage.h"
#include "engine/script/EngineText.h"

#include <QChar>
#include <string>
#include <vector>

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

namespace {

// The letter as the rules see it: its upper case as a byte of code page
// 1251 (0 for what that code page lacks), and the position of its last
// byte in the word.
struct Letter {
    unsigned char upper;
    int end;
};

unsigned char As1251(char32_t upper) {
    if (upper >= 0x0410 && upper <= 0x042F)
        return static_cast<unsigned char>(0xC0 + upper - 0x0410);
    if (upper == 0x0401) return 0xA8; // Ё
    return upper < 0x80 ? static_cast<unsigned char>(upper) : 0;
}

std::vector<Letter> LettersOf(std::string_view word) {
    std::vector<Letter> letters;
    if (EngineTextEncoding() == TextEncoding::CodePage) {
        const std::string upper = CurrentCodePage().toUpper(word);
        for (std::size_t i = 0; i < upper.size(); ++i)
            letters.push_back({static_cast<unsigned char>(upper[i]), static_cast<int>(i) + 1});
        return letters;
    }
    for (std::size_t i = 0; i < word.size(); i += text::CharSize(word, i)) {
        const char32_t upper = QChar::toUpper(text::CodeAt(word, i));
        letters.push_back({As1251(upper), static_cast<int>(i + text::CharSize(word, i))});
    }
    return letters;
}

} // namespace

std::vector<int> HyphenPositions(std::string_view word) {
    std::vector<int> positions;
    const std::vector<Letter> letters = LettersOf(word);
    const int length = static_cast<int>(letters.size());
    if (length <= 3) return positions;
    auto at = [&](int i) { return letters[static_cast<std::size_t>(i - 1)].upper; };
    for (int i = 2; i <= length - 2; ++i) {
        const unsigned char x = at(i), y = at(i + 1), z = at(i + 2);
        const bool breakAfter = (IsVowel(x) && (IsVowel(y) || IsVowel(z))) ||
                                (IsSign(x) && !IsDelimiter(z)) ||
                                (!IsVowel(y) && !IsSign(y) && IsVowel(z));
        if (breakAfter) positions.push_back(letters[static_cast<std::size_t>(i - 1)].end);
    }
    return positions;
}

} // namespace vl
