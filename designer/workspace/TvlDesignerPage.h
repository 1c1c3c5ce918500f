#pragma once

#include "designer/workspace/DesignerSelection.h"

#include <QWidget>

namespace vl {

class TvlDesignerHost;
class TvlView;

// The designer's drawing surface: the current template page at one screen
// pixel per report pixel, with paper, margins, page columns, the dot grid
// and every object; mouse and keyboard input become selecting, inserting,
// moving and resizing. The designer window places it in its scrolling
// workspace (or in the dialog-page window) and implements the host.
class TvlDesignerPage : public QWidget {
    Q_OBJECT
public:
    explicit TvlDesignerPage(TvlDesignerHost& host, QWidget* parent = nullptr);
    ~TvlDesignerPage() override;

    // Sizes and positions the surface for the host's current page inside
    // a workspace of the given client size.
    void placeOnWorkspace(const QSize& workspaceClient);
    // The size the workspace scrolls over: the surface and a 10-pixel
    // border below and to the right of it.
    QSize workspaceExtent() const;
    // Repaints the selection's handles (what = 1) or outlines (what = 2),
    // or the whole page (0). Handles show whenever no button is held.
    void drawSelection(int what);
    // Recomputes the top-left, the bottom-right object, the saved
    // rectangles and the selection box.
    void computeSelectionBox();
    // Band views first (overlay first of all, cross bands last of them).
    void sortBands();
    // Repaints the whole page.
    void redrawPage();
    // Suspends painting and input (during Preview).
    void setDrawingDisabled(bool disabled);
    bool drawingDisabled() const;

    // Arrow keys with their modifiers, Page Up/Down and Escape, as the
    // window's key handler passes them; true when the key was used.
    bool handleKey(int key, Qt::KeyboardModifiers modifiers);

    // The clipboard commands (the window takes the snapshots around
    // delete; paste ends with an insert snapshot of its own).
    void copySelection();
    void pasteClipboard();

    // The size a text object gets from a click without extent.
    QSize defaultMemoSize() const;

    // Index of the selected object with the largest right edge, -1 none.
    int bottomRightIndex() const;

signals:
    // Rubber band, outline or object geometry changed during a drag: the
    // position box follows.
    void geometryTracking();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct State;
    TvlDesignerHost& host_;
    State* state_;
};

} // namespace vl
