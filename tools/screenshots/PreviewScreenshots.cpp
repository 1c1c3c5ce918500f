// Renders the preview window on a sample report at 100 %, at page width,
// with two pages side by side and with a search hit, and the progress
// window, into PNG files. scripts/screenshots.sh runs it under a virtual
// display: vellum-preview-screenshots OUT_DIR SUFFIX ORGANIZER_DIR TEMPLATE

#include "app/OrganizerReport.h"
#include "engine/build/TvlEngine.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/preview/PreviewSearch.h"
#include "engine/output/preview/ReportPreview.h"
#include "engine/output/preview/TvlHelpWindow.h"
#include "engine/output/preview/TvlPreviewForm.h"
#include "engine/output/preview/TvlProgressForm.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <cstdio>

using namespace vl;

namespace {

QString outputDir;
QString suffix;

void save(QWidget& window, const QString& name) {
    window.show();
    QApplication::processEvents();
    const QString path = outputDir + QLatin1Char('/') + name + suffix + QStringLiteral(".png");
    if (!window.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// A word of some length from the middle of the first page's texts.
QString searchWord(TvlEMFPages& pages) {
    const std::vector<DrawnText> texts = RecordPageTexts(pages, 0);
    for (std::size_t i = texts.size() / 2; i < texts.size(); ++i)
        for (const QString& word : texts[i].text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            if (word.size() >= 5) return word;
    return {};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellum Screenshots"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 5) {
        std::fprintf(stderr,
                     "usage: vellum-preview-screenshots OUT_DIR SUFFIX ORGANIZER TEMPLATE\n");
        return 2;
    }
    outputDir = args[1];
    suffix = args[2];
    QDir().mkpath(outputDir);
    quillet::OrganizerStore store(QDir(args[3]).absolutePath() + QLatin1Char('/'));
    store.startUp();
    quillet::OrganizerReport organizer(store);
    organizer.setNow(QDateTime(QDate(2026, 12, 1), QTime(9, 0)));
    const bool contacts = QFileInfo(args[4]).absoluteDir().dirName() == QLatin1String("Contacts");
    organizer.setDataKind(contacts ? quillet::DataKind::Contacts : quillet::DataKind::Tasks);
    TvlReport& report = organizer.report();
    report.ShowProgress = false;
    // built headless, so that a failure is printed rather than shown
    if (!report.LoadFromFile(args[4]) || !report.PrepareReport() ||
        report.EMFPages().Count() == 0) {
        std::fprintf(stderr, "cannot build %s: %s\n", qPrintable(args[4]),
                     report.LastBuildError().c_str());
        return 1;
    }
    const WindowServices windows;

    TvlPreviewForm preview;
    preview.setWindowTitle(QStringLiteral("Preview - ") + QFileInfo(args[4]).completeBaseName());
    preview.HelpFile = FindUserGuide();
    preview.resize(1100, 800);
    preview.TakePages(report);
    preview.ApplyReportSettings();
    preview.show();
    QApplication::processEvents();
    preview.ResetView(true);
    preview.SetZoomPercent(100);
    save(preview, QStringLiteral("preview-100"));
    preview.FitPageWidth();
    save(preview, QStringLiteral("preview-page-width"));
    preview.FitTwoPages();
    save(preview, QStringLiteral("preview-two-pages"));
    preview.SetZoomPercent(100);
    preview.StartSearch(searchWord(*preview.ShownPages()), false, true);
    save(preview, QStringLiteral("preview-find"));

    TvlProgressForm progress(report.Engine().stopRequested());
    progress.setWindowTitle(QStringLiteral("Preparing report - ") +
                            QFileInfo(args[4]).completeBaseName());
    progress.SetFirstLine(QStringLiteral("Processing page:  3 from 12"));
    save(progress, QStringLiteral("progress"));
    return 0;
}
