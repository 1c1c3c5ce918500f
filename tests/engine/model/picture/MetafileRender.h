#pragma once

#include "engine/model/picture/Metafile.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <vector>

namespace vltest {

// Plays a metafile into a white image filling it entirely.
inline QImage render(const std::vector<std::uint8_t>& bytes, QSize size = QSize(200, 200)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    const auto metafile = vl::Metafile::fromBytes(bytes);
    EXPECT_TRUE(metafile.has_value());
    if (metafile) {
        QPainter painter(&image);
        metafile->draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return image;
}

inline QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

inline QRgb rgb(QRgb c) {
    return c & 0xFFFFFF;
}

// Pixels in rect that differ from white.
inline int inked(const QImage& image, const QRect& rect) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (at(image, x, y) != 0xFFFFFF) ++count;
    return count;
}

} // namespace vltest
