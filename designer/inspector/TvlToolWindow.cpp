#include "designer/inspector/TvlToolWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLayout>
#include <QSettings>
#include <QToolButton>

namespace vl {

namespace {

// Below this client height the window shows only its caption.
constexpr int kCaptionOnlyHeight = 20;
// A rolled-up window keeps the room of its roll button.
constexpr int kRollButtonSize = 16;

} // namespace

TvlToolWindow::TvlToolWindow(const QString& className, QWidget* parent)
    // a close button only: the caption of a narrow window keeps room for
    // its title, and the roll button takes the place of minimizing
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      className_(className), rollButton_(new QToolButton(this)) {
    setObjectName(className);
    rollButton_->setObjectName(QStringLiteral("RollButton"));
    rollButton_->setAutoRaise(true);
    rollButton_->setArrowType(Qt::UpArrow);
    rollButton_->setFixedSize(kRollButtonSize, kRollButtonSize);
    rollButton_->setToolTip(tr("Roll up to the caption, or down again"));
    rollButton_->setAccessibleName(tr("Roll up"));
    rollButton_->setFocusPolicy(Qt::NoFocus);
    connect(rollButton_, &QToolButton::clicked, this, [this] { ToggleRollUp(); });
    // a strip above the window's own contents holds the button
    setContentsMargins(0, kRollButtonSize + 2, 0, 0);
}

void TvlToolWindow::placeRollButton() {
    rollButton_->move(width() - kRollButtonSize - 1, 1);
    rollButton_->raise();
    rollButton_->setArrowType(isRolledUp() ? Qt::DownArrow : Qt::UpArrow);
}

void TvlToolWindow::setHeightChangedHandler(std::function<void()> handler) {
    heightChanged_ = std::move(handler);
}

void TvlToolWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeRollButton();
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
        resize(width(), kRollButtonSize + 2);
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
    storedGeometry_ = !geometry.isEmpty();
    if (storedGeometry_) restoreGeometry(geometry);
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
