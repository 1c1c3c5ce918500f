#include "designer/inspector/TvlObjectBox.h"

#include <QStylePainter>

namespace vl {

TvlObjectBox::TvlObjectBox(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("ObjectBox"));
    setAccessibleName(tr("Inspected object"));
    setToolTip(tr("The object whose properties are shown"));
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(8);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (chosen_ && index >= 0) chosen_(itemText(index));
    });
}

void TvlObjectBox::setRefillHandler(std::function<QStringList()> handler) {
    refill_ = std::move(handler);
}

void TvlObjectBox::setChosenHandler(std::function<void(const QString&)> handler) {
    chosen_ = std::move(handler);
}

void TvlObjectBox::fill(const QStringList& names, const QString& chosen) {
    QStringList sorted = names;
    sorted.sort(Qt::CaseInsensitive);
    const QSignalBlocker blocker(this);
    clear();
    addItems(sorted);
    selectName(chosen);
}

void TvlObjectBox::selectName(const QString& name) {
    const QSignalBlocker blocker(this);
    setCurrentIndex(name.isEmpty() ? -1 : findText(name, Qt::MatchFixedString));
    update();
}

void TvlObjectBox::setClassName(const QString& className) {
    className_ = className;
    update();
}

QString TvlObjectBox::displayText() const {
    if (currentIndex() < 0) return {};
    if (className_.isEmpty()) return currentText();
    return currentText() + QStringLiteral(": ") + className_;
}

void TvlObjectBox::showPopup() {
    if (refill_) fill(refill_(), currentText());
    QComboBox::showPopup();
}

void TvlObjectBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = displayText();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

} // namespace vl
