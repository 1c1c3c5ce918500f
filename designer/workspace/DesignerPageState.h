#pragma once

#include "designer/workspace/PageObjects.h"
#include "designer/workspace/SurfaceGeometry.h"
#include "designer/workspace/TvlDesignerPage.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <memory>
#include <optional>
#include <string>

class QMouseEvent;

namespace vl {

class TvlPage;
struct TvlDesignerSettings;
struct TvlViewState;

// The mouse cursors of the surface, which also tell what a drag does.
enum class SurfaceCursor {
    Arrow,    // select, move
    Cross,    // insert
    Pencil,   // draw lines
    SizeNWSE, // resize through a handle
    SizeNESW,
    SizeVer,
    SizeHor,
    Split, // move the border between two objects
};

// What the surface keeps between events, and the steps of its mouse and
// keyboard handling.
struct TvlDesignerPage::State {
    State(TvlDesignerPage& surface, TvlDesignerHost& host) : w(surface), host(host) {}

    TvlDesignerPage& w;
    TvlDesignerHost& host;

    bool buttonDown = false;
    bool moved = false;
    bool ignoreRelease = false; // the release that ends a double click
    bool rubberActive = false;
    bool lineRubber = false;
    bool insertMode = false;
    bool outlineShown = false; // the insert outline follows the mouse
    bool showOutlines = false; // the selection is dragged as outlines
    bool firstBandMove = false;
    bool ctrlHeld = false;
    bool draggingField = false;
    bool drawingDisabled = false;
    int corner = shNone;
    SurfaceHandle hover = shNone;
    SurfaceCursor cursor = SurfaceCursor::Arrow;
    QPoint last;
    QPoint pointer; // where the mouse was last seen
    SurfaceBox rubber, previousRubber;
    SelectionBox box;
    SurfaceBox resizeBox; // the selection box during a proportional resize
    // While the selection is dragged with its contents shown: the page
    // without the moving objects, and the moving objects on a transparent
    // picture, which each step places at the distance dragged so far.
    struct DragPictures {
        QImage still, moving;
        QPoint offset;
        bool active = false;
    } drag;
    struct Splitter {
        int x = 0, splitX = 0, top = 0, bottom = 0;
        TvlView* left = nullptr;
        TvlView* right = nullptr;
    } splitter;

    // The host's page, made the engine's designer page; none while drawing
    // is disabled.
    TvlPage* page();
    // The report-object state of the report's engine.
    TvlViewState& views();
    const TvlDesignerSettings& settings() const;
    TvlDesignerSelection& sel();
    PageObjects objects();
    bool isDialogPage();

    // Selection bookkeeping.
    void unselectAll();
    void syncSelection();
    void computeBox();
    void syncRubber();

    // Repainting.
    void startDragPictures();
    void endDragPictures();
    QRect selectionArea();
    void repaint(const QRect& area);
    void setCursor(SurfaceCursor c);

    // Mouse.
    void press(QMouseEvent& e);
    void move(QMouseEvent& e);
    void release(QMouseEvent& e);
    void doubleClick(QMouseEvent& e);
    void leave();
    void hoverAt(QPoint p);
    void hoverSelect(QPoint p);
    bool hoverSplitter(QPoint p);
    void showInsertOutline(QPoint p);
    void hideInsertOutline();
    bool pressOnObject(QPoint p, Qt::KeyboardModifiers mods, bool left);
    void trackRubber(QPoint p, bool align);
    void autoScroll(QPoint p);
    void takeChangeSnapshot(bool alt);
    void dragBy(QPoint d);
    void moveSelection(QPoint d);
    void resizeSelection(QPoint d);
    void resizeSingle(QPoint d);
    void finishInsert(bool dropped, const std::string& memoText);
    void finishLine();
    void finishRubberSelection();
    void finishDrag();
    void applySplitter();
    // A clicked or dropped object keeps to the band it lands in; a dragged
    // rectangle is where the user wants it.
    TvlView* addInserted(std::unique_ptr<TvlView> view, SurfaceBox r, bool addIn, bool toTheBand);
    QSize insertSize(const TvlView& view);

    // Field drops.
    void dragFieldTo(QPoint p);

    // Keyboard.
    bool key(int key, Qt::KeyboardModifiers mods);
    void nudge(int key, bool resize);
    void selectNearest(int key, bool touch);
    void escape();

    QPoint pasteShift();
};

} // namespace vl
