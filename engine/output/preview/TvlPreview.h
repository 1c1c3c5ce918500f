#pragma once

#include <QFrame>
#include <functional>
#include <memory>

class QMenu;
class QVBoxLayout;

namespace vl {

class TvlPreviewForm;
class TvlReport;

enum TvlScrollBars { ssNone, ssHorizontal, ssVertical, ssBoth };

// The preview as a panel that another window embeds. It owns a hidden
// preview window and shows that window's page area (and, on request, its
// toolbar) inside itself; every operation goes to the window.
class TvlPreview : public QFrame {
public:
    explicit TvlPreview(QWidget* parent = nullptr);
    ~TvlPreview() override;

    // Shows the report's pages (they become the pane's until ReturnPages).
    void AttachReport(TvlReport& report);
    void ReturnPages();
    int CurrentPageNumber() const;
    void GoToPage(int n);
    void NextPage();
    void PrevPage();
    int PageCount() const;
    double ZoomPercent() const;
    void SetZoomPercent(double percent);
    void FitPageWidth();
    void FitWholePage();
    void FitTwoPages();
    void Print();
    void PageSetup();

    TvlScrollBars ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TvlScrollBars bars);
    bool ShowToolbar() const { return showToolbar_; }
    void SetShowToolbar(bool show);
    // The pane's own popup menu, used instead of the zoom menu.
    void SetPopupMenu(QMenu* menu);
    std::function<void(TvlPreview& sender, int page)> OnPageChanged;

    TvlPreviewForm& Form() { return *form_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<TvlPreviewForm> form_;
    QVBoxLayout* layout_ = nullptr;
    TvlScrollBars scrollBars_ = ssBoth;
    bool showToolbar_ = false;
    QWidget* wheelHost_ = nullptr;
};

} // namespace vl
