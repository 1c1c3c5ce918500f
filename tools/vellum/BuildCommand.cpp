#include "engine/build/TvlEngine.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/CodePage.h"
#include "tools/vellum/CommandLine.h"
#include "tools/vellum/CommandStop.h"
#include "tools/vellum/Commands.h"
#include "tools/vellum/DatabaseBinding.h"
#include "tools/vellum/OrganizerBuild.h"
#include "tools/vellum/OrganizerOptions.h"
#include "tools/vellum/PreparedOutput.h"
#include "tools/vellum/ReportVariables.h"
#include "tools/vellum/TemplateFile.h"
#include "tools/vellum/TemplateUsage.h"

#include <QFileInfo>
#include <cstdio>

namespace vellum_cli {

namespace {

struct Outputs {
    std::optional<QString> json, vlp, pdf, png;
    int dpi = 0;
};

Outputs outputOptions(const CommandArgs& cmd) {
    Outputs out;
    out.json = cmd.option(QStringLiteral("json"));
    out.vlp = cmd.option(QStringLiteral("vlp"));
    out.pdf = cmd.option(QStringLiteral("pdf"));
    out.png = cmd.option(QStringLiteral("png"));
    out.dpi = DpiOption(cmd);
    if (!out.json && !out.vlp && !out.pdf && !out.png) out.json = QStringLiteral("-");
    return out;
}

void writeOutputs(vl::TvlEMFPages& pages, const Outputs& out, const QString& title,
                  const CommandStop& stop) {
    if (out.json) WriteText(*out.json, PagesJson(pages, pages.Count()));
    if (out.vlp) pages.SaveToFile(*out.vlp);
    if (out.png) WriteImages(pages, *out.png, out.dpi, &stop);
    if (out.pdf) WritePdf(pages, *out.pdf, title);
}

// Builds the loaded template and writes the outputs; nothing is written when
// the build fails.
int buildAndWrite(vl::TvlReport& report, const QString& templatePath, const Outputs& out,
                  const CommandStop& stop) {
    if (!PrepareLoadedReport(report, &stop)) return 1;
    writeOutputs(report.EMFPages(), out, QFileInfo(templatePath).completeBaseName(), stop);
    stop.ThrowIfStopped();
    return 0;
}

// The template on the tables of a database instead of the organizer's lists.
int buildOnDatabase(const CommandArgs& cmd, const DatabaseOptions& options,
                    const QString& templatePath, const Outputs& out, const CommandStop& stop) {
    if (cmd.option(QStringLiteral("organizer")) || cmd.option(QStringLiteral("source")))
        throw UsageError("--database builds on the database, without --organizer or --source");
    const std::optional<QDateTime> now = nowOption(cmd);
    const QList<NamedText> variables = ReadVariableOptions(cmd);
    DatabaseBinding binding(options);
    vl::TvlReport& report = binding.report();
    if (now) report.Now = [now] { return *now; };
    RequireTemplate(report, templatePath);
    binding.checkTemplate(TemplateUsage(report));
    ApplyVariables(report, variables);
    return buildAndWrite(report, templatePath, out, stop);
}

} // namespace

int RunBuild(const QStringList& args) {
    const CommandArgs cmd(args,
                          QStringList{QStringLiteral("organizer"), QStringLiteral("source"),
                                      QStringLiteral("now"), QStringLiteral("locale"),
                                      QStringLiteral("json"), QStringLiteral("vlp"),
                                      QStringLiteral("pdf"), QStringLiteral("png"),
                                      QStringLiteral("dpi"), CommandStop::Option()} +
                              DatabaseOptionNames(),
                          {});
    const QString templatePath = cmd.positional(0, "template file");
    if (cmd.positionals().size() > 1) throw UsageError("one TEMPLATE expected");
    const DatabaseOptions database = ReadDatabaseOptions(cmd);
    const Outputs out = outputOptions(cmd);
    if (const auto locale = cmd.option(QStringLiteral("locale")))
        SelectLocale(cmd.engine(), *locale);
    const CommandStop stop(cmd);
    if (database.given()) return buildOnDatabase(cmd, database, templatePath, out, stop);

    OrganizerBuild build(cmd, templatePath);
    const QList<NamedText> variables = ReadVariableOptions(cmd);
    build.load();
    ApplyVariables(build.report(), variables);
    return buildAndWrite(build.report(), templatePath, out, stop);
}

} // namespace vellum_cli
