#pragma once

#include "designer/commands/DesignerAsk.h"

class QWidget;

namespace vl {

class TvlEditorHost;

// The questions as the designer puts them to a person: message boxes, the
// file dialogs and the commands' dialogs, each modal over the parent.
class TvlWidgetAsk : public TvlDesignerAsk {
public:
    // editorHost, when given, serves the expression builder the dictionary
    // editor offers for variables.
    explicit TvlWidgetAsk(QWidget* parent, TvlEditorHost* editorHost = nullptr)
        : parent_(parent), editorHost_(editorHost) {}

    TvlAnswer saveChanges(const QString& question) override;
    bool confirmRemovePage() override;
    QString openFile(const QString& folder, int& filter) override;
    QString saveFile(const QString& folder, const QString& proposed, int& filter) override;
    std::optional<QString> chooseTemplate(const QString& folder) override;
    bool describeTemplate(TvlTemplateHeader& header) override;
    bool pageOptions(TvlPageOptionValues& values, const TvlPrinter& printer) override;
    bool reportOptions(TvlReportOptionValues& values) override;
    std::optional<std::string> password(int promptId) override;
    bool designerOptions(TvlDesignerSettings& settings, TvlEditorFonts& fonts) override;
    bool editDictionary(TvlReport& report) override;
    bool chooseFields(const TvlReport& report, TvlFieldBlockChoice& choice) override;
    void showPrepared(TvlReport& report) override;
    bool previewWithoutData(const QStringList& sources) override;

private:
    QWidget* parent_;
    TvlEditorHost* editorHost_;
};

// The filters of the open and save dialogs, in the order of TvlOpenFilter
// and TvlSaveFilter.
QStringList OpenFilters();
QStringList SaveFilters();

} // namespace vl
