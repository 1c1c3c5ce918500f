// Renders the print dialog into PNG files for the documentation:
//   vellum-print-dialog-shots OUTPUT_DIR [SUFFIX]
// Run it on a real display (xvfb-run); QT_SCALE_FACTOR=2 gives the
// high-density pictures, SUFFIX (for example "@2x") tells them apart. The
// printers are the system's and "Print to PDF file".
#include "engine/build/TvlEngine.h"
#include "engine/output/printdialog/TvlPrintForm.h"
#include "engine/output/printing/QtPrinterSystem.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <cstdio>

namespace {

using namespace vl;

bool save(QWidget& window, const QString& path) {
    window.show();
    window.raise();
    window.activateWindow();
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    const bool ok = window.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: vellum-print-dialog-shots OUTPUT_DIR [SUFFIX]\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString suffix = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    auto system = std::make_unique<QtPrinterSystem>();
    system->setPdfPrinterOffered(true);
    TvlEngine& engine = TvlEngine::Default();
    engine.startPrinter(std::move(system));

    bool ok = true;
    {
        TvlPrintForm form(engine, 12);
        ok &= save(form, out.filePath(QStringLiteral("print-dialog%1.png").arg(suffix)));
    }
    {
        TvlPrintForm form(engine, 12);
        form.setCopies(2);
        form.setCollate(false);
        form.findChild<QLineEdit*>(QStringLiteral("PageRangeEdit"))
            ->setText(QStringLiteral("1,3,5-12"));
        form.findChild<QRadioButton*>(QStringLiteral("PageRangeButton"))->setChecked(true);
        form.findChild<QComboBox*>(QStringLiteral("ParityBox"))->setCurrentIndex(1);
        ok &= save(form, out.filePath(QStringLiteral("print-dialog-range%1.png").arg(suffix)));
    }
    return ok ? 0 : 1;
}
