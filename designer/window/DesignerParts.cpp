#include "designer/window/DesignerParts.h"

#include "designer/commands/TvlDesignerCommands.h"
#include "designer/commands/WidgetAsk.h"
#include "designer/dictionary/TvlInsFieldsForm.h"
#include "designer/editing/TvlAlignmentPalette.h"
#include "designer/editing/TvlDesignerEditing.h"
#include "designer/editing/TvlEditorServices.h"
#include "designer/editing/TvlFormatToolbars.h"
#include "designer/inspector/TvlInspForm.h"
#include "designer/window/DesignerActions.h"
#include "designer/window/ToolWindowPlacement.h"
#include "designer/window/TvlDesignerForm.h"
#include "designer/workspace/TvlDesignerPage.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/script/CodePage.h"
#include "engine/script/FormSettings.h"

#include <QComboBox>
#include <QLayout>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>

namespace vl {

namespace {

constexpr const char* kFieldsFormClass = "TvlInsFieldsForm";

// Connects an action to a command and lets the enabling rules reach it.
template <typename F> void Wire(TvlDesignerActions& actions, QAction* action, F&& command) {
    QObject::connect(action, &QAction::triggered, action, std::forward<F>(command));
    actions.markWired(action);
}

} // namespace

TvlDesignerParts::TvlDesignerParts(TvlDesignerForm& form, TvlDesignerOptions options)
    : form_(form), options_(std::move(options)) {
    TvlSurfaceHooks hooks = SurfaceHooksFor(form_.surface());
    hooks.updateTabs = [this] { form_.updateTabs(); };
    hooks.refreshFieldsWindow = [this] { refreshFields(); };
    hooks.selectPage = [this](int index) { form_.selectPage(index); };
    editing_ = std::make_unique<TvlDesignerEditing>(form_, std::move(hooks));
    ask_ = std::make_unique<TvlWidgetAsk>(&form_, &form_);
    commands_ = std::make_unique<TvlDesignerCommands>(*this, *ask_);

    toolbars_ = new TvlFormatToolbars(*editing_, &form_);
    toolbars_->populate(&form_.textBar(), &form_.rectangleBar());
    toolbars_->setCommandStateUpdater([this] { form_.updateCommandState(); });
    toolbars_->setErrorHandler([this](const std::string& message) { form_.showError(message); });
    palette_ = new TvlAlignmentPalette(*editing_, &form_);
    palette_->populate(&form_.alignmentBar());
    placement_ = std::make_unique<TvlToolWindowPlacement>(form_, form_.workspace());

    wireUndo();
    wireFileCommands();
    wireToolWindows();
}

TvlDesignerParts::~TvlDesignerParts() {
    // the tool windows and services point into the editing machinery
    services_.reset();
    placement_.reset();
    delete inspector_.data();
    delete fields_.data();
}

TvlInspForm* TvlDesignerParts::inspector() {
    return inspector_.data();
}

TvlInsFieldsForm* TvlDesignerParts::fieldsWindow() {
    return fields_.data();
}

void TvlDesignerParts::takeSnapshot(TvlSnapshotKind kind) {
    editing_->undo().TakeSnapshot(kind);
}

void TvlDesignerParts::showSelectionFormat() {
    toolbars_->ShowSelectionFormat();
}

void TvlDesignerParts::fillInspector() {
    editing_->inspector().FillInspector();
}

void TvlDesignerParts::followSelectionState(int state, bool reportPage) {
    toolbars_->setEnabledFor(state, reportPage);
}

bool TvlDesignerParts::saveDocument() {
    return commands_->SaveDocument();
}

bool TvlDesignerParts::pageOptions() {
    return commands_->PageOptions();
}

bool TvlDesignerParts::formatKey(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers != Qt::ControlModifier) return false;
    try {
        if (key >= Qt::Key_1 && key <= Qt::Key_9) {
            toolbars_->applyFrameWidth(QString::number(key - Qt::Key_0));
            return true;
        }
        switch (key) {
        case Qt::Key_F:
            toolbars_->click(ftAllFrames);
            return true;
        case Qt::Key_D:
            toolbars_->click(ftNoFrame);
            return true;
        case Qt::Key_B:
            toolbars_->toggle(ftBold);
            return true;
        case Qt::Key_I:
            toolbars_->toggle(ftItalic);
            return true;
        case Qt::Key_U:
            toolbars_->toggle(ftUnderline);
            return true;
        default:
            return false;
        }
    } catch (const std::exception& error) {
        form_.showError(error.what());
        return true;
    }
}

