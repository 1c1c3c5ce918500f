#include "engine/build/sql/SqlParameters.h"

#include "engine/script/CodePage.h"

namespace vl {

namespace {

bool isNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9');
}

// Reads an identifier at pos; empty when there is none.
std::string readName(std::string_view sql, std::size_t& pos) {
    const std::size_t start = pos;
    if (pos < sql.size() && isNameStart(sql[pos]))
        while (pos < sql.size() && isNameChar(sql[pos]))
            ++pos;
    return std::string(sql.substr(start, pos - start));
}

// Reads a field name: an identifier or a double-quoted name.
std::string readField(std::string_view sql, std::size_t& pos) {
    if (pos >= sql.size() || sql[pos] != '"') return readName(sql, pos);
    const std::size_t close = sql.find('"', pos + 1);
    if (close == std::string_view::npos) return {};
    std::string field(sql.substr(pos + 1, close - pos - 1));
    pos = close + 1;
    return field;
}

// The end of a quoted text or comment starting at pos, or npos when the
// character there starts none.
std::size_t skipQuotedOrComment(std::string_view sql, std::size_t pos) {
    const char c = sql[pos];
    if (c == '\'' || c == '"' || c == '`') {
        const std::size_t close = sql.find(c, pos + 1);
        return close == std::string_view::npos ? sql.size() : close + 1;
    }
    if (sql.substr(pos, 2) == "--") {
        const std::size_t end = sql.find('\n', pos);
        return end == std::string_view::npos ? sql.size() : end;
    }
    if (sql.substr(pos, 2) == "/*") {
        const std::size_t end = sql.find("*/", pos + 2);
        return end == std::string_view::npos ? sql.size() : end + 2;
    }
    return std::string_view::npos;
}

// A ":Table.Field" parameter at pos (the colon); advances pos past it.
bool readParameter(std::string_view sql, std::size_t& pos, SqlFieldParameter& parameter) {
    std::size_t at = pos + 1;
    parameter.table = readName(sql, at);
    if (parameter.table.empty() || at >= sql.size() || sql[at] != '.') return false;
    ++at;
    parameter.field = readField(sql, at);
    if (parameter.field.empty()) return false;
    pos = at;
    return true;
}

} // namespace

SqlParameterizedText ParseFieldParameters(std::string_view sql) {
    SqlParameterizedText result;
    std::string text;
    std::size_t pos = 0;
    while (pos < sql.size()) {
        if (const std::size_t end = skipQuotedOrComment(sql, pos); end != std::string_view::npos) {
            text.append(sql.substr(pos, end - pos));
            pos = end;
        } else if (sql.substr(pos, 2) == "::") {
            text.append("::");
            pos += 2;
        } else if (SqlFieldParameter parameter;
                   sql[pos] == ':' && readParameter(sql, pos, parameter)) {
            text.push_back('?');
            result.parameters.push_back(std::move(parameter));
        } else {
            text.push_back(sql[pos++]);
        }
    }
    result.text = ToQt(text);
    return result;
}

} // namespace vl
