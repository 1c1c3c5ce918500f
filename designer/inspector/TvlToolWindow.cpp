#include "designer/inspector/TvlToolWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLayout>
#include <QSettings>

namespace vl {

namespace {

// Below this client height the window shows only its caption.
constexpr int kCaptionOnlyHeight = 20;

} // namespace

TvlToolWindow::TvlToolWindow(const QString& className, QWidget* parent)
    : QWidget(parent, Qt::Tool), className_(className) {
    setObjectName(className);
}

void TvlToolWindow::setHeightChangedHandler(std::function<void()> handler) {
    heightChanged_ = std::move(handler);
}

void TvlToolWindow::setGeometryChangedHandler(std::function<void()> handler) {
    geometryChanged_ = std::move(handler);
}

void TvlToolWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (geometryChanged_) geometryChanged_();
}

void TvlToolWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (geometryChanged_) geometryChanged_();
}

void TvlToolWindow::ToggleRollUp() {
    rollTo(!isRolledUp());
}

void TvlToolWindow::RollDown() {
    if (isRolledUp()) rollTo(false);
}

void TvlToolWindow::rollTo(bool rolledUp) {
    showContents(!rolledUp);
    if (rolledUp) {
        setMinimumHeight(0);
        resize(width(), 0);
    } else {
        resize(width(), defaultHeight_);
    }
    if (heightChanged_) heightChanged_();
}

void TvlToolWindow::rememberDefaultHeight(int fallback) {
    defaultHeight_ = height() < kRolledUpHeight ? fallback : height();
}

void TvlToolWindow::restoreWindowGeometry(QSettings& settings) {
    const QByteArray geometry = settings.value(QStringLiteral("Geometry")).toByteArray();
    if (!geometry.isEmpty()) restoreGeometry(geometry);
}

void TvlToolWindow::saveWindowGeometry(QSettings& settings) const {
    settings.setValue(QStringLiteral("Geometry"), saveGeometry());
}

bool TvlToolWindow::event(QEvent* event) {
    // Platforms that report clicks on the window frame deliver the caption's
    // double click here.
    if (event->type() == QEvent::NonClientAreaMouseButtonDblClick) {
        ToggleRollUp();
        return true;
    }
    return QWidget::event(event);
}

void TvlToolWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (height() < kCaptionOnlyHeight) showContents(false);
}

} // namespace vl
