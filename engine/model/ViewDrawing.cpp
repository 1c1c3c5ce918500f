#include "engine/model/ViewDrawing.h"

#include "engine/model/TvlFont.h"
#include "engine/script/CodePage.h"

#include <QFontMetrics>
#include <QPainter>

namespace vl {

QFont ViewFont(const char* family, int points) {
    TvlFont font;
    font.name = family;
    font.size = points;
    return font.toQFont(font.pixelHeight96());
}

QBrush BandBackgroundBrush() {
    static const QImage pattern = [] {
        QImage image(8, 8, QImage::Format_RGB32);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                image.setPixel(x, y, (x + y) % 2 == 0 ? qRgb(255, 255, 255) : qRgb(192, 192, 192));
        return image;
    }();
    return QBrush(pattern);
}

const QImage& PicturePlaceholder() {
    static const QImage image = [] {
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.fillRect(1, 2, 14, 12, QColor(255, 255, 255));
        p.fillRect(2, 3, 12, 6, QColor(128, 192, 255));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 128, 0));
        const QPoint hill[] = {{2, 13}, {6, 7}, {9, 10}, {11, 8}, {14, 13}};
        p.drawPolygon(hill, 5);
        p.setBrush(QColor(255, 220, 0));
        p.drawEllipse(QPoint(11, 5), 1, 1);
        p.setPen(QColor(0, 0, 0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(1, 2, 13, 11);
        return img;
    }();
    return image;
}

void DrawTextAt(QPainter& painter, int x, int y, const std::string& text, const TvlRect* clip) {
    painter.save();
    if (clip) painter.setClipRect(QRect(clip->Left, clip->Top, clip->width(), clip->height()));
    const QFontMetrics fm(painter.font());
    painter.drawText(QPoint(x, y + fm.ascent()), ToQt(text));
    painter.restore();
}

void DrawRotatedTextAt(QPainter& painter, int x, int y, const std::string& text) {
    painter.save();
    painter.translate(x, y);
    painter.rotate(-90);
    const QFontMetrics fm(painter.font());
    painter.drawText(QPoint(0, fm.ascent()), ToQt(text));
    painter.restore();
}

} // namespace vl
