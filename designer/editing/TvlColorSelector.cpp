#include "designer/editing/TvlColorSelector.h"

#include "engine/script/CodePage.h"
#include "engine/script/TvlLocale.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vl {

namespace {

constexpr int kSwatch = 14;
constexpr int kTransparentText = 55850;
constexpr int kOtherText = 55851;

QIcon swatchIcon(TvlColor color) {
    QPixmap pixmap(kSwatch, kSwatch);
    pixmap.fill(ToQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(0, 0, kSwatch - 1, kSwatch - 1);
    return QIcon(pixmap);
}

TvlColor rgb(int r, int g, int b) {
    return static_cast<TvlColor>(r | (g << 8) | (b << 16));
}

} // namespace

const std::vector<TvlColor>& TvlColorSelector::paletteColors() {
    static const std::vector<TvlColor> colors = {
        rgb(0, 0, 0),       rgb(128, 0, 0),     rgb(0, 128, 0),     rgb(128, 128, 0),
        rgb(0, 0, 128),     rgb(128, 0, 128),   rgb(0, 128, 128),   rgb(128, 128, 128),
        rgb(192, 192, 192), rgb(255, 0, 0),     rgb(0, 255, 0),     rgb(255, 255, 0),
        rgb(0, 0, 255),     rgb(255, 0, 255),   rgb(0, 255, 255),   rgb(255, 255, 255),
        rgb(64, 64, 64),    rgb(255, 128, 128), rgb(128, 255, 128), rgb(255, 255, 128),
        rgb(128, 128, 255), rgb(255, 128, 255), rgb(128, 255, 255), rgb(224, 224, 224),
        rgb(255, 128, 0),   rgb(128, 64, 0),    rgb(0, 64, 128),    rgb(64, 0, 128),
        rgb(255, 224, 192), rgb(192, 224, 255), rgb(224, 255, 224), rgb(255, 240, 224),
    };
    return colors;
}

TvlColorSelector::TvlColorSelector(QWidget* window) : QFrame(window) {
    setObjectName(QStringLiteral("ColorSelector"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(2);
    auto* none = new QPushButton(ToQt(LoadResString(kTransparentText)), this);
    none->setObjectName(QStringLiteral("NoColor"));
    none->setFlat(true);
    connect(none, &QPushButton::clicked, this, [this] { pick(clNone); });
    layout->addWidget(none);
    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    const auto& colors = paletteColors();
    for (std::size_t i = 0; i < colors.size(); ++i)
        grid->addWidget(swatch(colors[i]), static_cast<int>(i) / kColumns,
                        static_cast<int>(i) % kColumns);
    layout->addLayout(grid);
    auto* other = new QPushButton(ToQt(LoadResString(kOtherText)), this);
    other->setObjectName(QStringLiteral("OtherColor"));
    other->setFlat(true);
    connect(other, &QPushButton::clicked, this, [this] { chooseOther(); });
    layout->addWidget(other);
    other_ = [window](TvlColor& color) {
        const QColor chosen =
            QColorDialog::getColor(color == clNone ? QColor(Qt::white) : ToQColor(color), window);
        if (!chosen.isValid()) return false;
        color = FromQColor(chosen);
        return true;
    };
    adjustSize();
    hide();
}

QAbstractButton* TvlColorSelector::swatch(TvlColor color) {
    auto* button = new QToolButton(this);
    button->setAutoRaise(true);
    button->setIcon(swatchIcon(color));
    button->setIconSize(QSize(kSwatch, kSwatch));
    button->setFocusPolicy(Qt::NoFocus);
    const QColor q = ToQColor(color);
    button->setToolTip(q.name(QColor::HexRgb).toUpper());
    connect(button, &QToolButton::clicked, this, [this, color] { pick(color); });
    return button;
}

void TvlColorSelector::setColor(TvlColor color) {
    color_ = color;
}

void TvlColorSelector::pick(TvlColor color) {
    color_ = color;
    hide();
    emit colorPicked(color);
}

void TvlColorSelector::chooseOther() {
    TvlColor color = color_;
    hide();
    if (other_ && other_(color)) pick(color);
}

} // namespace vl
