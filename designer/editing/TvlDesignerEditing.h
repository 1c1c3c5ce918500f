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
// Inspector: create TvlInspForm with editing_->inspector() as its host and
// attach it (inspector().attach(form)); set inspector().setSelectByName and
// setErrorHandler; UpdateStatus calls inspector().FillInspector().
//
// Toolbars: TvlFormatToolbars(editing_) -> populate(textBar, rectangleBar);
// SelectionChanged calls its ShowSelectionFormat() and UpdateCommandState
// its setEnabledFor(selectionState, isReportPage); the keys Ctrl+1..9,
// Ctrl+F, Ctrl+D, Ctrl+B/I/U call setFrameWidthText+apply, click(tag) and
// toggle(tag). TvlAlignmentPalette(editing_) -> populate(alignmentBar);
// GB3 calls editing_->FitToGrid().
//
// Editor services: TvlEditorServices(editing_, editors, window) installs
// itself as the engine's designer hooks while it lives; give the inspector
// its editors with inspector().setEditorFor(services.editorFor()).

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
