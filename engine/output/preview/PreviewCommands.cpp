#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/output/PdfDocumentWriter.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/TvlPrinter.h"
#include "engine/output/preview/GreyButtons.h"
#include "engine/output/preview/PreviewLayout.h"
#include "engine/output/preview/PreviewPageSetup.h"
#include "engine/output/preview/PreviewTexts.h"
#include "engine/output/preview/TvlHelpWindow.h"
#include "engine/output/preview/TvlPBox.h"
#include "engine/output/preview/TvlPreviewForm.h"
#include "engine/output/preview/TvlPreviewSearchForm.h"
#include "engine/output/printing/QtPrinterSystem.h"
#include "engine/script/CodePage.h"
#include "engine/script/FormSettings.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/UiService.h"
#include "engine/script/Variant.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QSettings>
#include <QToolButton>
#include <QUrl>

namespace vl {

// The preview window's commands: mouse, keys, files, search, page setup
// and the editing of prepared pages.

namespace {

constexpr int kIconError = 0x10;
constexpr int kIconInformation = 0x40;
constexpr int kYesNoQuestion = 0x04 | 0x20;
constexpr int kModalYes = 6;
constexpr int kLineStep = 10;
constexpr int kPageStep = 200;

QString preparedFilter() {
    return ResourceText(text_id::kReportFile) + QStringLiteral(" (*.vlp)");
}

} // namespace

void TvlPreviewForm::showError(const std::string& text) const {
    engine().uiService().messageBox(text, LoadResString(text_id::kError), kIconError);
}

// Mouse.

bool TvlPreviewForm::ClickAt(QPoint p) {
    if (!hasPages()) return false;
    PBox->ClickedPage = currentPage_;
    const int i = PageAtPoint(p);
    if (i >= 0) {
        PBox->ClickedPage = i + 1;
        const TvlRect& r = shownPages_->PageAt(i).ScreenRect;
        const QPoint unscrolled = p - QPoint(scrollX_, scrollY_);
        const QPoint onPage(Nearest((unscrolled.x() - r.Left) / scale_),
                            Nearest((unscrolled.y() - r.Top) / scale_));
        TvlObjectHit hit;
        try {
            hit = shownPages_->ObjectAt(i, onPage, true);
        } catch (const std::exception& e) {
            showError(e.what());
            return false;
        }
        if (hit.Handled) {
            if (!hit.RefusedLink.empty()) {
                std::string text = LoadResString(text_id::kLinkRefused);
                if (const auto at = text.find("%s"); at != std::string::npos)
                    text.replace(at, 2, hit.RefusedLink);
                engine().uiService().messageBox(text, LoadResString(text_id::kPreview),
                                                kIconInformation);
            }
            followLink(hit.Text);
            return false;
        }
    }
    PBox->Dragging = true;
    PBox->LastPos = p;
    currentPage_ = PBox->ClickedPage;
    UpdatePageStatus();
    return true;
}

void TvlPreviewForm::followLink(const std::string& text) {
    if (text.size() < 2 || text[0] != '@') return;
    int n = 0;
    try {
        n = std::max(StrToInt(text.substr(1)), 1);
    } catch (const std::exception& e) {
        showError(e.what());
        return;
    }
    if (n > PageCount()) return;
    currentPage_ = n;
    UpdatePageStatus();
    ScrollToCurrentPage();
}

void TvlPreviewForm::HoverAt(QPoint p) {
    if (PBox->Dragging) {
        const QPoint delta = p - PBox->LastPos;
        PBox->LastPos = p;
        SetVerticalPosition(VScrollBar->value() - delta.y());
        SetHorizontalPosition(HScrollBar->value() - delta.x());
        return;
    }
    if (!shownReport_ || !hasPages()) return;
    const int i = PageAtPoint(p);
    TvlObjectHit hit;
    if (i >= 0) {
        const TvlRect& r = shownPages_->PageAt(i).ScreenRect;
        const QPoint unscrolled = p - QPoint(scrollX_, scrollY_);
        try {
            hit = shownPages_->ObjectAt(i,
                                        QPoint(Nearest((unscrolled.x() - r.Left) / scale_),
                                               Nearest((unscrolled.y() - r.Top) / scale_)),
                                        false);
        } catch (const std::exception&) {
            hit = {};
        }
    }
    PBox->setCursor(hit.Handled ? hit.Cursor : Qt::ArrowCursor);
    QString status = ToQt(hit.Text);
    if (hit.Text.size() > 1 && hit.Text[0] == '@')
        status = ResourceText(text_id::kPage) + QLatin1Char(' ') + ToQt(hit.Text.substr(1));
    Label2->setText(status);
}

void TvlPreviewForm::WheelNotches(int notches) {
    SetVerticalPosition(VScrollBar->value() - notches * kLineStep * WheelLines);
}

void TvlPreviewForm::PopupAt(QPoint globalPos) {
    if (PanePopup) {
        PanePopup->popup(globalPos);
        return;
    }
    PopupZoomMenu(globalPos, true);
}

// Keys.

bool TvlPreviewForm::HandleKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (key == Qt::Key_Escape) {
        if (embedded_) return false;
        if (isVisible()) done(QDialog::Accepted);
        return true;
    }
    if (!hasPages()) return ctrl;
    switch (key) {
    case Qt::Key_Up:
        SetVerticalPosition(VScrollBar->value() - kLineStep);
        return true;
    case Qt::Key_Down:
        SetVerticalPosition(VScrollBar->value() + kLineStep);
        return true;
    case Qt::Key_Left:
        SetHorizontalPosition(HScrollBar->value() - kLineStep);
        return true;
    case Qt::Key_Right:
        SetHorizontalPosition(HScrollBar->value() + kLineStep);
        return true;
    case Qt::Key_PageUp:
        if (ctrl) {
            currentPage_ = std::max(currentPage_ - 1, 1);
            UpdatePageStatus();
            ScrollToCurrentPage();
        } else {
            SetVerticalPosition(VScrollBar->value() - kPageStep);
        }
        return true;
    case Qt::Key_PageDown:
        if (ctrl) {
            currentPage_ = std::min(currentPage_ + 1, PageCount());
            UpdatePageStatus();
            ScrollToCurrentPage();
        } else {
            SetVerticalPosition(VScrollBar->value() + kPageStep);
        }
        return true;
    case Qt::Key_Space:
        // under the zoom button, or over the pages where the toolbar is hidden
        PopupZoomMenu(ZoomBtn->isVisible() ? ZoomBtn->mapToGlobal(QPoint(0, ZoomBtn->height()))
                                           : PBox->mapToGlobal(QPoint(8, 8)),
                      false);
        return true;
    case Qt::Key_Home:
        if (ctrl) SetVerticalPosition(0);
        return ctrl;
    case Qt::Key_End:
        if (ctrl) {
            currentPage_ = PageCount();
            UpdatePageStatus();
            ScrollToCurrentPage();
        }
        return ctrl;
    case Qt::Key_F3:
        if (search_.Active()) FindNextOrWrap();
        return true;
    default:
        break;
    }
    if (!ctrl) return false;
    switch (key) {
    case Qt::Key_O:
        LoadPreparedFile();
        break;
    case Qt::Key_S:
        SavePreparedFile();
        break;
    case Qt::Key_P:
        if (PrintBtn->isEnabled()) Print();
        break;
    case Qt::Key_F:
        Find();
        break;
    case Qt::Key_E:
        if (designerPresent() && shownReport_ && shownReport_->ModifyPrepared) EditPage();
        break;
    default:
        break;
    }
    return true;
}

