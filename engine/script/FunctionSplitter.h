#pragma once

#include "engine/script/StreamIO.h"
#include "engine/script/TvlVariables.h"

#include <string_view>

namespace vl {

// Finds the calls of given functions in expressions, memo texts and compiled
// scripts, also inside the expressions of dictionary variables. Nested calls
// are listed innermost first. Every call text found is valid postfix text.
class TvlFunctionSplitter {
public:
    // dictionaryVariables may be nullptr.
    TvlFunctionSplitter(StringList functionNames, StringList& target,
                        const TvlVariables* dictionaryVariables);

    void Split(std::string_view text);
    // Each bracketed part of each line.
    void SplitMemo(const StringList& lines);
    // The expression part of each compiled script line.
    void SplitScript(const StringList& compiledLines);

private:
    void split(std::string_view text, int depth);
    void splitBracketed(std::string_view text, std::size_t& pos, int depth);
    bool splitIdentifier(std::string_view text, std::size_t& pos, int depth);
    const Variant* variable(std::string_view name) const;

    StringList names_;
    StringList& target_;
    const TvlVariables* variables_;
};

// Finds AVG, COUNT, MAX, MIN and SUM calls.
class TAggregateFunctionsSplitter : public TvlFunctionSplitter {
public:
    TAggregateFunctionsSplitter(StringList& target, const TvlVariables* dictionaryVariables);
};

} // namespace vl
