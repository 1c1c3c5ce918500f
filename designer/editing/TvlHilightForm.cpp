#include "designer/editing/TvlHilightForm.h"

#include "engine/script/CodePage.h"
#include "engine/script/TvlLocale.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vl {

namespace {

constexpr int kCaptionText = 55860;
constexpr int kFontText = 55861;
constexpr int kColorText = 55862;
constexpr int kBackgroundText = 55863;
constexpr int kConditionText = 55864;
constexpr int kTransparentText = 55850;
constexpr int kOtherText = 55352;
constexpr int kBoldText = 53115;
constexpr int kItalicText = 53116;
constexpr int kUnderlineText = 53117;

QString text(int id) {
    return ToQt(LoadResString(id));
}

QIcon colorIcon(TvlColor color) {
    QPixmap pixmap(16, 12);
    pixmap.fill(color == clNone ? QColor(Qt::white) : ToQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray);
    painter.drawRect(0, 0, 15, 11);
    return QIcon(pixmap);
}

QToolButton* colorButton(QWidget* parent, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text(kColorText));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

} // namespace

TvlHilightForm::TvlHilightForm(QWidget* parent)
    : QDialog(parent), fontColorButton_(colorButton(this, QStringLiteral("FontColorBtn"))),
      fillColorButton_(colorButton(this, QStringLiteral("FillColorBtn"))),
      bold_(new QCheckBox(text(kBoldText), this)), italic_(new QCheckBox(text(kItalicText), this)),
      underline_(new QCheckBox(text(kUnderlineText), this)),
      transparent_(new QRadioButton(text(kTransparentText), this)),
      other_(new QRadioButton(text(kOtherText), this)), condition_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("TvlHilightForm"));
    setWindowTitle(text(kCaptionText));
    condition_->setObjectName(QStringLiteral("ConditionEdit"));
    auto* font = new QGroupBox(text(kFontText), this);
    auto* fontLayout = new QVBoxLayout(font);
    for (QWidget* w : {static_cast<QWidget*>(fontColorButton_), static_cast<QWidget*>(bold_),
                       static_cast<QWidget*>(italic_), static_cast<QWidget*>(underline_)})
        fontLayout->addWidget(w);
    auto* background = new QGroupBox(text(kBackgroundText), this);
    auto* backgroundLayout = new QVBoxLayout(background);
    for (QWidget* w : {static_cast<QWidget*>(fillColorButton_), static_cast<QWidget*>(transparent_),
                       static_cast<QWidget*>(other_)})
        backgroundLayout->addWidget(w);
    auto* condition = new QGroupBox(text(kConditionText), this);
    auto* conditionLayout = new QVBoxLayout(condition);
    conditionLayout->addWidget(condition_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QGridLayout(this);
    layout->addWidget(font, 0, 0);
    layout->addWidget(background, 0, 1);
    layout->addWidget(condition, 1, 0, 1, 2);
    layout->addWidget(buttons, 2, 0, 1, 2);
    connect(fontColorButton_, &QToolButton::clicked, this, [this] { chooseFontColor(); });
    connect(fillColorButton_, &QToolButton::clicked, this, [this] { chooseFillColor(); });
    connect(transparent_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) fillColor_ = clNone;
        showColors();
    });
    choose_ = [this](TvlColor& color) {
        const QColor chosen = QColorDialog::getColor(ToQColor(color), this);
        if (!chosen.isValid()) return false;
        color = FromQColor(chosen);
        return true;
    };
}

QCheckBox* TvlHilightForm::styleBox(int bit) const {
    if (bit == 1) return italic_;
    return bit == 2 ? bold_ : underline_;
}

void TvlHilightForm::setHighlight(const TvlHighlight& highlight) {
    fontColor_ = highlight.fontColor;
    fillColor_ = highlight.fillColor;
    bold_->setChecked(highlight.style & 2);
    italic_->setChecked(highlight.style & 1);
    underline_->setChecked(highlight.style & 4);
    condition_->setText(ToQt(highlight.condition));
    (fillColor_ == clNone ? transparent_ : other_)->setChecked(true);
    showColors();
}

TvlHighlight TvlHilightForm::highlight() const {
    TvlHighlight result;
    result.condition = FromQt(condition_->text());
    result.fontColor = fontColor_;
    result.fillColor = transparent_->isChecked() ? clNone : fillColor_;
    result.style = (italic_->isChecked() ? 1 : 0) | (bold_->isChecked() ? 2 : 0) |
                   (underline_->isChecked() ? 4 : 0);
    return result;
}

void TvlHilightForm::chooseFontColor() {
    TvlColor color = fontColor_;
    if (choose_ && choose_(color)) fontColor_ = color;
    showColors();
}

void TvlHilightForm::chooseFillColor() {
    TvlColor color = fillColor_ == clNone ? clWhite : fillColor_;
    if (!choose_ || !choose_(color)) return;
    fillColor_ = color;
    other_->setChecked(true);
    showColors();
}

void TvlHilightForm::showColors() {
    fontColorButton_->setIcon(colorIcon(fontColor_));
    fillColorButton_->setIcon(colorIcon(fillColor_));
}

} // namespace vl
