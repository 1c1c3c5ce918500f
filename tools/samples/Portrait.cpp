#include "tools/samples/Portrait.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace samples {

namespace {

template <std::size_t N> QColor pick(std::mt19937& random, const std::array<QRgb, N>& colours) {
    return QColor(colours[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)]);
}

constexpr std::array<QRgb, 6> kSkin = {0xF1C27D, 0xE0AC69, 0xC68642, 0x8D5524, 0xFFDBAC, 0xD1A074};
constexpr std::array<QRgb, 6> kHair = {0x2C1B10, 0x5A3825, 0xB55239, 0xE6BE8A, 0x1C1C1C, 0x9E9E9E};
constexpr std::array<QRgb, 6> kCloth = {0x2E4A7D, 0x7D2E2E, 0x2E7D4F, 0x555555, 0x6A4C93, 0xC08A2E};
constexpr std::array<QRgb, 5> kBack = {0xDDE6F0, 0xE8E0D0, 0xD8EAD8, 0xEADADA, 0xE0E0E0};

} // namespace

QImage DrawPortrait(std::mt19937& random, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor back = pick(random, kBack);
    QLinearGradient gradient(0, 0, 0, height);
    gradient.setColorAt(0, back.lighter(110));
    gradient.setColorAt(1, back.darker(115));
    p.fillRect(image.rect(), gradient);

    const double cx = width / 2.0;
    const double headW = width * 0.42, headH = height * 0.40;
    const double headTop = height * 0.18;
    const QColor skin = pick(random, kSkin), hair = pick(random, kHair);
    const bool longHair = random() % 2;

    p.setPen(Qt::NoPen);
    // shoulders
    p.setBrush(pick(random, kCloth));
    p.drawEllipse(QRectF(cx - width * 0.48, height * 0.70, width * 0.96, height * 0.6));
    // neck
    p.setBrush(skin.darker(108));
    p.drawRect(QRectF(cx - headW * 0.2, headTop + headH * 0.8, headW * 0.4, height * 0.14));
    // hair behind the head
    p.setBrush(hair);
    if (longHair)
        p.drawRoundedRect(
            QRectF(cx - headW * 0.62, headTop - headH * 0.08, headW * 1.24, headH * 1.15), 20, 20);
    // head
    p.setBrush(skin);
    p.drawEllipse(QRectF(cx - headW / 2, headTop, headW, headH));
    // hair on top
    p.setBrush(hair);
    QPainterPath top;
    top.moveTo(cx - headW * 0.52, headTop + headH * 0.42);
    top.cubicTo(cx - headW * 0.6, headTop - headH * 0.2, cx + headW * 0.6, headTop - headH * 0.2,
                cx + headW * 0.52, headTop + headH * 0.42);
    top.cubicTo(cx + headW * 0.3, headTop + headH * 0.12, cx - headW * 0.2, headTop + headH * 0.2,
                cx - headW * 0.52, headTop + headH * 0.42);
    p.drawPath(top);
    // eyes and mouth
    p.setBrush(QColor(40, 40, 50));
    const double eyeY = headTop + headH * 0.5;
    p.drawEllipse(QPointF(cx - headW * 0.18, eyeY), 2.6, 2.2);
    p.drawEllipse(QPointF(cx + headW * 0.18, eyeY), 2.6, 2.2);
    p.setPen(QPen(skin.darker(150), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(cx - headW * 0.16, headTop + headH * 0.62, headW * 0.32, headH * 0.16),
              200 * 16, 140 * 16);
    return image;
}

} // namespace samples
