#include "designer/window/TvlDesigner.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/output/preview/ReportPreview.h"
#include "engine/script/CodePage.h"
#include "tools/vellum/CommandLine.h"
#include "tools/vellum/Commands.h"
#include "tools/vellum/DatabaseBinding.h"
#include "tools/vellum/DatabaseOptions.h"
#include "tools/vellum/OrganizerBuild.h"
#include "tools/vellum/SystemPrinters.h"
#include "tools/vellum/TemplateFile.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace vellum_cli {

namespace {

// Opens the designer on the template of that path, or on a blank report
// that saves there when no file of that name exists yet.
void designAt(vl::TvlReport& report, const QString& path) {
    const QFileInfo file(path);
    if (file.exists()) {
        // a template read only in part is not opened: saving it would lose the rest
        RequireTemplate(report, path);
    } else {
        report.Clear();
        report.Pages().Add();
    }
    report.FileName = vl::FromQt(file.absoluteFilePath());
    report.DesignReport();
}

void requireNewFileFolder(const QString& path) {
    const QFileInfo file(path);
    if (file.exists() && !file.isFile())
        throw vl::VlError("\"" + vl::FromQt(path) + "\" is not a file");
    if (!file.exists() && !file.absoluteDir().exists())
        throw vl::VlError("folder \"" + vl::FromQt(file.absolutePath()) + "\" does not exist");
}

} // namespace

int RunDesign(const QStringList& args) {
    const CommandArgs cmd(
        args,
        QStringList{QStringLiteral("organizer"), QStringLiteral("source"), QStringLiteral("now")} +
            DatabaseOptionNames(),
        {});
    const QString path = cmd.positional(0, "template file");
    if (cmd.positionals().size() > 1) throw UsageError("one TEMPLATE expected");
    const DatabaseOptions database = ReadDatabaseOptions(cmd);
    const bool organizer = cmd.option(QStringLiteral("organizer")).has_value();
    if (database.given() && (organizer || cmd.option(QStringLiteral("source"))))
        throw UsageError("--database designs on the database, without --organizer or --source");
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw vl::VlError("the designer needs a window system");
    requireNewFileFolder(path);
    const vl::WindowServices windows(cmd.engine());
    const SystemPrinters printers(cmd.engine());
    const vl::TvlDesigner designer(cmd.engine());
    // The designer's field lists and its preview show the data it is given.
    if (database.given()) {
        DatabaseBinding binding(database);
        designAt(binding.report(), path);
    } else if (organizer) {
        OrganizerBuild build(cmd, path);
        build.loadData();
        designAt(build.report(), path);
    } else {
        vl::TvlReport report;
        designAt(report, path);
    }
    return 0;
}

} // namespace vellum_cli
