#include "engine/output/preview/TvlPreviewForm.h"

#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/preview/PreviewIcons.h"
#include "engine/output/preview/PreviewLayout.h"
#include "engine/output/preview/PreviewTexts.h"
#include "engine/output/preview/TvlPBox.h"
#include "engine/script/CodePage.h"
#include "engine/script/FormSettings.h"
#include "engine/script/ScopedValue.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSettings>
#include <QToolButton>
#include <QVBoxLayout>

namespace vl {

namespace {

constexpr int kToolbarHeight = 33;
constexpr int kButtonSize = 24;
constexpr int kPageButtonHeight = 16;
constexpr int kSmallStep = 10;
constexpr int kLargeStep = 200;
constexpr int kZoomPercents[] = {200, 150, 100, 75, 50, 25, 10};

QFrame* makeSeparator(QWidget* parent, const char* name) {
    auto* line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

TvlPreviewForm::TvlPreviewForm(QWidget* parent) : TvlPreviewForm(TvlEngine::Default(), parent) {}

TvlPreviewForm::TvlPreviewForm(TvlEngine& madeIn, QWidget* parent)
    : QDialog(parent), madeIn_(madeIn) {
    setObjectName(QStringLiteral("TvlPreviewForm"));
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolbar();
    buildPageArea();
    buildMenu();
    layout->addWidget(ToolbarPanel);
    layout->addWidget(PreviewPanel, 1);
    setCaptions();
    scale_ = engine().preview().lastScale;
    zoomMode_ = engine().preview().lastZoomMode;
    resize(800, 600);
}

TvlPreviewForm::~TvlPreviewForm() {
    // the pages go with the window; their live objects first
    releaseLivePages();
}

void TvlPreviewForm::buildToolbar() {
    ToolbarPanel = new QWidget(this);
    ToolbarPanel->setObjectName(QStringLiteral("ToolbarPanel"));
    ToolbarPanel->setMinimumHeight(kToolbarHeight);
    auto* row = new QHBoxLayout(ToolbarPanel);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(2);
    auto button = [this, row](const char* name, const QString& icon) {
        auto* b = new QToolButton(ToolbarPanel);
        b->setObjectName(QLatin1String(name));
        b->setAutoRaise(true);
        b->setIcon(PreviewIcon(icon));
        b->setIconSize(QSize(16, 16));
        b->setMinimumSize(kButtonSize, kButtonSize);
        b->installEventFilter(this);
        row->addWidget(b);
        return b;
    };
    ZoomBtn = button("ZoomBtn", {});
    ZoomBtn->setMinimumWidth(53);
    ZoomBtn->setToolButtonStyle(Qt::ToolButtonTextOnly);
    Separator1 = makeSeparator(ToolbarPanel, "vlTBSeparator1");
    row->addWidget(Separator1);
    LoadBtn = button("LoadBtn", QStringLiteral("document-open"));
    SaveBtn = button("SaveBtn", QStringLiteral("document-save"));
    PrintBtn = button("PrintBtn", QStringLiteral("document-print"));
    PageSetupBtn = button("PageSetupBtn", QStringLiteral("document-page-setup"));
    Separator2 = makeSeparator(ToolbarPanel, "vlTBSeparator2");
    row->addWidget(Separator2);
    FindBtn = button("FindBtn", QStringLiteral("edit-find"));
    HelpBtn = button("HelpBtn", QStringLiteral("help-contents"));
    Separator3 = makeSeparator(ToolbarPanel, "vlTBSeparator3");
    row->addWidget(Separator3);
    ExitBtn = button("ExitBtn", QStringLiteral("window-close"));
    row->addStretch();

    connect(ZoomBtn, &QToolButton::clicked, this,
            [this] { PopupZoomMenu(ZoomBtn->mapToGlobal(QPoint(0, ZoomBtn->height())), false); });
    connect(LoadBtn, &QToolButton::clicked, this, [this] { LoadPreparedFile(); });
    connect(SaveBtn, &QToolButton::clicked, this, [this] { SavePreparedFile(); });
    connect(PrintBtn, &QToolButton::clicked, this, [this] { Print(); });
    connect(PageSetupBtn, &QToolButton::clicked, this, [this] { PageSetup(); });
    connect(FindBtn, &QToolButton::clicked, this, [this] { Find(); });
    connect(HelpBtn, &QToolButton::clicked, this, [this] { ShowHelp(); });
    connect(ExitBtn, &QToolButton::clicked, this, [this] { HandleKey(Qt::Key_Escape, {}); });
}

void TvlPreviewForm::buildPageArea() {
    PreviewPanel = new QWidget(this);
    PreviewPanel->setObjectName(QStringLiteral("PreviewPanel"));
    auto* grid = new QGridLayout(PreviewPanel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);

    auto* scrollBox = new QWidget(PreviewPanel);
    scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    auto* boxLayout = new QVBoxLayout(scrollBox);
    boxLayout->setContentsMargins(0, 0, 0, 0);
    PBox = new TvlPBox(*this, scrollBox);
    boxLayout->addWidget(PBox);
    PBox->installEventFilter(this);

    RPanel = new QWidget(PreviewPanel);
    RPanel->setObjectName(QStringLiteral("RPanel"));
    auto* right = new QVBoxLayout(RPanel);
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    VScrollBar = new QScrollBar(Qt::Vertical, RPanel);
    VScrollBar->setObjectName(QStringLiteral("VScrollBar"));
    auto pageButton = [this](const char* name, const QString& icon) {
        auto* b = new QToolButton(RPanel);
        b->setObjectName(QLatin1String(name));
        b->setIcon(PreviewIcon(icon));
        b->setAutoRaise(true);
        b->setFixedSize(VScrollBar->sizeHint().width(), kPageButtonHeight);
        b->setIconSize(QSize(12, 12));
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    PgUp = pageButton("PgUp", QStringLiteral("go-up"));
    PgDown = pageButton("PgDown", QStringLiteral("go-down"));
    right->addWidget(VScrollBar, 1);
    right->addWidget(PgUp);
    right->addWidget(PgDown);

    BPanel = new QWidget(PreviewPanel);
    BPanel->setObjectName(QStringLiteral("BPanel"));
    auto* bottom = new QHBoxLayout(BPanel);
    bottom->setContentsMargins(4, 0, 0, 0);
    bottom->setSpacing(6);
    Label1 = new QLabel(BPanel);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setMinimumWidth(
        Label1->fontMetrics().horizontalAdvance(QStringLiteral("Page 0000/0000")));
    Label2 = new QLabel(BPanel);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setMinimumWidth(120);
    HScrollBar = new QScrollBar(Qt::Horizontal, BPanel);
    HScrollBar->setObjectName(QStringLiteral("HScrollBar"));
    bottom->addWidget(Label1);
    bottom->addWidget(Label2);
    bottom->addWidget(HScrollBar, 1);
    auto* corner = new QWidget(BPanel);
    corner->setObjectName(QStringLiteral("Corner"));
    corner->setFixedWidth(VScrollBar->sizeHint().width());
    bottom->addWidget(corner);

    grid->addWidget(scrollBox, 0, 0);
    grid->addWidget(RPanel, 0, 1);
    grid->addWidget(BPanel, 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(0, 1);

    for (QScrollBar* bar : {VScrollBar, HScrollBar}) {
        bar->setSingleStep(kSmallStep);
        bar->setPageStep(kLargeStep);
        bar->setRange(0, 0);
        bar->setEnabled(false);
        bar->installEventFilter(this);
    }
    PreviewPanel->installEventFilter(this);
    installEventFilter(this);
    connect(VScrollBar, &QScrollBar::valueChanged, this, [this](int v) { SetVerticalPosition(v); });
    connect(HScrollBar, &QScrollBar::valueChanged, this,
            [this](int v) { SetHorizontalPosition(v); });
    connect(PgUp, &QToolButton::clicked, this,
            [this] { HandleKey(Qt::Key_PageUp, Qt::ControlModifier); });
    connect(PgDown, &QToolButton::clicked, this,
            [this] { HandleKey(Qt::Key_PageDown, Qt::ControlModifier); });
}

void TvlPreviewForm::buildMenu() {
    ProcMenu = new QMenu(this);
    ProcMenu->setObjectName(QStringLiteral("ProcMenu"));
    zoomGroup_ = new QActionGroup(ProcMenu);
    auto entry = [this](const QString& text, int value) {
        QAction* a = ProcMenu->addAction(text);
        a->setCheckable(true);
        a->setData(value);
        zoomGroup_->addAction(a);
        connect(a, &QAction::triggered, this, [this, value] { ChooseZoom(value); });
        return a;
    };
    for (const int percent : kZoomPercents)
        entry(QString::number(percent) + QLatin1Char('%'), percent);
    entry(ResourceText(text_id::kPageWidth), 1);
    entry(ResourceText(text_id::kWholePage), 2);
    entry(ResourceText(text_id::kTwoPages), 3);
    ProcMenu->addSeparator();
    ExportPdfItem = ProcMenu->addAction(ResourceText(text_id::kExportPdf));
    connect(ExportPdfItem, &QAction::triggered, this, [this] { ExportPdf(); });
    QAction* editSeparator = ProcMenu->addSeparator();
    editSeparator->setObjectName(QStringLiteral("EditSeparator"));
    EditPageItem = ProcMenu->addAction(ResourceText(text_id::kEditPage));
    AddPageItem = ProcMenu->addAction(ResourceText(text_id::kAddPage));
    DeletePageItem = ProcMenu->addAction(ResourceText(text_id::kDeletePage));
    connect(EditPageItem, &QAction::triggered, this, [this] { EditPage(); });
    connect(AddPageItem, &QAction::triggered, this, [this] { InsertBlankPage(); });
    connect(DeletePageItem, &QAction::triggered, this, [this] { RemovePage(); });
    markZoomEntry();
}

void TvlPreviewForm::setCaptions() {
    ZoomBtn->setToolTip(ResourceText(text_id::kScale));
    LoadBtn->setToolTip(ResourceText(text_id::kOpenReport) + QStringLiteral(" (Ctrl+O)"));
    SaveBtn->setToolTip(ResourceText(text_id::kSaveReport) + QStringLiteral(" (Ctrl+S)"));
    PrintBtn->setToolTip(ResourceText(text_id::kPrintReport) + QStringLiteral(" (Ctrl+P)"));
    PageSetupBtn->setToolTip(PlainText(text_id::kPageSetup));
    FindBtn->setToolTip(ResourceText(text_id::kFindText) + QStringLiteral(" (Ctrl+F, F3)"));
    HelpBtn->setToolTip(ResourceText(text_id::kShowHelp));
    ExitBtn->setToolTip(ResourceText(text_id::kClosePreview) + QStringLiteral(" (Esc)"));
    for (QToolButton* b :
         {ZoomBtn, LoadBtn, SaveBtn, PrintBtn, PageSetupBtn, FindBtn, HelpBtn, ExitBtn})
        b->setAccessibleName(b->toolTip());
    PgUp->setAccessibleName(PlainText(text_id::kPage) + QStringLiteral(" -1"));
    PgDown->setAccessibleName(PlainText(text_id::kPage) + QStringLiteral(" +1"));
}

// The view.

int TvlPreviewForm::PageCount() const {
    return shownPages_ ? shownPages_->Count() : 0;
}

void TvlPreviewForm::TakePages(TvlReport& report) {
    lentView_ = QPixmap();
    releaseLivePages();
    shownReport_ = &report;
    shownPages_ = report.TakeEMFPages();
}

void TvlPreviewForm::ReturnPages() {
    giveBackPages();
    UpdatePageStatus();
    placeScrollBars(0, 0);
    PBox->update();
}

// The pages go back to the report while a command with dialogs of its own
// works on them (printing), but the view keeps showing them as they were,
// page number included, instead of going blank behind those dialogs.
void TvlPreviewForm::lendPages() {
    if (!shownReport_ || !shownPages_) return;
    lentView_ = PBox->grab();
    giveBackPages();
}

void TvlPreviewForm::giveBackPages() {
    if (shownReport_ && shownPages_) {
        releaseLivePages();
        shownReport_->GiveBackPages(std::move(shownPages_));
    }
    shownPages_.reset();
    showHit_ = false;
}

void TvlPreviewForm::releaseLivePages() {
    if (!shownPages_) return;
    for (int i = 0; i < shownPages_->Count(); ++i) {
        shownPages_->PageAt(i).Shown = false;
        shownPages_->ReleasePageObjects(i);
    }
}

void TvlPreviewForm::ResetView(bool resetPosition) {
    scale_ = preview_layout::BoundedScale(engine().preview().lastScale);
    zoomMode_ = engine().preview().lastZoomMode;
    markZoomEntry();
    showHit_ = false;
    if (resetPosition) {
        currentPage_ = 1;
        const ScopedValue quiet(settingScroll_, true);
        VScrollBar->setValue(0);
        HScrollBar->setValue(0);
        scrollX_ = scrollY_ = oldVertical_ = oldHorizontal_ = 0;
    }
    currentPage_ = std::clamp(currentPage_, 1, std::max(PageCount(), 1));
    UpdatePageStatus();
    Relayout();
    releaseLivePages();
    DeletePageItem->setEnabled(PageCount() > 1);
    PBox->update();
}

void TvlPreviewForm::Relayout() {
    if (!hasPages()) return;
    const ScopedValue noPainting(paintEnabled_, false);
    std::vector<QSize> papers;
    papers.reserve(static_cast<std::size_t>(PageCount()));
    for (int i = 0; i < PageCount(); ++i) {
        const PageMetrics& m = shownPages_->PageAt(i).Metrics;
        papers.emplace_back(m.PixelPaperWidth, m.PixelPaperHeight);
    }
    const preview_layout::Result r =
        preview_layout::LayOut(papers, currentPage_ - 1, PBox->size(), zoomMode_, scale_);
    scale_ = r.scale;
    columns_ = r.columns;
    for (int i = 0; i < PageCount(); ++i)
        shownPages_->PageAt(i).ScreenRect = r.rects[static_cast<std::size_t>(i)];
    markZoomEntry();
    placeScrollBars(r.horizontalMax, r.verticalMax);
    if (isVisible()) PBox->setFocus();
    ScrollToCurrentPage();
}

void TvlPreviewForm::placeScrollBars(int horizontalMax, int verticalMax) {
    HScrollBar->setRange(0, horizontalMax);
    HScrollBar->setEnabled(horizontalMax > 0);
    VScrollBar->setRange(0, verticalMax);
    VScrollBar->setEnabled(verticalMax > 0);
}

void TvlPreviewForm::markZoomEntry() {
    const int percent = Nearest(scale_ * 100);
    for (QAction* a : zoomGroup_->actions()) {
        const int value = a->data().toInt();
        const bool fit = value >= 1 && value <= 3;
        a->setChecked(zoomMode_ == pzDefault ? !fit && value == percent
                                             : fit && value == static_cast<int>(zoomMode_));
    }
    if (zoomMode_ == pzDefault && zoomGroup_->checkedAction() &&
        zoomGroup_->checkedAction()->data().toInt() != percent)
        zoomGroup_->checkedAction()->setChecked(false);
    ZoomBtn->setText(QString::number(percent) + QLatin1Char('%'));
}

void TvlPreviewForm::ScrollToCurrentPage() {
    if (!hasPages()) return;
    SetVerticalPosition(shownPages_->PageAt(currentPage_ - 1).ScreenRect.Top -
                        preview_layout::kGap);
}

void TvlPreviewForm::SetVerticalPosition(int value) {
    value = std::clamp(value, 0, VScrollBar->maximum());
    if (VScrollBar->value() != value) {
        VScrollBar->setValue(value); // comes back here through valueChanged
        return;
    }
    if (value == oldVertical_ || settingScroll_) {
        oldVertical_ = value;
        scrollY_ = -value;
        return;
    }
    const int delta = oldVertical_ - value;
    oldVertical_ = value;
    scrollY_ = -value;
    if (paintEnabled_)
        PBox->scroll(0, delta);
    else
        PBox->update();
    updateCurrentFromScroll();
}

void TvlPreviewForm::SetHorizontalPosition(int value) {
    value = std::clamp(value, 0, HScrollBar->maximum());
    if (HScrollBar->value() != value) {
        HScrollBar->setValue(value);
        return;
    }
    if (value == oldHorizontal_ || settingScroll_) {
        oldHorizontal_ = value;
        scrollX_ = -value;
        return;
    }
    const int delta = oldHorizontal_ - value;
    oldHorizontal_ = value;
    scrollX_ = -value;
    if (paintEnabled_)
        PBox->scroll(delta, 0);
    else
        PBox->update();
}

void TvlPreviewForm::updateCurrentFromScroll() {
    if (!hasPages()) return;
    std::vector<TvlRect> rects;
    rects.reserve(static_cast<std::size_t>(PageCount()));
    for (int i = 0; i < PageCount(); ++i)
        rects.push_back(shownPages_->PageAt(i).ScreenRect);
    const int page = preview_layout::PageAtViewTop(rects, -scrollY_);
    if (page >= 0) currentPage_ = page + 1;
    UpdatePageStatus();
}

void TvlPreviewForm::UpdatePageStatus() {
    if (!hasPages()) {
        Label1->clear();
        return;
    }
    if (PageChanged) PageChanged(currentPage_);
    Label1->setText(ResourceText(text_id::kPage) + QLatin1Char(' ') +
                    QString::number(currentPage_) + QLatin1Char('/') +
                    QString::number(PageCount()));
}

void TvlPreviewForm::GoToPage(int n) {
    if (n < 1 || n > PageCount()) return;
    currentPage_ = n;
    UpdatePageStatus();
    ScrollToCurrentPage();
}

void TvlPreviewForm::SetZoomPercent(double percent) {
    scale_ = preview_layout::BoundedScale(percent / 100);
    zoomMode_ = pzDefault;
    engine().preview().lastScale = scale_;
    engine().preview().lastZoomMode = pzDefault;
    Relayout();
    markZoomEntry();
    PBox->update();
}

void TvlPreviewForm::setFitMode(TvlPreviewZoom mode) {
    zoomMode_ = mode;
    engine().preview().lastZoomMode = mode;
    Relayout();
    markZoomEntry();
    PBox->update();
}

void TvlPreviewForm::ChooseZoom(int value) {
    if (!hasPages()) return;
    scrollX_ = 0;
    if (value >= 1 && value <= 3) {
        zoomMode_ = static_cast<TvlPreviewZoom>(value);
    } else {
        zoomMode_ = pzDefault;
        scale_ = preview_layout::BoundedScale(value / 100.0);
    }
    markZoomEntry();
    {
        const ScopedValue quiet(settingScroll_, true);
        HScrollBar->setValue(0);
    }
    scrollX_ = oldHorizontal_ = 0;
    Relayout();
    engine().preview().lastScale = scale_;
    engine().preview().lastZoomMode = zoomMode_;
    PBox->update();
}

void TvlPreviewForm::PopupZoomMenu(const QPoint& globalPos, bool withPageEditing) {
    if (!hasPages()) return;
    const bool editing = withPageEditing && shownReport_ && shownReport_->ModifyPrepared;
    for (QAction* a : ProcMenu->actions())
        if (a->objectName() == QLatin1String("EditSeparator")) a->setVisible(editing);
    EditPageItem->setVisible(editing);
    AddPageItem->setVisible(editing);
    DeletePageItem->setVisible(editing);
    EditPageItem->setEnabled(designerPresent());
    DeletePageItem->setEnabled(PageCount() > 1);
    ProcMenu->popup(globalPos);
}

TvlEngine& TvlPreviewForm::engine() const {
    return shownReport_ ? shownReport_->Engine() : madeIn_;
}

bool TvlPreviewForm::designerPresent() const {
    return static_cast<bool>(engine().preview().editPreparedPage);
}

void TvlPreviewForm::SetEmbedded(bool embedded) {
    embedded_ = embedded;
}

// Painting.

void TvlPreviewForm::PaintPages(QPainter& painter, const QRegion& region) {
    if (!paintEnabled_) return;
    const QRect area = PBox->rect();
    if (!hasPages()) {
        painter.fillRect(area, palette().button());
        if (!lentView_.isNull()) painter.drawPixmap(0, 0, lentView_);
        return;
    }
    const int count = PageCount();
    std::vector<QRect> shifted(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        PreparedPage& page = shownPages_->PageAt(i);
        const TvlRect& s = page.ScreenRect;
        const QRect r(s.Left + scrollX_, s.Top + scrollY_, s.width(), s.height());
        shifted[static_cast<std::size_t>(i)] = r;
        // Pages below the view or above it are not drawn and hold no objects.
        const bool outside = r.top() > std::max(2000, area.height()) || r.bottom() < 0;
        page.Shown = !outside && region.intersects(r.adjusted(0, 0, 1, 1));
    }
    painter.fillRect(area, QColor(128, 128, 128));
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    for (int i = 0; i < count; ++i) {
        if (!shownPages_->PageAt(i).Shown) continue;
        const QRect& r = shifted[static_cast<std::size_t>(i)];
        painter.drawRect(r);
        painter.drawLine(r.left() + 1, r.bottom() + 1, r.right() + 1, r.bottom() + 1);
        painter.drawLine(r.right() + 1, r.bottom() + 1, r.right() + 1, r.top() + 1);
    }
    for (int i = 0; i < count; ++i) {
        PreparedPage& page = shownPages_->PageAt(i);
        if (!page.Shown) {
            shownPages_->DrawPage(i, nullptr, {});
            continue;
        }
        const QRect& r = shifted[static_cast<std::size_t>(i)];
        TvlRect target{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
        if (!page.PaperCoordinates) {
            const PageMetrics& m = page.Metrics;
            const int left = Nearest((m.PixelOffsetX + page.LeftMargin) * scale_) + r.left();
            const int top = Nearest((m.PixelOffsetY + page.TopMargin) * scale_) + r.top();
            target = {
                left, top,
                left + Nearest((m.PixelPrintWidth - page.LeftMargin - page.RightMargin) * scale_),
                top + Nearest((m.PixelPrintHeight - page.TopMargin - page.BottomMargin) * scale_)};
        }
        painter.save();
        painter.setClipRect(r.adjusted(1, 1, 0, 0));
        try {
            shownPages_->DrawPage(i, &painter, target);
        } catch (const std::exception&) {
            // a damaged page shows what could be drawn of it
        }
        painter.restore();
    }
    if (showHit_ && search_.Page < count && shownPages_->PageAt(search_.Page).Shown) {
        // the hit inverted: white paper turns black and black text white
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(HitOnScreen().translated(scrollX_, scrollY_), Qt::white);
        painter.restore();
    }
}

QRect TvlPreviewForm::HitOnScreen() const {
    if (!hasPages() || search_.Page >= PageCount()) return {};
    const TvlRect& page = shownPages_->PageAt(search_.Page).ScreenRect;
    const QRect& hit = search_.HitRect;
    return {Nearest(hit.left() * scale_) + page.Left, Nearest(hit.top() * scale_) + page.Top,
            Nearest(hit.width() * scale_) + 1, Nearest(hit.height() * scale_) + 1};
}

int TvlPreviewForm::PageAtPoint(QPoint p) const {
    const QPoint unscrolled = p - QPoint(scrollX_, scrollY_);
    for (int i = 0; i < PageCount(); ++i) {
        const TvlRect& r = shownPages_->PageAt(i).ScreenRect;
        if (unscrolled.x() >= r.Left && unscrolled.x() < r.Right && unscrolled.y() >= r.Top &&
            unscrolled.y() < r.Bottom)
            return i;
    }
    return -1;
}

} // namespace vl
