#include "engine/output/TvlEMFPages.h"
#include "tools/vellum/CommandLine.h"
#include "tools/vellum/CommandStop.h"
#include "tools/vellum/Commands.h"
#include "tools/vellum/PreparedOutput.h"

#include <QFileInfo>
#include <optional>
#include <string>

namespace vellum_cli {

int RunShow(const QStringList& args) {
    const CommandArgs cmd(args,
                          {QStringLiteral("json"), QStringLiteral("pdf"), QStringLiteral("png"),
                           QStringLiteral("dpi"), CommandStop::Option()},
                          {});
    const QString file = cmd.positional(0, "prepared-report file");
    const int dpi = DpiOption(cmd);
    auto json = cmd.option(QStringLiteral("json"));
    const auto pdf = cmd.option(QStringLiteral("pdf"));
    const auto png = cmd.option(QStringLiteral("png"));
    if (!json && !pdf && !png) json = QStringLiteral("-");

    const CommandStop stop(cmd);
    vl::TvlEMFPages pages;
    std::optional<std::string> error;
    try {
        pages.LoadFromFile(file);
    } catch (const vl::VlError& e) {
        // A damaged file keeps the pages read before the damage; they are shown.
        error = e.what();
    }
    if (!error || pages.Count() > 0) {
        if (json) WriteText(*json, PagesJson(pages));
        if (png) WriteImages(pages, *png, dpi, &stop);
        if (pdf && !stop.Stopped()) WritePdf(pages, *pdf, QFileInfo(file).completeBaseName());
    }
    stop.ThrowIfStopped();
    if (!error) return 0;
    PrintError(*error);
    return 1;
}

} // namespace vellum_cli
