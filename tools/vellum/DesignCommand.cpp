#include "designer/window/InstallDesigner.h"
#include "engine/build/TvlGlobals.h"
#include "engine/build/TvlReport.h"
#include "engine/output/preview/ReportPreview.h"
#include "engine/output/printing/QtPrinterSystem.h"
#include "engine/script/CodePage.h"
#include "tools/vellum/CommandLine.h"
#include "tools/vellum/Commands.h"

#include <QApplication>
#include <QFileInfo>

namespace vellum_cli {

namespace {

// The designer is the engine's while the command runs.
class InstalledDesigner {
public:
    InstalledDesigner() { vl::InstallDesigner(); }
    ~InstalledDesigner() { vl::UninstallDesigner(); }
    InstalledDesigner(const InstalledDesigner&) = delete;
    InstalledDesigner& operator=(const InstalledDesigner&) = delete;
};

} // namespace

int RunDesign(const QStringList& args) {
    const CommandArgs cmd(args, {}, {});
    const QString path = cmd.positional(0, "template file");
    if (cmd.positionals().size() > 1) throw UsageError("one TEMPLATE expected");
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw vl::VlError("the designer needs a window system");
    if (!QFileInfo(path).isFile())
        throw vl::VlError("file \"" + vl::FromQt(path) + "\" does not exist");
    const vl::WindowServices windows;
    auto printers = std::make_unique<vl::QtPrinterSystem>();
    printers->setPdfPrinterOffered(true);
    vl::Globals().startPrinter(std::move(printers));
    const InstalledDesigner designer;
    vl::TvlReport report;
    // a template read only in part is not opened: saving it would lose the rest
    report.LoadFromFile(path);
    report.FileName = vl::FromQt(QFileInfo(path).absoluteFilePath());
    report.DesignReport();
    vl::Globals().startPrinter(nullptr);
    return 0;
}

} // namespace vellum_cli
