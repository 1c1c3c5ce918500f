#pragma once

// How the designer window wires the editing machinery in
// -------------------------------------------------------
// The window owns one TvlDesignerEditing for its lifetime, made with itself
// as the TvlDesignerHost and the surface's hooks:
//
//   TvlSurfaceHooks hooks = SurfaceHooksFor(*surface);
//   hooks.updateTabs = [this] { UpdateTabs(); };
//   hooks.refreshFieldsWindow = [this] { refreshFieldsWindow(); };
//   hooks.selectPage = [this](int i) { SelectPage(i); };
//   editing_ = std::make_unique<TvlDesignerEditing>(*this, std::move(hooks));
//
// Undo: TvlDesignerHost::takeSnapshot(kind) calls editing_->undo().TakeSnapshot;
// "&Undo"/UndoB call undo().Undo(), "&Redo"/RedoB undo().Redo(); the
// buttons follow undo().setChangedHandler (canUndo/canRedo); New, Open,
// Remove page, tab moves, showing and closing call undo().clear().
// BeforeChange is takeSnapshot(skChange).
//
// Inspector: create TvlInspForm with editing_->inspector() as its
// TvlInspectorHost and attach it (inspector().attach(form)); give it the
// window's SelectByName (setSelectByName) and error box (setErrorHandler);
// UpdateStatus and AfterChange call inspector().FillInspector(). During
// Preview the window sets form->SetHideProperties(true).
//
// Toolbars: toolbars_ = new TvlFormatToolbars(*editing_, this) and
// toolbars_->populate(textBar, rectangleBar); SelectionChanged calls
// toolbars_->ShowSelectionFormat() (it hides the drop-downs and runs the
// updater given with setCommandStateUpdater, i.e. UpdateCommandState), and
// UpdateCommandState calls toolbars_->setEnabledFor(SelectionState, page
// is a report page). Keys: Ctrl+1..9 applyFrameWidth(digit), Ctrl+F
// click(ftAllFrames), Ctrl+D click(ftNoFrame), Ctrl+B/I/U toggle(ftBold /
// ftItalic / ftUnderline); Enter in C3/C4 is handled by the boxes. HlB1
// and a double click on C2 run setHighlightEditor/setFontEditor, normally
// services.editHighlight() and services.editFont(). The window shows
// errors of keys (ConversionError) itself; clicks go to setErrorHandler.
//
// Alignment: palette_ = new TvlAlignmentPalette(*editing_, this) and
// palette_->populate(alignmentBar); GB3 ("Fit to grid") calls
// editing_->FitToGrid().
//
// Editor services: services_ = std::make_unique<TvlEditorServices>(
// *editing_, &designerEditors, this) when the window is shown; while it
// lives the session makes it the report engine's designer hooks, so views'
// pkEditor properties and OpenEditor reach it. Give the inspector its
// editors: editing_->inspector().setEditorFor(services_->editorFor()).
// The page-script editor ("OnBeforePrint", "OnActivate") is
// services_->editPageScript().

#include "designer/editing/Formatting.h"
#include "designer/editing/InspectorBridge.h"
#include "designer/editing/SurfaceHooks.h"
#include "designer/editing/TvlUndoManager.h"

#include <QSize>

namespace vl {

class TvlDesignerHost;
class TvlPage;

// The designer's editing commands over the current selection: undo and
// redo, formatting, alignment, "Fit to grid" and the inspector's rows.
class TvlDesignerEditing {
public:
    TvlDesignerEditing(TvlDesignerHost& host, TvlSurfaceHooks hooks);

    TvlDesignerHost& host() { return host_; }
    const TvlSurfaceHooks& hooks() const { return hooks_; }
    TvlUndoManager& undo() { return undo_; }
    TvlInspectorBridge& inspector() { return inspector_; }

    // Applies a formatting control (by its tag) to the selection, as one
    // undo step. A size or width that does not convert raises
    // ConversionError and nothing changes.
    void DoClick(int tag, const TvlFormatState& state);
    // The selection's formatting for the toolbars.
    TvlSelectionFormat selectionFormat() const;

    // The alignment palette's commands (Align1..Align10 as 1..10); each
    // checks the selection itself.
    void Align(int command);
    void FitToGrid();

private:
    QSize surfaceSize(const TvlPage& page) const;

    TvlDesignerHost& host_;
    TvlSurfaceHooks hooks_;
    TvlUndoManager undo_;
    TvlInspectorBridge inspector_;
};

} // namespace vl
