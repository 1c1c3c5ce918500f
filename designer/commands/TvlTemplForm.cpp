#include "designer/commands/TvlTemplForm.h"

#include "designer/commands/DialogSupport.h"
#include "engine/build/TemplateFile.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vl {

namespace {
constexpr int kCaptionText = 53318;
constexpr int kDescriptionText = 53319;
} // namespace

TvlTemplForm::TvlTemplForm(const QString& folder, QWidget* parent)
    : QDialog(parent), folder_(folder), list_(new QListWidget(this)),
      description_(new QPlainTextEdit(this)), picture_(new QLabel(this)) {
    setObjectName(QStringLiteral("TvlTemplForm"));
    setWindowTitle(ResText(kCaptionText));
    list_->setObjectName(QStringLiteral("LB1"));
    list_->setAccessibleName(ResText(kCaptionText));
    description_->setObjectName(QStringLiteral("Memo1"));
    description_->setReadOnly(true);
    picture_->setObjectName(QStringLiteral("Image1"));
    picture_->setFixedSize(64, 64);
    picture_->setAlignment(Qt::AlignCenter);

    auto* group = new QGroupBox(ResText(kDescriptionText), this);
    auto* groupLayout = new QHBoxLayout(group);
    groupLayout->addWidget(picture_, 0, Qt::AlignTop);
    groupLayout->addWidget(description_, 1);

    auto* buttons = OkCancelButtons(this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setEnabled(false);

    auto* top = new QHBoxLayout;
    top->addWidget(list_, 1);
    top->addWidget(group, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);

    connect(list_, &QListWidget::currentRowChanged, this, [this] { showSelected(); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
        if (ok_->isEnabled()) accept();
    });
    fill();
    resize(480, 300);
}

void TvlTemplForm::fill() {
    auto* blank = new QListWidgetItem(tr("Blank report"), list_);
    blank->setData(Qt::UserRole, true);
    const QDir dir(folder_);
    const QStringList files = dir.entryList({QStringLiteral("*.vlt")},
                                            QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& file : files)
        list_->addItem(QFileInfo(file).completeBaseName());
    list_->setCurrentRow(0);
}

bool TvlTemplForm::blankChosen() const {
    const QListWidgetItem* item = list_->currentItem();
    return item && item->data(Qt::UserRole).toBool();
}

void TvlTemplForm::showSelected() {
    description_->clear();
    picture_->clear();
    const bool selected = list_->currentItem() != nullptr;
    ok_->setEnabled(selected);
    if (!selected) return;
    if (blankChosen()) {
        description_->setPlainText(tr("An empty report page, without bands."));
        return;
    }
    try {
        const TvlTemplateHeader header = ReadTemplateHeader(chosenFile());
        QStringList lines;
        for (const std::string& line : header.Description)
            lines << ToQt(line);
        description_->setPlainText(lines.join(QLatin1Char('\n')));
        const QImage image = header.image();
        if (!image.isNull())
            picture_->setPixmap(QPixmap::fromImage(image).scaled(
                picture_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    } catch (const VlError&) {
        // A damaged file shows nothing; creating a report from it reports
        // the error.
    }
}

QString TvlTemplForm::chosenFile() const {
    const QListWidgetItem* item = list_->currentItem();
    if (!item || blankChosen()) return {};
    return folder_ + item->text() + QStringLiteral(".vlt");
}

} // namespace vl
