#include "engine/output/preview/TvlPBox.h"

#include "engine/output/preview/TvlPreviewForm.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

namespace vl {

TvlPBox::TvlPBox(TvlPreviewForm& form, QWidget* parent) : QWidget(parent), form_(form) {
    setObjectName(QStringLiteral("PBox"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(40, 40);
    setAccessibleName(QStringLiteral("Pages"));
}

void TvlPBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    form_.PaintPages(painter, event->region());
}

void TvlPBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    form_.Relayout();
    update();
}

void TvlPBox::mousePressEvent(QMouseEvent* event) {
    if (form_.PageCount() == 0) return;
    if (event->button() == Qt::RightButton) {
        form_.PopupAt(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    form_.ClickAt(event->position().toPoint());
}

void TvlPBox::mouseMoveEvent(QMouseEvent* event) {
    if (form_.PageCount() == 0) return;
    form_.HoverAt(event->position().toPoint());
}

void TvlPBox::mouseReleaseEvent(QMouseEvent*) {
    Dragging = false;
}

// The second press of a double click arrives here instead of as a press,
// so it neither follows a link nor starts a drag.
void TvlPBox::mouseDoubleClickEvent(QMouseEvent* event) {
    Dragging = false;
    if (form_.PageCount() == 0 || event->button() != Qt::LeftButton) return;
    if (ClickedPage >= 1) form_.GoToPage(ClickedPage);
    if (form_.EditPageItem->isVisible() && form_.EditPageItem->isEnabled()) form_.EditPage();
}

void TvlPBox::wheelEvent(QWheelEvent* event) {
    if (form_.PageCount() == 0) return;
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0) form_.WheelNotches(notches);
    event->accept();
}

} // namespace vl
