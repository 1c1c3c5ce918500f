// Evaluates arbitrary text as a report expression with the standard
// functions, and also hands the same text to the postfix evaluator as if it
// were postfix, since stored postfix text reaches it from templates. Run with
// ASan and UBSan; any crash, sanitizer report or timeout is a finding. Errors
// of the expression itself (VlError) are expected outcomes.
#include "engine/build/TvlEngine.h"
#include "engine/script/Errors.h"
#include "engine/script/FunctionLibrary.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlParser.h"
#include "engine/script/TvlVariables.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>

namespace {

// A few names of every kind of value, and one that refers to an
// expression of its own, so nested evaluation is reached too.
void lookup(vl::TvlParser& parser, std::string_view name, vl::Variant& value) {
    if (vl::SameText(name, "I"))
        value = vl::Variant(42);
    else if (vl::SameText(name, "D"))
        value = vl::Variant(2.5);
    else if (vl::SameText(name, "S"))
        value = vl::Variant("text");
    else if (vl::SameText(name, "T"))
        value = vl::Variant::dateTime(45000.75);
    else if (vl::SameText(name, "B"))
        value = vl::Variant(true);
    else if (vl::SameText(name, "[E]") || vl::SameText(name, "E"))
        value = parser.Evaluate("I * 2 + D");
    else if (const vl::Variant* c = vl::Globals().constantList().Find(name))
        value = *c;
}

void evaluate(vl::TvlParser& parser, std::string_view text) {
    try {
        const std::string postfix = vl::TvlParser::ToPostfix(text);
        (void)parser.EvalPostfix(postfix).toString();
    } catch (const vl::VlError&) {
    }
    try {
        (void)parser.Evaluate(text);
    } catch (const vl::VlError&) {
    }
    try {
        (void)parser.EvalPostfix(text);
    } catch (const vl::VlError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static int argc = 1;
    static char name[] = "expression_fuzzer";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    vl::Globals().localeService().select(QStringLiteral("en_US"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vl::TvlParser parser(vl::Globals().localeService());
    parser.OnGetValue = [&parser](std::string_view name, vl::Variant& value) {
        lookup(parser, name, value);
    };
    parser.OnCallFunction = [](std::string_view name, const vl::Variant& p1, const vl::Variant& p2,
                               const vl::Variant& p3, vl::Variant& val) {
        vl::CallFunctionLibraries(vl::Globals().functionLibraries(), name, p1, p2, p3, val);
    };
    evaluate(parser, std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
