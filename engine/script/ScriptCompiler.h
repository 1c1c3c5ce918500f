#pragma once

#include "engine/script/ScriptScanner.h"
#include "engine/script/StreamIO.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

// Compiles script source into compiled lines (CompiledLine.h): syntax checks
// over the working buffer, one statement at the top level (several must be
// wrapped in BEGIN ... END), then a final pass that resolves GOTO labels and
// turns every expression into postfix text. Errors never raise: they become
// lines "Line L/C: message" in the error list.
class ScriptCompiler {
public:
    // At most this many distinct labels per script.
    static constexpr std::size_t kMaxLabels = 101;
    // Label names (digits and ':') are kept to this length.
    static constexpr std::size_t kMaxLabelName = 16;
    // Statements and parenthesised operands nest at most this deep, so that
    // hostile input cannot exhaust the stack.
    static constexpr int kMaxNesting = 400;

    ScriptCompiler(StringList& compiled, StringList& errors);

    void Compile(const StringList& source);

private:
    // Syntax checks: each advances cur over its construct, or fails.
    bool digits();
    bool label();
    bool identifier();
    bool variable();
    bool constant();
    bool function();
    bool factor();
    bool operandAlternatives(std::size_t start);
    bool term();
    bool simpleExpression();
    bool expression();

    // Statements.
    void statement();
    void beginBlock();
    void ifStatement();
    void repeatStatement();
    void whileStatement();
    void forStatement();
    void gotoStatement();
    void labelStatement(std::size_t start);
    void otherStatement(std::size_t start);
    // Returns the assigned name, or empty when the statement was a procedure
    // call or failed.
    std::string assignment(std::size_t start);
    bool requireKeyword(std::string_view keyword, std::string_view message);

    // Output.
    std::size_t count() const { return compiled_.size(); }
    std::size_t addLine(std::string line);
    std::size_t addConditionalJump(std::string_view condition);
    void addAssignment(const std::string& name, std::string_view value);
    void patchTarget(std::size_t line);
    std::string sourceText(std::size_t from);

    void fail(std::string_view message = {});
    void failAt(std::size_t pos, std::string_view message);
    void clearError();
    void reportError();
    void finalPass();
    void resolveGotos();
    void addErrorLine(std::size_t bufferPos, std::string_view message);

    struct Label {
        std::string name;
        std::size_t line;
    };
    struct PendingGoto {
        std::size_t line;
        std::string label;
        std::size_t position;
    };

    ScriptScanner s_;
    StringList& compiled_;
    StringList& errors_;
    std::vector<std::size_t> linePositions_; // source position of each compiled line
    std::vector<Label> labels_;
    std::vector<PendingGoto> gotos_;
    bool error_ = false;
    std::string message_;
    std::size_t errorPos_ = 0;
    int depth_ = 0;
};

} // namespace vl
