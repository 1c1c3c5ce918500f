#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerPageState.h"
#include "designer/workspace/DesignerSession.h"
#include "engine/model/TvlView.h"

#include <algorithm>

namespace vl {

namespace {

QPoint StepOf(int key) {
    switch (key) {
    case Qt::Key_Left:
        return {-1, 0};
    case Qt::Key_Right:
        return {1, 0};
    case Qt::Key_Up:
        return {0, -1};
    default:
        return {0, 1};
    }
}

} // namespace

bool TvlDesignerPage::State::key(int key, Qt::KeyboardModifiers mods) {
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        host.scrollWorkspace({0, key == Qt::Key_PageUp ? -200 : 200});
        return true;
    case Qt::Key_Escape:
        if (buttonDown) return false;
        escape();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        break;
    default:
        return false;
    }
    if (sel().count < 1 || buttonDown) return false;
    if (mods & Qt::ControlModifier)
        nudge(key, false);
    else if (mods & Qt::ShiftModifier)
        nudge(key, true);
    else if (sel().count == 1)
        selectNearest(key, mods & Qt::AltModifier);
    else
        return false;
    return true;
}

// One pixel of movement, or of size (objects that may not be resized move
// instead).
void TvlDesignerPage::State::nudge(int key, bool resize) {
    host.takeSnapshot(skChange);
    const QRect before = selectionArea();
    const QPoint d = StepOf(key);
    for (TvlView* v : objects().selected()) {
        if (resize && !(v->Restrictions & rsNoResize)) {
            v->Width = std::max(0, v->Width + d.x());
            v->Height = std::max(0, v->Height + d.y());
        } else if (!(v->Restrictions & rsNoMove)) {
            v->Left += d.x();
            v->Top += d.y();
        }
    }
    repaint(before.united(selectionArea()));
    computeBox();
    host.setModified(true);
    host.updateStatus();
}

void TvlDesignerPage::State::selectNearest(int key, bool touch) {
    TvlView* s = objects().onlySelected();
    TvlView* n = s ? objects().nearest(*s, key) : nullptr;
    if (!n) return;
    const QRect before = selectionArea();
    if (touch) {
        if (s->Restrictions & rsNoMove) return;
        host.takeSnapshot(skChange);
        MoveToTouch(*s, *n, key);
        repaint(before.united(selectionArea()));
        host.setModified(true);
        host.updateStatus();
        return;
    }
    host.session().selected.deselect(*s);
    host.session().selected.select(*n);
    syncSelection();
    computeBox();
    repaint(before.united(selectionArea()));
    host.selectionChanged();
}

void TvlDesignerPage::State::escape() {
    sel().tool = dtSelect;
    host.selectTool(dtSelect);
    insertMode = false;
    hideInsertOutline();
    unselectAll();
    computeBox();
    setCursor(SurfaceCursor::Arrow);
    w.update();
    host.selectionChanged();
}

} // namespace vl
