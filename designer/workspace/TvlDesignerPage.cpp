#include "designer/workspace/TvlDesignerPage.h"

#include "designer/workspace/DesignerClipboard.h"
#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerPageState.h"
#include "designer/workspace/DesignerSession.h"
#include "designer/workspace/DesignerSettings.h"
#include "designer/workspace/ObjectInsertion.h"
#include "designer/workspace/SurfacePainter.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/ViewState.h"

#include <QCursor>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <optional>

namespace vl {

TvlDesignerPage::TvlDesignerPage(TvlDesignerHost& host, QWidget* parent)
    : QWidget(parent), host_(host), state_(new State(*this, host)) {
    setMouseTracking(true);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TvlDesignerPage::~TvlDesignerPage() {
    delete state_;
}

void TvlDesignerPage::placeOnWorkspace(const QSize& client) {
    TvlPage* page = state_->page();
    if (!page) return;
    if (page->PageType == ptDialog) {
        setGeometry(0, 0, client.width(), client.height());
        return;
    }
    const TvlDesignerSettings& s = host_.settings();
    const int w = page->PrinterInfo.PixelPaperWidth;
    const int h = page->PrinterInfo.PixelPaperHeight;
    int x = (client.width() - w) / 2;
    if (client.width() - 11 < w || s.pagePosition == 3)
        x = 10;
    else if (s.pagePosition == 4)
        x = client.width() - w - 11;
    setGeometry(x, 10, w, s.unlimitedHeight ? h * 3 : h);
}

QSize TvlDesignerPage::workspaceExtent() const {
    return {geometry().x() + width() + 10, geometry().y() + height() + 10};
}

void TvlDesignerPage::drawSelection(int what) {
    if (what == 0 || !state_->page())
        update();
    else
        state_->repaint(state_->selectionArea());
}

void TvlDesignerPage::computeSelectionBox() {
    if (state_->page()) state_->computeBox();
}

void TvlDesignerPage::sortBands() {
    if (state_->page()) state_->objects().sortBands();
}

void TvlDesignerPage::redrawPage() {
    update();
}

void TvlDesignerPage::setDrawingDisabled(bool disabled) {
    state_->drawingDisabled = disabled;
    if (!disabled) update();
}

bool TvlDesignerPage::drawingDisabled() const {
    return state_->drawingDisabled;
}

bool TvlDesignerPage::handleKey(int key, Qt::KeyboardModifiers modifiers) {
    return state_->page() && state_->key(key, modifiers);
}

void TvlDesignerPage::copySelection() {
    if (TvlPage* page = state_->page())
        DesignerClipboard(host_.session().clipboard).copy(*page, host_.session().selected);
}

void TvlDesignerPage::pasteClipboard() {
    TvlPage* page = state_->page();
    if (!page || host_.session().clipboard.empty()) return;
    // A selected band takes the pasted objects at its top.
    std::optional<int> bandTop;
    for (TvlView* v : state_->objects().selected())
        if (IsBandView(v)) {
            bandTop = v->Top;
            break;
        }
    state_->unselectAll();
    const auto added =
        DesignerClipboard(host_.session().clipboard).paste(*page, state_->pasteShift(), bandTop);
    for (TvlView* view : added)
        host_.session().selected.select(*view);
    state_->syncSelection();
    host_.selectionChanged();
    state_->objects().sortBands();
    state_->computeBox();
    update();
    if (!added.empty()) host_.takeSnapshot(skInsert);
}

QSize TvlDesignerPage::defaultMemoSize() const {
    return DefaultMemoSize(host_.settings().gridSize, host_.session().newObject.fontSize);
}

int TvlDesignerPage::bottomRightIndex() const {
    return state_->box.bottomRight;
}

void TvlDesignerPage::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    TvlPage* page = state_->page();
    if (!page) {
        p.fillRect(event->rect(), palette().window());
        return;
    }
    State& s = *state_;
    const TvlDesignerSettings& settings = host_.settings();
    SurfacePainter painter(p, *page, host_.session().selected, event->region());
    if (s.drag.active) {
        for (const QRect& r : event->region())
            p.drawImage(r, s.drag.still, r);
        p.drawImage(s.drag.offset, s.drag.moving);
    } else {
        painter.background(settings.gridSize, settings.gridShow);
        painter.pageFrame();
        painter.objects(s.showOutlines && s.buttonDown);
    }
    if (!s.buttonDown) {
        const int br = s.box.bottomRight;
        PageObjects objects = s.objects();
        const TvlView* brView = br >= 0 && br < objects.count() ? objects.at(br) : nullptr;
        painter.handles(objects.selectedCount(), brView);
    }
    if (s.rubberActive && s.lineRubber)
        painter.rubberLine(s.rubber, static_cast<int>(s.host.session().newObject.lineWidth));
    else if (s.rubberActive || (s.outlineShown && page->PageType == ptReport))
        painter.outline(s.rubber);
    if (s.cursor == SurfaceCursor::Split)
        painter.splitter(s.splitter.x, s.splitter.top, s.splitter.bottom);
}

void TvlDesignerPage::mousePressEvent(QMouseEvent* event) {
    state_->press(*event);
}

void TvlDesignerPage::mouseMoveEvent(QMouseEvent* event) {
    state_->move(*event);
}

void TvlDesignerPage::mouseReleaseEvent(QMouseEvent* event) {
    state_->release(*event);
}

void TvlDesignerPage::mouseDoubleClickEvent(QMouseEvent* event) {
    state_->doubleClick(*event);
}

void TvlDesignerPage::leaveEvent(QEvent*) {
    state_->leave();
}

// --- State: the page, the selection and repainting

TvlPage* TvlDesignerPage::State::page() {
    if (drawingDisabled) return nullptr;
    TvlPage* p = host.currentPage();
    if (!p) return nullptr;
    TvlViewState& state = views();
    state.designerPage = p;
    state.host = &host.report();
    state.showBandTitles = settings().bandTitles;
    return p;
}

TvlViewState& TvlDesignerPage::State::views() {
    return host.report().Engine().views();
}

const TvlDesignerSettings& TvlDesignerPage::State::settings() const {
    return host.settings();
}

TvlDesignerSelection& TvlDesignerPage::State::sel() {
    return host.selection();
}

PageObjects TvlDesignerPage::State::objects() {
    return PageObjects(*host.currentPage(), host.session().selected);
}

bool TvlDesignerPage::State::isDialogPage() {
    return host.currentPage()->PageType == ptDialog;
}

void TvlDesignerPage::State::unselectAll() {
    host.unselectAll();
    syncSelection();
}

void TvlDesignerPage::State::syncSelection() {
    TvlDesignerSelection& s = sel();
    PageObjects list = objects();
    s.count = list.selectedCount();
    if (s.count == 1)
        s.object = list.onlySelected();
    else if (s.count == 0 || (s.object && list.indexOf(s.object) < 0) ||
             (s.object && !host.session().selected.contains(*s.object)))
        s.object = nullptr;
}

void TvlDesignerPage::State::computeBox() {
    box = objects().selectionBox();
    resizeBox = box.box;
    TvlDesignerSelection& s = sel();
    s.boxValid = box.valid;
    if (box.valid) {
        s.box = box.box.toRect();
        s.previousRubber = s.box;
    }
}

void TvlDesignerPage::State::syncRubber() {
    sel().rubber = rubber.toRect();
}

QRect TvlDesignerPage::State::selectionArea() {
    QRect area;
    for (TvlView* v : objects().selected())
        area = area.united(v->CreateClipRegion(true).boundingRect());
    return area;
}

void TvlDesignerPage::State::startDragPictures() {
    TvlPage* p = page();
    if (!p || settings().selection == 0 || w.size().isEmpty()) return;
    const QRegion all(w.rect());
    drag.still = QImage(w.size(), QImage::Format_RGB32);
    QPainter still(&drag.still);
    SurfacePainter base(still, *p, host.session().selected, all);
    base.background(settings().gridSize, settings().gridShow);
    base.pageFrame();
    base.objects(false, SurfacePainter::StillObjects);
    drag.moving = QImage(w.size(), QImage::Format_ARGB32_Premultiplied);
    drag.moving.fill(Qt::transparent);
    QPainter moving(&drag.moving);
    SurfacePainter(moving, *p, host.session().selected, all)
        .objects(false, SurfacePainter::MovingObjects);
    drag.offset = QPoint();
    drag.active = true;
}

void TvlDesignerPage::State::endDragPictures() {
    if (!drag.active) return;
    drag = {};
    w.update();
}

void TvlDesignerPage::State::repaint(const QRect& area) {
    if (!area.isEmpty()) w.update(area);
}

namespace {

// A pencil, its tip at the bottom left, for drawing lines.
QCursor PencilCursor() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(250, 210, 60));
    const QPointF body[] = {{1, 15}, {2, 11}, {12, 1}, {15, 4}, {5, 14}};
    p.drawPolygon(body, 5);
    p.drawLine(QPointF(2, 11), QPointF(5, 14));
    p.end();
    return QCursor(pixmap, 1, 15);
}

} // namespace

