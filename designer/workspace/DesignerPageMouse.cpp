#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerPageState.h"
#include "designer/workspace/DesignerSession.h"
#include "designer/workspace/DesignerSettings.h"
#include "engine/build/TvlPage.h"

#include <QMouseEvent>
#include <algorithm>
#include <cstdlib>

namespace vl {

namespace {

SurfaceCursor CursorOfHandle(int handle) {
    switch (handle) {
    case shTopLeft:
    case shBottomRight:
        return SurfaceCursor::SizeNWSE;
    case shTopRight:
    case shBottomLeft:
        return SurfaceCursor::SizeNESW;
    case shLeft:
    case shRight:
        return SurfaceCursor::SizeHor;
    case shTop:
    case shBottom:
        return SurfaceCursor::SizeVer;
    default:
        return SurfaceCursor::Arrow;
    }
}

bool IsSizing(SurfaceCursor c) {
    return c == SurfaceCursor::SizeNWSE || c == SurfaceCursor::SizeNESW ||
           c == SurfaceCursor::SizeVer || c == SurfaceCursor::SizeHor;
}

bool IsInsertTool(int tool) {
    return tool >= dtText && tool != dtLine;
}

} // namespace

// --- press

void TvlDesignerPage::State::press(QMouseEvent& e) {
    if (!page()) return;
    const bool left = e.button() == Qt::LeftButton;
    if (!left && e.button() != Qt::RightButton) return;
    const QPoint p = e.position().toPoint();
    pointer = p;
    endDragPictures();
    ctrlHeld = e.modifiers() & Qt::ControlModifier;
    if (!left && rubberActive) repaint(rubber.normalized().toRect().adjusted(-2, -2, 3, 3));
    rubberActive = lineRubber = false;
    // A press comes where the pointer rests: what it is over counts even
    // when no move announced it.
    if (!buttonDown) hoverAt(p);
    buttonDown = true;
    repaint(selectionArea());
    const int tool = sel().tool;
    if (left && (ctrlHeld || insertMode)) {
        previousRubber = rubber;
        const QPoint start =
            insertMode && settings().gridAlign ? SnapFloor(p, settings().gridSize) : p;
        rubber = SurfaceBox::at(start);
        rubberActive = true;
        outlineShown = false;
        syncRubber();
        unselectAll();
        w.update();
        return;
    }
    if (left && tool == dtLine) {
        const QPoint start =
            settings().gridAlign ? SnapLineStart(p, settings().gridSize, objects().corners()) : p;
        rubber = SurfaceBox::at(start);
        rubberActive = lineRubber = true;
        syncRubber();
        unselectAll();
        last = start;
        return;
    }
    if (cursor == SurfaceCursor::Arrow && !pressOnObject(p, e.modifiers(), left)) return;
    computeBox();
    last = p;
    moved = false;
    sel().firstMove = true;
    firstBandMove = true;
    if (!left) {
        buttonDown = false;
        repaint(selectionArea());
        host.selectionChanged();
        host.showContextMenu(w.mapToGlobal(p));
        return;
    }
    if (settings().selection == 0) showOutlines = true;
}

// Selects by click and Shift-click; a click beside every object starts a
// rubber band. False when the press is used up.
bool TvlDesignerPage::State::pressOnObject(QPoint p, Qt::KeyboardModifiers mods, bool left) {
    TvlView* hit = objects().objectAt(p);
    if (hit) {
        if (mods & Qt::ShiftModifier) {
            host.session().selected.toggle(*hit);
        } else if (!host.session().selected.contains(*hit)) {
            unselectAll();
            host.session().selected.select(*hit);
        }
        syncSelection();
        if (sel().count == 1) sel().object = objects().onlySelected();
        w.update();
        return true;
    }
    unselectAll();
    w.update();
    if (!left) return true;
    rubber = SurfaceBox::at(p);
    rubberActive = true;
    syncRubber();
    return false;
}

// --- hover

void TvlDesignerPage::State::hoverAt(QPoint p) {
    const int tool = sel().tool;
    if (tool == dtLine) {
        insertMode = false;
        hideInsertOutline();
        setCursor(SurfaceCursor::Pencil);
        return;
    }
    if (IsInsertTool(tool)) {
        insertMode = true;
        showInsertOutline(p);
        setCursor(SurfaceCursor::Cross);
        return;
    }
    insertMode = false;
    hideInsertOutline();
    setCursor(SurfaceCursor::Arrow);
    if (sel().count == 0) {
        rubber = SurfaceBox::at(p);
        syncRubber();
    }
    hoverSelect(p);
}

void TvlDesignerPage::State::showInsertOutline(QPoint p) {
    const QRect before = rubber.normalized().toRect().adjusted(-1, -1, 2, 2);
    const QPoint at = settings().gridAlign ? SnapFloor(p, settings().gridSize) : p;
    const QSize size = w.defaultMemoSize();
    rubber = SurfaceBox::at(at, sel().tool == dtBand ? w.width() : size.width(), size.height());
    outlineShown = true;
    syncRubber();
    if (!isDialogPage()) {
        repaint(before);
        repaint(rubber.toRect().adjusted(-1, -1, 2, 2));
    }
}

void TvlDesignerPage::State::hideInsertOutline() {
    if (!outlineShown) return;
    outlineShown = false;
    repaint(rubber.normalized().toRect().adjusted(-1, -1, 2, 2));
}

// The handle under the pointer of a single selected object, or with
// several the bottom-right corner of the selection and the borders
// between touching objects.
void TvlDesignerPage::State::hoverSelect(QPoint p) {
    hover = shNone;
    const int count = sel().count;
    if (count == 1) {
        if (TvlView* only = objects().onlySelected()) hover = HandleAt(*only, p, true, 2);
        setCursor(CursorOfHandle(hover));
        return;
    }
    if (count < 2) return;
    PageObjects list = objects();
    const int br = box.bottomRight;
    if (br >= 0 && br < list.count()) {
        const TvlView& v = *list.at(br);
        if (HitsHandle(p, {v.Left + v.Width, v.Top + v.Height}, 2)) {
            hover = shBottomRight;
            setCursor(SurfaceCursor::SizeNWSE);
            return;
        }
    }
    if (hoverSplitter(p)) {
        repaint(QRect(splitter.x - 1, splitter.top, 3, splitter.bottom - splitter.top + 1));
        setCursor(SurfaceCursor::Split);
    }
}

bool TvlDesignerPage::State::hoverSplitter(QPoint p) {
    const std::vector<TvlView*> selected = objects().selected();
    for (TvlView* x : selected) {
        if (IsBandView(x) || IsLineView(x)) continue;
        const SurfaceBox xb = SurfaceBox::of(*x);
        if (p.y() < xb.t || p.y() > xb.b || p.x() < xb.l || p.x() > xb.r) continue;
        for (TvlView* y : selected) {
            if (y == x || IsBandView(y)) continue;
            const SurfaceBox yb = SurfaceBox::of(*y);
            const bool onLeft = yb.r == xb.l && p.x() - xb.l <= 2;
            const bool onRight = yb.l == xb.r && xb.r - p.x() <= 2;
            if (!onLeft && !onRight) continue;
            splitter.splitX = splitter.x = onLeft ? xb.l : xb.r;
            splitter.left = onLeft ? y : x;
            splitter.right = onLeft ? x : y;
            splitter.top = xb.t;
            splitter.bottom = xb.b;
            return true;
        }
    }
    return false;
}

// --- move

void TvlDesignerPage::State::move(QMouseEvent& e) {
    if (!page()) return;
    const QPoint p = e.position().toPoint();
    pointer = p;
    const bool alt = e.modifiers() & Qt::AltModifier;
    const bool align = settings().gridAlign != alt;
    moved = true;
    if (!buttonDown) {
        hoverAt(p);
        host.updateStatus();
        return;
    }
    if (e.buttons() == Qt::LeftButton) autoScroll(p);
    if (rubberActive) {
        trackRubber(p, align);
        return;
    }
    const auto d = SnapDelta(p - last, settings().gridSize, align);
    if (!d || d->isNull()) return;
    if (sel().firstMove && sel().count > 0) takeChangeSnapshot(alt);
    dragBy(*d);
    host.updateStatus();
    emit w.geometryTracking();
}

// The first step of a drag: a single band takes along what lies in it,
// then the selection is recorded for undo.
void TvlDesignerPage::State::takeChangeSnapshot(bool alt) {
    TvlView* only = objects().onlySelected();
    if (firstBandMove && cursor == SurfaceCursor::Arrow && only && IsBandView(only) &&
        !(only->Restrictions & rsNoMove) && !alt) {
        objects().pickUpBandContents(*only);
        syncSelection();
        computeBox();
    }
    firstBandMove = false;
    host.takeSnapshot(skChange);
    sel().firstMove = false;
    sel().oldRegion = QRegion(selectionArea());
}

void TvlDesignerPage::State::dragBy(QPoint d) {
    const QRect before = selectionArea();
    switch (cursor) {
    case SurfaceCursor::Split: {
        const QRect line(splitter.x - 1, splitter.top, 3, splitter.bottom - splitter.top + 1);
        splitter.x += d.x();
        last.rx() += d.x();
        repaint(line.united(line.translated(d.x(), 0)));
        return;
    }
    case SurfaceCursor::Arrow:
        if (sel().count == 0 || insertMode) break;
        if (!drag.active && sel().count > 1) startDragPictures();
        moveSelection(d);
        drag.offset += d;
        break;
    default:
        if (!IsSizing(cursor)) return;
        if (sel().count > 1)
            resizeSelection(d);
        else if (sel().count == 1)
            resizeSingle(d);
        break;
    }
    last += d;
    repaint(before.united(selectionArea()));
}

void TvlDesignerPage::State::moveSelection(QPoint d) {
    for (TvlView* v : objects().selected())
        if (!(v->Restrictions & rsNoMove)) {
            v->Left += d.x();
            v->Top += d.y();
        }
}

void TvlDesignerPage::State::resizeSelection(QPoint d) {
    if (!box.valid) return;
    resizeBox.r = std::max(resizeBox.l, resizeBox.r + d.x());
    resizeBox.b = std::max(resizeBox.t, resizeBox.b + d.y());
    for (const auto& [view, saved] : box.saved) {
        if (view->Restrictions & rsNoResize) continue;
        const SurfaceBox b = ScaleInBox(saved, box.box, resizeBox);
        view->SetBounds(b.l, b.t, b.width(), b.height());
    }
}

void TvlDesignerPage::State::resizeSingle(QPoint d) {
    TvlView* v = objects().onlySelected();
    if (!v || (v->Restrictions & rsNoResize)) return;
    if (corner == shNone) corner = hover;
    ResizeByHandle(*v, corner, d);
    setCursor(CursorOfHandle(corner));
}

void TvlDesignerPage::State::trackRubber(QPoint p, bool align) {
    const QRect before = rubber.normalized().toRect().adjusted(-8, -8, 9, 9);
    if (lineRubber) {
        const auto d = SnapDelta(p - last, settings().gridSize, align);
        if (!d) return;
        rubber.r += d->x();
        rubber.b += d->y();
        last += *d;
    } else {
        const QPoint at = insertMode && align ? SnapFloor(p, settings().gridSize) : p;
        rubber.r = at.x();
        rubber.b = at.y();
    }
    syncRubber();
    repaint(before.united(rubber.normalized().toRect().adjusted(-8, -8, 9, 9)));
    host.updateStatus();
    emit w.geometryTracking();
}

void TvlDesignerPage::State::autoScroll(QPoint p) {
    const QPoint at = w.pos() + p - host.workspaceOffset();
    const QSize visible = host.workspaceSize();
    auto overshoot = [](int v, int size) { return v < 0 ? v : (v >= size ? v - size + 1 : 0); };
    const QPoint delta(overshoot(at.x(), visible.width()), overshoot(at.y(), visible.height()));
    if (delta.isNull()) return;
    host.scrollWorkspace(delta);
    w.update();
}

// --- release

void TvlDesignerPage::State::release(QMouseEvent& e) {
    if (e.button() != Qt::LeftButton) return;
    if (ignoreRelease) {
        ignoreRelease = false;
        buttonDown = false;
        return;
    }
    if (!buttonDown || !page()) return;
    buttonDown = false;
    showOutlines = false;
    endDragPictures();
    if (rubberActive && insertMode)
        finishInsert(false, {});
    else if (rubberActive && lineRubber)
        finishLine();
    else if (rubberActive)
        finishRubberSelection();
    else
        finishDrag();
    rubberActive = lineRubber = false;
    moved = false;
    corner = shNone;
    w.update();
}

void TvlDesignerPage::State::finishRubberSelection() {
    rubber = rubber.normalized();
    syncRubber();
    objects().selectInBox(rubber);
    syncSelection();
    computeBox();
    host.selectionChanged();
}

void TvlDesignerPage::State::finishDrag() {
    const bool changed = !sel().firstMove;
    sel().firstMove = false;
    if (cursor == SurfaceCursor::Split) {
        if (changed) applySplitter();
        computeBox();
    } else if (IsSizing(cursor) && sel().count > 1) {
        computeBox();
    } else if (!moved) {
        host.selectionChanged();
        return;
    } else if (TvlView* v = objects().onlySelected()) {
        NormalizeView(*v);
        if (changed && IsSizing(cursor)) v->AfterMouseResize();
        host.selectionChanged();
    } else {
        computeBox();
    }
    if (changed) host.setModified(true);
}

void TvlDesignerPage::State::applySplitter() {
    TvlView* l = splitter.left;
    TvlView* r = splitter.right;
    const PageObjects list = objects();
    if (!l || !r || list.indexOf(l) < 0 || list.indexOf(r) < 0) return;
    const int d = splitter.x - splitter.splitX;
    if (l->Width + d <= 0 || r->Width - d <= 0) return;
    if ((l->Restrictions & rsNoResize) || (r->Restrictions & (rsNoResize | rsNoMove))) return;
    l->Width += d;
    r->Left += d;
    r->Width -= d;
    splitter.splitX = splitter.x;
}

} // namespace vl
