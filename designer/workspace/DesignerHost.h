#pragma once

#include <QPoint>
#include <QSize>

namespace vl {

class TvlView;
class TvlPage;
class TvlReport;
struct TvlDesignerSelection;
struct TvlDesignerSession;
struct TvlDesignerSettings;

// Kinds of undo snapshot; the number is what the undo entry stores.
enum TvlSnapshotKind : int { skInsert = 0, skDelete = 1, skChange = 2, skOrder = 3 };

// What the page surface needs of the designer window around it. The
// designer window implements it; surface tests implement it with a small
// recording host.
class TvlDesignerHost {
public:
    virtual ~TvlDesignerHost() = default;

    virtual TvlReport& report() = 0;
    // The page on the surface, or none.
    virtual TvlPage* currentPage() = 0;
    virtual int currentPageIndex() const = 0;
    // The selection the surface and the window share.
    virtual TvlDesignerSelection& selection() = 0;
    virtual const TvlDesignerSettings& settings() const = 0;
    // The clipboard and new-object values of the designer session.
    virtual TvlDesignerSession& session() = 0;

    // Clears every object's selected flag and the selection count.
    virtual void unselectAll() = 0;
    // The inspector, toolbars and status line refresh for a new selection.
    virtual void selectionChanged() = 0;
    virtual void setModified(bool modified) = 0;
    // Records the selection (kind skOrder: every object) before a change.
    virtual void takeSnapshot(TvlSnapshotKind kind) = 0;
    // Opens the editor of the single selected object (Enter, double click,
    // edit after insert); withScript opens its script instead.
    virtual void editObject(bool withScript) = 0;
    // The page options dialog (a double click on an empty report page).
    virtual void pageOptions() = 0;
    // The script editor of the current page (a double click on an empty
    // dialog page).
    virtual void editPageScript() {}
    // The band-type dialog; the chosen band type, or -1 on Cancel.
    virtual int chooseBandType() = 0;
    // The workspace context menu at a global screen position.
    virtual void showContextMenu(const QPoint& globalPos) = 0;
    // The position box and status texts follow the surface.
    virtual void updateStatus() = 0;
    // A sub-report object was inserted and its page appended: the tab row
    // follows.
    virtual void pagesChanged() = 0;
    // The insert tool was used up: the "Select object" tool is chosen again.
    virtual void selectTool(int tool) = 0;
    // The workspace that scrolls the surface: its visible size and scroll
    // offset, and a request to scroll by a delta (auto-scroll, Page Up/Down).
    virtual QSize workspaceSize() const = 0;
    virtual QPoint workspaceOffset() const = 0;
    virtual void scrollWorkspace(const QPoint& delta) = 0;
};

} // namespace vl
