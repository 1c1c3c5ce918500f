#include "engine/script/EngineText.h"

#include "engine/script/CodePage.h"

#include <QChar>
#include <QString>
#include <algorithm>
#include <atomic>

namespace vl {

namespace {

std::atomic<TextEncoding> gEncoding{TextEncoding::CodePage};

bool utf8() {
    return gEncoding.load(std::memory_order_relaxed) == TextEncoding::Utf8;
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length a lead byte announces, 1 for bytes that lead nothing.
std::size_t announcedSize(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2) return 2;
    return 1;
}

// One UTF-8 character: its code and byte size. A malformed sequence is
// its first byte alone, read as that code.
struct Decoded {
    char32_t code;
    std::size_t size;
};

Decoded decodeAt(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t size = announcedSize(lead);
    if (size == 1 || i + size > text.size()) return {lead, 1};
    char32_t code = lead & (0x7F >> size);
    for (std::size_t k = 1; k < size; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if (!isContinuation(next)) return {lead, 1};
        code = (code << 6) | (next & 0x3F);
    }
    return {code, size};
}

char32_t upperCode(char32_t code) {
    if (code < 0x80) return (code >= 'a' && code <= 'z') ? code - 32 : code;
    return QChar::toUpper(code);
}

// Byte offset of the character with 0-based index n, or the size when the
// text has fewer characters.
std::size_t offsetOfChar(std::string_view text, std::int64_t n) {
    std::size_t i = 0;
    for (; i < text.size() && n > 0; --n)
        i += text::CharSize(text, i);
    return std::min(i, text.size());
}

std::string mapCase(std::string_view text, bool upper) {
    if (text::IsAscii(text)) {
        std::string out(text);
        for (char& c : out)
            if (upper && c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 32);
            else if (!upper && c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + 32);
        return out;
    }
    const QString unicode = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return (upper ? unicode.toUpper() : unicode.toLower()).toStdString();
}

} // namespace

QString ToQt(std::string_view text) {
    if (utf8()) return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return CurrentCodePage().toUnicode(text);
}

std::string FromQt(const QString& text) {
    return utf8() ? text.toStdString() : CurrentCodePage().fromUnicode(text);
}

TextEncoding EngineTextEncoding() {
    return gEncoding.load(std::memory_order_relaxed);
}

void SetEngineTextEncoding(TextEncoding encoding) {
    gEncoding.store(encoding, std::memory_order_relaxed);
}

ScopedTextEncoding::ScopedTextEncoding(TextEncoding encoding) : previous_(EngineTextEncoding()) {
    SetEngineTextEncoding(encoding);
}

ScopedTextEncoding::~ScopedTextEncoding() {
    SetEngineTextEncoding(previous_);
}

namespace text {

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::size_t CharSize(std::string_view text, std::size_t i) {
    if (!utf8() || i >= text.size()) return 1;
    return decodeAt(text, i).size;
}

int Length(std::string_view text) {
    if (!utf8()) return static_cast<int>(text.size());
    int count = 0;
    for (std::size_t i = 0; i < text.size(); i += CharSize(text, i))
        ++count;
    return count;
}

std::string Copy(std::string_view text, std::int64_t start, std::int64_t count) {
    const std::int64_t from = std::max<std::int64_t>(start, 1) - 1;
    if (count <= 0) return {};
    const std::size_t begin = offsetOfChar(text, from);
    if (begin >= text.size()) return {};
    const std::string_view rest = text.substr(begin);
    return std::string(rest.substr(0, offsetOfChar(rest, count)));
}

int Position(std::string_view part, std::string_view whole) {
    if (part.empty()) return 0;
    const std::size_t at = whole.find(part);
    if (at == std::string_view::npos) return 0;
    return Length(whole.substr(0, at)) + 1;
}

std::string Upper(std::string_view text) {
    return utf8() ? mapCase(text, true) : CurrentCodePage().toUpper(text);
}

std::string Lower(std::string_view text) {
    return utf8() ? mapCase(text, false) : CurrentCodePage().toLower(text);
}

std::string NameCase(std::string_view text) {
    if (text.empty()) return {};
    const std::size_t first = CharSize(text, 0);
    return Upper(text.substr(0, first)) + Lower(text.substr(first));
}

int CompareNoCase(std::string_view a, std::string_view b) {
    if (!utf8()) {
        const CodePage& page = CurrentCodePage();
        const auto n = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < n; ++i) {
            const auto x = static_cast<unsigned char>(page.toUpper(a[i]));
            const auto y = static_cast<unsigned char>(page.toUpper(b[i]));
            if (x != y) return x < y ? -1 : 1;
        }
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    }
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const Decoded x = decodeAt(a, i), y = decodeAt(b, j);
        const char32_t ux = upperCode(x.code), uy = upperCode(y.code);
        if (ux != uy) return ux < uy ? -1 : 1;
        i += x.size;
        j += y.size;
    }
    const bool aLeft = i < a.size(), bLeft = j < b.size();
    return aLeft == bLeft ? 0 : (aLeft ? 1 : -1);
}

char32_t CodeAt(std::string_view text, std::size_t i) {
    if (i >= text.size()) return 0;
    if (!utf8()) return CurrentCodePage().toUnicode(text[i]).unicode();
    return decodeAt(text, i).code;
}

bool ContinuesChar(char byte) {
    return utf8() && isContinuation(static_cast<unsigned char>(byte));
}

bool BreaksBetweenChars(char32_t code) {
    return (code >= 0x2E80 && code <= 0x9FFF) || // CJK radicals, kana, ideographs
           (code >= 0xAC00 && code <= 0xD7AF) || // Hangul syllables
           (code >= 0xF900 && code <= 0xFAFF) || // compatibility ideographs
           (code >= 0xFF00 && code <= 0xFFEF) || // full-width forms
           (code >= 0x20000 && code <= 0x3FFFF); // ideograph extensions
}

bool IsLetterAt(std::string_view text, std::size_t i) {
    if (i >= text.size()) return false;
    if (!utf8()) return CurrentCodePage().isLetter(text[i]);
    const Decoded d = decodeAt(text, i);
    if (d.code < 0x80) return QChar::isLetter(d.code);
    return d.size > 1 && QChar::isLetter(d.code);
}

} // namespace text
} // namespace vl
