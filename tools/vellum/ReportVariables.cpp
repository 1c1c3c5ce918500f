#include "tools/vellum/ReportVariables.h"

#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/script/CodePage.h"
#include "engine/script/TvlParser.h"

namespace vellum_cli {

void ApplyVariables(vl::TvlReport& report, const QList<NamedText>& variables) {
    vl::TvlEngine& g = report.Engine();
    vl::TvlVariables& dictionary = report.Dictionary().Variables;
    for (const NamedText& variable : variables) {
        const std::string name = vl::FromQt(variable.name);
        const std::string expression = vl::FromQt(variable.text);
        if (dictionary.IndexOf(name) >= 0)
            dictionary.SetVariable(name, vl::Variant(expression));
        else
            g.globalVariables().SetVariable(name, g.globalParser().Evaluate(expression));
    }
}

} // namespace vellum_cli
