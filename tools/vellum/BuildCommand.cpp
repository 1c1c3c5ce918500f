#include "app/OrganizerReport.h"
#include "engine/build/BuildReport.h"
#include "engine/build/TvlGlobals.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/CodePage.h"
#include "tools/vellum/CommandLine.h"
#include "tools/vellum/Commands.h"
#include "tools/vellum/PreparedOutput.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace vellum_cli {

namespace {

// --source, else the kind of folder the template lies in ("Contacts" or
// "TaskList"), else the task list as the program starts on.
quillet::DataKind sourceOption(const CommandArgs& cmd, const QString& templatePath) {
    if (const auto source = cmd.option(QStringLiteral("source"))) {
        if (*source == QLatin1String("tasks")) return quillet::DataKind::Tasks;
        if (*source == QLatin1String("contacts")) return quillet::DataKind::Contacts;
        throw UsageError("--source must be tasks or contacts");
    }
    const QString folder = QFileInfo(templatePath).absoluteDir().dirName();
    return folder.compare(QLatin1String("Contacts"), Qt::CaseInsensitive) == 0
               ? quillet::DataKind::Contacts
               : quillet::DataKind::Tasks;
}

std::optional<QDateTime> nowOption(const CommandArgs& cmd) {
    const auto text = cmd.option(QStringLiteral("now"));
    if (!text) return std::nullopt;
    const QDateTime now = QDateTime::fromString(*text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!now.isValid())
        throw UsageError("--now takes a moment as 'YYYY-MM-DD hh:nn:ss', not \"" +
                         vl::FromQt(*text) + "\"");
    return now;
}

// The organizer's folder as a prefix of its file names, empty without one.
QString organizerFolder(const CommandArgs& cmd) {
    auto folder = cmd.option(QStringLiteral("organizer"));
    if (!folder) return {};
    if (!QDir(*folder).exists())
        throw vl::VlError("folder \"" + vl::FromQt(*folder) + "\" does not exist");
    if (!folder->endsWith(QDir::separator()) && !folder->endsWith(QLatin1Char('/')))
        *folder += QDir::separator();
    return *folder;
}

// Loads the lists as the program starts; without photos the reports are
// built all the same, as the program would show them.
void loadOrganizer(quillet::OrganizerStore& store) {
    try {
        store.startUp();
    } catch (const vl::VlError& e) {
        std::fprintf(stderr, "vellum: %s; photos are not shown\n",
                     vl::ToQt(e.what()).toUtf8().constData());
    }
}

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

void writeOutputs(vl::TvlEMFPages& pages, const Outputs& out, const QString& title) {
    if (out.json) WriteText(*out.json, PagesJson(pages, pages.Count()));
    if (out.vlp) pages.SaveToFile(*out.vlp);
    if (out.png) WriteImages(pages, *out.png, out.dpi);
    if (out.pdf) WritePdf(pages, *out.pdf, title);
}

} // namespace

int RunBuild(const QStringList& args) {
    const CommandArgs cmd(args,
                          {QStringLiteral("organizer"), QStringLiteral("source"),
                           QStringLiteral("now"), QStringLiteral("locale"), QStringLiteral("json"),
                           QStringLiteral("vlp"), QStringLiteral("pdf"), QStringLiteral("png"),
                           QStringLiteral("dpi")},
                          {});
    const QString templatePath = cmd.positional(0, "template file");
    if (cmd.positionals().size() > 1) throw UsageError("one TEMPLATE expected");
    const quillet::DataKind kind = sourceOption(cmd, templatePath);
    const std::optional<QDateTime> now = nowOption(cmd);
    const Outputs out = outputOptions(cmd);
    if (const auto locale = cmd.option(QStringLiteral("locale"))) SelectLocale(*locale);

    quillet::OrganizerStore store(organizerFolder(cmd));
    if (!store.dataFolder().isEmpty()) loadOrganizer(store);
    quillet::OrganizerReport organizer(store);
    organizer.setDataKind(kind);
    if (now) organizer.setNow(*now);
    vl::TvlReport& report = organizer.report();
    // As the window builds a chosen template: without the progress window.
    report.ShowProgress = false;
    if (!report.LoadFromFile(templatePath))
        throw vl::VlError("template \"" + vl::FromQt(templatePath) + "\" does not exist");

    // The engine shows its error text in a box that nobody sees here.
    try {
        vl::BuildReport(report);
    } catch (const vl::ReportBuildError& e) {
        const std::string error = e.cancelled() ? std::string("the build was cancelled") : e.what();
        std::fprintf(stderr, "vellum: %s\n", vl::ToQt(error).toUtf8().constData());
        return 1;
    }
    writeOutputs(report.EMFPages(), out, QFileInfo(templatePath).completeBaseName());
    return 0;
}

} // namespace vellum_cli
