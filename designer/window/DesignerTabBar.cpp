#include "designer/window/DesignerTabBar.h"

#include <QApplication>
#include <QMouseEvent>

namespace vl {

TvlDesignerTabBar::TvlDesignerTabBar(QWidget* parent) : QTabBar(parent) {
    setObjectName(QStringLiteral("PageTabs"));
    setExpanding(false);
    setUsesScrollButtons(true);
    setDocumentMode(true);
}

void TvlDesignerTabBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        emit contextMenuWanted(event->globalPosition().toPoint());
        return;
    }
    QTabBar::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        armed_ = true;
        dragging_ = false;
        pressPoint_ = event->position().toPoint();
    }
}

void TvlDesignerTabBar::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (armed_ && (event->buttons() & Qt::LeftButton) && !dragging_ &&
        (point - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
        dragging_ = true;
        setCursor(Qt::DragMoveCursor);
    }
    if (!dragging_) QTabBar::mouseMoveEvent(event);
}

void TvlDesignerTabBar::mouseReleaseEvent(QMouseEvent* event) {
    const bool dropped = dragging_ && event->button() == Qt::LeftButton;
    armed_ = false;
    dragging_ = false;
    unsetCursor();
    QTabBar::mouseReleaseEvent(event);
    if (!dropped) return;
    const int target = tabAt(event->position().toPoint());
    const int current = currentIndex();
    if (target >= 0 && current >= 0 && target != current) emit pageDropped(current, target);
}

} // namespace vl
