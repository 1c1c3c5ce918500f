#include "engine/script/ScriptCompiler.h"

#include "engine/script/CharClasses.h"
#include "engine/script/CompiledLine.h"
#include "engine/script/ExpressionScan.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlParser.h"

#include <algorithm>

namespace vl {

namespace {

constexpr std::string_view kNeedSemicolonOrEnd = "Need \";\" or \"end\" here";
constexpr std::string_view kNeedThen = "Need \"then\" here";
constexpr std::string_view kNeedSemicolonOrUntil = "Need \";\" or \"until\" here";
constexpr std::string_view kNeedDo = "Need \"do\" here";
constexpr std::string_view kNeedTo = "Need \"to\" here";
constexpr std::string_view kGotoNumber = "\"goto\" label must be a number";
constexpr std::string_view kNeedAssign = "Need \":=\" here";
constexpr std::string_view kNeedParenthesis = "Need \")\" here";
constexpr std::string_view kNeedBracket = "Need \"]\" here";
constexpr std::string_view kNeedCommaOrParenthesis = "Need \",\" or \")\" here";
// Failures the statement grammar names no message for.
constexpr std::string_view kNeedExpression = "Need an expression here";
constexpr std::string_view kNeedVariable = "Need a variable here";
constexpr std::string_view kSyntaxError = "Syntax error";
constexpr std::string_view kTooLong = "Script is longer than 32000 characters";
constexpr std::string_view kTooManyLabels = "Too many labels: at most 101";
constexpr std::string_view kTooDeep = "Statements or parentheses nested too deeply";
constexpr std::string_view kTooManyLines = "Script too long: more than 65535 compiled lines";

constexpr auto isDigit = IsAsciiDigit;
constexpr auto isLetter = IsAsciiLetter;

bool startsWith(std::string_view token, std::string_view prefix) {
    return token.substr(0, prefix.size()) == prefix;
}

bool isEnd(std::string_view token) {
    return token == "END" || token == "END;";
}

// Counts nesting depth for the lifetime of one construct.
class NestingGuard {
public:
    explicit NestingGuard(int& depth) : depth_(depth) { ++depth_; }
    ~NestingGuard() { --depth_; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

private:
    int& depth_;
};

} // namespace

ScriptCompiler::ScriptCompiler(StringList& compiled, StringList& errors)
    : compiled_(compiled), errors_(errors) {}

// ---------------------------------------------------------------- errors --

void ScriptCompiler::fail(std::string_view message) {
    failAt(s_.tokenStart(), message);
}

void ScriptCompiler::failAt(std::size_t pos, std::string_view message) {
    if (!error_ || message_.empty()) {
        message_ = message;
        errorPos_ = pos;
    }
    error_ = true;
}

void ScriptCompiler::clearError() {
    error_ = false;
    message_.clear();
}

void ScriptCompiler::addErrorLine(std::size_t bufferPos, std::string_view message) {
    const ScriptScanner::Position p = s_.SourcePosition(bufferPos);
    errors_.push_back("Line " + std::to_string(p.line) + "/" + std::to_string(p.column) + ": " +
                      std::string(message));
}

void ScriptCompiler::reportError() {
    addErrorLine(errorPos_, message_.empty() ? kSyntaxError : std::string_view(message_));
}

// ---------------------------------------------------------- syntax checks --

bool ScriptCompiler::digits() {
    s_.SkipSpace();
    if (!isDigit(s_.current())) {
        fail();
        return false;
    }
    while (isDigit(s_.current()))
        ++s_.cur;
    return true;
}

bool ScriptCompiler::label() {
    if (!digits()) return false;
    if (s_.current() != ':') {
        fail();
        return false;
    }
    ++s_.cur;
    return true;
}

bool ScriptCompiler::identifier() {
    s_.SkipSpace();
    if (!isLetter(s_.current())) {
        fail();
        return false;
    }
    while (isLetter(s_.current()) || isDigit(s_.current()) || s_.current() == '.' ||
           s_.current() == '_')
        ++s_.cur;
    return true;
}

bool ScriptCompiler::variable() {
    if (!identifier()) return false;
    if (s_.current() == '(') {
        fail();
        return false;
    }
    if (s_.current() != '[') return true;
    ++s_.cur;
    if (!expression()) return false;
    s_.SkipSpace();
    if (s_.current() != ']') {
        failAt(s_.cur, kNeedBracket);
        return false;
    }
    ++s_.cur;
    return true;
}

bool ScriptCompiler::constant() {
    s_.SkipSpace();
    if (s_.current() == '\'') {
        for (std::size_t i = s_.cur + 1; i < s_.length(); ++i) {
            if (s_.at(i) != '\'') continue;
            if (s_.at(i + 1) == '\'') {
                ++i;
                continue;
            }
            s_.cur = i + 1;
            return true;
        }
        fail();
        return false;
    }
    if (!isDigit(s_.current())) {
        fail();
        return false;
    }
    while (isDigit(s_.current()))
        ++s_.cur;
    if (s_.current() == '.' && isDigit(s_.at(s_.cur + 1))) {
        ++s_.cur;
        while (isDigit(s_.current()))
            ++s_.cur;
    }
    return true;
}

bool ScriptCompiler::function() {
    if (!identifier()) return false;
    if (s_.current() != '(') return true;
    ++s_.cur;
    s_.SkipSpace();
    if (s_.current() == ')') {
        ++s_.cur;
        return true;
    }
    for (;;) {
        if (!expression()) return false;
        s_.SkipSpace();
        if (s_.current() == ')') {
            ++s_.cur;
            return true;
        }
        if (s_.current() != ',') {
            failAt(s_.cur, kNeedCommaOrParenthesis);
            return false;
        }
        ++s_.cur;
    }
}

bool ScriptCompiler::factor() {
    const NestingGuard guard(depth_);
    if (depth_ > kMaxNesting) {
        fail(kTooDeep);
        return false;
    }
    const std::size_t start = s_.cur;
    const std::string token = s_.ReadToken();
    const std::size_t j = s_.tokenStart();
    if (token[0] == '(') {
        s_.cur = j + 1;
        if (!expression()) return false;
        s_.SkipSpace();
        if (s_.current() != ')') {
            failAt(s_.cur, kNeedParenthesis);
            return false;
        }
        ++s_.cur;
        return true;
    }
    if (token[0] == '[') {
        std::size_t open = j, close = 0;
        ReadBracketed(s_.text(), open, close);
        s_.cur = close;
        s_.SkipSpace();
        if (s_.current() != ']') {
            failAt(s_.cur, kNeedBracket);
            return false;
        }
        ++s_.cur;
        return true;
    }
    if (token[0] == '+' || token[0] == '-') {
        s_.cur = j + 1;
        return expression();
    }
    if (token == "NOT") {
        s_.cur = j + 3;
        return expression();
    }
    return operandAlternatives(start);
}

// A variable, a constant or a function call, tried in this order.
bool ScriptCompiler::operandAlternatives(std::size_t start) {
    s_.cur = start;
    if (variable()) return true;
    if (message_ == kTooDeep) return false;
    clearError();
    s_.cur = start;
    if (constant()) return true;
    clearError();
    s_.cur = start;
    if (function()) return true;
    if (message_.empty()) fail(kNeedExpression);
    return false;
}

bool ScriptCompiler::term() {
    if (!factor()) return false;
    for (;;) {
        const std::size_t save = s_.cur;
        const std::string token = s_.ReadToken();
        const std::size_t j = s_.tokenStart();
        if (token[0] == '*' || token[0] == '/') {
            s_.cur = j + 1;
        } else if (startsWith(token, "AND") || startsWith(token, "MOD")) {
            s_.cur = j + 3;
        } else {
            s_.cur = save;
            return true;
        }
        if (!factor()) return false;
    }
}

bool ScriptCompiler::simpleExpression() {
    if (!term()) return false;
    for (;;) {
        const std::size_t save = s_.cur;
        const std::string token = s_.ReadToken();
        const std::size_t j = s_.tokenStart();
        if (token[0] == '+' || token[0] == '-') {
            s_.cur = j + 1;
        } else if (startsWith(token, "OR")) {
            s_.cur = j + 2;
        } else {
            s_.cur = save;
            return true;
        }
        if (!term()) return false;
    }
}

// Only one relational operator is accepted.
bool ScriptCompiler::expression() {
    if (!simpleExpression()) return false;
    const std::size_t save = s_.cur;
    const std::string token = s_.ReadToken();
    const std::size_t j = s_.tokenStart();
    if (startsWith(token, ">=") || startsWith(token, "<=") || startsWith(token, "<>")) {
        s_.cur = j + 2;
    } else if (token[0] == '>' || token[0] == '<' || token[0] == '=') {
        s_.cur = j + 1;
    } else {
        s_.cur = save;
        return true;
    }
    return simpleExpression();
}

// ---------------------------------------------------------------- output --

std::size_t ScriptCompiler::addLine(std::string line) {
    if (compiled_.size() >= compiled::kMaxLines) {
        fail(kTooManyLines);
        return compiled_.size();
    }
    compiled_.push_back(std::move(line));
    linePositions_.push_back(s_.tokenStart());
    return compiled_.size() - 1;
}

// The target is patched later; until then two blanks hold its place.
std::size_t ScriptCompiler::addConditionalJump(std::string_view condition) {
    std::string line(1, compiled::kConditionalJump);
    line.append("  ").append(condition);
    return addLine(std::move(line));
}

// a[i] := v becomes the call SETARRAY(a, i, v).
void ScriptCompiler::addAssignment(const std::string& name, std::string_view value) {
    const std::size_t open = name.find('[');
    if (open == std::string::npos) {
        addLine(name + " " + std::string(value));
        return;
    }
    const std::size_t close = name.rfind(']');
    const std::string index =
        close > open ? name.substr(open + 1, close - open - 1) : name.substr(open + 1);
    std::string line(1, compiled::kCall);
    line.append("SETARRAY(").append(name, 0, open).append(", ").append(index).append(", ");
    line.append(value).append(")");
    addLine(std::move(line));
}

void ScriptCompiler::patchTarget(std::size_t line) {
    if (line < compiled_.size()) compiled::SetTarget(compiled_[line], compiled_.size());
}

std::string ScriptCompiler::sourceText(std::size_t from) {
    return std::string(TrimBlanks(s_.text(from, s_.cur)));
}

// ------------------------------------------------------------ statements --

void ScriptCompiler::statement() {
    const NestingGuard guard(depth_);
    if (depth_ > kMaxNesting) {
        fail(kTooDeep);
        return;
    }
    for (;;) { // a label prefixes the statement that follows it
        if (error_) return;
        const std::size_t start = s_.cur;
        const std::string token = s_.ReadToken();
        if (token == "BEGIN") {
            beginBlock();
        } else if (token == "IF") {
            ifStatement();
        } else if (token == "REPEAT") {
            repeatStatement();
        } else if (token == "WHILE") {
            whileStatement();
        } else if (token == "FOR") {
            forStatement();
        } else if (token == "GOTO") {
            gotoStatement();
        } else if (isEnd(token) || token == "UNTIL") {
            s_.cur = start; // the enclosing BEGIN or REPEAT reads it
        } else {
            s_.cur = start;
            if (label()) {
                labelStatement(start);
                continue;
            }
            clearError();
            otherStatement(start);
        }
        return;
    }
}

void ScriptCompiler::beginBlock() {
    for (;;) {
        statement();
        if (error_) return;
        const std::string token = s_.ReadToken();
        if (token[0] == ';') {
            s_.cur = s_.tokenStart() + 1;
        } else if (isEnd(token)) {
            s_.cur = s_.tokenStart() + 3;
            return;
        } else {
            fail(kNeedSemicolonOrEnd);
            return;
        }
    }
}

bool ScriptCompiler::requireKeyword(std::string_view keyword, std::string_view message) {
    if (s_.ReadToken() == keyword) return true;
    fail(message);
    return false;
}

void ScriptCompiler::ifStatement() {
    const std::size_t from = s_.cur;
    if (!expression()) return;
    const std::size_t n = addConditionalJump(sourceText(from));
    if (error_ || !requireKeyword("THEN", kNeedThen)) return;
    statement();
    if (error_) return;
    const std::size_t save = s_.cur;
    if (s_.ReadToken() == "ELSE") {
        const std::size_t m = addLine(std::string(1, compiled::kJump) + "  ");
        patchTarget(n);
        statement();
        patchTarget(m);
    } else {
        patchTarget(n);
        s_.cur = save;
    }
}

void ScriptCompiler::repeatStatement() {
    const std::size_t n = count();
    for (;;) {
        statement();
        if (error_) return;
        const std::string token = s_.ReadToken();
        if (token == "UNTIL") {
            const std::size_t from = s_.cur;
            if (!expression()) return;
            const std::size_t line = addConditionalJump(sourceText(from));
            if (line < count()) compiled::SetTarget(compiled_[line], n);
            return;
        }
        if (token[0] != ';') {
            fail(kNeedSemicolonOrUntil);
            return;
        }
        s_.cur = s_.tokenStart() + 1;
    }
}

void ScriptCompiler::whileStatement() {
    const std::size_t n = count();
    const std::size_t from = s_.cur;
    if (!expression()) return;
    addConditionalJump(sourceText(from));
    if (error_ || !requireKeyword("DO", kNeedDo)) return;
    statement();
    if (error_) return;
    addLine(std::string(1, compiled::kJump) + compiled::EncodeTarget(n));
    patchTarget(n);
}

// for v := a to e do s: v := a; n: if not (v <= e) goto end; s; v := v+1;
// goto n; end. The limit is evaluated on every pass.
void ScriptCompiler::forStatement() {
    const std::string variableName = assignment(s_.cur);
    if (error_) return;
    if (variableName.empty() || !requireKeyword("TO", kNeedTo)) {
        if (!error_) fail(kNeedTo);
        return;
    }
    const std::size_t from = s_.cur;
    if (!expression()) return;
    const std::size_t n = addConditionalJump(variableName + " <= " + sourceText(from));
    if (error_ || !requireKeyword("DO", kNeedDo)) return;
    statement();
    if (error_) return;
    addAssignment(variableName, variableName + "+1");
    addLine(std::string(1, compiled::kJump) + compiled::EncodeTarget(n));
    patchTarget(n);
}

void ScriptCompiler::gotoStatement() {
    s_.SkipSpace();
    const std::size_t from = s_.cur;
    if (!digits()) {
        clearError();
        failAt(from, kGotoNumber);
        return;
    }
    const std::string digitsText = sourceText(from);
    const std::size_t line = addLine(std::string(1, compiled::kJump) + digitsText);
    if (!error_) gotos_.push_back({line, digitsText + ":", from});
}

void ScriptCompiler::labelStatement(std::size_t start) {
    const std::string name = sourceText(start).substr(0, kMaxLabelName);
    const bool known =
        std::any_of(labels_.begin(), labels_.end(), [&](const Label& l) { return l.name == name; });
    if (known) return;
    if (labels_.size() >= kMaxLabels) {
        fail(kTooManyLabels);
        return;
    }
    labels_.push_back({name, count()});
}

// A statement that starts with no keyword: an assignment or procedure call
// when it starts with a variable, otherwise an expression to evaluate.
void ScriptCompiler::otherStatement(std::size_t start) {
    s_.cur = start;
    if (variable()) {
        assignment(start);
        return;
    }
    if (message_ == kTooDeep) return;
    clearError();
    s_.cur = start;
    if (!expression()) return;
    addLine(std::string(1, compiled::kCall) + sourceText(start));
}

std::string ScriptCompiler::assignment(std::size_t start) {
    s_.cur = start;
    if (!variable()) {
        if (message_.empty()) fail(kNeedVariable);
        return {};
    }
    const std::string name = sourceText(start);
    const std::size_t save = s_.cur;
    const std::string token = s_.ReadToken();
    if (token[0] == ';' || token == " " || isEnd(token) || token == "ELSE" || token == "UNTIL") {
        // a procedure called without arguments (also at the end of the text)
        addLine(std::string(1, compiled::kCall) + name + "(0)");
        s_.cur = save;
        return {};
    }
    if (!startsWith(token, ":=")) {
        fail(kNeedAssign);
        return {};
    }
    s_.cur = s_.tokenStart() + 2;
    const std::size_t from = s_.cur;
    if (!expression()) return {};
    addAssignment(name, sourceText(from));
    return name;
}

// ------------------------------------------------------------ final pass --

void ScriptCompiler::resolveGotos() {
    for (const PendingGoto& g : gotos_) {
        const std::string name = g.label.substr(0, kMaxLabelName);
        const auto label = std::find_if(labels_.begin(), labels_.end(),
                                        [&](const Label& l) { return l.name == name; });
        std::string& line = compiled_[g.line];
        if (label != labels_.end()) {
            line = std::string(1, compiled::kJump) + compiled::EncodeTarget(label->line);
            continue;
        }
        // A jump to nowhere ends the script instead.
        line = std::string(1, compiled::kJump) + compiled::EncodeTarget(count());
        if (errors_.empty())
            addErrorLine(g.position, "Undefined label " + g.label.substr(0, g.label.size() - 1));
    }
}

void ScriptCompiler::finalPass() {
    resolveGotos();
    for (std::size_t i = 0; i < compiled_.size(); ++i) {
        std::string& line = compiled_[i];
        try {
            switch (compiled::KindOf(line)) {
            case compiled::Kind::ConditionalJump:
                line = line.substr(0, 3) + TvlParser::ToPostfix(compiled::ExpressionOf(line));
                break;
            case compiled::Kind::Call:
                line = line.substr(0, 1) + TvlParser::ToPostfix(compiled::ExpressionOf(line));
                break;
            case compiled::Kind::Assignment: {
                const std::string name(compiled::AssignedName(line));
                line = name + " " + TvlParser::ToPostfix(compiled::ExpressionOf(line));
                break;
            }
            default:
                break;
            }
        } catch (const std::exception& e) {
            // the line becomes a step to the next one
            line = std::string(1, compiled::kJump) + compiled::EncodeTarget(i + 1);
            if (errors_.empty()) addErrorLine(linePositions_[i], e.what());
        }
    }
}

void ScriptCompiler::Compile(const StringList& source) {
    if (!s_.Load(source)) {
        const ScriptScanner::Position p = ScriptScanner::OverflowPosition(source);
        errors_.push_back("Line " + std::to_string(p.line) + "/" + std::to_string(p.column) + ": " +
                          std::string(kTooLong));
        return;
    }
    // A script of blanks and comments alone has nothing to compile.
    if (s_.ReadToken() == " ") return;
    s_.cur = 0;
    statement();
    if (error_) reportError();
    finalPass();
}

} // namespace vl
