#include "engine/script/TvlParser.h"

#include "engine/script/EngineText.h"
#include "engine/script/Errors.h"
#include "engine/script/ExpressionScan.h"
#include "engine/script/TextUtils.h"
#include "engine/script/ValueFormat.h"

#include <array>
#include <charconv>
#include <cmath>

namespace vl {

namespace {

constexpr int kStackSlots = 32;

bool startsNumber(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == ',';
}

bool isOperatorChar(char c) {
    switch (c) {
    case '*':
    case '+':
    case '-':
    case '/':
    case '<':
    case '=':
    case '>':
        return true;
    default:
        return false;
    }
}

// The operator byte of a word operator, 0 for any other word.
char keywordOperator(std::string_view word) {
    struct Keyword {
        std::string_view word;
        char code;
    };
    static constexpr Keyword keywords[] = {
        {"INT", op::Int}, {"FRAC", op::Frac}, {"ROUND", op::Round}, {"OR", op::Or},
        {"AND", op::And}, {"NOT", op::Not},   {"STR", op::Str},     {"MOD", op::Mod}};
    if (word.size() < 2 || word.size() > 5) return 0;
    for (const Keyword& k : keywords)
        if (SameText(word, k.word)) return k.code;
    return 0;
}

// Number literals take '.' or ',' as the decimal separator whatever the locale.
double numberLiteral(std::string_view text) {
    char buffer[64];
    if (text.size() < sizeof buffer) {
        for (std::size_t i = 0; i < text.size(); ++i)
            buffer[i] = text[i] == ',' ? '.' : text[i];
        double value = 0;
        const auto [end, ec] = std::from_chars(buffer, buffer + text.size(), value);
        if (ec == std::errc() && end == buffer + text.size()) return value;
    }
    throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
}

// The text of a quoted literal: outer quotes removed, doubled quotes single.
std::string unquote(std::string_view literal) {
    std::string_view body = literal.substr(1);
    if (!body.empty() && body.back() == '\'' && literal.size() >= 2) body.remove_suffix(1);
    std::string text;
    text.reserve(body.size());
    for (std::size_t i = 0; i < body.size(); ++i) {
        text.push_back(body[i]);
        if (body[i] == '\'' && i + 1 < body.size() && body[i + 1] == '\'') ++i;
    }
    return text;
}

// Operator stack of the infix conversion; the back is the top.
class OperatorStack {
public:
    explicit OperatorStack(std::string& out) : out_(out) {}

    void push(char c) { stack_.push_back(c); }

    // Pops operators that bind at least as tightly, so equal levels
    // associate to the left, then pushes.
    void stack(char c) {
        const int level = OperatorPriority(c);
        while (!stack_.empty() && level >= OperatorPriority(stack_.back()))
            popToOutput();
        stack_.push_back(c);
    }

    void closeParenthesis() {
        while (!stack_.empty() && stack_.back() != '(')
            popToOutput();
        if (!stack_.empty()) stack_.pop_back();
    }

    void flush() {
        while (!stack_.empty())
            popToOutput();
    }

private:
    void popToOutput() {
        out_.push_back(stack_.back());
        stack_.pop_back();
    }

