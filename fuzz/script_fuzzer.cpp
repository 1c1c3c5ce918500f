// Compiles arbitrary bytes as a script (one source line per text line) and
// runs the result against a report without pages. Run with ASan and UBSan;
// any crash, sanitizer report, unexpected exception or timeout is a finding.
// Errors of the script itself (compile error lines, VlError at run time) are
// expected outcomes.
#include "engine/build/TvlEngine.h"
#include "engine/script/EmptyReportBinding.h"
#include "engine/script/Errors.h"
#include "engine/script/TInterpretator.h"
#include "engine/script/TvlVariables.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>

namespace {

// Endless scripts end with the engine's error after this many lines.
constexpr int kScriptSteps = 20000;

vl::StringList sourceLines(const std::uint8_t* data, std::size_t size) {
    vl::StringList lines(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            lines.emplace_back();
        else
            lines.back().push_back(static_cast<char>(data[i]));
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static int argc = 1;
    static char name[] = "script_fuzzer";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    vl::Globals().script().limits().scriptSteps = kScriptSteps;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vl::TvlEngine& g = vl::Globals();
    g.globalVariables().Clear();
    g.stopRequested() = false;
    vl::EmptyReportBinding report(g.script());
    report.Attach();
    vl::TInterpretator interpreter(g.script());
    interpreter.SetBinding(&report);
    vl::StringList compiled, errors;
    interpreter.CompileScript(sourceLines(data, size), compiled, errors);
    try {
        interpreter.RunScript(compiled);
    } catch (const vl::VlError&) {
        // a run-time error of the script
    }
    return 0;
}