bool TvlPreviewForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (HandleKey(key->key(), key->modifiers())) return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TvlPreviewForm::reject() {
    // Escape reaches the window through its key handling
    if (!embedded_) done(QDialog::Accepted);
}

// Files.

void TvlPreviewForm::LoadPreparedFile(const QString& chosen) {
    if (!hasPages() || !shownReport_) return;
    QString path = chosen;
    if (path.isEmpty())
        path = QFileDialog::getOpenFileName(this, PlainText(text_id::kOpenReport), {},
                                            preparedFilter());
    if (path.isEmpty()) return;
    TvlReport& report = *shownReport_;
    releaseLivePages();
    shownPages_.reset();
    std::string error;
    try {
        report.LoadPreparedReport(path);
    } catch (const std::exception& e) {
        error = e.what();
    }
    TakePages(report);
    currentPage_ = 1;
    {
        const ScopedValue noPainting(paintEnabled_, false);
        Relayout();
        UpdatePageStatus();
        ScrollToCurrentPage();
    }
    showHit_ = false;
    search_.Page = search_.Hit = 0;
    PBox->update();
    // the pages read before the damage are shown
    if (!error.empty()) showError(error);
}

void TvlPreviewForm::SavePreparedFile(const QString& chosen) {
    if (!hasPages() || !shownReport_) return;
    QString path = chosen;
    if (path.isEmpty())
        path = QFileDialog::getSaveFileName(this, PlainText(text_id::kSaveReport), {},
                                            preparedFilter());
    if (path.isEmpty()) return;
    const QFileInfo info(path);
    path = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".vlp");
    TvlReport& report = *shownReport_;
    ReturnPages();
    std::string error;
    try {
        report.SavePreparedReport(path);
    } catch (const std::exception& e) {
        error = e.what();
    }
    TakePages(report);
    Relayout();
    UpdatePageStatus();
    PBox->update();
    if (!error.empty()) showError(error);
}

