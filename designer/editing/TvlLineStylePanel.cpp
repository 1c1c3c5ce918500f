#include "designer/editing/TvlLineStylePanel.h"

#include "designer/editing/FormatIcons.h"
#include "designer/editing/Formatting.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace vl {

namespace {

constexpr int kStyles = 6;
constexpr int kPictureWidth = 48;

} // namespace

TvlLineStylePanel::TvlLineStylePanel(QWidget* window) : QFrame(window) {
    setObjectName(QStringLiteral("LineStylePanel"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    static const char* const names[kStyles] = {"psSolid",   "psDash",       "psDot",
                                               "psDashDot", "psDashDotDot", "psDouble"};
    for (int style = 0; style < kStyles; ++style) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("LineStyle%1").arg(style));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setIcon(LineStyleIcon(style, kPictureWidth));
        button->setIconSize(QSize(kPictureWidth, 16));
        button->setToolTip(QString::fromLatin1(names[style]));
        connect(button, &QToolButton::clicked, this, [this, style] {
            hide();
            emit styleClicked(ftLineStyle + style);
        });
        layout->addWidget(button);
    }
    adjustSize();
    hide();
}

QToolButton* TvlLineStylePanel::button(int style) const {
    return findChild<QToolButton*>(QStringLiteral("LineStyle%1").arg(style));
}

} // namespace vl
