#pragma once

#include "engine/build/PreviewZoom.h"
#include "engine/output/preview/PreviewPageSetup.h"
#include "engine/output/preview/PreviewSearch.h"

#include <QDialog>
#include <QPixmap>
#include <QSize>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QScrollBar;
class QToolButton;

namespace vl {

class TvlEMFPages;
class TvlEngine;
class TvlPBox;
class TvlReport;

// The preview window: a toolbar, the page area (the drawing surface with
// its scroll bars, page buttons and status texts) and the zoom menu. It is
// the stand-alone "Preview" window and also the hidden window behind every
// embedded pane, which borrows its page area and toolbar, so the view and
// all commands live here.
class TvlPreviewForm : public QDialog {
public:
    // A preview of engine's reports (until it shows one, the engine's
    // designer and print command are what it offers).
    explicit TvlPreviewForm(TvlEngine& engine, QWidget* parent = nullptr);
    // A preview of the process's default engine.
    explicit TvlPreviewForm(QWidget* parent = nullptr);
    ~TvlPreviewForm() override;

    // Shows the report's prepared pages: modally when the report asks for
    // it (returns when the window closed), else modeless.
    void ShowForReport(TvlReport& report);

    // The view.
    void TakePages(TvlReport& report);
    // Gives the shown pages back to the report; nothing is shown then.
    void ReturnPages();
    void ApplyReportSettings();
    void ResetView(bool resetPosition);
    void Relayout();
    void ScrollToCurrentPage();
    void UpdatePageStatus();
    int CurrentPageNumber() const { return currentPage_; }
    int PageCount() const;
    // Does nothing outside 1..PageCount.
    void GoToPage(int n);
    void NextPage() { GoToPage(currentPage_ + 1); }
    void PrevPage() { GoToPage(currentPage_ - 1); }
    double ZoomPercent() const { return scale_ * 100; }
    void SetZoomPercent(double percent);
    void FitPageWidth() { setFitMode(pzPageWidth); }
    void FitWholePage() { setFitMode(pzOnePage); }
    void FitTwoPages() { setFitMode(pzTwoPages); }
    double Scale() const { return scale_; }
    TvlPreviewZoom ZoomMode() const { return zoomMode_; }
    TvlReport* ShownReport() const { return shownReport_; }
    TvlEMFPages* ShownPages() const { return shownPages_.get(); }
    int ScrollX() const { return scrollX_; }
    int ScrollY() const { return scrollY_; }
    bool PaintEnabled() const { return paintEnabled_; }
    int Columns() const { return columns_; }

    // Commands.
    void ChooseZoom(int menuValue);
    void LoadPreparedFile(const QString& path = {});
    void SavePreparedFile(const QString& path = {});
    void ExportPdf(const QString& path = {});
    // The find dialog, then FindAgain.
    void Find();
    void StartSearch(const QString& text, bool caseSensitive, bool fromFirstPage);
    // Shows the next occurrence of the search text; false when there is
    // none (the view does not change then).
    bool FindAgain();
    // F3: FindAgain from the current page; after the last hit says so and
    // starts on the first page the next time.
    void FindNextOrWrap();
    void PageSetup();
    // Gives the template the paper and margins chosen and builds it again.
    void ApplyPageSetupAndRebuild(const PageSetupChoice& choice);
    void EditPage();
    void InsertBlankPage();
    void RemovePage();
    // Needs a print command (see TvlPreviewShared) and a system printer.
    bool CanPrint() const;
    void Print();
    void ShowHelp();
    // The keyboard of the page area; true when the key was used up.
    bool HandleKey(int key, Qt::KeyboardModifiers modifiers);
    void PopupZoomMenu(const QPoint& globalPos, bool withPageEditing);

    // The search state and the last hit, in page pixels.
    const PreviewSearch& Search() const { return search_; }
    // Where the last hit lies on the unscrolled surface (shown inverted).
    QRect HitOnScreen() const;

    // Scroll positions (the scroll bars' values).
    void SetVerticalPosition(int value);
    void SetHorizontalPosition(int value);

