#include "designer/editing/TvlGEditorForm.h"

#include "engine/model/TvlGraphic.h"
#include "engine/model/TvlPictureView.h"
#include "engine/script/CodePage.h"
#include "engine/script/TvlLocale.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace vl {

namespace {

constexpr int kCaptionText = 53460;
constexpr int kLoadText = 53462;
constexpr int kClearText = 53463;
constexpr int kNoneText = 55076;
constexpr int kPictureFileText = 55216;
constexpr int kAllFilesText = 55221;
// "[None]" stands centred at this height of an empty area.
constexpr int kNoneTop = 100;

QString text(int id) {
    return ToQt(LoadResString(id));
}

// The dialog's filter: the picture formats, then every file.
QString fileFilter() {
    return text(kPictureFileText) + QStringLiteral(" (*.bmp *.jpg *.ico *.wmf *.emf);;") +
           text(kAllFilesText) + QStringLiteral(" (*)");
}

} // namespace

// Shows the picture stretched into the area when it is larger, else
// centred at its own size.
class TvlGEditorForm::PictureArea : public QFrame {
public:
    PictureArea(const TvlPicture& picture, QWidget* parent) : QFrame(parent), picture_(picture) {
        setObjectName(QStringLiteral("Image1"));
        setFrameShape(QFrame::StyledPanel);
        setMinimumSize(320, 240);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        const QRect area = contentsRect();
        painter.fillRect(area, Qt::white);
        if (picture_.empty()) {
            painter.drawText(QRect(area.left(), kNoneTop, area.width(), fontMetrics().height()),
                             Qt::AlignHCenter, text(kNoneText));
            return;
        }
        const QSize size = picture_.graphic()->size();
        QRectF target(area);
        if (size.width() <= area.width() && size.height() <= area.height())
            target = QRectF(area.left() + (area.width() - size.width()) / 2,
                            area.top() + (area.height() - size.height()) / 2, size.width(),
                            size.height());
        picture_.graphic()->draw(painter, target, false);
    }

private:
    const TvlPicture& picture_;
};

TvlGEditorForm::TvlGEditorForm(QWidget* parent)
    : QDialog(parent), area_(new PictureArea(copy_, this)) {
    setObjectName(QStringLiteral("TvlGEditorForm"));
    setWindowTitle(text(kCaptionText));
    auto* load = new QPushButton(text(kLoadText), this);
    load->setObjectName(QStringLiteral("B1"));
    auto* clearButton = new QPushButton(text(kClearText), this);
    clearButton->setObjectName(QStringLiteral("B2"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(load, &QPushButton::clicked, this, [this] {
        const QString path = chooseFile_ ? chooseFile_() : QString();
        if (!path.isEmpty()) loadFile(path);
    });
    connect(clearButton, &QPushButton::clicked, this, [this] { clear(); });
    auto* row = new QHBoxLayout;
    row->addWidget(load);
    row->addWidget(clearButton);
    row->addStretch(1);
    row->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(area_, 1);
    layout->addLayout(row);
    chooseFile_ = [this] {
        return QFileDialog::getOpenFileName(this, text(kCaptionText), {}, fileFilter());
    };
    error_ = [this](const QString& message) {
        QMessageBox::critical(this, text(kCaptionText), message);
    };
}

TvlGEditorForm::~TvlGEditorForm() = default;

int TvlGEditorForm::ShowEditor(TvlPictureView& view, const std::function<void()>& beforeChange) {
    copy_.assign(view.Picture);
    area_->update();
    if (exec() != QDialog::Accepted) return 2;
    if (beforeChange) beforeChange();
    view.Picture.assign(copy_);
    return 1;
}

bool TvlGEditorForm::loadFile(const QString& path) {
    try {
        copy_.loadFromFile(path);
    } catch (const std::exception& failure) {
        if (error_) error_(ToQt(failure.what()));
        return false;
    }
    area_->update();
    return true;
}

void TvlGEditorForm::paste() {
    const QImage image = QApplication::clipboard()->image();
    if (image.isNull()) return;
    auto bitmap = std::make_unique<TvlBitmapGraphic>();
    bitmap->setImage(image);
    copy_.setGraphic(std::move(bitmap));
    area_->update();
}

void TvlGEditorForm::clear() {
    copy_.clear();
    area_->update();
}

void TvlGEditorForm::keyPressEvent(QKeyEvent* event) {
    const bool shiftInsert =
        event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier;
    if (shiftInsert || event->matches(QKeySequence::Paste)) {
        paste();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace vl
