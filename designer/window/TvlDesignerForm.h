#pragma once

#include "designer/editors/EditorHost.h"
#include "designer/window/DesignerStatus.h"
#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/DesignerSession.h"
#include "designer/workspace/DesignerSettings.h"
#include "engine/build/TvlPage.h"
#include "engine/model/ViewServices.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QMenu;
class QScrollArea;
class QToolBar;
class QEventLoop;

namespace vl {

class TvlDesignerActions;
class TvlDesignerEditors;
class TvlDesignerPage;
class TvlDesignerStatusBar;
class TvlDesignerTabBar;
class TvlDialogPageWindow;
class TvlDesignerParts;
class TvlReport;

// The designer window: toolbars, menus, page tabs, the scrolling workspace
// with the page surface, the status line; the clipboard, delete, z-order
// and page commands, the keyboard table and the designer's settings. It
// runs modally on one report, either to design the template or to touch
// up one page rebuilt from a prepared page.
class TvlDesignerForm : public QMainWindow,
                        public TvlDesignerHost,
                        public TvlEditorHost,
                        public TvlDesignerHooks {
    Q_OBJECT
public:
    static constexpr int kExitResult = 1;
    static constexpr int kCloseResult = 2;

    // A window of session (the program's designer hands its own); without
    // one the window holds a session of its own.
    TvlDesignerForm(TvlReport& report, bool pageEditMode, QWidget* parent = nullptr,
                    TvlDesignerSession* session = nullptr);
    ~TvlDesignerForm() override;

    // Shows the window and runs it until it closes; the modal result.
    int exec();
    int modalResult() const { return modalResult_; }
    bool pageEditMode() const { return pageEditMode_; }

    TvlDesignerActions& actions() { return *actions_; }
    TvlDesignerPage& surface() { return *surface_; }
    TvlDesignerTabBar& tabs() { return *tabs_; }
    TvlDesignerStatusBar& status() { return *status_; }
    QScrollArea& workspace() { return *workspace_; }
    TvlDialogPageWindow* dialogPageWindow() { return dialogWindow_.get(); }
    // Where the formatting toolbars and the alignment palette put their
    // controls; the enabling of the selection state reaches them.
    QToolBar& textBar() { return *textBar_; }
    QToolBar& rectangleBar() { return *rectangleBar_; }
    QToolBar& alignmentBar() { return *alignmentBar_; }
    QToolBar& toolsBar() { return *toolsBar_; }

    const QString& documentName() const { return documentName_; }
    void setDocumentName(const QString& name);
    bool modified() const;
    TvlDesignerSettings& designerSettings() { return settings_; }
    // Takes changed designer options: grid, units, band titles, editor class.
    void applySettings(const TvlDesignerSettings& settings);
    TvlDesignerEditors* editors() { return editors_.get(); }
    // Undo, formatting, inspector, file commands (see TvlDesignerParts).
    TvlDesignerParts& parts() { return *parts_; }
    void showError(const std::string& message);

    // The window's commands.
    void selectPage(int index);
    void updateTabs();
    void updateCommandState();
    void selectByName(const std::string& name);
    void deleteSelection();
    void cutSelection();
    void copySelection();
    void pasteSelection();
    void selectAll();
    void bringToFront();
    void sendToBack();
    void movePage(int from, int to);
    void setGridShow(bool on);
    void setGridAlign(bool on);
    void setGridSize(int size);
    void cycleUnits();
    void redrawPage();
    void exit();
    // The keyboard table; true when the key was used.
    bool handleKey(int key, Qt::KeyboardModifiers modifiers);

    // TvlDesignerHost.
    TvlReport& report() override { return report_; }
    // Serves the surface and the editors alike.
    TvlPage* currentPage() override { return page_; }
    int currentPageIndex() const override { return pageIndex_; }
    TvlDesignerSelection& selection() override { return selection_; }
    const TvlDesignerSettings& settings() const override { return settings_; }
    TvlDesignerSession& session() override { return session_; }
    void unselectAll() override;
    void selectionChanged() override;
    void setModified(bool modified) override;
    void takeSnapshot(TvlSnapshotKind kind) override;
    void editObject(bool withScript) override;
    void pageOptions() override;
    void editPageScript() override;
    int chooseBandType() override;
    void showContextMenu(const QPoint& globalPos) override;
    // The workspace's context menu, as it was last filled.
    QMenu& contextMenu() { return *contextMenu_; }
    void updateStatus() override;
    void pagesChanged() override;
    void selectTool(int tool) override;
    QSize workspaceSize() const override;
    QPoint workspaceOffset() const override;
    void scrollWorkspace(const QPoint& delta) override;

    // TvlEditorHost.
    void beforeChange() override;
    void afterChange() override;
    TvlDataDictionary& dictionary() override;
    TvlChooserMemory& chooserMemory() override { return session_.choosers; }

    // TvlDesignerHooks.
    void editProperty(TvlView& view, std::string_view propertyName) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyGreyButtons(bool grey);
    // Building the window (DesignerFormLayout.cpp).
    void createToolbars();
    void createMenus();
    void createWorkspace();
    void connectCommands();
    void applyPageEditMode();
    QToolBar* addBar(const char* objectName, int captionId, Qt::ToolBarArea area);
    void connectToolbarEntry(QAction* entry, QToolBar* bar);

    void firstShow();
    void placeSurface();
    void loadSettings();
    void saveSettings();
    bool closeQuestion();
    bool saveDocument();
    void openDialogPageWindow();
    void closeDialogPageWindow();
    void showObjectTools(bool standard);
    void updateCaption();
    TvlView* singleSelected() const;
    void refreshSelection();
    void showHelp();
    void showAbout();
    TvlPositionInfo positionInfo() const;
    bool wheelOverWorkspace(QEvent* event);
    bool acceptsKeysFrom(QObject* watched) const;
    int selectionState() const;

    std::unique_ptr<TvlDesignerSession> ownSession_;
    TvlDesignerSession& session_;
    TvlReport& report_;
    const bool pageEditMode_;
    bool firstShow_ = true;
    int pageIndex_ = -1;
    TvlPage* page_ = nullptr;
    QString documentName_;
    TvlDesignerSettings settings_;
    TvlDesignerSelection selection_;
    int modalResult_ = 0;
    bool modified_ = false;

    TvlDesignerActions* actions_ = nullptr;
    TvlDesignerTabBar* tabs_ = nullptr;
    QScrollArea* workspace_ = nullptr;
    QWidget* canvas_ = nullptr;
    TvlDesignerPage* surface_ = nullptr;
    TvlDesignerStatusBar* status_ = nullptr;
    QToolBar *standardBar_ = nullptr, *textBar_ = nullptr, *rectangleBar_ = nullptr;
    QToolBar *objectsBar_ = nullptr, *alignmentBar_ = nullptr, *toolsBar_ = nullptr;
    QMenu* contextMenu_ = nullptr;
    QMenu* tabMenu_ = nullptr;
    std::unique_ptr<TvlDialogPageWindow> dialogWindow_;
    std::unique_ptr<TvlDesignerEditors> editors_;
    std::unique_ptr<TvlDesignerParts> parts_;
    QEventLoop* loop_ = nullptr;
};

} // namespace vl