    // The embedding pane: where the page area lives, its popup menu, and
    // whether Escape closes (only in the stand-alone window).
    void SetEmbedded(bool embedded);
    // The toolbar sits in a pane: its Help and Exit buttons stay hidden.
    void SetToolbarInPane(bool inPane);
    bool Embedded() const { return embedded_; }
    QMenu* PanePopup = nullptr;
    int WheelLines = 1;
    std::function<void(int page)> PageChanged;
    // The help file the Help button opens; empty when none is installed.
    QString HelpFile;

    // Controls.
    QWidget* ToolbarPanel = nullptr;
    QToolButton* ZoomBtn = nullptr;
    QToolButton* LoadBtn = nullptr;
    QToolButton* SaveBtn = nullptr;
    QToolButton* PrintBtn = nullptr;
    QToolButton* PageSetupBtn = nullptr;
    QToolButton* FindBtn = nullptr;
    QToolButton* HelpBtn = nullptr;
    QToolButton* ExitBtn = nullptr;
    QFrame* Separator1 = nullptr;
    QFrame* Separator2 = nullptr;
    QFrame* Separator3 = nullptr;
    QWidget* PreviewPanel = nullptr;
    TvlPBox* PBox = nullptr;
    QWidget* RPanel = nullptr;
    QScrollBar* VScrollBar = nullptr;
    QToolButton* PgUp = nullptr;
    QToolButton* PgDown = nullptr;
    QWidget* BPanel = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QScrollBar* HScrollBar = nullptr;
    QMenu* ProcMenu = nullptr;
    QAction* EditPageItem = nullptr;
    QAction* AddPageItem = nullptr;
    QAction* DeletePageItem = nullptr;
    QAction* ExportPdfItem = nullptr;

    // The page area's mouse (TvlPBox) and painting.
    void PaintPages(QPainter& painter, const QRegion& region);
    // The 0-based page whose screen rectangle holds a point of the surface.
    int PageAtPoint(QPoint surfacePoint) const;
    // A left click on the surface: links, else the start of a drag.
    bool ClickAt(QPoint surfacePoint);
    void HoverAt(QPoint surfacePoint);
    void WheelNotches(int notches);
    void PopupAt(QPoint globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The window ends with OK however it is closed, keeping its place.
    void done(int result) override;
    void reject() override;

private:
    void buildToolbar();
    void buildPageArea();
    void buildMenu();
    void setCaptions();
    void setFitMode(TvlPreviewZoom mode);
    void markZoomEntry();
    void placeScrollBars(int horizontalMax, int verticalMax);
    void releaseLivePages();
    void lendPages();
    // Hands the pages back to the report; the view is left as it is.
    void giveBackPages();
    void updateCurrentFromScroll();
    void showHit();
    void followLink(const std::string& text);
    bool hasPages() const { return PageCount() > 0; }
    void saveGeometrySettings();
    void restoreGeometrySettings();
    bool designerPresent() const;
    bool greyButtonsWanted(const TvlReport& report) const;
    void applyGreyButtons(bool grey);
    // The engine of the report shown; before one is, the engine the
    // window was made in.
    TvlEngine& engine() const;
    void showError(const std::string& text) const;

    TvlEngine& madeIn_;
    TvlReport* shownReport_ = nullptr;
    std::unique_ptr<TvlEMFPages> shownPages_;
    double scale_ = 1.0;
    TvlPreviewZoom zoomMode_ = pzDefault;
    int currentPage_ = 1;
    int scrollX_ = 0;
    int scrollY_ = 0;
    int oldVertical_ = 0;
    int oldHorizontal_ = 0;
    int columns_ = 1;
    bool paintEnabled_ = true;
    bool embedded_ = false;
    bool toolbarInPane_ = false;
    bool settingScroll_ = false;
    QActionGroup* zoomGroup_ = nullptr;
    PreviewSearch search_;
    bool showHit_ = false;
    // What the view showed when its pages were lent to the report for a
    // command with windows of its own; painted until they come back.
    QPixmap lentView_;
    bool wrapSearch_ = false;
};

} // namespace vl
