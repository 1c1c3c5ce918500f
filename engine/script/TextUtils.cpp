#include "engine/script/TextUtils.h"

#include "engine/script/EngineText.h"
#include "engine/script/Errors.h"

#include <charconv>

namespace vl {

std::string RemoveQuotes(std::string_view text) {
    if (text.size() > 2 && text.front() == '"' && text.back() == '"')
        return std::string(text.substr(1, text.size() - 2));
    return std::string(text);
}

std::string_view TrimBlanks(std::string_view text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

double StrToFloatAny(std::string_view text) {
    std::string normal(TrimBlanks(text));
    for (char& c : normal)
        if (c == ',') c = '.';
    const char* first = normal.data();
    const char* last = first + normal.size();
    if (first != last && *first == '+') ++first;
    const char* digits = first != last && *first == '-' ? first + 1 : first;
    const bool startsLikeNumber =
        digits != last && ((*digits >= '0' && *digits <= '9') || *digits == '.');
    double value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (!startsLikeNumber || ec != std::errc() || end != last)
        throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
    return value;
}

void SplitBySemicolon(std::string_view text, StringList& target) {
    target.clear();
    while (!text.empty()) {
        const auto cut = text.find(';');
        target.emplace_back(text.substr(0, cut));
        if (cut == std::string_view::npos) break;
        text.remove_prefix(cut + 1);
    }
}

std::string EscapeXml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '\n' || c == '\r' || c == '"' || c == '<' || c == '>')
            out += "&#" + std::to_string(static_cast<unsigned char>(c)) + ';';
        else
            out.push_back(c);
    }
    return out;
}

std::string StreamToHex(const MemoryStream& stream) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(stream.data().size() * 2);
    for (const auto b : stream.data()) {
        out.push_back(kDigits[b >> 4]);
        out.push_back(kDigits[b & 15]);
    }
    return out;
}

std::string ShiftCharsDown(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(static_cast<unsigned char>(c) - 10);
    return out;
}

std::string GetWindowsVersion() {
    return "NT";
}

int CompareText(std::string_view a, std::string_view b) {
    return text::CompareNoCase(a, b);
}

bool SameText(std::string_view a, std::string_view b) {
    // One byte per character: texts of different sizes differ. In UTF-8 a
    // character and its other case may differ in size.
    if (a.size() != b.size() && EngineTextEncoding() == TextEncoding::CodePage) return false;
    return text::CompareNoCase(a, b) == 0;
}

std::string UpperName(std::string_view name) {
    std::string result(name);
    for (char& c : result)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return result;
}

} // namespace vl
