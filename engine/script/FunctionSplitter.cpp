#include "engine/script/FunctionSplitter.h"

#include "engine/script/ExpressionScan.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlInterpretator.h"

#include <algorithm>

namespace vl {

namespace {

// Dictionary variables may refer to each other; a cycle ends here.
constexpr int kMaxDepth = 64;

bool stepsOver(char c) {
    switch (c) {
    case ' ':
    case '\r':
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

} // namespace

TvlFunctionSplitter::TvlFunctionSplitter(StringList functionNames, StringList& target,
                                         const TvlVariables* dictionaryVariables)
    : names_(std::move(functionNames)), target_(target), variables_(dictionaryVariables) {}

const Variant* TvlFunctionSplitter::variable(std::string_view name) const {
    return variables_ && !name.empty() ? variables_->Find(name) : nullptr;
}

void TvlFunctionSplitter::Split(std::string_view text) {
    split(text, 0);
}

void TvlFunctionSplitter::split(std::string_view whole, int depth) {
    if (depth > kMaxDepth) return;
    const std::string_view text = TrimBlanks(whole);
    if (text.empty() || text[0] == '\'') return;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[0] == '[')
            splitBracketed(text, pos, depth);
        else if (!splitIdentifier(text, pos, depth))
            return;
    }
}

void TvlFunctionSplitter::splitBracketed(std::string_view text, std::size_t& pos, int depth) {
    std::size_t start = pos, end = 0;
    const std::string_view inner = ReadBracketed(text, start, end);
    if (const Variant* v = variable(inner))
        split(v->toString(), depth + 1);
    else
        split(inner, depth + 1);
    pos = end + 1;
}

bool TvlFunctionSplitter::splitIdentifier(std::string_view text, std::size_t& pos, int depth) {
    const std::size_t before = pos;
    const std::string_view name = ReadIdentifier(text, pos);
    const std::size_t nameStart = pos - name.size();
    if (pos < text.size() && text[pos] == '(') {
        std::string_view a1, a2, a3;
        SplitArguments(text, pos, a1, a2, a3);
        split(a1, depth + 1);
        split(a2, depth + 1);
        split(a3, depth + 1);
        if (std::any_of(names_.begin(), names_.end(),
                        [&](const std::string& n) { return SameText(n, name); }))
            target_.emplace_back(text.substr(nameStart, pos - nameStart));
    } else if (const Variant* v = variable(name)) {
        split(v->toString(), depth + 1);
    } else if (pos < text.size() && stepsOver(text[pos])) {
        ++pos;
    } else if (name.empty() || pos == before) {
        return false;
    }
    return true;
}

void TvlFunctionSplitter::SplitMemo(const StringList& lines) {
    for (const std::string& line : lines) {
        std::size_t pos = 0;
        while (pos < line.size()) {
            if (line[pos] != '[') {
                ++pos;
                continue;
            }
            std::size_t start = pos, end = 0;
            const std::string_view inner = ReadBracketed(line, start, end);
            Split("[" + std::string(inner) + "]");
            pos = end + 1;
        }
    }
}

void TvlFunctionSplitter::SplitScript(const StringList& compiledLines) {
    if (compiledLines.empty()) return;
    TvlInterpretator::CollectFunctionCalls(compiledLines, names_, variables_, target_);
}

TAggregateFunctionsSplitter::TAggregateFunctionsSplitter(StringList& target,
                                                         const TvlVariables* dictionaryVariables)
    : TvlFunctionSplitter({"AVG", "COUNT", "MAX", "MIN", "SUM"}, target, dictionaryVariables) {}

} // namespace vl
