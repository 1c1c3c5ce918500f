// quillet-print: the organizer's Print Preview program.
// Usage: quillet-print [DATA_FOLDER [CONTACTS]]

#include "app/window/TFormPreview.h"
#include "designer/window/TvlDesigner.h"
#include "engine/build/TvlEngine.h"
#include "engine/output/preview/ReportPreview.h"
#include "engine/output/printing/QtPrinterSystem.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

namespace {

// The data folder is a prefix of the data file names; a folder given
// without its trailing separator still means the files inside it.
QStringList programArguments() {
    QStringList args = QCoreApplication::arguments().mid(1);
    if (!args.isEmpty() && !args[0].endsWith(QLatin1Char('/')) && QFileInfo(args[0]).isDir())
        args[0] += QLatin1Char('/');
    return args;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // the windows' settings are kept under the program's title
    QCoreApplication::setOrganizationName(QStringLiteral("Vellum"));
    QCoreApplication::setApplicationName(QStringLiteral("Print Preview"));
    QGuiApplication::setDesktopFileName(QStringLiteral("quillet-print"));
    QApplication::setWindowIcon(QIcon::fromTheme(
        QStringLiteral("quillet-print"), QIcon(QStringLiteral(":/quillet/quillet-print.svg"))));
    const vl::WindowServices windows;
    // templates are edited in the designer, prepared pages from the preview
    const vl::TvlDesigner designer;
    auto printers = std::make_unique<vl::QtPrinterSystem>();
    printers->setPdfPrinterOffered(true);
    vl::Globals().startPrinter(std::move(printers));

    const quillet::StartupOptions options = quillet::StartupOptions::fromArguments(
        QCoreApplication::applicationDirPath(), programArguments());
    quillet::TFormPreview window(options);
    window.showMaximized();
    const int status = QApplication::exec();
    vl::Globals().startPrinter(nullptr);
    return status;
}
