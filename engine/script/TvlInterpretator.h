#pragma once

#include "engine/script/StreamIO.h"
#include "engine/script/TvlParser.h"
#include "engine/script/Variant.h"

#include <string_view>

namespace vl {

class TvlScriptContext;
class TvlVariables;

// Compiles scripts (BEGIN/END, IF/THEN/ELSE, WHILE/DO, REPEAT/UNTIL,
// FOR/TO/DO, GOTO with numeric labels, assignments, procedure calls) into
// compiled lines and runs them. It knows no names: its private parser asks
// GetValue and CallFunction, and assignments go to SetValue; subclasses
// decide what they mean.
class TvlInterpretator {
public:
    // An interpreter of the engine whose stop flag and step limit it obeys.
    explicit TvlInterpretator(TvlScriptContext& engine);
    virtual ~TvlInterpretator() = default;
    TvlInterpretator(const TvlInterpretator&) = delete;
    TvlInterpretator& operator=(const TvlInterpretator&) = delete;

    virtual void GetValue(std::string_view name, Variant& value);
    virtual void SetValue(std::string_view name, const Variant& value);
    virtual void CallFunction(std::string_view name, const Variant& p1, const Variant& p2,
                              const Variant& p3, Variant& val);

    // Compiles source lines into compiled lines; both lists are cleared
    // first and may be the same list. Never raises: errors become lines
    // "Line L/C: message".
    virtual void CompileScript(const StringList& source, StringList& compiled, StringList& errors);
    // Runs compiled lines from the first. Stops at EXIT, at the end, or when
    // the engine's stop flag is set (checked before every line). Errors of
    // the expressions propagate.
    virtual void RunScript(const StringList& compiled);

    // Appends to target the calls of the named functions found in the
    // expressions of compiled lines (also inside dictionary variables, which
    // may be nullptr).
    static void CollectFunctionCalls(const StringList& compiled, const StringList& functionNames,
                                     const TvlVariables* dictionaryVariables, StringList& target);

protected:
    TvlParser& parser() { return parser_; }
    TvlScriptContext& scriptEngine() const { return engine_; }
    // Asked before every line of a run: the engine's stop flag.
    virtual bool StopRequested();

private:
    TvlScriptContext& engine_;
    TvlParser parser_;
};

} // namespace vl
