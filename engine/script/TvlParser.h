#pragma once

#include "engine/script/LocaleService.h"
#include "engine/script/Variant.h"

#include <functional>
#include <string>
#include <string_view>

namespace vl {

// Asked for the value of an identifier (upper-cased) or a bracketed name (as
// written). The value arrives as Null and stays so when nothing answers.
using TGetValueEvent = std::function<void(std::string_view name, Variant& value)>;

// Asked for a function call the parser does not handle itself: the
// upper-cased name and the three argument texts, unevaluated, as string
// values (absent ones empty). Val arrives as Null.
using TFunctionEvent = std::function<void(std::string_view name, const Variant& p1,
                                          const Variant& p2, const Variant& p3, Variant& val)>;

// Converts infix expressions to postfix text and evaluates postfix text. It
// knows no names: identifiers go to OnGetValue, function calls other than
// COPY, IF, STRTODATE and STRTOTIME to OnCallFunction.
//
// Postfix text: operands are their source text followed by a space (numbers,
// quoted literals as written, identifiers with an optional bracketed index,
// bracketed names with their brackets); function calls are their complete
// source text with no space after; operators are single bytes (see op:: in
// ExpressionScan.h and '+', '-', '*', '/', '<', '=', '>').
class TvlParser {
public:
    // STRTODATE and STRTOTIME read dates by locale, which outlives the parser.
    explicit TvlParser(const LocaleService& locale) : locale_(locale) {}

    TGetValueEvent OnGetValue;
    TFunctionEvent OnCallFunction;
    // The report whose lookup the callbacks are bound to (BindParser), so
    // that only that report unbinds them.
    const void* BoundTo = nullptr;

    // EvalPostfix(ToPostfix(expression)).
    Variant Evaluate(std::string_view expression);
    // Text from ';' on is ignored.
    static std::string ToPostfix(std::string_view expression);
    // Throws ParserError for postfix text that does not evaluate (an operator
    // without operands, more than 32 pending values, nesting too deep) and
    // ConversionError for values of the wrong kind.
    Variant EvalPostfix(std::string_view postfix);

    // How deeply evaluations may nest through function arguments and lookups
    // before the parser gives up instead of running out of stack.
    static constexpr int kMaxNesting = 200;

private:
    class Stack;
    void evalIdentifier(std::string_view text, std::size_t& pos, Stack& stack);
    Variant callFunction(std::string_view name, std::string_view a1, std::string_view a2,
                         std::string_view a3);
    Variant lookup(std::string_view name);

    const LocaleService& locale_;
    int nesting_ = 0;
};

} // namespace vl
