#include "engine/build/TvlEngine.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"
#include "engine/script/FunctionLibrary.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlParser.h"
#include "engine/script/TvlVariables.h"
#include "tools/vellum/CommandLine.h"
#include "tools/vellum/Commands.h"
#include "tools/vellum/ValueText.h"

#include <cstdio>
#include <set>

namespace vellum_cli {

namespace {

// --set NAME=EXPR: a name whose value is an expression, evaluated at each use.
struct Definition {
    std::string name, expression;
};

std::vector<Definition> definitions(const QStringList& texts) {
    std::vector<Definition> list;
    for (const QString& text : texts) {
        const qsizetype eq = text.indexOf(QLatin1Char('='));
        const std::string name(vl::TrimBlanks(vl::FromQt(text.left(eq))));
        if (eq < 0 || name.empty())
            throw UsageError("--set needs NAME=EXPR, not \"" + vl::FromQt(text) + "\"");
        list.push_back({name, vl::FromQt(text.mid(eq + 1))});
    }
    return list;
}

// The bare value lookup: --set names, then GlobalVariables, then the
// constants; anything else stays Null.
class EvalLookup {
public:
    EvalLookup(vl::TvlEngine& engine, std::vector<Definition> defs)
        : engine_(engine), parser_(engine.globalParser()), defs_(std::move(defs)) {}

    void operator()(std::string_view name, vl::Variant& value) {
        for (const Definition& d : defs_) {
            if (!vl::SameText(d.name, name)) continue;
            if (!active_.insert(d.name).second)
                throw vl::VlError("circular definition of " + d.name);
            try {
                value = parser_.Evaluate(d.expression);
            } catch (...) {
                active_.erase(d.name);
                throw;
            }
            active_.erase(d.name);
            return;
        }
        if (const vl::Variant* v = engine_.globalVariables().Find(name))
            value = *v;
        else if (const vl::Variant* c = engine_.constantList().Find(name))
            value = *c;
    }

private:
    vl::TvlEngine& engine_;
    vl::TvlParser& parser_;
    std::vector<Definition> defs_;
    std::set<std::string> active_;
};

} // namespace

int RunEval(const QStringList& args) {
    const CommandArgs cmd(args, {QStringLiteral("locale"), QStringLiteral("set")}, {});
    const QString expression = cmd.positional(0, "EXPRESSION");
    if (cmd.positionals().size() > 1) throw UsageError("one EXPRESSION expected");
    if (const auto locale = cmd.option(QStringLiteral("locale")))
        SelectLocale(cmd.engine(), *locale);
    vl::TvlEngine& engine = cmd.engine();
    vl::TvlParser& parser = engine.globalParser();
    parser.OnGetValue = EvalLookup(engine, definitions(cmd.options(QStringLiteral("set"))));
    parser.OnCallFunction = [&engine](std::string_view name, const vl::Variant& p1,
                                      const vl::Variant& p2, const vl::Variant& p3,
                                      vl::Variant& val) {
        vl::CallFunctionLibraries(engine.functionLibraries(), name, p1, p2, p3, val);
    };
    const std::string line = ValueLine(parser.Evaluate(vl::FromQt(expression)));
    std::printf("%s\n", line.c_str());
    return 0;
}

} // namespace vellum_cli