void TvlDesignerPage::State::setCursor(SurfaceCursor c) {
    cursor = c;
    switch (c) {
    case SurfaceCursor::Arrow:
        w.setCursor(Qt::ArrowCursor);
        break;
    case SurfaceCursor::Cross:
        w.setCursor(Qt::CrossCursor);
        break;
    case SurfaceCursor::Pencil:
        w.setCursor(PencilCursor());
        break;
    case SurfaceCursor::SizeNWSE:
        w.setCursor(Qt::SizeFDiagCursor);
        break;
    case SurfaceCursor::SizeNESW:
        w.setCursor(Qt::SizeBDiagCursor);
        break;
    case SurfaceCursor::SizeVer:
        w.setCursor(Qt::SizeVerCursor);
        break;
    case SurfaceCursor::SizeHor:
        w.setCursor(Qt::SizeHorCursor);
        break;
    case SurfaceCursor::Split:
        w.setCursor(Qt::SplitHCursor);
        break;
    }
}

QPoint TvlDesignerPage::State::pasteShift() {
    // Scrolled to the right or down, pasted objects land in view, on the
    // grid.
    const int grid = settings().gridSize;
    const QPoint left = w.pos() - host.workspaceOffset();
    QPoint shift;
    if (left.x() < 0) shift.setX(-left.x() / grid * grid);
    if (left.y() < 0) shift.setY(-left.y() / grid * grid);
    return shift;
}

} // namespace vl
