#include "designer/window/DesignerActions.h"

#include "designer/workspace/DesignerSelection.h"
#include "engine/script/CodePage.h"
#include "engine/script/TvlLocale.h"

#include <QFile>

namespace vl {

QIcon DesignerIcon(const char* name) {
    if (!name) return {};
    const QString theme = QString::fromLatin1(name);
    // the designer's own pictures, then those it shares with the preview
    // and the editors
    for (const char* folder : {"designer", "preview", "editors"}) {
        const QString own = QStringLiteral(":/vellum/%1/%2.svg").arg(QLatin1String(folder), theme);
        if (QFile::exists(own)) return QIcon::fromTheme(theme, QIcon(own));
    }
    return QIcon::fromTheme(theme);
}

QString DesignerText(int id) {
    return ToQt(LoadResString(id));
}

namespace {
// Set on the actions of commands that are not wired yet.
constexpr const char* kUnwired = "vellumUnwired";
} // namespace

TvlDesignerActions::TvlDesignerActions(QObject* parent) : QObject(parent) {
    newButton = button("FileBtn1", 53087, "document-new");
    openButton = button("FileBtn2", 53088, "document-open");
    saveButton = button("FileBtn3", 53089, "document-save");
    previewButton = button("FileBtn4", 53090, "document-print-preview");
    cutButton = button("CutB", 53091, "edit-cut");
    copyButton = button("CopyB", 53092, "edit-copy");
    pasteButton = button("PstB", 53093, "edit-paste");
    undoButton = button("UndoB", 53094, "edit-undo");
    redoButton = button("RedoB", 53095, "edit-redo");
    frontButton = button("ZB1", 53096, "object-bring-front");
    backButton = button("ZB2", 53097, "object-send-back");
    selectAllButton = button("SelAllB", 53098, "edit-select-all");
    addPageButton = button("PgB1", 53099, "page-add");
    addDialogButton = button("PgB4", 53193, "dialog-add");
    removePageButton = button("PgB2", 53100, "page-remove");
    pageOptionsButton = button("PgB3", 53101, "document-page-setup");
    gridButton = button("GB1", 53102, "grid-show");
    gridAlignButton = button("GB2", 53103, "grid-align");
    fitGridButton = button("GB3", 53104, "grid-fit");
    helpButton = button("HelpBtn", 53032, "help-contextual");
    exitButton = button("ExitB", 53106, "window-close");
    exitButton->setText(DesignerText(53105));
    gridButton->setCheckable(true);
    gridAlignButton->setCheckable(true);
    helpButton->setCheckable(true);

    newEntry = entry(53155, QKeySequence(Qt::CTRL | Qt::Key_N), "document-new");
    openEntry = entry(53156, QKeySequence(Qt::CTRL | Qt::Key_O), "document-open");
    saveEntry = entry(53157, QKeySequence(Qt::CTRL | Qt::Key_S), "document-save");
    saveAsEntry = entry(53188, {}, "document-save-as");
    dictionaryEntry = entry(53158);
    reportOptionsEntry = entry(53159);
    pageOptionsEntry = entry(53160, {}, "document-page-setup");
    previewEntry = entry(53161, QKeySequence(Qt::CTRL | Qt::Key_P), "document-print-preview");
    exitEntry = entry(53162, {}, "window-close");

    undoEntry = entry(53164, QKeySequence(Qt::CTRL | Qt::Key_Z), "edit-undo");
    redoEntry = entry(53165, QKeySequence(Qt::CTRL | Qt::Key_Y), "edit-redo");
    cutEntry = entry(53166, QKeySequence(Qt::CTRL | Qt::Key_X), "edit-cut");
    copyEntry = entry(53167, QKeySequence(Qt::CTRL | Qt::Key_C), "edit-copy");
    pasteEntry = entry(53168, QKeySequence(Qt::CTRL | Qt::Key_V), "edit-paste");
    deleteEntry = entry(53169, {}, "edit-delete");
    selectAllEntry = entry(53170, QKeySequence(Qt::CTRL | Qt::Key_A), "edit-select-all");
    editEntry = entry(53171);
    addPageEntry = entry(53172, {}, "page-add");
    addDialogEntry = entry(53192, {}, "dialog-add");
    removePageEntry = entry(53173, {}, "page-remove");
    frontEntry = entry(53174, {}, "object-bring-front");
    backEntry = entry(53175, {}, "object-send-back");

    standardBarEntry = toolbarEntry(53181);
    textBarEntry = toolbarEntry(53182);
    rectangleBarEntry = toolbarEntry(53180);
    objectsBarEntry = toolbarEntry(53183);
    alignmentBarEntry = toolbarEntry(53185);
    toolsBarEntry = toolbarEntry(53186);
    inspectorEntry = toolbarEntry(53184);
    fieldsWindowEntry = toolbarEntry(53450);
    optionsEntry = entry(53179);

    helpEntry = entry(53189, QKeySequence(Qt::Key_F1), "help-contents");
    helpToolEntry = entry(53190, QKeySequence(Qt::SHIFT | Qt::Key_F1), "help-contextual");
    aboutEntry = entry(53187, {}, "help-about");

    cutContext = contextEntry(53148, QKeySequence(Qt::CTRL | Qt::Key_X));
    copyContext = contextEntry(53149, QKeySequence(Qt::CTRL | Qt::Key_C));
    pasteContext = contextEntry(53150, QKeySequence(Qt::CTRL | Qt::Key_V));
    deleteContext = contextEntry(53151, QKeySequence(Qt::Key_Delete));
    selectAllContext = contextEntry(53152, QKeySequence(Qt::CTRL | Qt::Key_A));
    editContext = contextEntry(53153, {});
    cutContext->setIcon(cutButton->icon());
    copyContext->setIcon(copyButton->icon());
    pasteContext->setIcon(pasteButton->icon());
    selectAllContext->setIcon(selectAllButton->icon());

    addPageTab = entry(53172, {}, "page-add");
    addDialogTab = entry(53192, {}, "dialog-add");
    removePageTab = entry(53173, {}, "page-remove");
    pageOptionsTab = entry(53160, {}, "document-page-setup");

    insertFieldsEntry = entry(55305, {}, "insert-field");
    insertFieldsButton = button("InsFieldsB", 55305, "insert-field");
    createTools();

    for (QAction* action : unwired()) {
        action->setProperty(kUnwired, true);
        action->setEnabled(false);
    }
}

void TvlDesignerActions::markWired(QAction* action) {
    action->setProperty(kUnwired, false);
    action->setEnabled(true);
}

void TvlDesignerActions::markUnavailable(QAction* action) {
    action->setProperty(kUnwired, true);
    action->setEnabled(false);
}

void TvlDesignerActions::enable(QAction* action, bool on) {
    action->setEnabled(on && !action->property(kUnwired).toBool());
}

void TvlDesignerActions::enable(const std::vector<QAction*>& actions, bool on) {
    for (QAction* action : actions)
        enable(action, on);
}

QAction* TvlDesignerActions::button(const char* objectName, int hintId, const char* icon) {
    auto* action = new QAction(DesignerIcon(icon), DesignerText(hintId), this);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setToolTip(DesignerText(hintId));
    return action;
}

QAction* TvlDesignerActions::entry(int captionId, const QKeySequence& shortcut, const char* icon) {
    auto* action = new QAction(DesignerIcon(icon), DesignerText(captionId), this);
    action->setObjectName(QStringLiteral("entry%1").arg(captionId));
    action->setShortcut(shortcut);
    return action;
}

// Context menu entries show the keys, which the main menu and the key
// table already serve; the shortcut works only while the menu is open.
QAction* TvlDesignerActions::contextEntry(int captionId, const QKeySequence& shortcut) {
    QAction* action = entry(captionId, shortcut);
    action->setObjectName(QStringLiteral("context%1").arg(captionId));
    action->setShortcutContext(Qt::WidgetShortcut);
    return action;
}

QAction* TvlDesignerActions::toolbarEntry(int captionId) {
    QAction* action = entry(captionId);
    action->setCheckable(true);
    return action;
}

void TvlDesignerActions::createTools() {
    struct Tool {
        const char* name;
        int hint;
        int tag;
        const char* icon;
    };
    static constexpr Tool kTools[] = {
        {"OB1", 53132, dtSelect, "tool-select"},       {"OB2", 53133, dtText, "tool-text"},
        {"OB3", 53134, dtBand, "tool-band"},           {"OB4", 53135, dtPicture, "tool-picture"},
        {"OB5", 53136, dtSubReport, "tool-subreport"}, {"OB6", 53137, dtLine, "tool-line"},
    };
    tools = new QActionGroup(this);
    tools->setExclusive(true);
    for (const Tool& tool : kTools) {
        QAction* action = button(tool.name, tool.hint, tool.icon);
        action->setCheckable(true);
        action->setData(tool.tag);
        tools->addAction(action);
        toolActions.push_back(action);
    }
    toolActions.front()->setChecked(true);
}

std::vector<QAction*> TvlDesignerActions::cutCopy() const {
    return {cutButton, copyButton, cutEntry, copyEntry, cutContext, copyContext};
}

std::vector<QAction*> TvlDesignerActions::pastes() const {
    return {pasteButton, pasteEntry, pasteContext};
}

std::vector<QAction*> TvlDesignerActions::deletes() const {
    return {deleteEntry, deleteContext};
}

std::vector<QAction*> TvlDesignerActions::edits() const {
    return {editEntry, editContext};
}

std::vector<QAction*> TvlDesignerActions::zOrder() const {
    return {frontButton, backButton, frontEntry, backEntry, fitGridButton};
}

std::vector<QAction*> TvlDesignerActions::pageEditButtons() const {
    return {newButton,     previewButton,    toolActions[2],    toolActions[4], openButton,
            addPageButton, removePageButton, pageOptionsButton, addDialogButton};
}

std::vector<QAction*> TvlDesignerActions::pageEditEntries() const {
    return {newEntry,        previewEntry,    openEntry,         addPageEntry,   addPageTab,
            removePageEntry, removePageTab,   pageOptionsEntry,  pageOptionsTab, addDialogEntry,
            addDialogTab,    dictionaryEntry, reportOptionsEntry};
}

std::vector<QAction*> TvlDesignerActions::unwired() const {
    return {newButton,         openButton,        previewButton,      undoButton,
            redoButton,        addPageButton,     addDialogButton,    removePageButton,
            pageOptionsButton, fitGridButton,     newEntry,           openEntry,
            saveAsEntry,       dictionaryEntry,   reportOptionsEntry, pageOptionsEntry,
            previewEntry,      undoEntry,         redoEntry,          addPageEntry,
            addDialogEntry,    removePageEntry,   inspectorEntry,     fieldsWindowEntry,
            optionsEntry,      addPageTab,        addDialogTab,       removePageTab,
            pageOptionsTab,    insertFieldsEntry, insertFieldsButton};
}

} // namespace vl
