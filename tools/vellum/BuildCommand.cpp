#include "engine/build/TvlGlobals.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/CodePage.h"
#include "tools/vellum/CommandLine.h"
#include "tools/vellum/CommandStop.h"
#include "tools/vellum/Commands.h"
#include "tools/vellum/OrganizerBuild.h"
#include "tools/vellum/PreparedOutput.h"

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

} // namespace

int RunBuild(const QStringList& args) {
    const CommandArgs cmd(args,
                          {QStringLiteral("organizer"), QStringLiteral("source"),
                           QStringLiteral("now"), QStringLiteral("locale"), QStringLiteral("json"),
                           QStringLiteral("vlp"), QStringLiteral("pdf"), QStringLiteral("png"),
                           QStringLiteral("dpi"), CommandStop::Option()},
                          {});
    const QString templatePath = cmd.positional(0, "template file");
    if (cmd.positionals().size() > 1) throw UsageError("one TEMPLATE expected");
    OrganizerBuild build(cmd, templatePath);
    const Outputs out = outputOptions(cmd);
    if (const auto locale = cmd.option(QStringLiteral("locale"))) SelectLocale(*locale);
    const CommandStop stop(cmd);
    build.load();
    if (!build.prepare(&stop)) return 1;
    writeOutputs(build.report().EMFPages(), out, QFileInfo(templatePath).completeBaseName(), stop);
    stop.ThrowIfStopped();
    return 0;
}

} // namespace vellum_cli
