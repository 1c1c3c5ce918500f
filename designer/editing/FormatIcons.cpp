#include "designer/editing/FormatIcons.h"

#include <QApplication>
#include <QLine>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QRect>
#include <algorithm>
#include <functional>
#include <map>
#include <vector>

namespace vl {

namespace {

constexpr int kSize = 16;
using Drawing = std::function<void(QPainter&)>;

QIcon drawn(const Drawing& draw, int width = kSize) {
    QPixmap pixmap(width, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    draw(painter);
    return QIcon(pixmap);
}

// A dotted square with the framed sides drawn solid.
Drawing frame(bool top, bool left, bool bottom, bool right) {
    return [=](QPainter& p) {
        p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
        p.drawRect(2, 2, 11, 11);
        p.setPen(QPen(Qt::black, 2));
        if (top) p.drawLine(2, 2, 13, 2);
        if (left) p.drawLine(2, 2, 2, 13);
        if (bottom) p.drawLine(2, 13, 13, 13);
        if (right) p.drawLine(13, 2, 13, 13);
    };
}

Drawing letter(const QString& text, bool bold, bool italic, bool underline) {
    return [=](QPainter& p) {
        QFont font(QStringLiteral("Serif"));
        font.setPixelSize(13);
        font.setBold(bold);
        font.setItalic(italic);
        font.setUnderline(underline);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
    };
}

// Text lines aligned left (0), right (1), centred (2) or justified (3).
Drawing textLines(int alignment) {
    return [=](QPainter& p) {
        p.setPen(Qt::black);
        for (int i = 0; i < 5; ++i) {
            const int length = (alignment == 3 || i % 2 == 0) ? 12 : 7;
            int left = 2;
            if (alignment == 1) left = 14 - length;
            if (alignment == 2) left = 2 + (12 - length) / 2;
            p.drawLine(left, 3 + i * 2 + i / 2, left + length - 1, 3 + i * 2 + i / 2);
        }
    };
}

// A block at the top (0), middle (1) or bottom (2) of a frame.
Drawing verticalPosition(int position) {
    return [=](QPainter& p) {
        p.setPen(Qt::gray);
        p.drawRect(1, 1, 13, 13);
        const int top = position == 0 ? 3 : position == 1 ? 6 : 9;
        p.fillRect(4, top, 8, 4, Qt::black);
    };
}

Drawing rotatedText() {
    return [](QPainter& p) {
        QFont font(QStringLiteral("Sans"));
        font.setPixelSize(10);
        p.setFont(font);
        p.setPen(Qt::black);
        p.translate(12, 15);
        p.rotate(-90);
        p.drawText(QRect(0, -10, 16, 12), Qt::AlignCenter, QStringLiteral("ab"));
    };
}

Drawing highlight() {
    return [](QPainter& p) {
        p.fillRect(1, 3, 14, 10, QColor(0xFF, 0xE0, 0x40));
        letter(QStringLiteral("H"), true, false, false)(p);
    };
}

Drawing lineStyles() {
    return [](QPainter& p) {
        const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine};
        for (int i = 0; i < 3; ++i) {
            p.setPen(QPen(Qt::black, 1, styles[i]));
            p.drawLine(1, 4 + i * 4, 14, 4 + i * 4);
        }
    };
}

// Blocks lined up along an edge or a centre line, centred in a frame, or
// spread evenly, with the guide in red.
struct AlignmentPicture {
    std::vector<QLine> guides;
    std::vector<QRect> blocks;
};

AlignmentPicture alignmentPicture(int command) {
    switch (command) {
    case 1:
        return {{QLine(1, 0, 1, 15)}, {QRect(2, 3, 10, 4), QRect(2, 9, 6, 4)}};
    case 2:
        return {{QLine(7, 0, 7, 15)}, {QRect(2, 3, 11, 4), QRect(4, 9, 7, 4)}};
    case 3:
        return {{QLine(0, 0, 0, 15), QLine(15, 0, 15, 15)}, {QRect(5, 4, 6, 8)}};
    case 4:
        return {{}, {QRect(1, 4, 3, 8), QRect(6, 4, 3, 8), QRect(11, 4, 3, 8)}};
    case 5:
        return {{QLine(14, 0, 14, 15)}, {QRect(4, 3, 10, 4), QRect(8, 9, 6, 4)}};
    case 6:
        return {{QLine(0, 1, 15, 1)}, {QRect(3, 2, 4, 10), QRect(9, 2, 4, 6)}};
    case 7:
        return {{QLine(0, 7, 15, 7)}, {QRect(3, 2, 4, 11), QRect(9, 4, 4, 7)}};
    case 8:
        return {{QLine(0, 0, 15, 0), QLine(0, 15, 15, 15)}, {QRect(4, 5, 8, 6)}};
    case 9:
        return {{}, {QRect(4, 1, 8, 3), QRect(4, 6, 8, 3), QRect(4, 11, 8, 3)}};
    case 10:
        return {{QLine(0, 14, 15, 14)}, {QRect(3, 4, 4, 10), QRect(9, 8, 4, 6)}};
    default:
        return {};
    }
}

Drawing alignment(int command) {
    return [command](QPainter& p) {
        const AlignmentPicture picture = alignmentPicture(command);
        for (const QRect& block : picture.blocks)
            p.fillRect(block, QColor(0x40, 0x60, 0xA0));
        p.setPen(Qt::red);
        for (const QLine& guide : picture.guides)
            p.drawLine(guide);
    };
}

const std::map<QString, Drawing>& drawings() {
    static const std::map<QString, Drawing> table = [] {
        std::map<QString, Drawing> t;
        t[QStringLiteral("FrB1")] = frame(true, false, false, false);
        t[QStringLiteral("FrB2")] = frame(false, true, false, false);
        t[QStringLiteral("FrB3")] = frame(false, false, true, false);
        t[QStringLiteral("FrB4")] = frame(false, false, false, true);
        t[QStringLiteral("FrB5")] = frame(true, true, true, true);
        t[QStringLiteral("FrB6")] = frame(false, false, false, false);
        t[QStringLiteral("FnB1")] = letter(QStringLiteral("B"), true, false, false);
        t[QStringLiteral("FnB2")] = letter(QStringLiteral("I"), false, true, false);
        t[QStringLiteral("FnB3")] = letter(QStringLiteral("U"), false, false, true);
        t[QStringLiteral("AlB1")] = textLines(0);
        t[QStringLiteral("AlB2")] = textLines(1);
        t[QStringLiteral("AlB3")] = textLines(2);
        t[QStringLiteral("AlB8")] = textLines(3);
        t[QStringLiteral("AlB4")] = rotatedText();
        t[QStringLiteral("AlB6")] = verticalPosition(0);
        t[QStringLiteral("AlB5")] = verticalPosition(1);
        t[QStringLiteral("AlB7")] = verticalPosition(2);
        t[QStringLiteral("HlB1")] = highlight();
        t[QStringLiteral("StB1")] = lineStyles();
        for (int i = 1; i <= 10; ++i)
            t[QStringLiteral("Align%1").arg(i)] = alignment(i);
        return t;
    }();
    return table;
}

Drawing colorGlyph(const QString& control) {
    if (control == QLatin1String("ClB2")) return letter(QStringLiteral("A"), true, false, false);
    if (control == QLatin1String("ClB1"))
        return [](QPainter& p) {
            p.setBrush(QColor(0xC0, 0xC0, 0xC0));
            p.drawRect(3, 1, 9, 9);
        };
    return frame(true, true, true, true);
}

} // namespace

QIcon FormatIcon(const QString& control) {
    const auto found = drawings().find(control);
    return found == drawings().end() ? QIcon() : drawn(found->second);
}

QIcon ColorButtonIcon(const QString& control, TvlColor color) {
    const Drawing glyph = colorGlyph(control);
    const QColor bar =
        color == clNone ? QApplication::palette().color(QPalette::Button) : ToQColor(color);
    return drawn([&](QPainter& p) {
        p.save();
        p.setClipRect(0, 0, kSize, 12);
        glyph(p);
        p.restore();
        p.fillRect(0, 12, kSize, 4, bar);
    });
}

QIcon LineStyleIcon(int style, int width) {
    static const Qt::PenStyle pens[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                        Qt::DashDotLine, Qt::DashDotDotLine, Qt::SolidLine};
    return drawn(
        [=](QPainter& p) {
            p.setPen(QPen(Qt::black, 1, pens[std::clamp(style, 0, 5)]));
            if (style == 5) {
                p.drawLine(2, 6, width - 3, 6);
                p.drawLine(2, 9, width - 3, 9);
            } else {
                p.drawLine(2, 8, width - 3, 8);
            }
        },
        width);
}

} // namespace vl
