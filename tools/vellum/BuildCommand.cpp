#include "app/OrganizerReport.h"
#include "engine/build/TvlGlobals.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/CodePage.h"
#include "tools/vellum/CommandLine.h"
#include "tools/vellum/Commands.h"
#include "tools/vellum/DatabaseBinding.h"
#include "tools/vellum/PreparedOutput.h"
#include "tools/vellum/ReportVariables.h"
#include "tools/vellum/TemplateUsage.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <functional>

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

// The engine separates the lines of its error text by carriage returns.
std::string terminalText(std::string text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) text[i] = '\n';
    return text;
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

// Loads the template into the report, lets the host check it, builds it and
// writes the outputs; nothing is written when the build fails.
int buildAndWrite(vl::TvlReport& report, const QString& templatePath, const Outputs& out,
                  const std::function<void(vl::TvlReport&)>& prepare) {
    // As the window builds a chosen template: without the progress window.
    report.ShowProgress = false;
    if (!report.LoadFromFile(templatePath))
        throw vl::VlError("template \"" + vl::FromQt(templatePath) + "\" does not exist");
    prepare(report);

    // The engine shows its error text in a box that nobody sees here.
    if (!report.PrepareReport() || !report.LastBuildError().empty()) {
        const std::string error = report.LastBuildError().empty()
                                      ? std::string("the build was cancelled")
                                      : terminalText(report.LastBuildError());
        std::fprintf(stderr, "vellum: %s\n", vl::ToQt(error).toUtf8().constData());
        return 1;
    }
    writeOutputs(report.EMFPages(), out, QFileInfo(templatePath).completeBaseName());
    return 0;
}

// The template on the tables of a database instead of the organizer's lists.
int buildOnDatabase(const CommandArgs& cmd, const DatabaseOptions& options,
                    const QString& templatePath, const Outputs& out) {
    if (cmd.option(QStringLiteral("organizer")) || cmd.option(QStringLiteral("source")))
        throw UsageError("--database builds on the database, without --organizer or --source");
    const std::optional<QDateTime> now = nowOption(cmd);
    const QList<NamedText> variables = ReadVariableOptions(cmd);
    DatabaseBinding binding(options);
    if (now) binding.report().Now = [now] { return *now; };
    return buildAndWrite(binding.report(), templatePath, out, [&](vl::TvlReport& report) {
        binding.checkTemplate(TemplateUsage(report));
        ApplyVariables(report, variables);
    });
}

} // namespace

int RunBuild(const QStringList& args) {
    const CommandArgs cmd(
        args,
        QStringList{QStringLiteral("organizer"), QStringLiteral("source"), QStringLiteral("now"),
                    QStringLiteral("locale"), QStringLiteral("json"), QStringLiteral("vlp"),
                    QStringLiteral("pdf"), QStringLiteral("png"), QStringLiteral("dpi")} +
            DatabaseOptionNames(),
        {});
    const QString templatePath = cmd.positional(0, "template file");
    if (cmd.positionals().size() > 1) throw UsageError("one TEMPLATE expected");
    const DatabaseOptions database = ReadDatabaseOptions(cmd);
    const Outputs out = outputOptions(cmd);
    if (const auto locale = cmd.option(QStringLiteral("locale"))) SelectLocale(*locale);
    if (database.given()) return buildOnDatabase(cmd, database, templatePath, out);

    const quillet::DataKind kind = sourceOption(cmd, templatePath);
    const std::optional<QDateTime> now = nowOption(cmd);
    const QList<NamedText> variables = ReadVariableOptions(cmd);
    quillet::OrganizerStore store(organizerFolder(cmd));
    if (!store.dataFolder().isEmpty()) loadOrganizer(store);
    quillet::OrganizerReport organizer(store);
    organizer.setDataKind(kind);
    if (now) organizer.setNow(*now);
    return buildAndWrite(organizer.report(), templatePath, out,
                         [&](vl::TvlReport& report) { ApplyVariables(report, variables); });
}

} // namespace vellum_cli
