#include "designer/window/DialogPageWindow.h"

#include "engine/build/TvlPage.h"
#include "engine/model/TvlColor.h"
#include "engine/script/CodePage.h"

#include <QCloseEvent>
#include <algorithm>

namespace vl {

TvlDialogPageWindow::TvlDialogPageWindow(TvlPage& page, QWidget* designer)
    : QWidget(designer, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), page_(page) {
    setObjectName(QStringLiteral("DialogPageWindow"));
    setWindowIcon(designer->windowIcon());
    setWindowTitle(ToQt(page.Dialog.Caption));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ToQColor(static_cast<TvlColor>(page.Dialog.Color)));
    setPalette(colours);
    setAutoFillBackground(true);
    const TvlDialogForm& form = page.Dialog;
    setGeometry(form.Left, form.Top, std::max(form.Width, 40), std::max(form.Height, 30));
    placing_ = false;
}

void TvlDialogPageWindow::placeSurface(QWidget* surface) {
    surface_ = surface;
    surface->setParent(this);
    surface->setGeometry(rect());
    surface->show();
}

bool TvlDialogPageWindow::MapKey(int& key, Qt::KeyboardModifiers& modifiers) {
    if (modifiers != Qt::ControlModifier) return false;
    switch (key) {
    case Qt::Key_C:
        key = Qt::Key_Insert;
        return true;
    case Qt::Key_X:
        key = Qt::Key_Delete;
        modifiers = Qt::ShiftModifier;
        return true;
    case Qt::Key_V:
        key = Qt::Key_Insert;
        modifiers = Qt::ShiftModifier;
        return true;
    default:
        return false;
    }
}

void TvlDialogPageWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void TvlDialogPageWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    storeGeometry();
}

void TvlDialogPageWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (surface_) surface_->setGeometry(rect());
    storeGeometry();
}

void TvlDialogPageWindow::storeGeometry() {
    if (placing_ || !isVisible()) return;
    const QRect frame = geometry();
    TvlDialogForm& form = page_.Dialog;
    if (form.Left == frame.left() && form.Top == frame.top() && form.Width == frame.width() &&
        form.Height == frame.height())
        return;
    form.Left = frame.left();
    form.Top = frame.top();
    form.Width = frame.width();
    form.Height = frame.height();
    if (onGeometryStored) onGeometryStored();
}

} // namespace vl
