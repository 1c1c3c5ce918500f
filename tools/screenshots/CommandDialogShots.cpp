// Renders the dialogs of the designer's file, page and option commands with
// sample contents into PNG files: "New report", "New report template", page
// options (each tab), report options (each tab), the password dialog,
// designer options (each tab) and "Insert DB fields".
// scripts/command-screenshots.sh runs it under a virtual display.

#include "designer/commands/PageOptionValues.h"
#include "designer/commands/ReportOptionValues.h"
#include "designer/commands/TvlDesOptionsForm.h"
#include "designer/commands/TvlDocOptForm.h"
#include "designer/commands/TvlInsertFieldsForm.h"
#include "designer/commands/TvlPasswForm.h"
#include "designer/commands/TvlPgoptForm.h"
#include "designer/commands/TvlTemplForm.h"
#include "designer/commands/TvlTemplNewForm.h"
#include "engine/build/TemplateFile.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/build/sql/TvlSqlDatabase.h"
#include "engine/build/sql/TvlSqlTable.h"
#include "engine/output/OutputContext.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/CodePage.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QListWidget>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>
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

template <typename Form> void saveTabs(Form& form, const QStringList& names) {
    for (int i = 0; i < names.size(); ++i) {
        form.tabs()->setCurrentIndex(i);
        save(form, names[i]);
    }
}

QStringList ToQtList(const StringList& list) {
    QStringList result;
    for (const std::string& entry : list)
        result << ToQt(entry);
    return result;
}

std::vector<std::uint8_t> SampleBitmap() {
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(QColor(0xf4, 0xf1, 0xe8));
    QPainter painter(&icon);
    painter.setPen(QPen(QColor(0x2f, 0x5d, 0x8a), 2));
    for (int y = 8; y <= 24; y += 8)
        painter.drawLine(6, y, 26, y);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    icon.save(&buffer, "BMP");
    return {bytes.begin(), bytes.end()};
}

void templateDialogs(TvlReport& report) {
    QTemporaryDir dir;
    report.Pages().Add();
    SaveTemplateFile(
        report, dir.filePath(QStringLiteral("Task list.vlt")),
        {{"Open tasks with due date and status,", "one line per task."}, SampleBitmap()});
    SaveTemplateFile(report, dir.filePath(QStringLiteral("Contacts.vlt")),
                     {{"Names, phones and birthdays."}, {}});
    TvlTemplForm choose(dir.path() + QLatin1Char('/'));
    choose.templateList()->setCurrentRow(1);
    save(choose, QStringLiteral("designer-new-report"));

    TvlTemplNewForm describe;
    save(describe, QStringLiteral("designer-new-template"));
}

void optionDialogs(TvlReport& report) {
    const TvlPrinter& printer = report.Engine().printer();
    TvlPageOptionValues page = TvlPageOptionValues::FromPage(report.Pages()[0], printer, false);
    TvlPgoptForm pageForm(page, ToQtList(printer.PaperNameList()), ToQtList(printer.BinNameList()));
    saveTabs(pageForm, {QStringLiteral("designer-page-options"),
                        QStringLiteral("designer-page-options-source"),
                        QStringLiteral("designer-page-options-margins"),
                        QStringLiteral("designer-page-options-other")});

    report.Info.Name = "Task list";
    report.Info.Author = "Quillet";
    report.Info.VersionMajor = "1";
    report.Info.VersionMinor = "0";
    TvlDocOptForm reportForm(TvlReportOptionValues::FromReport(report, printer));
    saveTabs(reportForm, {QStringLiteral("designer-report-options"),
                          QStringLiteral("designer-report-options-document")});

    TvlPasswForm password(55654);
    save(password, QStringLiteral("designer-password"));

    TvlDesOptionsForm designer{TvlDesignerSettings{}, TvlEditorFonts{}};
    saveTabs(designer,
             {QStringLiteral("designer-options"), QStringLiteral("designer-options-editor")});
}

void insertFields(TvlReport& report) {
    TvlInsertFieldsForm form(report.Dictionary());
    for (int i = 0; i < form.fieldList()->count() && i < 3; ++i)
        form.fieldList()->item(i)->setSelected(true);
    save(form, QStringLiteral("designer-insert-fields"));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Command dialog screenshots"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR [SUFFIX]\n", argv[0]);
        return 2;
    }
    outputDir = args[1];
    suffix = args.size() > 2 ? args[2] : QString();
    QDir().mkpath(outputDir);

    TvlComponent form{"MainForm"};
    TvlReport report{"Report1", &form};
    report.Engine().components().add(&form);
    TvlSqlDatabase database{"Database1", &form};
    TvlSqlTable customers{"Customers", &form, &database};
    database.DatabaseName = ":memory:";
    database.Open();
    database.Execute("CREATE TABLE Customers (Name TEXT, City TEXT, Phone TEXT, Birthday TEXT)");
    customers.TableName = "Customers";

    templateDialogs(report);
    optionDialogs(report);
    insertFields(report);
    report.Engine().components().remove(&form);
    return 0;
}