    std::string& out_;
    std::string stack_;
};

// The operator at text[i] ('<>', '>=', '<=' take two characters); i is left
// on its last character.
char readOperator(std::string_view text, std::size_t& i) {
    const char c = text[i];
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    char code = c;
    if (c == '<' && next == '>')
        code = op::NotEqual;
    else if (c == '>' && next == '=')
        code = op::GreaterEqual;
    else if (c == '<' && next == '=')
        code = op::LessEqual;
    if (code != c) ++i;
    return code;
}

// Whether a literal read by ReadQuotedString has its closing quote.
bool literalClosed(std::string_view literal) {
    std::size_t k = 1;
    while (k < literal.size()) {
        if (literal[k] != '\'') {
            ++k;
        } else if (k + 1 < literal.size() && literal[k + 1] == '\'') {
            k += 2;
        } else {
            return k + 1 == literal.size();
        }
    }
    return false;
}

// The position of a ';' outside double quotes, or the size.
std::size_t endOfExpression(std::string_view ident) {
    bool quoted = false;
    for (std::size_t k = 0; k < ident.size(); ++k) {
        if (ident[k] == '"')
            quoted = !quoted;
        else if (ident[k] == ';' && !quoted)
            return k;
    }
    return ident.size();
}

// Reads one operand of the infix text starting at i into its source text.
std::string_view readOperand(std::string_view text, std::size_t& i, std::size_t& start) {
    const std::size_t n = text.size();
    start = i;
    if (text[i] == '%') {
        i = std::min(i + 2, n);
    } else {
        while (i < n && static_cast<unsigned char>(text[i]) <= ' ')
            ++i;
        start = i;
    }
    if (i < n && text[i] == '\'') {
        ReadQuotedString(text, i);
    } else if (i < n && text[i] == '[') {
        std::size_t end = 0;
        ReadBracketed(text, i, end);
        i = std::min(end + 1, n);
    } else {
        const std::string_view ident = ReadIdentifier(text, i);
        // ';' ends the expression even when it follows an operand directly
        if (const std::size_t semicolon = endOfExpression(ident); semicolon < ident.size()) {
            i = static_cast<std::size_t>(ident.data() - text.data()) + semicolon;
            return text.substr(start, i - start);
        }
        if (i < n && text[i] == '[') {
            std::size_t open = i, end = 0;
            ReadBracketed(text, open, end);
            i = std::min(end + 1, n);
        }
    }
    return text.substr(start, i - start);
}

} // namespace

std::string TvlParser::ToPostfix(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    OperatorStack ops(out);
    bool lastWasOperand = false;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = text[i];
        if (c == ' ' || c == '\r') {
            ++i;
        } else if (c == '(') {
            ops.push('(');
            lastWasOperand = false;
            ++i;
        } else if (c == ')') {
            ops.closeParenthesis();
            ++i;
        } else if (c == ';') {
            break;
        } else if (isOperatorChar(c)) {
            char code = readOperator(text, i);
            if (!lastWasOperand && code == '-') code = op::Negate;
            if (!lastWasOperand && code == '+') code = op::Plus;
            lastWasOperand = false;
            ops.stack(code);
            ++i;
        } else {
            lastWasOperand = true;
            std::size_t start = 0;
            const std::string_view operand = readOperand(text, i, start);
            const char keyword = keywordOperator(operand);
            if (!operand.empty() && operand[0] == '\'' && !literalClosed(operand)) {
                // an unterminated literal ends with the text
                out.append(operand).append("' ");
            } else if (!operand.empty() && startsNumber(operand[0])) {
                out.append(operand).push_back(' ');
            } else if (keyword) {
                ops.stack(keyword);
                lastWasOperand = false;
            } else if (i < n && text[i] == '(') {
                std::string_view a1, a2, a3;
                SplitArguments(text, i, a1, a2, a3);
                out.append(text.substr(start, i - start));
            } else {
                out.append(operand).push_back(' ');
            }
        }
    }
    ops.flush();
    return out;
}

// The 32 value slots of an evaluation. Every access is checked, so malformed
// postfix text ends in a ParserError instead of touching memory outside.
class TvlParser::Stack {
public:
    Stack() { slots_[0] = Variant(0); }

    void push(Variant value) {
        if (top_ >= kStackSlots)
            throw ParserError("Expression too complex: more than 32 pending values");
        slots_[static_cast<std::size_t>(top_++)] = std::move(value);
    }
    Variant& top() {
        if (top_ < 1) throw ParserError("Operator without an operand in expression");
        return slots_[static_cast<std::size_t>(top_ - 1)];
    }
    // The second value from the top, which receives a binary result, and the top.
    std::pair<Variant&, Variant&> pair() {
        if (top_ < 2) throw ParserError("Operator without an operand in expression");
        return {slots_[static_cast<std::size_t>(top_ - 2)],
                slots_[static_cast<std::size_t>(top_ - 1)]};
    }
    void drop() { slots_[static_cast<std::size_t>(--top_)] = Variant(); }
    Variant& result() { return slots_[0]; }

private:
    std::array<Variant, kStackSlots> slots_;
    int top_ = 0;
};

namespace {

Variant truthValue(bool b) {
    return Variant(b ? 1 : 0);
}

void applyBinary(char code, Variant& a, const Variant& b) {
    switch (code) {
    case '+':
        a = a + b;
        break;
    case '-':
        a = a - b;
        break;
    case '*':
        a = a * b;
        break;
    case '/':
        a = Variant::compare(b, Variant(0)) == 0 ? Variant(0) : a / b;
        break;
    case op::Mod:
        a = Variant::mod(a, b);
        break;
    case op::Or:
        a = Variant::logicalOr(a, b);
        break;
    case op::And:
        a = Variant::logicalAnd(a, b);
        break;
    case '<':
        a = truthValue(Variant::compare(a, b) < 0);
        break;
    case '>':
        a = truthValue(Variant::compare(a, b) > 0);
        break;
    case '=':
        a = truthValue(Variant::compare(a, b) == 0);
        break;
    case op::GreaterEqual:
        a = truthValue(Variant::compare(a, b) >= 0);
        break;
    case op::LessEqual:
        a = truthValue(Variant::compare(a, b) <= 0);
        break;
    case op::NotEqual:
        a = truthValue(Variant::compare(a, b) != 0);
        break;
    }
}

// A value within 1e-10 of an integer counts as that integer.
double snapToInteger(double v) {
    const double r = RoundHalfEven(v);
    return std::fabs(r - v) < 1e-10 ? r : v;
}

void applyUnary(char code, Variant& v) {
    switch (code) {
    case op::Int:
        v = Variant(std::trunc(snapToInteger(v.toDouble())));
        break;
    case op::Frac: {
        const double x = snapToInteger(v.toDouble());
        v = Variant(x - std::trunc(x));
        break;
    }
    case op::Round:
        v = Variant(RoundHalfEven(v.toDouble()));
        break;
    case op::Negate:
        v = -v;
        break;
    case op::Str:
        v = Variant(v.toString());
        break;
    case op::Not:
        v = truthValue(Variant::compare(v, Variant(0)) == 0);
        break;
    }
}

bool isBinary(char c) {
    switch (c) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '<':
    case '>':
    case '=':
    case op::GreaterEqual:
    case op::LessEqual:
    case op::NotEqual:
    case op::Or:
    case op::And:
    case op::Mod:
        return true;
    default:
        return false;
    }
}

