#pragma once

#include <QAction>
#include <QActionGroup>
#include <QObject>
#include <vector>

namespace vl {

// Every command of the designer window as a QAction: the toolbar buttons
// (named as their controls), the entries of the main menu, the workspace
// and tab context menus, and the object tools. Commands whose machinery
// lives elsewhere (undo, formatting, file and option dialogs) start
// disabled; wiring one is a connect of its triggered signal and enabling
// it. Buttons and menu entries are separate actions, as page-edit mode
// hides the one and greys the other.
class TvlDesignerActions : public QObject {
    Q_OBJECT
public:
    explicit TvlDesignerActions(QObject* parent);

    // "Standard" toolbar.
    QAction *newButton, *openButton, *saveButton, *previewButton;
    QAction *cutButton, *copyButton, *pasteButton, *undoButton, *redoButton;
    QAction *frontButton, *backButton, *selectAllButton;
    QAction *addPageButton, *addDialogButton, *removePageButton, *pageOptionsButton;
    QAction *gridButton, *gridAlignButton, *fitGridButton, *helpButton, *exitButton;

    // "&File".
    QAction *newEntry, *openEntry, *saveEntry, *saveAsEntry, *dictionaryEntry;
    QAction *reportOptionsEntry, *pageOptionsEntry, *previewEntry, *exitEntry;
    // "&Edit".
    QAction *undoEntry, *redoEntry, *cutEntry, *copyEntry, *pasteEntry, *deleteEntry;
    QAction *selectAllEntry, *editEntry, *addPageEntry, *addDialogEntry, *removePageEntry;
    QAction *frontEntry, *backEntry;
    // "&Tools": the checkable entries of "&Toolbars", then "&Options...".
    QAction *standardBarEntry, *textBarEntry, *rectangleBarEntry, *objectsBarEntry;
    QAction *alignmentBarEntry, *toolsBarEntry, *inspectorEntry, *fieldsWindowEntry;
    QAction* optionsEntry;
    // "?".
    QAction *helpEntry, *helpToolEntry, *aboutEntry;

    // The workspace context menu.
    QAction *cutContext, *copyContext, *pasteContext, *deleteContext, *selectAllContext;
    QAction* editContext;
    // The tab context menu.
    QAction *addPageTab, *addDialogTab, *removePageTab, *pageOptionsTab;

    // The "Insert DB fields" tool: its "Too&ls" entry and its button.
    QAction *insertFieldsEntry, *insertFieldsButton;

    // The tools of the "Objects" toolbar, "Select object" first; each
    // action's data is its tool tag.
    QActionGroup* tools;
    std::vector<QAction*> toolActions;

    // The groups the enabling follows.
    std::vector<QAction*> cutCopy() const;
    std::vector<QAction*> pastes() const;
    std::vector<QAction*> deletes() const;
    std::vector<QAction*> edits() const;
    std::vector<QAction*> zOrder() const;
    // What page-edit mode takes away: buttons (hidden or greyed) and
    // entries (greyed).
    std::vector<QAction*> pageEditButtons() const;
    std::vector<QAction*> pageEditEntries() const;
    // Commands built elsewhere: disabled until they are wired.
    std::vector<QAction*> unwired() const;
    // Wiring a command: connect its triggered signal, then mark it wired,
    // which enables it and lets the enabling rules reach it.
    void markWired(QAction* action);
    // The command cannot run in this window: disabled for good.
    void markUnavailable(QAction* action);
    // Enables an action unless its command is not wired yet.
    static void enable(QAction* action, bool on);
    static void enable(const std::vector<QAction*>& actions, bool on);

private:
    QAction* button(const char* objectName, int hintId, const char* icon);
    QAction* entry(int captionId, const QKeySequence& shortcut = {}, const char* icon = nullptr);
    QAction* contextEntry(int captionId, const QKeySequence& shortcut);
    QAction* toolbarEntry(int captionId);
    void createTools();
};

// An icon of the designer: the desktop theme's, else the project's own.
QIcon DesignerIcon(const char* name);

// A text of the engine's table as Qt shows it.
QString DesignerText(int id);

} // namespace vl
