// Renders the Print Preview window on the sample tasks and on the sample
// contacts at page width into PNG files. scripts/screenshots.sh runs it
// under a virtual display:
// quillet-print-screenshots OUT_DIR SUFFIX ORGANIZER_DIR PROGRAM_DIR

#include "app/window/TFormPreview.h"
#include "engine/output/preview/ReportPreview.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>

namespace {

void save(QWidget& window, const QString& path) {
    QApplication::processEvents();
    if (!window.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Vellum"));
    QCoreApplication::setApplicationName(QStringLiteral("Vellum Screenshots"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: quillet-print-screenshots OUT_DIR SUFFIX ORGANIZER PROGRAM\n");
        return 2;
    }
    const QString out = args[1] + QLatin1Char('/');
    const QString suffix = args[2] + QStringLiteral(".png");
    QDir().mkpath(out);
    const vl::WindowServices windows;

    const quillet::StartupOptions options = quillet::StartupOptions::fromArguments(
        args[4], {QDir(args[3]).absolutePath() + QLatin1Char('/')});
    quillet::TFormPreview window(options);
    window.organizer().setNow(QDateTime(QDate(2026, 12, 1), QTime(9, 0)));
    window.resize(1100, 760);
    window.show();
    window.Zoom(3);
    save(window, out + QStringLiteral("print-preview-tasks") + suffix);

    window.findChild<QRadioButton*>(QStringLiteral("rbContacts"))->click();
    window.Zoom(11);
    save(window, out + QStringLiteral("print-preview-contacts-page-width") + suffix);
    return 0;
}
