#include "designer/dictionary/DataFieldMime.h"
#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerPageState.h"
#include "designer/workspace/DesignerSession.h"
#include "designer/workspace/DesignerSettings.h"
#include "designer/workspace/ObjectInsertion.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlControl.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/script/Errors.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <cstdlib>

namespace vl {

namespace {

std::unique_ptr<TvlView> CreateSafely(TvlModelContext& engine, int tool, int bandType = 0) {
    try {
        return CreateForTool(engine, tool, bandType);
    } catch (const VlError&) {
        return nullptr; // an add-in class that went away
    }
}

} // namespace

QSize TvlDesignerPage::State::insertSize(const TvlView& view) {
    if (isDialogPage() && view.Width > 0 && view.Height > 0) return {view.Width, view.Height};
    if (dynamic_cast<const TvlMemoView*>(&view)) return w.defaultMemoSize();
    return {36, 36};
}

void TvlDesignerPage::State::finishInsert(bool dropped, const std::string& memoText) {
    insertMode = false;
    hideInsertOutline();
    // a click leaves the rubber at a point and takes the outline's place
    const bool clicked = rubber.isPoint();
    const SurfaceBox r = (clicked ? previousRubber : rubber).normalized();
    const int tool = sel().tool;
    std::unique_ptr<TvlView> view;
    if (tool == dtBand) {
        const int type = host.chooseBandType();
        if (type < 0) return;
        view = CreateSafely(host.report().Engine().model(), dtBand, type);
    } else {
        view = CreateSafely(host.report().Engine().model(), tool);
    }
    if (!view) return;
    const bool subReport = dynamic_cast<TvlSubReportView*>(view.get()) != nullptr;
    if (auto* sub = dynamic_cast<TvlSubReportView*>(view.get())) {
        TvlPages& pages = host.report().Pages();
        sub->SubPage = pages.Count();
        pages.Add();
    }
    view->MakeUniqueName();
    if (!memoText.empty()) view->Memo = {memoText};
    TvlView* added = addInserted(std::move(view), r, tool >= dtAddInBase, clicked || dropped);
    host.selectionChanged();
    host.takeSnapshot(skInsert);
    host.setModified(true);
    if (subReport) host.pagesChanged();
    if (settings().editAfterInsert && !dropped && !dynamic_cast<TvlControl*>(added))
        host.editObject(false);
    if (sel().keepTool) {
        hoverAt(pointer);
        return;
    }
    sel().tool = dtSelect;
    host.selectTool(dtSelect);
    setCursor(SurfaceCursor::Arrow);
}

// Places a new object on the page as the only selected one.
TvlView* TvlDesignerPage::State::addInserted(std::unique_ptr<TvlView> view, SurfaceBox r,
                                             bool addIn, bool toTheBand) {
    const auto* band = dynamic_cast<const TvlBandView*>(view.get());
    int width = r.width(), height = r.height(), top = r.t;
    if (width == 0 || height == 0) {
        const QSize size = insertSize(*view);
        width = size.width();
        height = size.height();
    }
    if (toTheBand && !band && !isDialogPage()) top = TopWithinBand(*page(), top, height);
    unselectAll();
    view->SetBounds(r.l, top, width, height);
    if (band && IsCrossBandType(band->bandType()) && view->Width > w.width() - 10) view->Width = 40;
    if (!addIn) ApplyNewObjectSettings(*view, host.session().newObject);
    TvlView& added = page()->AddObject(std::move(view));
    host.session().selected.select(added);
    if (band) {
        objects().sortBands();
        w.update();
    } else {
        repaint(added.CreateClipRegion(true).boundingRect());
    }
    syncSelection();
    computeBox();
    return &added;
}

void TvlDesignerPage::State::finishLine() {
    const SurfaceBox r = rubber;
    repaint(r.normalized().toRect().adjusted(-8, -8, 9, 9));
    if (r.isPoint()) return;
    auto line = CreateSafely(host.report().Engine().model(), dtLine);
    if (!line) return;
    line->MakeUniqueName();
    int width = r.width(), height = r.height(), left = r.l, top = r.t;
    const bool vertical = std::abs(height) >= std::abs(width);
    if (width < 0) {
        width = -width;
        if (!vertical) left = r.r;
    }
    if (height < 0) {
        height = -height;
        if (vertical) top = r.b;
    }
    // the line as the rubber line showed it
    if (vertical)
        width = 0;
    else
        height = 0;
    line->FrameTyp = vertical ? vlftLeft : vlftTop;
    const TvlNewObjectSettings& settings = host.session().newObject;
    line->FrameWidth = settings.lineWidth;
    line->FrameColor = static_cast<TvlColor>(settings.frameColor);
    unselectAll();
    line->SetBounds(left, top, width, height);
    TvlView& added = page()->AddObject(std::move(line));
    host.session().selected.select(added);
    repaint(added.CreateClipRegion(true).boundingRect());
    syncSelection();
    computeBox();
    host.selectionChanged();
    host.takeSnapshot(skInsert);
    host.setModified(true);
}

// --- double click and leaving

void TvlDesignerPage::State::doubleClick(QMouseEvent& e) {
    if (!page() || e.button() != Qt::LeftButton) return;
    buttonDown = false;
    rubberActive = lineRubber = false;
    ignoreRelease = true;
    const int count = sel().count;
    if (count == 1)
        host.editObject(e.modifiers() & Qt::ControlModifier);
    else if (count == 0 && isDialogPage())
        host.editPageScript();
    else if (count == 0)
        host.pageOptions();
    w.update();
}

void TvlDesignerPage::State::leave() {
    if (!page()) return;
    if ((insertMode && !buttonDown) || draggingField) {
        hideInsertOutline();
        rubber = {rubber.l - 10000, rubber.t - 10000, rubber.r - 10000, rubber.b - 10000};
        syncRubber();
    }
}

// --- data fields dropped from the fields window

void TvlDesignerPage::State::dragFieldTo(QPoint p) {
    const QRect before = rubber.normalized().toRect().adjusted(-1, -1, 2, 2);
    const QPoint snapped = settings().gridAlign ? SnapFloor(p, settings().gridSize) : p;
    const QSize size = w.defaultMemoSize();
    rubber = SurfaceBox::at(snapped - QPoint(4, 4), size.width(), size.height());
    outlineShown = true;
    syncRubber();
    repaint(before);
    repaint(rubber.toRect().adjusted(-1, -1, 2, 2));
}

void TvlDesignerPage::dragEnterEvent(QDragEnterEvent* event) {
    TvlPage* page = state_->page();
    if (!page || page->PageType != ptReport || !event->mimeData() ||
        !DataFieldFromMimeData(*event->mimeData())) {
        event->ignore();
        return;
    }
    state_->draggingField = true;
    state_->dragFieldTo(event->position().toPoint());
    event->acceptProposedAction();
}

void TvlDesignerPage::dragMoveEvent(QDragMoveEvent* event) {
    if (!state_->draggingField || !state_->page()) {
        event->ignore();
        return;
    }
    state_->dragFieldTo(event->position().toPoint());
    event->acceptProposedAction();
}

void TvlDesignerPage::dragLeaveEvent(QDragLeaveEvent*) {
    state_->leave();
    state_->draggingField = false;
}

void TvlDesignerPage::dropEvent(QDropEvent* event) {
    State& s = *state_;
    const auto field = event->mimeData() ? DataFieldFromMimeData(*event->mimeData()) : std::nullopt;
    if (!s.draggingField || !field || !s.page()) {
        event->ignore();
        return;
    }
    s.draggingField = false;
    s.dragFieldTo(event->position().toPoint());
    s.sel().tool = dtText;
    host_.selectTool(dtText);
    s.setCursor(SurfaceCursor::Cross);
    s.previousRubber = s.rubber;
    s.finishInsert(true, "[" + *field + "]");
    event->acceptProposedAction();
}

} // namespace vl
