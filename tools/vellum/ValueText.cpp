#include "tools/vellum/ValueText.h"

#include "engine/script/EngineText.h"
#include "engine/script/Errors.h"
#include "engine/script/LocaleService.h"

#include <charconv>
#include <cstdio>

namespace vellum_cli {

namespace {

std::string shortestDouble(double d) {
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, d);
    return std::string(buffer, r.ptr);
}

std::string dateText(double days) {
    if (!vl::IsValidOleDate(days)) throw vl::ConversionError("date out of range");
    const QDateTime m = vl::OleDateToDateTime(days);
    const QDate d = m.date();
    const QTime t = m.time();
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", d.year(), d.month(),
                  d.day(), t.hour(), t.minute(), t.second());
    std::string text = buffer;
    if (t.msec()) {
        std::snprintf(buffer, sizeof buffer, ".%03d", t.msec());
        text += buffer;
    }
    return text;
}

// Bytes that are no character of the engine's text (control characters,
// bytes the code page leaves undefined, broken UTF-8) are written as \xHH.
std::string escapedText(const std::string& s) {
    std::string out;
    const bool utf8 = vl::EngineTextEncoding() == vl::TextEncoding::Utf8;
    std::size_t size = 1;
    for (std::size_t i = 0; i < s.size(); i += size) {
        size = vl::text::CharSize(s, i);
        const char c = s[i];
        switch (c) {
        case '\\':
            out += "\\\\";
            continue;
        case '\r':
            out += "\\r";
            continue;
        case '\n':
            out += "\\n";
            continue;
        case '\t':
            out += "\\t";
            continue;
        default:
            break;
        }
        const char32_t code = vl::text::CodeAt(s, i);
        const bool broken = utf8 && size == 1 && static_cast<unsigned char>(c) >= 0x80;
        if (broken || QChar::category(code) == QChar::Other_Control || code == 0xFFFD) {
            for (std::size_t k = i; k < i + size; ++k) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(s[k]));
                out += hex;
            }
        } else {
            out += QString::fromUcs4(&code, 1).toStdString();
        }
    }
    return out;
}

} // namespace

std::string ValueText(const vl::Variant& value) {
    using Kind = vl::Variant::Kind;
    switch (value.kind()) {
    case Kind::Null:
        return {};
    case Kind::Boolean:
        return value.toBool() ? "true" : "false";
    case Kind::Integer:
        return std::to_string(value.toInt());
    case Kind::Double:
        return shortestDouble(value.toDouble());
    case Kind::DateTime:
        return dateText(value.toDouble());
    case Kind::String:
        return escapedText(value.toString());
    }
    return {};
}

std::string ValueLine(const vl::Variant& value) {
    static const char* const kinds[] = {"null", "bool", "int", "double", "date", "str"};
    return std::string(kinds[static_cast<int>(value.kind())]) + '\t' + ValueText(value);
}

} // namespace vellum_cli
