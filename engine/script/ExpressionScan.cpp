#include "engine/script/ExpressionScan.h"

#include "engine/script/CharClasses.h"
#include "engine/script/Errors.h"

#include <algorithm>

namespace vl {

namespace {

constexpr auto isBlank = IsBlank;

bool isIdentifierDelimiter(char c) {
    switch (c) {
    case '\r':
    case ' ':
    case '(':
    case ')':
    case '*':
    case '+':
    case '-':
    case '/':
    case '<':
    case '=':
    case '>':
    case '[':
        return true;
    default:
        return false;
    }
}

} // namespace

std::string_view ReadIdentifier(std::string_view text, std::size_t& pos) {
    const std::size_t n = text.size();
    while (pos < n && isBlank(text[pos]))
        ++pos;
    const std::size_t start = pos;
    int quotes = 0;
    while (pos < n) {
        const char c = text[pos];
        if (c == '"') ++quotes;
        if (isIdentifierDelimiter(c) && quotes % 2 == 0) break;
        ++pos;
    }
    return text.substr(start, pos - start);
}

std::string_view ReadQuotedString(std::string_view text, std::size_t& pos) {
    const std::size_t n = text.size();
    const std::size_t start = pos;
    std::size_t i = pos + 1;
    while (i < n) {
        if (text[i] == '\'') {
            if (i + 1 < n && text[i + 1] == '\'') {
                i += 2;
                continue;
            }
            pos = i + 1;
            return text.substr(start, pos - start);
        }
        ++i;
    }
    pos = n;
    return start < n ? text.substr(start) : std::string_view();
}

std::string_view ReadBracketed(std::string_view text, std::size_t& start, std::size_t& end) {
    const std::size_t n = text.size();
    bool outsideDouble = true, outsideSingle = true, opened = false;
    int depth = 0;
    std::size_t i = start;
    for (; i < n; ++i) {
        const char c = text[i];
        if (outsideDouble && outsideSingle) {
            if (c == '[') {
                if (depth == 0) start = i;
                ++depth;
                opened = true;
            } else if (c == ']' && depth > 0) {
                --depth;
            }
        }
        if (outsideSingle && c == '"') outsideDouble = !outsideDouble;
        if (outsideDouble && c == '\'') outsideSingle = !outsideSingle;
        if (opened && depth == 0) break;
    }
    if (!opened) {
        start = end = std::max(start, n);
        return {};
    }
    end = i < n ? i : n;
    return text.substr(start + 1, end - start - 1);
}

void SplitArguments(std::string_view text, std::size_t& pos, std::string_view& a1,
                    std::string_view& a2, std::string_view& a3) {
    a1 = a2 = a3 = {};
    const std::size_t n = text.size();
    int depth = 1, commas = 0;
    bool quoted = false;
    std::size_t argStart = pos + 1;
    for (std::size_t i = pos + 1; i < n; ++i) {
        const char c = text[i];
        if (c == '\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted) continue;
        if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (--depth == 0) {
                const std::string_view last = text.substr(argStart, i - argStart);
                if (commas == 0)
                    a1 = last;
                else if (commas == 1)
                    a2 = last;
                else if (commas == 2)
                    a3 = last;
                pos = i + 1;
                return;
            }
        } else if (c == ',' && depth == 1) {
            const std::string_view arg = text.substr(argStart, i - argStart);
            if (commas == 0)
                a1 = arg;
            else
                a2 = arg;
            ++commas;
            argStart = i + 1;
        }
    }
    throw ParserError("Missing ')' after the arguments of a function call");
}

int OperatorPriority(char c) {
    switch (c) {
    case op::Int:
    case op::Frac:
    case op::Round:
    case op::Str:
        return 0;
    case '*':
    case '/':
    case op::Mod:
    case op::And:
    case op::Or:
    case op::Not:
        return 1;
    case '+':
    case '-':
    case op::Negate:
    case op::Plus:
        return 2;
    case '<':
    case '=':
    case '>':
    case op::GreaterEqual:
    case op::LessEqual:
    case op::NotEqual:
        return 3;
    case ')':
        return 4;
    case '(':
        return 5;
    default:
        return 0;
    }
}

} // namespace vl
