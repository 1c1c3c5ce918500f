#pragma once

#include "app/OrganizerReport.h"
#include "app/OrganizerStore.h"
#include "app/TemplateFolder.h"

#include <QWidget>
#include <optional>

class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace vl {
class TvlPreview;
}

namespace quillet {

class ZoomMenu;

// The program's main window, "Print Preview": the templates of the chosen
// data source on the left, the built report in an embedded preview pane on
// the right, with zoom, page navigation, page setup and printing above it.
// Creating the window runs the program's start-up (reading the organizer's
// files) and builds the first template of the initial data source.
class TFormPreview : public QWidget {
public:
    explicit TFormPreview(const StartupOptions& options, QWidget* parent = nullptr);
    ~TFormPreview() override;

    OrganizerReport& organizer() { return *organizer_; }
    // The engine the organizer's report is built with.
    vl::TvlEngine& engine() { return organizer_->report().Engine(); }
    vl::TvlPreview& preview() { return *Preview; }
    // The data source whose templates are listed; none until one is chosen.
    std::optional<DataSourceKind> dataSource() const { return kind_; }

    void rbTaskListClick();
    void rbContactsClick();
    // Lists the templates of the chosen data source, selects the first and
    // builds it. An empty list builds nothing: the pane keeps its pages.
    void EnumerateReports();
    // Loads and shows the selected template.
    void lbReportsClick();
    // Opens the designer on the template last loaded and shows the report
    // anew when it closes.
    void EditReport();
    // Opens the user guide at the Print Preview window (the Help button, F1).
    void ShowHelp();
    // Copies the selected template under a name asked for.
    void DublicateReport();
    // Deletes the selected template after asking.
    void DeleteReport();
    // Zooms by a zoom menu entry's tag and sets the zoom button's caption.
    void Zoom(int tag);
    // "+" and "-": from the pane's current scale, in percent mode.
    void ZoomBy(double percent);
    // The file of the selected template; empty without a selection.
    QString SelectedTemplatePath() const;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* createLeftColumn();
    QWidget* createReportsPage();
    QWidget* createRightPart();
    QWidget* createButtonRow();
    QPushButton* rowButton(const QString& caption, const char* name, int width);
    void createReportMenu();
    void connectControls();
    void formCreate(const StartupOptions& options);
    void selectDataSource(DataSourceKind kind);
    void showError(const std::string& text);
    QString selectedName() const;

    OrganizerStore store_;
    // Set when the selection moved, so that the click that moved it does not
    // build the template a second time.
    bool rowJustChanged_ = false;
    std::unique_ptr<OrganizerReport> organizer_;
    TemplateFolder templates_;
    std::optional<DataSourceKind> kind_;
    bool shown_ = false;

    QTabWidget* PageControl1 = nullptr;
    QRadioButton* rbContacts = nullptr;
    QRadioButton* rbTaskList = nullptr;
    QListWidget* lbReports = nullptr;
    QPushButton* bEdit = nullptr;
    QPushButton* bDublicate = nullptr;
    QPushButton* bDelete = nullptr;
    QMenu* pmReportList = nullptr;
    QPushButton* bZoom = nullptr;
    ZoomMenu* PopupMenu = nullptr;
    vl::TvlPreview* Preview = nullptr;
};

} // namespace quillet
