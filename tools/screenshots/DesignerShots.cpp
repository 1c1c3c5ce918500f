// Renders the designer window on a template and on a dialog page into PNG
// files. scripts/screenshots.sh runs it under a virtual display:
// vellum-designer-shots OUT_DIR SUFFIX TEMPLATE

#include "designer/window/DialogPageWindow.h"
#include "designer/window/TvlDesigner.h"
#include "designer/window/TvlDesignerForm.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlDialogControl.h"
#include "engine/model/TvlMemoView.h"
#include "engine/output/preview/ReportPreview.h"
#include "engine/script/FormSettings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <cstdio>

namespace {

void save(const QPixmap& picture, const QString& path) {
    if (!picture.save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

void save(QWidget& window, const QString& path) {
    QApplication::processEvents();
    save(window.grab(), path);
}

// The designer and the dialog-page window beside it, in one picture.
void saveSideBySide(QWidget& designer, QWidget& dialog, const QString& path) {
    QApplication::processEvents();
    const QPixmap left = designer.grab();
    const QPixmap right = dialog.grab();
    // painted in logical pixels, so that both grabs keep their scale
    const QSize leftSize = left.deviceIndependentSize().toSize();
    const QSize rightSize = right.deviceIndependentSize().toSize();
    const qreal ratio = left.devicePixelRatio();
    const QSize size(leftSize.width() + 20 + rightSize.width(),
                     std::max(leftSize.height(), rightSize.height()));
    QPixmap both(size * ratio);
    both.setDevicePixelRatio(ratio);
    both.fill(QColor(0x60, 0x60, 0x60));
    QPainter p(&both);
    p.drawPixmap(0, 0, left);
    p.drawPixmap(leftSize.width() + 20, 0, right);
    p.end();
    save(both, path);
}

// A report page and a dialog page with a few controls.
void addDialogPage(vl::TvlReport& report) {
    vl::TvlPage& page = report.Pages().Add();
    page.PageType = vl::ptDialog;
    page.Dialog.Caption = "Choose the tasks";
    page.Dialog.Width = 320;
    page.Dialog.Height = 200;
    const auto add = [&](vl::TvlControlKind kind, const char* name, const char* text, int top) {
        auto control = std::make_unique<vl::TvlDialogControl>(kind);
        control->Name = name;
        control->Text = text;
        control->SetBounds(16, top, 200, 22);
        page.AddObject(std::move(control));
    };
    add(vl::TvlControlKind::Label, "Label1", "Category:", 16);
    add(vl::TvlControlKind::Edit, "Edit1", "Work", 40);
    add(vl::TvlControlKind::CheckBox, "CheckBox1", "Only open tasks", 76);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Vellum"));
    QCoreApplication::setApplicationName(QStringLiteral("Vellum Screenshots"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: vellum-designer-shots OUT_DIR SUFFIX TEMPLATE\n");
        return 2;
    }
    const QString out = args[1] + QLatin1Char('/');
    const QString suffix = args[2] + QStringLiteral(".png");
    QDir().mkpath(out);
    // the pictures show the designer as a first start lays it out
    for (const char* window : {"TvlDesignerForm", "TvlInspForm", "TvlInsFieldsForm"})
        vl::OpenFormSettings(QString::fromLatin1(window))->remove(QString());
    const vl::WindowServices windows;
    const vl::TvlDesigner designer;

    vl::TvlReport report;
    if (const vl::TvlLoadOutcome loaded = report.LoadFromFile(args[3]); !loaded) {
        std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(args[3]),
                     loaded.fullMessage().c_str());
        return 1;
    }
    {
        vl::TvlDesignerForm form(report, false);
        form.resize(1200, 820);
        form.show();
        // the title text selected shows the status line's position box
        form.selectByName(report.Pages()[0].Objects.size() > 2 ? report.Pages()[0].Objects[2]->Name
                                                               : std::string());
        save(form, out + QStringLiteral("designer-task-list") + suffix);
        // the whole screen: the tool windows beside the page, as a window
        // manager shows them
        QElapsedTimer settled;
        settled.start();
        while (settled.elapsed() < 800)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        const QRect r = form.frameGeometry();
        save(QGuiApplication::primaryScreen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()),
             out + QStringLiteral("designer-first-start") + suffix);
    }

    addDialogPage(report);
    vl::TvlDesignerForm form(report, false);
    form.resize(900, 600);
    form.show();
    form.selectPage(report.Pages().Count() - 1);
    form.selectByName("Edit1");
    vl::TvlDialogPageWindow* dialog = form.dialogPageWindow();
    if (!dialog) return 1;
    saveSideBySide(form, *dialog, out + QStringLiteral("designer-dialog-page") + suffix);
    return 0;
}
