#include "engine/output/preview/TvlPreview.h"

#include "engine/build/TvlReport.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/preview/TvlPBox.h"
#include "engine/output/preview/TvlPreviewForm.h"

#include <QEvent>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace vl {

namespace {

constexpr int kEmbeddedWheelLines = 3;

} // namespace

TvlPreview::TvlPreview(QWidget* parent)
    : QFrame(parent), form_(std::make_unique<TvlPreviewForm>()) {
    setObjectName(QStringLiteral("TvlPreview"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(1, 1, 1, 1);
    layout_->setSpacing(0);
    form_->SetEmbedded(true);
    form_->PageChanged = [this](int page) {
        if (OnPageChanged) OnPageChanged(*this, page);
    };
    layout_->addWidget(form_->PreviewPanel);
    form_->PreviewPanel->hide();
    SetScrollBars(ssBoth);
}

TvlPreview::~TvlPreview() {
    if (wheelHost_) wheelHost_->removeEventFilter(this);
    // the borrowed widgets belong to the window again before it goes
    form_->PreviewPanel->setParent(form_.get());
    form_->ToolbarPanel->setParent(form_.get());
}

void TvlPreview::AttachReport(TvlReport& report) {
    if (report.EMFPages().Count() == 0) return;
    form_->PreviewPanel->show();
    SetShowToolbar(showToolbar_);
    form_->TakePages(report);
    form_->ApplyReportSettings();
    form_->ResetView(true);
    // the window that holds the pane scrolls the pages with its wheel
    if (QWidget* host = window(); host && host != wheelHost_) {
        if (wheelHost_) wheelHost_->removeEventFilter(this);
        wheelHost_ = host;
        host->installEventFilter(this);
    }
    form_->WheelLines = kEmbeddedWheelLines;
}

void TvlPreview::ReturnPages() {
    form_->ReturnPages();
}

int TvlPreview::CurrentPageNumber() const {
    return form_->CurrentPageNumber();
}

void TvlPreview::GoToPage(int n) {
    form_->GoToPage(n);
}

void TvlPreview::NextPage() {
    form_->NextPage();
}

void TvlPreview::PrevPage() {
    form_->PrevPage();
}

int TvlPreview::PageCount() const {
    return form_->PageCount();
}

double TvlPreview::ZoomPercent() const {
    return form_->ZoomPercent();
}

void TvlPreview::SetZoomPercent(double percent) {
    form_->SetZoomPercent(percent);
}

void TvlPreview::FitPageWidth() {
    form_->FitPageWidth();
}

void TvlPreview::FitWholePage() {
    form_->FitWholePage();
}

void TvlPreview::FitTwoPages() {
    form_->FitTwoPages();
}

void TvlPreview::Print() {
    form_->Print();
}

void TvlPreview::PageSetup() {
    form_->PageSetup();
}

void TvlPreview::SetScrollBars(TvlScrollBars bars) {
    scrollBars_ = bars;
    form_->RPanel->setVisible(bars == ssVertical || bars == ssBoth);
    form_->BPanel->setVisible(bars == ssHorizontal || bars == ssBoth);
    if (QWidget* corner = form_->BPanel->findChild<QWidget*>(QStringLiteral("Corner")))
        corner->setVisible(!form_->RPanel->isHidden());
}

void TvlPreview::SetShowToolbar(bool show) {
    showToolbar_ = show;
    if (show) {
        layout_->insertWidget(0, form_->ToolbarPanel);
        form_->ToolbarPanel->show();
    } else if (form_->ToolbarPanel->parentWidget() == this) {
        layout_->removeWidget(form_->ToolbarPanel);
        form_->ToolbarPanel->setParent(form_.get());
        static_cast<QBoxLayout*>(form_->layout())->insertWidget(0, form_->ToolbarPanel);
    }
    form_->SetToolbarInPane(show);
}

void TvlPreview::SetPopupMenu(QMenu* menu) {
    form_->PanePopup = menu;
}

void TvlPreview::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    form_->Relayout();
}

void TvlPreview::moveEvent(QMoveEvent* event) {
    QFrame::moveEvent(event);
    form_->Relayout();
}

bool TvlPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == wheelHost_ && event->type() == QEvent::Wheel && form_->PageCount() > 0 &&
        !form_->PBox->underMouse()) {
        const int notches = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
        if (notches != 0) {
            form_->WheelNotches(notches);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace vl