void TvlPreviewForm::ExportPdf(const QString& chosen) {
    if (!hasPages()) return;
    QString path = chosen;
    if (path.isEmpty())
        path = QFileDialog::getSaveFileName(this, PlainText(text_id::kExportPdf), {},
                                            ResourceText(text_id::kPdfDocument) +
                                                QStringLiteral(" (*.pdf)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    PdfDocumentWriter writer;
    if (shownReport_) writer.Title = ToQt(shownReport_->Title);
    releaseLivePages();
    try {
        writer.write(*shownPages_, path);
    } catch (const std::exception& e) {
        showError(e.what());
    }
    PBox->update();
}

// Search.

void TvlPreviewForm::Find() {
    if (!shownReport_ || !hasPages()) return;
    TvlPreviewSearchForm dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    StartSearch(dialog.SearchText(), dialog.CaseSensitive(), dialog.FromFirstPage());
}

void TvlPreviewForm::StartSearch(const QString& text, bool caseSensitive, bool fromFirstPage) {
    wrapSearch_ = false;
    search_.Text = text;
    search_.CaseSensitive = caseSensitive;
    if (fromFirstPage) {
        search_.Page = 0;
        search_.Hit = 0;
    } else {
        search_.ContinueOn(currentPage_);
    }
    FindAgain();
}

// F3: the next hit; after the last one the hit stays shown and the user is
// told that the next F3 starts again on the first page.
void TvlPreviewForm::FindNextOrWrap() {
    if (wrapSearch_) {
        search_.Page = 0;
        search_.Hit = 0;
        wrapSearch_ = false;
    } else {
        search_.ContinueOn(currentPage_);
    }
    const PreviewSearch before = search_;
    const bool hadHit = showHit_;
    if (FindAgain() || !hadHit) return;
    search_ = before;
    showHit_ = true;
    PBox->update();
    wrapSearch_ = true;
    engine().uiService().messageBox(
        FromQt(tr("\"%1\" is not found further on. F3 searches again from the first page.")
                   .arg(search_.Text)),
        FromQt(tr("Find text")), kIconInformation);
}

bool TvlPreviewForm::FindAgain() {
    if (!hasPages() || !search_.Active()) return false;
    bool found = false;
    {
        const ScopedValue noPainting(paintEnabled_, false);
        try {
            found = search_.FindNext(*shownPages_);
        } catch (const std::exception& e) {
            showError(e.what());
        }
        if (found) showHit();
    }
    PBox->update();
    return found;
}

// Brings the hit into view: its page starts at the top of the view unless
// the hit would then lie below it.
void TvlPreviewForm::showHit() {
    currentPage_ = search_.Page + 1;
    UpdatePageStatus();
    const TvlRect& page = shownPages_->PageAt(search_.Page).ScreenRect;
    const QRect onScreen = HitOnScreen();
    showHit_ = true;
    const int viewHeight = PBox->height(), viewWidth = PBox->width();
    int top = page.Top - preview_layout::kGap;
    if (onScreen.bottom() - top > viewHeight)
        top = onScreen.bottom() - viewHeight + preview_layout::kGap;
    SetVerticalPosition(top);
    const int left = HScrollBar->value();
    if (onScreen.left() < left || onScreen.right() - left > viewWidth)
        SetHorizontalPosition(std::max(0, onScreen.right() - viewWidth + preview_layout::kGap));
    // the page of the hit is current even when the scroll range stopped short
    currentPage_ = search_.Page + 1;
    UpdatePageStatus();
}

// Page setup and prepared pages.

void TvlPreviewForm::PageSetup() {
    if (!hasPages() || !shownReport_) return;
    if (!shownReport_->Rebuildable()) {
        // Pages read from a file keep the paper they were built on.
        engine().uiService().messageBox(
            FromQt(tr("These pages were opened from a file, so they cannot be built again "
                      "on another paper or with other margins. Open the report's template to "
                      "change its page setup.")),
            FromQt(tr("Page setup")), kIconInformation);
        return;
    }
    QPrinter printer(QPrinter::ScreenResolution);
    const TvlPrinter& system = engine().printer();
    if (!system.IsVirtual()) printer.setPrinterName(ToQt(system.Device()));
    printer.setPageLayout(ToPageLayout(PageSetupPreset(engine().printer(), *shownPages_)));
    QPageSetupDialog dialog(&printer, PBox);
    if (dialog.exec() != QDialog::Accepted) return;
    ApplyPageSetupAndRebuild(FromPageLayout(printer.pageLayout()));
}

void TvlPreviewForm::ApplyPageSetupAndRebuild(const PageSetupChoice& choice) {
    if (!shownReport_) return;
    TvlReport& report = *shownReport_;
    // nothing changes under a build that runs: the refusal says why
    if (report.BuildRunning()) {
        showError(TvlReport::kBuildRunningText);
        return;
    }
    // the margins the dialog started with are no choice of the user's
    const PageSetupChoice preset =
        shownPages_ ? PageSetupPreset(engine().printer(), *shownPages_) : choice;
    ApplyPageSetup(report, choice, shownPages_ ? &preset : nullptr);
    releaseLivePages();
    shownPages_.reset();
    report.PrepareReport();
    report.ShowBuildFailure();
    TakePages(report);
    ResetView(true);
}

void TvlPreviewForm::EditPage() {
    const auto& edit = engine().preview().editPreparedPage;
    if (!edit || !hasPages() || !shownReport_ || !shownReport_->ModifyPrepared) return;
    TvlReport& report = *shownReport_;
    const int page = currentPage_ - 1;
    ReturnPages();
    try {
        edit(report, page);
    } catch (const std::exception& e) {
        showError(e.what());
    }
    TakePages(report);
    ResetView(false);
}

void TvlPreviewForm::InsertBlankPage() {
    if (!hasPages() || !shownReport_ || shownReport_->Pages().Count() == 0) return;
    const TvlPage* first = nullptr;
    for (int i = 0; i < shownReport_->Pages().Count() && !first; ++i)
        if (shownReport_->Pages()[i].PageType == ptReport) first = &shownReport_->Pages()[i];
    if (!first) first = &shownReport_->Pages()[0];
    shownPages_->InsertPage(currentPage_ - 1, first->PreparedSettings());
    ResetView(false);
}

void TvlPreviewForm::RemovePage() {
    if (PageCount() <= 1) return;
    const int answer = engine().uiService().messageBox(
        LoadResString(text_id::kRemovePage), LoadResString(text_id::kConfirm), kYesNoQuestion);
    if (answer != kModalYes) return;
    releaseLivePages();
    shownPages_->DeletePage(currentPage_ - 1);
    ResetView(true);
}

bool TvlPreviewForm::CanPrint() const {
    return static_cast<bool>(engine().preview().print) &&
           engine().printer().VirtualPrinterIndex() > 0;
}

void TvlPreviewForm::Print() {
    if (!hasPages() || !shownReport_ || !CanPrint()) return;
    TvlReport& report = *shownReport_;
    const int page = currentPage_;
    lendPages();
    try {
        engine().preview().print(report, page);
    } catch (const std::exception& e) {
        showError(e.what());
    }
    TakePages(report);
    ResetView(false);
}

void TvlPreviewForm::ShowHelp() {
    TvlHelpWindow::Show(this, QStringLiteral("The preview window"));
}

// Settings of the report and of the window.

void TvlPreviewForm::ApplyReportSettings() {
    if (!shownReport_) return;
    TvlReport& report = *shownReport_;
    const std::uint8_t buttons = report.PreviewButtons;
    ZoomBtn->setVisible(buttons & pbZoom);
    LoadBtn->setVisible(buttons & pbLoad);
    SaveBtn->setVisible(buttons & pbSave);
    PrintBtn->setVisible(buttons & pbPrint);
    FindBtn->setVisible(buttons & pbFind);
    PageSetupBtn->setVisible(buttons & pbPageSetup);
    HelpBtn->setVisible((buttons & pbHelp) && !toolbarInPane_ && !HelpFile.isEmpty());
    ExitBtn->setVisible((buttons & pbExit) && !toolbarInPane_);
    Separator1->setVisible(buttons & pbZoom);
    Separator3->setVisible(!FindBtn->isHidden() || !HelpBtn->isHidden());
    PrintBtn->setEnabled(CanPrint());
    PageSetupBtn->setEnabled(engine().printer().VirtualPrinterIndex() > 0 && report.Rebuildable());
    const bool editing = report.ModifyPrepared;
    for (QAction* a : ProcMenu->actions())
        if (a->objectName() == QLatin1String("EditSeparator")) a->setVisible(editing);
    EditPageItem->setVisible(editing);
    AddPageItem->setVisible(editing);
    DeletePageItem->setVisible(editing);
    EditPageItem->setEnabled(designerPresent());
    if (report.InitialZoom != pzDefault) engine().preview().lastZoomMode = report.InitialZoom;
    applyGreyButtons(greyButtonsWanted(report));
}

bool TvlPreviewForm::greyButtonsWanted(const TvlReport& report) const {
    if (!designerPresent()) return report.GrayedButtons;
    const auto settings = OpenFormSettings(QStringLiteral("TvlDesignerForm"));
    return settings->value(QStringLiteral("GrayButtons"), false).toBool();
}

void TvlPreviewForm::applyGreyButtons(bool grey) {
    for (QToolButton* b :
         {ZoomBtn, LoadBtn, SaveBtn, PrintBtn, PageSetupBtn, FindBtn, HelpBtn, ExitBtn})
        SetButtonGrey(*b, grey);
}

void TvlPreviewForm::SetToolbarInPane(bool inPane) {
    toolbarInPane_ = inPane;
    ApplyReportSettings();
}

void TvlPreviewForm::ShowForReport(TvlReport& report) {
    TakePages(report);
    ApplyReportSettings();
    ResetView(true);
    restoreGeometrySettings();
    if (report.ModalPreview) {
        exec();
    } else {
        setAttribute(Qt::WA_DeleteOnClose);
        show();
    }
}

void TvlPreviewForm::restoreGeometrySettings() {
    const auto settings = OpenFormSettings(objectName());
    const QByteArray geometry = settings->value(QStringLiteral("Geometry")).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry)) setWindowState(Qt::WindowMaximized);
}

void TvlPreviewForm::saveGeometrySettings() {
    if (embedded_) return;
    const auto settings = OpenFormSettings(objectName());
    settings->setValue(QStringLiteral("Geometry"), saveGeometry());
}

void TvlPreviewForm::done(int) {
    saveGeometrySettings();
    QDialog::done(QDialog::Accepted);
}

void TvlPreviewForm::showEvent(QShowEvent* event) {
    setCaptions();
    QDialog::showEvent(event);
    PBox->setFocus();
}

} // namespace vl
