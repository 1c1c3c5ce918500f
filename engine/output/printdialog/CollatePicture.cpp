#include "engine/output/printdialog/CollatePicture.h"

#include <QPainter>
#include <QPalette>

namespace vl {

namespace {

constexpr qreal kSheetWidth = 20;
constexpr qreal kSheetHeight = 26;
constexpr qreal kFold = 5;
constexpr qreal kStep = 10; // the uncovered strip of a sheet under another
constexpr qreal kDrop = 4;

} // namespace

CollatePicture::CollatePicture(QWidget* parent) : QWidget(parent) {
    setMinimumSize(sizeHint());
    setAccessibleName(tr("Collation"));
}

void CollatePicture::setCollated(bool collated) {
    if (collated_ == collated) return;
    collated_ = collated;
    update();
}

void CollatePicture::drawSheet(QPainter& painter, QPointF at, int number) const {
    const QPalette& pal = palette();
    QPolygonF outline;
    outline << at << at + QPointF(kSheetWidth - kFold, 0) << at + QPointF(kSheetWidth, kFold)
            << at + QPointF(kSheetWidth, kSheetHeight) << at + QPointF(0, kSheetHeight);
    painter.setPen(QPen(pal.color(QPalette::WindowText), 1));
    painter.setBrush(pal.color(QPalette::Base));
    painter.drawPolygon(outline);
    painter.drawPolyline(QPolygonF{at + QPointF(kSheetWidth - kFold, 0),
                                   at + QPointF(kSheetWidth - kFold, kFold),
                                   at + QPointF(kSheetWidth, kFold)});
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(pal.color(QPalette::Text));
    // The number sits in the strip that the next sheet leaves uncovered.
    painter.drawText(QRectF(at + QPointF(1, kFold), QSizeF(kStep - 1, kSheetHeight - 2 * kFold)),
                     Qt::AlignCenter, QString::number(number));
}

void CollatePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(0.5, 0.5);
    // Two stacks of pages 1, 2, 3 for collated copies; otherwise three
    // stacks of two sheets of the same page. Later sheets lie on earlier
    // ones, shifted right and down.
    const int stacks = collated_ ? 2 : 3;
    const int depth = collated_ ? 3 : 2;
    const qreal gap = collated_ ? 10 : 4;
    const qreal stackWidth = kSheetWidth + (depth - 1) * kStep;
    const qreal total = stacks * stackWidth + (stacks - 1) * gap;
    const qreal left = (width() - 1 - total) / 2;
    const qreal top = (height() - 1 - (kSheetHeight + (depth - 1) * kDrop)) / 2;
    for (int s = 0; s < stacks; ++s) {
        const QPointF origin(left + s * (stackWidth + gap), top);
        for (int d = 0; d < depth; ++d)
            drawSheet(painter, origin + QPointF(d * kStep, d * kDrop), collated_ ? d + 1 : s + 1);
    }
}

} // namespace vl