void TvlDesignerParts::wireUndo() {
    TvlDesignerActions& a = form_.actions();
    TvlUndoManager& undo = editing_->undo();
    for (QAction* action : {a.undoButton, a.undoEntry})
        Wire(a, action, [&undo] { undo.Undo(); });
    for (QAction* action : {a.redoButton, a.redoEntry})
        Wire(a, action, [&undo] { undo.Redo(); });
    Wire(a, a.fitGridButton, [this] { editing_->FitToGrid(); });
    const auto follow = [&a, &undo] {
        TvlDesignerActions::enable({a.undoButton, a.undoEntry}, undo.canUndo());
        TvlDesignerActions::enable({a.redoButton, a.redoEntry}, undo.canRedo());
    };
    undo.setChangedHandler(follow);
    follow();
}

void TvlDesignerParts::wireFileCommands() {
    TvlDesignerActions& a = form_.actions();
    TvlDesignerCommands& c = *commands_;
    if (!form_.pageEditMode()) {
        Wire(a, a.newButton, [&c] { c.New(); });
        Wire(a, a.newEntry, [&c] { c.NewFromTemplate(); });
        for (QAction* open : {a.openButton, a.openEntry})
            Wire(a, open, [&c] { c.Open(); });
        for (QAction* preview : {a.previewButton, a.previewEntry})
            Wire(a, preview, [&c] { c.Preview(); });
        Wire(a, a.dictionaryEntry, [&c] { c.DataDictionary(); });
        Wire(a, a.reportOptionsEntry, [&c] { c.ReportOptions(); });
        for (QAction* add : {a.addPageButton, a.addPageEntry, a.addPageTab})
            Wire(a, add, [&c] { c.AddPage(); });
        for (QAction* add : {a.addDialogButton, a.addDialogEntry, a.addDialogTab})
            Wire(a, add, [&c] { c.AddDialogForm(); });
        for (QAction* remove : {a.removePageButton, a.removePageEntry, a.removePageTab})
            Wire(a, remove, [&c] { c.RemovePage(); });
        for (QAction* options : {a.pageOptionsButton, a.pageOptionsEntry, a.pageOptionsTab})
            Wire(a, options, [&c] { c.PageOptions(); });
        for (QAction* insert : {a.insertFieldsEntry, a.insertFieldsButton})
            Wire(a, insert, [&c] { c.InsertDBFields(); });
    }
    Wire(a, a.saveAsEntry, [&c] { c.SaveDocumentAs(); });
    Wire(a, a.optionsEntry, [&c] { c.DesignerOptions(); });
}

void TvlDesignerParts::wireToolWindows() {
    TvlDesignerActions& a = form_.actions();
    // the entries show the windows as they are when the menu opens
    if (auto* menu = form_.findChild<QMenu*>(QStringLiteral("ToolbarsMenu")))
        QObject::connect(menu, &QMenu::aboutToShow, &form_, [this, &a] {
            const QSignalBlocker quietInspector(a.inspectorEntry);
            const QSignalBlocker quietFields(a.fieldsWindowEntry);
            a.inspectorEntry->setChecked(inspector_ && placement_->showing(*inspector_));
            a.fieldsWindowEntry->setChecked(!fields_.isNull());
        });
    Wire(a, a.inspectorEntry, [this](bool checked) { showInspector(checked); });
    if (form_.pageEditMode())
        a.markUnavailable(a.fieldsWindowEntry);
    else
        Wire(a, a.fieldsWindowEntry, [this](bool checked) { showFieldsWindow(checked); });
}

