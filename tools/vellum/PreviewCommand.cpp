#include "app/OrganizerReport.h"
#include "engine/build/TvlEngine.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/preview/ReportPreview.h"
#include "engine/script/CodePage.h"
#include "tools/vellum/CommandLine.h"
#include "tools/vellum/Commands.h"
#include "tools/vellum/OrganizerOptions.h"
#include "tools/vellum/SystemPrinters.h"
#include "tools/vellum/TemplateFile.h"

#include <QApplication>
#include <QFileInfo>

namespace vellum_cli {

namespace {

bool isPreparedFile(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("vlp"), Qt::CaseInsensitive) == 0;
}

} // namespace

int RunPreview(const QStringList& args) {
    const CommandArgs cmd(args,
                          {QStringLiteral("organizer"), QStringLiteral("source"),
                           QStringLiteral("now"), QStringLiteral("locale")},
                          {});
    const QString path = cmd.positional(0, "prepared report or template file");
    if (cmd.positionals().size() > 1) throw UsageError("one FILE expected");
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw vl::VlError("the preview needs a window system");
    if (!QFileInfo(path).isFile())
        throw vl::VlError("file \"" + vl::FromQt(path) + "\" does not exist");
    if (const auto locale = cmd.option(QStringLiteral("locale")))
        SelectLocale(cmd.engine(), *locale);
    const vl::WindowServices windows(cmd.engine());
    // pages are laid out on the system's printer, as the program does; a
    // machine without printers still prints into a PDF file
    const SystemPrinters printers(cmd.engine());

    quillet::OrganizerStore store(organizerFolder(cmd));
    if (!store.dataFolder().isEmpty()) loadOrganizer(store);
    quillet::OrganizerReport organizer(store);
    vl::TvlReport& report = organizer.report();
    report.ModalPreview = true;
    if (isPreparedFile(path)) {
        try {
            report.LoadPreparedReport(path);
        } catch (const std::exception& e) {
            // the pages read before the damage are shown
            PrintError(e.what());
        }
        vl::ShowPreparedReport(report);
        return 0;
    }
    organizer.setDataKind(sourceOption(cmd, path));
    if (const auto now = nowOption(cmd)) organizer.setNow(*now);
    RequireTemplate(report, path);
    // the window shows the build's errors itself; a build without pages
    // (cancelled, failed or empty) shows nothing
    if (!vl::ShowReport(report)) return 1;
    return 0;
}

} // namespace vellum_cli
