#include "engine/output/preview/TvlProgressForm.h"

#include "engine/build/TvlEngine.h"
#include "engine/output/preview/PreviewTexts.h"
#include "engine/script/CodePage.h"
#include "engine/script/ScopedValue.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vl {

namespace {

constexpr QSize kDesignSize(278, 106);

} // namespace

TvlProgressForm::TvlProgressForm(std::atomic<bool>& stop, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), stop_(stop) {
    setObjectName(QStringLiteral("TvlProgressForm"));
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    for (QLabel* label : {Label1, Label2}) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    CancelBtn = new QPushButton(ResourceText(text_id::kCancel), this);
    CancelBtn->setObjectName(QStringLiteral("Button1"));
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(CancelBtn);
    row->addStretch();
    layout->addLayout(row);
    connect(CancelBtn, &QPushButton::clicked, this, [this] { Cancel(); });
    setMinimumWidth(kDesignSize.width());
    resize(kDesignSize.expandedTo(sizeHint()));
}

int TvlProgressForm::Run(const QString& caption, const QString& firstLine,
                         const std::function<void()>& start) {
    setWindowTitle(caption);
    CancelBtn->setText(ResourceText(text_id::kCancel));
    SetFirstLine(firstLine);
    SetSecondLine(QString());
    result_ = 0;
    closed_ = false;
    error_ = nullptr;
    setWindowModality(Qt::ApplicationModal);
    show();
    QEventLoop loop;
    const ScopedValue running(loop_, &loop);
    QTimer::singleShot(0, this, [this, &start] { runStart(start); });
    loop.exec(QEventLoop::DialogExec);
    hide();
    if (error_) std::rethrow_exception(error_);
    return result_;
}

void TvlProgressForm::runStart(const std::function<void()>& start) {
    // Cancel before the work began leaves nothing to do.
    if (!closed_ && start) {
        try {
            start();
        } catch (...) {
            error_ = std::current_exception();
        }
    }
    if (!closed_) Close(TvlProgressWindow::kOk);
    if (loop_) loop_->quit();
}

void TvlProgressForm::SetFirstLine(const QString& line) {
    Label1->setText(line);
}

void TvlProgressForm::SetSecondLine(const QString& line) {
    Label2->setText(line);
}

void TvlProgressForm::Close(int modalResult) {
    result_ = modalResult;
    closed_ = true;
    hide();
}

void TvlProgressForm::Cancel() {
    stop_ = true;
    Close(TvlProgressWindow::kCancel);
}

void TvlProgressForm::reject() {
    Cancel();
}

void TvlProgressForm::closeEvent(QCloseEvent* event) {
    // The window closes through Cancel only, so the stop flag is never missed.
    event->ignore();
    if (Running()) Cancel();
}

int WidgetProgressWindow::RunWithProgress(const std::string& caption,
                                          const std::string& progressText,
                                          const std::function<void()>& start) {
    Caption = caption;
    ProgressText = progressText;
    FirstLine = progressText + "  1";
    TvlProgressForm form(stop_, QApplication::activeWindow());
    const ScopedValue current(form_, &form);
    return form.Run(ToQt(caption), ToQt(FirstLine), start);
}

void WidgetProgressWindow::SetFirstLine(const std::string& line) {
    FirstLine = line;
    if (!form_) return;
    form_->SetFirstLine(ToQt(line));
    // The work runs inside the window's loop: this is where the window
    // repaints and Cancel is seen.
    QCoreApplication::processEvents();
}

void WidgetProgressWindow::Close(int modalResult) {
    if (form_) form_->Close(modalResult);
}

bool WidgetProgressWindow::Shown() const {
    return form_ && form_->isVisible();
}

void WidgetProgressWindow::SetShown(bool shown) {
    if (form_ && form_->Running()) form_->setVisible(shown);
}

} // namespace vl
