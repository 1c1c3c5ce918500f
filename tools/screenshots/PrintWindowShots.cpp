// Renders the Print Preview window on the sample tasks and on the sample
// contacts at page width, the window behind its print dialog and the
// designer that "Edit report" opens with the fields window on the tasks'
// fields into PNG files. scripts/screenshots.sh runs it
// under a virtual display:
// quillet-print-screenshots OUT_DIR SUFFIX ORGANIZER_DIR PROGRAM_DIR

#include "app/window/TFormPreview.h"
#include "designer/commands/TvlTemplForm.h"
#include "designer/dictionary/TvlInsFieldsForm.h"
#include "designer/window/DesignerActions.h"
#include "designer/window/DesignerParts.h"
#include "designer/window/TvlDesigner.h"
#include "designer/window/TvlDesignerForm.h"
#include "engine/build/TvlEngine.h"
#include "engine/output/preview/ReportPreview.h"
#include "engine/output/preview/TvlHelpWindow.h"
#include "engine/output/printdialog/TvlPrintForm.h"
#include "engine/output/printing/QtPrinterSystem.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

void save(QWidget& window, const QString& path) {
    QApplication::processEvents();
    if (!window.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// The screen under a window, so that the window and the windows over it
// show together.
void saveScreen(const QWidget& window, const QString& path) {
    // the X server shows what was painted a moment later
    QElapsedTimer painted;
    painted.start();
    while (painted.elapsed() < 400)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    const QRect r = window.frameGeometry();
    if (!QGuiApplication::primaryScreen()
             ->grabWindow(0, r.x(), r.y(), r.width(), r.height())
             .save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// Runs action on the modal window of that kind once it is up.
template <typename Window> void onModal(std::function<void(Window&)> action) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        auto* window = dynamic_cast<Window*>(QApplication::activeModalWidget());
        if (!window || !window->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        // from the event queue: the action may wait in windows of its own
        QTimer::singleShot(300, window, [window, action] { action(*window); });
    });
    timer->start();
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
    // the program's printers, "Print to PDF file" among them
    auto printers = std::make_unique<vl::QtPrinterSystem>();
    printers->setPdfPrinterOffered(true);
    vl::TvlEngine& engine = vl::TvlEngine::Default();
    engine.startPrinter(std::move(printers));
    // "Edit report" opens the designer
    const vl::TvlDesigner designer;

    const quillet::StartupOptions options = quillet::StartupOptions::fromArguments(
        args[4], {QDir(args[3]).absolutePath() + QLatin1Char('/')});
    quillet::TFormPreview window(options);
    window.organizer().setNow(QDateTime(QDate(2026, 12, 1), QTime(9, 0)));
    window.resize(1100, 760);
    window.show();
    window.Zoom(3);
    save(window, out + QStringLiteral("print-preview-tasks") + suffix);

    // the pages stay in view while the print dialog is open
    onModal<vl::TvlPrintForm>([&](vl::TvlPrintForm& dialog) {
        saveScreen(window, out + QStringLiteral("print-preview-behind-print-dialog") + suffix);
        dialog.reject();
    });
    window.findChild<QPushButton*>(QStringLiteral("Button4"))->click();

    // the designer that "Edit report" opens knows the organizer's fields
    onModal<vl::TvlDesignerForm>([&](vl::TvlDesignerForm& designer) {
        // no window manager maximizes it here
        designer.setGeometry(QRect(0, 0, 1400, 950));
        designer.parts().showFieldsWindow(true);
        if (vl::TvlInsFieldsForm* fields = designer.parts().fieldsWindow()) {
            auto* sets = fields->findChild<QListWidget*>(QStringLiteral("DatasetsLB"));
            const auto tasks = sets->findItems(QStringLiteral("Tasks"), Qt::MatchExactly);
            if (!tasks.isEmpty()) sets->setCurrentItem(tasks.front());
        }
        saveScreen(designer, out + QStringLiteral("designer-fields-task-list") + suffix);
        // File > New: a blank report first, then the skeletons
        onModal<vl::TvlTemplForm>([&](vl::TvlTemplForm& chooser) {
            saveScreen(chooser, out + QStringLiteral("designer-file-new") + suffix);
            chooser.reject();
        });
        designer.actions().newEntry->trigger();
        designer.exit();
    });
    window.findChild<QPushButton*>(QStringLiteral("bEdit"))->click();

    // the user guide in its help window
    window.findChild<QPushButton*>(QStringLiteral("bHelp"))->click();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<vl::TvlHelpWindow*>(top); help && help->isVisible()) {
            help->move(0, 0);
            help->searchField()->setText(QStringLiteral("Page Setup"));
            help->findNext();
            saveScreen(*help, out + QStringLiteral("help-window") + suffix);
            help->close();
        }

    window.findChild<QRadioButton*>(QStringLiteral("rbContacts"))->click();
    window.Zoom(11);
    save(window, out + QStringLiteral("print-preview-contacts-page-width") + suffix);
    engine.startPrinter(nullptr);
    return 0;
}
