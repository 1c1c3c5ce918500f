#include "engine/script/TvlInterpretator.h"

#include "engine/script/CompiledLine.h"
#include "engine/script/EngineText.h"
#include "engine/script/Errors.h"
#include "engine/script/FunctionSplitter.h"
#include "engine/script/ScriptCompiler.h"
#include "engine/script/ScriptContext.h"

namespace vl {

TvlInterpretator::TvlInterpretator(TvlScriptContext& engine)
    : engine_(engine), parser_(engine.localeService()) {
    parser_.OnGetValue = [this](std::string_view name, Variant& value) { GetValue(name, value); };
    parser_.OnCallFunction = [this](std::string_view name, const Variant& p1, const Variant& p2,
                                    const Variant& p3,
                                    Variant& val) { CallFunction(name, p1, p2, p3, val); };
}

void TvlInterpretator::GetValue(std::string_view, Variant&) {}

void TvlInterpretator::SetValue(std::string_view, const Variant&) {}

void TvlInterpretator::CallFunction(std::string_view, const Variant&, const Variant&,
                                    const Variant&, Variant&) {}

void TvlInterpretator::CompileScript(const StringList& source, StringList& compiled,
                                     StringList& errors) {
    const StringList text = source; // source and target may be one list
    compiled.clear();
    errors.clear();
    ScriptCompiler(compiled, errors).Compile(text);
}

bool TvlInterpretator::StopRequested() {
    return engine_.stopDue();
}

void TvlInterpretator::RunScript(const StringList& compiledLines) {
    // A copy: an assignment may replace the script of the running object.
    const StringList lines = compiledLines;
    const std::int64_t stepLimit = engine_.limits().scriptSteps;
    std::int64_t steps = 0;
    std::size_t i = 0;
    while (i < lines.size()) {
        if (StopRequested()) return;
        if (stepLimit > 0 && ++steps > stepLimit)
            throw VlError("The script ran more than " + std::to_string(stepLimit) +
                          " lines, the limit of one run");
        const std::string& line = lines[i];
        switch (compiled::KindOf(line)) {
        case compiled::Kind::ConditionalJump: {
            const Variant value = parser_.EvalPostfix(compiled::ExpressionOf(line));
            i = Variant::compare(value, Variant(0)) == 0 ? compiled::TargetOf(line) : i + 1;
            break;
        }
        case compiled::Kind::Jump:
            i = compiled::TargetOf(line);
            break;
        case compiled::Kind::Call: {
            const std::string_view expression = compiled::ExpressionOf(line);
            if (text::Upper(expression) == "EXIT(0)") return;
            parser_.EvalPostfix(expression);
            ++i;
            break;
        }
        case compiled::Kind::Assignment: {
            const std::string name(compiled::AssignedName(line));
            const Variant value = parser_.EvalPostfix(compiled::ExpressionOf(line));
            if (!name.empty()) SetValue(name, value);
            ++i;
            break;
        }
        case compiled::Kind::Empty:
            ++i;
            break;
        }
    }
}

void TvlInterpretator::CollectFunctionCalls(const StringList& compiled,
                                            const StringList& functionNames,
                                            const TvlVariables* dictionaryVariables,
                                            StringList& target) {
    TvlFunctionSplitter splitter(functionNames, target, dictionaryVariables);
    for (const std::string& line : compiled)
        splitter.Split(compiled::ExpressionOf(line));
}

} // namespace vl
