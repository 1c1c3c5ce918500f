#include "engine/build/TvlReport.h"
#include "engine/script/Stream.h"
#include "tools/vellum/Commands.h"
#include "tools/vellum/TemplateFile.h"

namespace vellum_cli {

int RunXml(const QStringList& args) {
    const CommandArgs cmd(args, {QStringLiteral("password")}, {});
    const QString source = cmd.positional(0, "template file");
    vl::TvlReport report;
    if (const auto error = LoadTemplate(report, source, cmd)) {
        PrintError(*error);
        return 1;
    }
    if (cmd.positionals().size() < 2) {
        report.ExportXml(source);
        return 0;
    }
    vl::ReplacingFileStream file(cmd.positionals()[1]);
    report.XmlExport = true;
    try {
        report.SaveToStream(file);
    } catch (...) {
        report.XmlExport = false;
        throw;
    }
    report.XmlExport = false;
    file.Commit();
    return 0;
}

} // namespace vellum_cli
