// A stand-in for the designer's page surface, linked into this test
// program only while the real surface is not part of the build. It keeps
// to what the window relies on: placing, the selection box, band order,
// the clipboard and a plain drag of the selection.
#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerSettings.h"
#include "designer/workspace/TvlDesignerPage.h"
#include "engine/build/TvlGlobals.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/ObjectFactory.h"
#include "engine/script/StreamIO.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace vl {

struct TvlDesignerPage::State {
    bool disabled = false;
    bool pressed = false;
    QPoint last;
};

TvlDesignerPage::TvlDesignerPage(TvlDesignerHost& host, QWidget* parent)
    : QWidget(parent), host_(host), state_(new State) {}

TvlDesignerPage::~TvlDesignerPage() {
    delete state_;
}

void TvlDesignerPage::placeOnWorkspace(const QSize& client) {
    TvlPage* page = host_.currentPage();
    if (!page) return;
    if (page->PageType == ptDialog) {
        setGeometry(QRect(QPoint(0, 0), client));
        return;
    }
    const int w = page->pixelWidth() > 0 ? page->pixelWidth() : 744;
    const int h = page->pixelHeight() > 0 ? page->pixelHeight() : 1052;
    const int x = client.width() - 11 < w ? 10 : (client.width() - w) / 2;
    setGeometry(x, 10, w, h);
}

void TvlDesignerPage::drawSelection(int) {
    update();
}

void TvlDesignerPage::computeSelectionBox() {
    TvlDesignerSelection& s = host_.selection();
    s.box = QRect();
    for (const auto& view : host_.currentPage()->Objects)
        if (view->Selected) s.box |= QRect(view->Left, view->Top, view->Width, view->Height);
    s.boxValid = s.count > 1;
}

void TvlDesignerPage::sortBands() {
    auto& objects = host_.currentPage()->Objects;
    std::stable_partition(objects.begin(), objects.end(),
                          [](const auto& v) { return v->Typ == otBand; });
}

void TvlDesignerPage::redrawPage() {
    update();
}
void TvlDesignerPage::setDrawingDisabled(bool disabled) {
    state_->disabled = disabled;
}
bool TvlDesignerPage::drawingDisabled() const {
    return state_->disabled;
}

bool TvlDesignerPage::handleKey(int key, Qt::KeyboardModifiers) {
    if (key != Qt::Key_Escape) return false;
    host_.unselectAll();
    return true;
}

void TvlDesignerPage::copySelection() {
    auto& clipboard = Globals().designer().clipboard;
    clipboard.clear();
    for (const auto& view : host_.currentPage()->Objects) {
        if (!view->Selected) continue;
        MemoryStream record;
        WriteByte(record, view->Typ);
        WriteString(record, view->className());
        view->SaveToStream(record);
        const auto& bytes = record.data();
        clipboard.emplace_back(reinterpret_cast<const char*>(bytes.data()),
                               static_cast<qsizetype>(bytes.size()));
    }
}

void TvlDesignerPage::pasteClipboard() {
    host_.unselectAll();
    TvlPage& page = *host_.currentPage();
    for (const QByteArray& entry : Globals().designer().clipboard) {
        MemoryStream record(std::vector<std::uint8_t>(entry.begin(), entry.end()));
        const int type = ReadByte(record);
        const std::string className = ReadString(record);
        auto view = CreateObject(type, className);
        view->LoadFromStream(record);
        view->Selected = true;
        TvlView& added = page.AddObject(std::move(view));
        if (host_.report().Pages().FindObject(added.Name) != &added) added.MakeUniqueName();
    }
    host_.selectionChanged();
    host_.takeSnapshot(skInsert);
}

QSize TvlDesignerPage::defaultMemoSize() const {
    return {96, 20};
}
int TvlDesignerPage::bottomRightIndex() const {
    return -1;
}

void TvlDesignerPage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
}

void TvlDesignerPage::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        host_.showContextMenu(event->globalPosition().toPoint());
        return;
    }
    auto& objects = host_.currentPage()->Objects;
    host_.unselectAll();
    for (auto it = objects.rbegin(); it != objects.rend(); ++it)
        if (QRect((*it)->Left, (*it)->Top, (*it)->Width, (*it)->Height).contains(at)) {
            (*it)->Selected = true;
            break;
        }
    state_->pressed = true;
    state_->last = at;
    host_.selectionChanged();
}

void TvlDesignerPage::mouseMoveEvent(QMouseEvent*) {}

void TvlDesignerPage::mouseReleaseEvent(QMouseEvent* event) {
    if (!state_->pressed) return;
    state_->pressed = false;
    const QPoint delta = event->position().toPoint() - state_->last;
    if (delta.isNull()) return;
    host_.takeSnapshot(skChange);
    for (const auto& view : host_.currentPage()->Objects)
        if (view->Selected && !(view->Restrictions & rsNoMove)) {
            view->Left += delta.x();
            view->Top += delta.y();
        }
    host_.setModified(true);
    host_.selectionChanged();
}

void TvlDesignerPage::mouseDoubleClickEvent(QMouseEvent*) {}
void TvlDesignerPage::leaveEvent(QEvent*) {}
void TvlDesignerPage::dragEnterEvent(QDragEnterEvent*) {}
void TvlDesignerPage::dragMoveEvent(QDragMoveEvent*) {}
void TvlDesignerPage::dragLeaveEvent(QDragLeaveEvent*) {}
void TvlDesignerPage::dropEvent(QDropEvent*) {}

} // namespace vl
