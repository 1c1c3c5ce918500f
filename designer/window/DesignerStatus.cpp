#include "designer/window/DesignerStatus.h"

#include "designer/workspace/DesignerSettings.h"
#include "engine/model/TvlBandView.h"
#include "engine/script/CodePage.h"
#include "engine/script/TvlLocale.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace vl {

namespace {

constexpr int kUnitsPanelWidth = 75;

// Two decimals of a value cut to four significant digits.
QString FixedValue(double value) {
    if (value != 0) {
        const int digits = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
        const double scale = std::pow(10.0, 4 - digits);
        value = std::round(value * scale) / scale;
    }
    return QString::number(value, 'f', 2);
}

void DrawPositionIcon(QPainter& p, int x) {
    p.setPen(QColor(0x2f, 0x6f, 0xb3));
    p.drawLine(x + 1, 6, x + 11, 6);
    p.drawLine(x + 6, 1, x + 6, 11);
    p.drawEllipse(QPoint(x + 6, 6), 3, 3);
}

void DrawSizeIcon(QPainter& p, int x) {
    p.setPen(QColor(0x2f, 0x6f, 0xb3));
    p.drawRect(x + 1, 2, 10, 8);
    p.drawLine(x + 7, 6, x + 11, 10);
}

} // namespace

QString PositionPair(int a, int b, int units) {
    if (units == duPixels) return QStringLiteral("%1;%2").arg(a).arg(b);
    return FixedValue(PixelsToUnits(a, units)) + QStringLiteral("; ") +
           FixedValue(PixelsToUnits(b, units));
}

QString UnitName(int units) {
    static constexpr int kIds[] = {55330, 55331, 55332};
    return ToQt(LoadResString(kIds[units >= duPixels && units <= duInches ? units : 0]));
}

QString SelectionStatusText(TvlView* single) {
    if (!single) return {};
    std::string text = single->Name;
    if (single->Typ == otBand)
        text += ": " + TvlBandView::BandTitle(static_cast<TvlBandView*>(single)->bandType());
    else if (!single->Memo.empty())
        text += ": " + single->Memo.front();
    return ToQt(text);
}

TvlPositionBox::TvlPositionBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PositionBox"));
    setFixedSize(226, 15);
}

void TvlPositionBox::setInfo(const TvlPositionInfo& info) {
    info_ = info;
    update();
}

void TvlPositionBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    DrawPositionIcon(p, 2);
    if (info_.showSize) DrawSizeIcon(p, 92);
    p.setPen(palette().windowText().color());
    const int baseline = height() - 3;
    p.drawText(20, baseline, info_.position);
    p.drawText(110, baseline, info_.size);
    p.drawText(170, baseline, info_.scale);
}

TvlDesignerStatusBar::TvlDesignerStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar"));
    units_ = new QLabel(this);
    units_->setObjectName(QStringLiteral("UnitsPanel"));
    units_->setFixedWidth(kUnitsPanelWidth);
    units_->installEventFilter(this);
    box_ = new TvlPositionBox(nullptr);
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("SelectionPanel"));
    text_->setMinimumWidth(50);
    // the position box covers the second panel, 230 pixels wide
    auto* boxPanel = new QWidget(this);
    boxPanel->setFixedWidth(230);
    box_->setParent(boxPanel);
    box_->move(2, 3);
    addWidget(units_);
    addWidget(boxPanel);
    addWidget(text_, 1);
}

void TvlDesignerStatusBar::setUnits(int units) {
    units_->setText(UnitName(units));
}

void TvlDesignerStatusBar::setSelectionText(const QString& text) {
    text_->setText(text);
}

void TvlDesignerStatusBar::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->position().x() < kUnitsPanelWidth) emit unitsCycled();
    QStatusBar::mouseDoubleClickEvent(event);
}

bool TvlDesignerStatusBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == units_ && event->type() == QEvent::MouseButtonDblClick) {
        emit unitsCycled();
        return true;
    }
    return QStatusBar::eventFilter(watched, event);
}

} // namespace vl