bool isUnary(char c) {
    switch (c) {
    case op::Int:
    case op::Frac:
    case op::Round:
    case op::Negate:
    case op::Str:
    case op::Not:
        return true;
    default:
        return false;
    }
}

// Keeps the nesting count of one parser balanced across exceptions.
class NestingGuard {
public:
    explicit NestingGuard(int& depth) : depth_(depth) {
        if (++depth_ > TvlParser::kMaxNesting) {
            --depth_;
            throw ParserError("Expression nested too deeply");
        }
    }
    ~NestingGuard() { --depth_; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

private:
    int& depth_;
};

} // namespace

Variant TvlParser::Evaluate(std::string_view expression) {
    return EvalPostfix(ToPostfix(expression));
}

Variant TvlParser::EvalPostfix(std::string_view s) {
    NestingGuard guard(nesting_);
    Stack stack;
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = s[i];
        if (isBinary(c)) {
            auto [a, b] = stack.pair();
            applyBinary(c, a, b);
            stack.drop();
            ++i;
        } else if (isUnary(c)) {
            applyUnary(c, stack.top());
            ++i;
        } else if (c == ' ' || c == op::Plus) {
            ++i;
        } else if (c == '[') {
            std::size_t start = i, end = 0;
            const std::string_view name = ReadBracketed(s, start, end);
            stack.push(lookup(name));
            i = end + 1;
        } else if (c == '\'') {
            stack.push(Variant(unquote(ReadQuotedString(s, i))));
        } else if (startsNumber(c)) {
            stack.push(Variant(numberLiteral(ReadIdentifier(s, i))));
        } else if (c == '(' || c == ')') {
            throw ParserError("Unbalanced parentheses in expression");
        } else {
            evalIdentifier(s, i, stack);
        }
    }
    return std::move(stack.result());
}

void TvlParser::evalIdentifier(std::string_view s, std::size_t& i, Stack& stack) {
    const std::size_t n = s.size();
    const std::size_t before = i;
    const std::string_view ident = ReadIdentifier(s, i);
    if (i < n && s[i] == '[') {
        std::size_t open = i, end = 0;
        const std::string_view index = ReadBracketed(s, open, end);
        i = end + 1;
        std::string call = "GETARRAY(";
        call.append(ident).append(", ").append(index).push_back(')');
        stack.push(Evaluate(call));
    } else if (i < n && s[i] == '(') {
        std::string_view a1, a2, a3;
        SplitArguments(s, i, a1, a2, a3);
        stack.push(callFunction(text::Upper(ident), a1, a2, a3));
    } else if (SameText(ident, "TRUE")) {
        stack.push(Variant(true));
    } else if (SameText(ident, "FALSE")) {
        stack.push(Variant(false));
    } else if (!ident.empty()) {
        stack.push(lookup(text::Upper(ident)));
    } else if (i == before) {
        throw ParserError("Unexpected character in expression");
    }
}

Variant TvlParser::lookup(std::string_view name) {
    Variant value;
    if (OnGetValue) OnGetValue(name, value);
    return value;
}

namespace {

std::int32_t argumentInteger(TvlParser& parser, std::string_view arg) {
    return StrToInt(parser.Evaluate(arg).toString());
}

} // namespace

Variant TvlParser::callFunction(std::string_view name, std::string_view a1, std::string_view a2,
                                std::string_view a3) {
    if (name == "COPY") {
        const std::string text = Evaluate(a1).toString();
        const std::int32_t start = argumentInteger(*this, a2);
        return Variant(text::Copy(text, start, argumentInteger(*this, a3)));
    }
    if (name == "IF") {
        const double condition = StrToFloat(Evaluate(a1).toString());
        return Evaluate(std::trunc(condition) != 0 ? a2 : a3);
    }
    if (name == "STRTODATE") return Variant::dateTime(StrToDate(Evaluate(a1).toString(), locale_));
    if (name == "STRTOTIME") return Variant::dateTime(StrToTime(Evaluate(a1).toString(), locale_));
    Variant val;
    if (OnCallFunction)
        OnCallFunction(name, Variant(std::string(a1)), Variant(std::string(a2)),
                       Variant(std::string(a3)), val);
    return val;
}

} // namespace vl
