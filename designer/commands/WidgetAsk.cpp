#include "designer/commands/WidgetAsk.h"

#include "designer/commands/DialogSupport.h"
#include "designer/commands/TvlDesOptionsForm.h"
#include "designer/commands/TvlDocOptForm.h"
#include "designer/commands/TvlInsertFieldsForm.h"
#include "designer/commands/TvlPasswForm.h"
#include "designer/commands/TvlPgoptForm.h"
#include "designer/commands/TvlTemplForm.h"
#include "designer/commands/TvlTemplNewForm.h"
#include "designer/dictionary/TvlDictForm.h"
#include "designer/editors/TextInsertions.h"
#include "engine/build/TvlReport.h"
#include "engine/output/OutputContext.h"
#include "engine/output/TvlPrinter.h"
#include "engine/output/preview/ReportPreview.h"
#include "engine/script/CodePage.h"

#include <QFileDialog>
#include <QMessageBox>

namespace vl {

namespace {

constexpr int kConfirmText = 55006;
constexpr int kRemovePageText = 55005;
constexpr int kFormText = 55213;
constexpr int kTemplateText = 55214;
constexpr int kDictionaryText = 55215;
constexpr int kForm3Text = 55481;

QString Filter(int textId, const char* pattern) {
    return ResText(textId) + QStringLiteral(" (%1)").arg(QLatin1String(pattern));
}

QStringList ToQtList(const StringList& list) {
    QStringList result;
    for (const std::string& entry : list)
        result << ToQt(entry);
    return result;
}

} // namespace

QStringList OpenFilters() {
    return {Filter(kFormText, "*.vlf"), Filter(kDictionaryText, "*.vld")};
}

QStringList SaveFilters() {
    return {Filter(kFormText, "*.vlf"), Filter(kForm3Text, "*.vl3"), Filter(kTemplateText, "*.vlt"),
            Filter(kDictionaryText, "*.vld")};
}

TvlAnswer TvlWidgetAsk::saveChanges(const QString& question) {
    switch (QMessageBox::question(parent_, ResText(kConfirmText), question,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return TvlAnswer::Yes;
    case QMessageBox::No:
        return TvlAnswer::No;
    default:
        return TvlAnswer::Cancel;
    }
}

bool TvlWidgetAsk::confirmRemovePage() {
    return QMessageBox::question(parent_, ResText(kConfirmText), ResText(kRemovePageText),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QString TvlWidgetAsk::openFile(const QString& folder, int& filter) {
    const QStringList filters = OpenFilters();
    QString chosen = filters.value(filter);
    const QString file = QFileDialog::getOpenFileName(parent_, QString(), folder,
                                                      filters.join(QStringLiteral(";;")), &chosen);
    filter = std::max<int>(0, static_cast<int>(filters.indexOf(chosen)));
    return file;
}

QString TvlWidgetAsk::saveFile(const QString& folder, const QString& proposed, int& filter) {
    const QStringList filters = SaveFilters();
    QString chosen = filters.value(filter);
    const QString start = folder.isEmpty() ? proposed : folder + QLatin1Char('/') + proposed;
    const QString file = QFileDialog::getSaveFileName(parent_, QString(), start,
                                                      filters.join(QStringLiteral(";;")), &chosen);
    filter = std::max<int>(0, static_cast<int>(filters.indexOf(chosen)));
    return file;
}

std::optional<QString> TvlWidgetAsk::chooseTemplate(const QString& folder) {
    TvlTemplForm form(folder, parent_);
    if (form.exec() != QDialog::Accepted) return std::nullopt;
    return form.chosenFile();
}

bool TvlWidgetAsk::describeTemplate(TvlTemplateHeader& header) {
    TvlTemplNewForm form(parent_);
    if (form.exec() != QDialog::Accepted) return false;
    header = form.header();
    return true;
}

bool TvlWidgetAsk::pageOptions(TvlPageOptionValues& values, const TvlPrinter& printer) {
    TvlPgoptForm form(values, ToQtList(printer.PaperNameList()), ToQtList(printer.BinNameList()),
                      parent_);
    if (form.exec() != QDialog::Accepted) return false;
    values = form.values();
    return true;
}

bool TvlWidgetAsk::reportOptions(TvlReportOptionValues& values) {
    TvlDocOptForm form(values, parent_);
    if (form.exec() != QDialog::Accepted) return false;
    values = form.values();
    return true;
}

std::optional<std::string> TvlWidgetAsk::password(int promptId) {
    TvlPasswForm form(promptId, parent_);
    if (form.exec() != QDialog::Accepted) return std::nullopt;
    return FromQt(form.password());
}

bool TvlWidgetAsk::designerOptions(TvlDesignerSettings& settings, TvlEditorFonts& fonts) {
    TvlDesOptionsForm form(settings, fonts, parent_);
    if (form.exec() != QDialog::Accepted) return false;
    settings = form.settings();
    fonts = form.fonts();
    return true;
}

bool TvlWidgetAsk::editDictionary(TvlReport& report) {
    TvlDictForm form(report.Dictionary(), report, parent_);
    if (editorHost_)
        form.setExpressionBuilder([this](QWidget* parent, std::string& expression) {
            return EditExpression(*editorHost_, parent, expression);
        });
    return form.exec() == QDialog::Accepted;
}

bool TvlWidgetAsk::chooseFields(const TvlReport& report, TvlFieldBlockChoice& choice) {
    TvlInsertFieldsForm form(report.Dictionary(), parent_);
    if (form.exec() != QDialog::Accepted) return false;
    choice = form.choice();
    return true;
}

void TvlWidgetAsk::showPrepared(TvlReport& report) {
    ShowPreparedReport(report);
}

bool TvlWidgetAsk::previewWithoutData(const QStringList& sources) {
    const QString text =
        QObject::tr("There is no data here for %1, so the bands that print %2 stay empty.\n\n"
                    "To preview with data, open the designer with it: from Quillet Print "
                    "Preview with \"Edit report\", or with vellum design --organizer FOLDER "
                    "or --database FILE.\n\nPreview without the data?")
            .arg(sources.join(QStringLiteral(", ")),
                 sources.size() == 1 ? QObject::tr("its records") : QObject::tr("their records"));
    return QMessageBox::question(parent_, QObject::tr("No data"), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

} // namespace vl