void TvlDesignerParts::windowShown() {
    // the fields window first: the inspector goes under it
    if (!form_.pageEditMode() && !fields_) {
        const bool wasVisible = OpenFormSettings(QString::fromLatin1(kFieldsFormClass))
                                    ->value("isVisible", true)
                                    .toBool();
        if (wasVisible) showFieldsWindow(true);
    }
    if (!inspector_) {
        inspector_ = new TvlInspForm(editing_->inspector(), &form_);
        inspector_->setObjectName(QStringLiteral("TvlInspForm"));
        editing_->inspector().attach(inspector_);
        editing_->inspector().setSelectByName(
            [this](const std::string& name) { form_.selectByName(name); });
        editing_->inspector().setErrorHandler(
            [this](const std::string& message) { form_.showError(message); });
        inspector_->SetLocalizedPropNames(form_.designerSettings().localizedPropNames);
        const bool visible = inspector_->LoadSettings();
        placement_->setInspector(inspector_, !inspector_->hasStoredGeometry());
        showInspector(visible);
    }
    if (!services_) {
        services_ = std::make_unique<TvlEditorServices>(*editing_, form_.editors(), &form_);
        editing_->inspector().setEditorFor(services_->editorFor());
        toolbars_->setHighlightEditor([this] { services_->editHighlight(); });
        toolbars_->setFontEditor([this] { services_->editFont(); });
    }
    // the font boxes start with what a new text object gets
    const TvlNewObjectSettings& newObject = form_.session().newObject;
    if (QComboBox* name = toolbars_->box(QStringLiteral("C2")))
        name->setEditText(ToQt(newObject.fontName));
    if (QComboBox* size = toolbars_->box(QStringLiteral("C3")))
        size->setEditText(QString::number(newObject.fontSize));
    editing_->inspector().FillInspector();
}

void TvlDesignerParts::announceShown() {
    if (options_.OnShow) options_.OnShow(form_);
}

void TvlDesignerParts::editPageScript() {
    if (services_) services_->editPageScript();
}

void TvlDesignerParts::windowClosing() {
    if (inspector_) inspector_->SaveSettings();
    if (!form_.pageEditMode())
        OpenFormSettings(QString::fromLatin1(kFieldsFormClass))
            ->setValue("isVisible", fields_ && placement_->showing(*fields_));
}

void TvlDesignerParts::showInspector(bool show) {
    if (!inspector_) return;
    if (show) {
        placement_->show(*inspector_);
        // F11 and Tools > Object inspector also bring a rolled-up one down
        inspector_->RollDown();
        inspector_->raise();
    } else {
        placement_->hide(*inspector_);
    }
    form_.actions().inspectorEntry->setChecked(show);
}

void TvlDesignerParts::showFieldsWindow(bool show) {
    if (!show) {
        delete fields_.data();
        form_.actions().fieldsWindowEntry->setChecked(false);
        return;
    }
    if (!fields_) {
        fields_ = new TvlInsFieldsForm(form_.report().Dictionary(),
                                       form_.session().lastFieldsDataSet, &form_);
        fields_->setObjectName(QString::fromLatin1(kFieldsFormClass));
        placement_->setFieldsWindow(fields_, !fields_->hasStoredGeometry());
        QObject::connect(fields_, &QObject::destroyed, &form_,
                         [this] { form_.actions().fieldsWindowEntry->setChecked(false); });
    }
    placement_->show(*fields_);
    fields_->raise();
    fields_->activateWindow();
    form_.actions().fieldsWindowEntry->setChecked(true);
}

TvlDesignerHost& TvlDesignerParts::designer() {
    return form_;
}

QWidget* TvlDesignerParts::dialogParent() {
    return &form_;
}

std::string TvlDesignerParts::documentName() const {
    return FromQt(form_.documentName());
}

void TvlDesignerParts::setDocumentName(const std::string& name) {
    form_.setDocumentName(ToQt(name));
}

bool TvlDesignerParts::modified() const {
    return form_.modified();
}

void TvlDesignerParts::selectPage(int index) {
    form_.selectPage(index);
}

void TvlDesignerParts::clearUndo() {
    editing_->undo().clear();
}

void TvlDesignerParts::refreshFields() {
    if (fields_) fields_->Refresh();
}

void TvlDesignerParts::setDrawingSuspended(bool suspended) {
    form_.surface().setDrawingDisabled(suspended);
}

void TvlDesignerParts::redrawPage() {
    form_.redrawPage();
}

void TvlDesignerParts::layoutSelection() {
    form_.surface().sortBands();
    form_.surface().computeSelectionBox();
}

QSize TvlDesignerParts::defaultMemoSize() const {
    return form_.surface().defaultMemoSize();
}

void TvlDesignerParts::applySettings(const TvlDesignerSettings& settings) {
    form_.applySettings(settings);
    if (inspector_) inspector_->SetLocalizedPropNames(settings.localizedPropNames);
}

void TvlDesignerParts::enterPreview() {
    if (inspector_) inspector_->SetHideProperties(true);
}

void TvlDesignerParts::leavePreview() {
    form_.activateWindow();
    if (inspector_) inspector_->SetHideProperties(false);
    form_.session().hooks.reinstall();
    form_.unsetCursor();
    editing_->inspector().FillInspector();
    announceShown();
}

} // namespace vl
