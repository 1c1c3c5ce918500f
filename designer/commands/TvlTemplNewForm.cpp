#include "designer/commands/TvlTemplNewForm.h"

#include "designer/commands/DialogSupport.h"
#include "engine/script/CodePage.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vl {

namespace {
constexpr int kCaptionText = 53320;
constexpr int kCommentText = 53321;
constexpr int kIconText = 53322;
constexpr int kFileText = 53323;
constexpr int kBitmapFileText = 55217;
} // namespace

TvlTemplNewForm::TvlTemplNewForm(QWidget* parent)
    : QDialog(parent), comment_(new QPlainTextEdit(this)), picture_(new QLabel(this)),
      fileButton_(new QPushButton(ResText(kFileText), this)) {
    setObjectName(QStringLiteral("TvlTemplNewForm"));
    setWindowTitle(ResText(kCaptionText));
    comment_->setObjectName(QStringLiteral("Memo1"));
    picture_->setObjectName(QStringLiteral("Image1"));
    picture_->setFixedSize(64, 64);
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setFrameShape(QFrame::StyledPanel);
    fileButton_->setObjectName(QStringLiteral("FileBtn"));

    auto* commentLabel = new QLabel(ResText(kCommentText), this);
    commentLabel->setBuddy(comment_);
    auto* icon = new QGroupBox(ResText(kIconText), this);
    auto* iconLayout = new QVBoxLayout(icon);
    iconLayout->addWidget(picture_, 0, Qt::AlignHCenter);
    iconLayout->addWidget(fileButton_);
    iconLayout->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addWidget(commentLabel);
    left->addWidget(comment_, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(icon);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(OkCancelButtons(this));

    connect(fileButton_, &QPushButton::clicked, this, [this] { choosePicture(); });
    comment_->setFocus();
    resize(420, 240);
}

TvlTemplateHeader TvlTemplNewForm::header() const {
    TvlTemplateHeader result;
    const QString text = comment_->toPlainText();
    if (!text.isEmpty())
        for (const QString& line : text.split(QLatin1Char('\n')))
            result.Description.push_back(FromQt(line));
    result.Picture = bitmap_;
    return result;
}

bool TvlTemplNewForm::loadPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    QImage image;
    if (!bytes.startsWith("BM") || !image.loadFromData(bytes, "BMP")) return false;
    bitmap_.assign(bytes.begin(), bytes.end());
    picture_->setPixmap(QPixmap::fromImage(image).scaled(picture_->size(), Qt::KeepAspectRatio,
                                                         Qt::SmoothTransformation));
    return true;
}

void TvlTemplNewForm::choosePicture() {
    const QString filter = ResText(kBitmapFileText) + QStringLiteral(" (*.bmp)");
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(), filter);
    if (!path.isEmpty()) loadPicture(path);
}

} // namespace vl
