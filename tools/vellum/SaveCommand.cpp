#include "engine/build/TvlReport.h"
#include "tools/vellum/Commands.h"
#include "tools/vellum/TemplateFile.h"

namespace vellum_cli {

int RunSave(const QStringList& args) {
    const CommandArgs cmd(args, {QStringLiteral("password")}, {});
    const QString source = cmd.positional(0, "template file");
    const QString target = cmd.positional(1, "output file");
    vl::TvlReport report;
    if (const auto error = LoadTemplate(report, source, cmd)) {
        PrintError(*error);
        return 1;
    }
    report.SaveToFile(target);
    return 0;
}

} // namespace vellum_cli
