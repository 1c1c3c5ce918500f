#include "tools/vellum/JsonWriter.h"

#include <charconv>
#include <cmath>

namespace vellum_cli {

std::string ShortestDouble(double number) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
}

void JsonWriter::newline() {
    out_ += '\n';
    out_.append(first_.size() * 2, ' ');
}

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (first_.empty()) return;
    if (!first_.back()) out_ += ',';
    first_.back() = false;
    newline();
}

void JsonWriter::beginObject() {
    separate();
    out_ += '{';
    first_.push_back(true);
}

void JsonWriter::endObject() {
    const bool empty = first_.back();
    first_.pop_back();
    if (!empty) newline();
    out_ += '}';
    if (first_.empty()) out_ += '\n';
}

void JsonWriter::beginArray() {
    separate();
    out_ += '[';
    first_.push_back(true);
}

void JsonWriter::endArray() {
    const bool empty = first_.back();
    first_.pop_back();
    if (!empty) newline();
    out_ += ']';
    if (first_.empty()) out_ += '\n';
}

void JsonWriter::key(std::string_view name) {
    value(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    out_ += ": ";
    afterKey_ = true;
}

void JsonWriter::value(const QString& text) {
    separate();
    QString escaped;
    escaped.reserve(text.size() + 2);
    escaped += QLatin1Char('"');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            escaped += QLatin1String("\\\"");
            break;
        case '\\':
            escaped += QLatin1String("\\\\");
            break;
        case '\n':
            escaped += QLatin1String("\\n");
            break;
        case '\r':
            escaped += QLatin1String("\\r");
            break;
        case '\t':
            escaped += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                escaped += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                escaped += c;
        }
    }
    escaped += QLatin1Char('"');
    out_ += escaped.toStdString();
}

void JsonWriter::value(double number) {
    separate();
    out_ += std::isfinite(number) ? ShortestDouble(number) : "null";
}

void JsonWriter::value(std::int64_t number) {
    separate();
    out_ += std::to_string(number);
}

void JsonWriter::value(bool flag) {
    separate();
    out_ += flag ? "true" : "false";
}

void JsonWriter::null() {
    separate();
    out_ += "null";
}

} // namespace vellum_cli
