#include "designer/window/TvlDesignerForm.h"

#include "designer/editors/TvlDesignerEditors.h"
#include "designer/window/DesignerActions.h"
#include "designer/window/DesignerParts.h"
#include "designer/window/DesignerTabBar.h"
#include "designer/window/DialogPageWindow.h"
#include "designer/window/ObjectMenu.h"
#include "designer/window/PageCommands.h"
#include "designer/window/TvlDesigner.h"
#include "designer/workspace/TvlDesignerPage.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlGraphic.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/model/ViewState.h"
#include "engine/output/preview/GreyButtons.h"
#include "engine/script/CodePage.h"
#include "engine/script/FormSettings.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/UiService.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

namespace vl {

namespace {

constexpr const char* kFormClass = "TvlDesignerForm";
constexpr int kCaptionId = 53080;
constexpr int kUntitledId = 55209;
constexpr int kSaveChangesId = 55306;
constexpr int kToId = 55336;
constexpr int kConfirmId = 55006;
constexpr int kErrorId = 55206;
constexpr int kYesNoCancelQuestion = 0x03 | 0x20;
constexpr int kIconError = 0x10;
constexpr int kModalYes = 6;
constexpr int kModalNo = 7;

void ShowError(TvlReport& report, const std::string& message) {
    report.Engine().uiService().messageBox(message, LoadResString(kErrorId), kIconError);
}

} // namespace

TvlDesignerForm::TvlDesignerForm(TvlReport& report, bool pageEditMode, QWidget* parent,
                                 TvlDesignerSession* session)
    : QMainWindow(parent), ownSession_(session ? nullptr : std::make_unique<TvlDesignerSession>()),
      session_(session ? *session : *ownSession_), report_(report), pageEditMode_(pageEditMode) {
    setObjectName(QString::fromLatin1(kFormClass));
    setAttribute(Qt::WA_DeleteOnClose, false);
    actions_ = new TvlDesignerActions(this);
    createWorkspace();
    createToolbars();
    createMenus();
    connectCommands();
    editors_ = std::make_unique<TvlDesignerEditors>(*this, this, settings_.syntaxHighlight);
    session_.hooks.push(report_.Engine().views(), *this);
    // the program's options as its designer holds them now
    const TvlDesigner* designer = TvlDesigner::Current();
    parts_ = std::make_unique<TvlDesignerParts>(*this, designer ? designer->options()
                                                                : TvlDesignerOptions{});
    qApp->installEventFilter(this);
    updateCaption();
}

TvlDesignerForm::~TvlDesignerForm() {
    qApp->removeEventFilter(this);
    parts_->clearUndo();
    if (!firstShow_) parts_->windowClosing();
    parts_.reset();
    saveSettings();
    // the report keeps the name the template was last saved or opened under
    if (!pageEditMode_ && !firstShow_) report_.FileName = FromQt(documentName_);
    closeDialogPageWindow();
    session_.hooks.remove(*this);
    TvlViewState& views = report_.Engine().views();
    if (views.designerPage == page_) views.designerPage = nullptr;
}

int TvlDesignerForm::exec() {
    QEventLoop loop;
    loop_ = &loop;
    modalResult_ = 0;
    setWindowModality(Qt::ApplicationModal);
    showMaximized();
    loop.exec(QEventLoop::DialogExec);
    loop_ = nullptr;
    return modalResult_;
}

void TvlDesignerForm::exit() {
    modalResult_ = kExitResult;
    if (!close()) modalResult_ = 0;
}

void TvlDesignerForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (firstShow_) {
        firstShow_ = false;
        firstShow();
    }
    parts_->announceShown();
}

void TvlDesignerForm::firstShow() {
    applyPageEditMode();
    loadSettings();
    parts_->clearUndo();
    setModified(false);
    TvlNewObjectSettings& newObject = session_.newObject;
    const QStringList families = QFontDatabase::families();
    // Arial also counts when its metric twin is there to stand in for it
    const bool arial = families.contains(QStringLiteral("Arial")) ||
                       families.contains(QStringLiteral("Liberation Sans"));
    newObject.fontName =
        arial || families.isEmpty() ? std::string("Arial") : FromQt(families.front());
    newObject.fontSize = 10;
    selectPage(0);
    documentName_ = pageEditMode_ || report_.FileName.empty() ? DesignerText(kUntitledId)
                                                              : ToQt(report_.FileName);
    updateCaption();
    unselectAll();
    selectTool(dtSelect);
    updateCommandState();
    updateStatus();
    placeSurface();
    parts_->windowShown();
}

void TvlDesignerForm::closeEvent(QCloseEvent* event) {
    if (!closeQuestion()) {
        event->ignore();
        return;
    }
    if (modalResult_ == 0) modalResult_ = kCloseResult;
    event->accept();
    if (loop_) loop_->exit(modalResult_);
}

bool TvlDesignerForm::closeQuestion() {
    if (pageEditMode_ || !modified() || !parts_->options().CloseQuery) return true;
    const std::string name = FromQt(QFileInfo(documentName_).fileName());
    const std::string question =
        LoadResString(kSaveChangesId) + " " + LoadResString(kToId) + " " + name + "?";
    const int answer = report_.Engine().uiService().messageBox(question, LoadResString(kConfirmId),
                                                               kYesNoCancelQuestion);
    if (answer == kModalNo) {
        modalResult_ = kCloseResult;
        return true;
    }
    if (answer == kModalYes) return saveDocument();
    return false;
}

bool TvlDesignerForm::saveDocument() {
    try {
        return parts_->saveDocument();
    } catch (const std::exception& error) {
        // the window stays open with the template unsaved
        ShowError(report_, error.what());
        return false;
    }
}

void TvlDesignerForm::setDocumentName(const QString& name) {
    documentName_ = name;
    updateCaption();
}

void TvlDesignerForm::showError(const std::string& message) {
    ShowError(report_, message);
}

void TvlDesignerForm::applySettings(const TvlDesignerSettings& settings) {
    settings_ = settings;
    actions_->gridButton->setChecked(settings_.gridShow);
    actions_->gridAlignButton->setChecked(settings_.gridAlign);
    status_->setUnits(settings_.units);
    editors_->setSyntaxHighlight(settings_.syntaxHighlight);
    applyGreyButtons(settings_.grayButtons);
    report_.Engine().views().showBandTitles = settings_.bandTitles;
    placeSurface();
    updateStatus();
    redrawPage();
}

// Grey toolbar buttons take their colours while the mouse is over them.
void TvlDesignerForm::applyGreyButtons(bool grey) {
    for (QToolBar* bar :
         {standardBar_, textBar_, rectangleBar_, objectsBar_, alignmentBar_, toolsBar_})
        for (QToolButton* button : bar->findChildren<QToolButton*>())
            // the toolbar's own overflow arrow is no command
            if (button->objectName() != QLatin1String("qt_toolbar_ext_button"))
                SetButtonGrey(*button, grey);
}

bool TvlDesignerForm::modified() const {
    return modified_;
}

void TvlDesignerForm::setModified(bool modified) {
    modified_ = modified;
    for (QAction* save : {actions_->saveButton, actions_->saveEntry})
        save->setEnabled(modified);
}

void TvlDesignerForm::updateCaption() {
    QString caption = DesignerText(kCaptionId);
    if (!documentName_.isEmpty())
        caption += QStringLiteral(" - ") + QFileInfo(documentName_).fileName();
    setWindowTitle(caption);
}

void TvlDesignerForm::loadSettings() {
    settings_.load(QString::fromLatin1(kFormClass));
    auto stored = OpenFormSettings(QString::fromLatin1(kFormClass));
    restoreState(stored->value(QStringLiteral("Toolbars")).toByteArray());
    actions_->gridButton->setChecked(settings_.gridShow);
    actions_->gridAlignButton->setChecked(settings_.gridAlign);
    status_->setUnits(settings_.units);
    editors_->setSyntaxHighlight(settings_.syntaxHighlight);
    applyGreyButtons(settings_.grayButtons);
    report_.Engine().views().showBandTitles = settings_.bandTitles;
    // bars without buttons (the formatting bars until their controls are
    // added) stay out of the way
    for (QToolBar* bar : {textBar_, rectangleBar_, alignmentBar_, toolsBar_})
        if (bar->actions().isEmpty()) bar->hide();
}

void TvlDesignerForm::saveSettings() {
    settings_.save(QString::fromLatin1(kFormClass));
    // the "Tools" bar of page editing holds nothing worth remembering
    if (pageEditMode_) return;
    auto stored = OpenFormSettings(QString::fromLatin1(kFormClass));
    stored->setValue(QStringLiteral("Toolbars"), saveState());
}

void TvlDesignerForm::selectPage(int index) {
    if (index < 0 || index >= report_.Pages().Count()) return;
    pageIndex_ = index;
    page_ = &report_.Pages()[index];
    report_.Engine().views().designerPage = page_;
    closeDialogPageWindow();
    if (page_->PageType == ptDialog) openDialogPageWindow();
    workspace_->horizontalScrollBar()->setValue(0);
    workspace_->verticalScrollBar()->setValue(0);
    placeSurface();
    updateTabs();
    unselectAll();
    updateCommandState();
    updateStatus();
    surface_->sortBands();
    surface_->redrawPage();
}

void TvlDesignerForm::openDialogPageWindow() {
    showObjectTools(false);
    dialogWindow_ = std::make_unique<TvlDialogPageWindow>(*page_, this);
    dialogWindow_->onGeometryStored = [this] { setModified(true); };
    surface_->setAutoFillBackground(true);
    dialogWindow_->placeSurface(surface_);
    if (isVisible()) dialogWindow_->show();
}

void TvlDesignerForm::closeDialogPageWindow() {
    if (!dialogWindow_) return;
    surface_->setParent(canvas_);
    surface_->show();
    dialogWindow_.reset();
    showObjectTools(true);
}

void TvlDesignerForm::placeSurface() {
    if (!page_) return;
    if (dialogWindow_) {
        surface_->placeOnWorkspace(dialogWindow_->size());
        // nothing left to scroll over in the workspace
        canvas_->resize(workspace_->viewport()->size());
        return;
    }
    const QSize client = workspace_->viewport()->size();
    surface_->placeOnWorkspace(client);
    canvas_->resize(client.expandedTo(surface_->workspaceExtent()));
}

void TvlDesignerForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    workspace_->horizontalScrollBar()->setValue(0);
    workspace_->verticalScrollBar()->setValue(0);
    placeSurface();
}

void TvlDesignerForm::updateTabs() {
    const QSignalBlocker quiet(tabs_);
    const int pages = report_.Pages().Count();
    if (tabs_->count() != pages) {
        while (tabs_->count() > 0)
            tabs_->removeTab(0);
        for (int i = 0; i < pages; ++i)
            tabs_->addTab(ToQt(PageTitle(report_, i)));
    } else {
        for (int i = 0; i < pages; ++i)
            if (const QString title = ToQt(PageTitle(report_, i)); tabs_->tabText(i) != title)
                tabs_->setTabText(i, title);
    }
    tabs_->setCurrentIndex(pageIndex_);
}

void TvlDesignerForm::pagesChanged() {
    updateTabs();
}

void TvlDesignerForm::movePage(int from, int to) {
    const int pages = report_.Pages().Count();
    if (from == to || from < 0 || to < 0 || from >= pages || to >= pages) return;
    MoveReportPage(report_, from, to);
    // the moved page stays on the surface and current at its new index
    if (pageIndex_ == from) pageIndex_ = to;
    updateTabs();
    parts_->clearUndo();
    setModified(true);
    redrawPage();
}

TvlView* TvlDesignerForm::singleSelected() const {
    return page_ ? session_.selected.onlyIn(*page_) : nullptr;
}

void TvlDesignerForm::unselectAll() {
    session_.selected.clear();
    selection_.count = 0;
    selection_.object = nullptr;
}

void TvlDesignerForm::refreshSelection() {
    selection_.count = page_ ? session_.selected.countIn(*page_) : 0;
    selection_.object = singleSelected();
}

int TvlDesignerForm::selectionState() const {
    return SelectionState(page_, session_.selected, !session_.clipboard.empty());
}

void TvlDesignerForm::updateCommandState() {
    const int s = selectionState();
    const bool reportPage = page_ && page_->PageType == ptReport;
    for (QAction* action : rectangleBar_->actions())
        TvlDesignerActions::enable(action, (s & (ssText | ssOther | ssSeveral)) && reportPage);
    for (QAction* action : textBar_->actions())
        TvlDesignerActions::enable(action, s & (ssText | ssSeveral));
    TvlDesignerActions::enable(actions_->zOrder(), s & (ssBand | ssText | ssOther | ssSeveral));
    TvlDesignerActions::enable(actions_->cutCopy(), s & (ssBand | ssText | ssOther | ssSeveral));
    TvlDesignerActions::enable(actions_->pastes(), s & ssClipboard);
    TvlDesignerActions::enable(actions_->deletes(), s & (ssBand | ssText | ssOther | ssSeveral));
    TvlDesignerActions::enable(actions_->edits(), s & (ssBand | ssText | ssOther));
    // the last page cannot be removed
    const bool severalPages = report_.Pages().Count() > 1;
    for (QAction* action :
         {actions_->removePageButton, actions_->removePageEntry, actions_->removePageTab})
        TvlDesignerActions::enable(action, severalPages);
    // the window's parts are made after its actions, which enable first
    if (parts_) parts_->followSelectionState(s, reportPage);
    status_->update();
    status_->positionBox().update();
}

void TvlDesignerForm::selectionChanged() {
    refreshSelection();
    updateCommandState();
    if (parts_) parts_->showSelectionFormat();
    updateStatus();
    if (QWidget* focus = QApplication::focusWidget(); focus && focus->window() == this)
        focus->clearFocus();
}

TvlPositionInfo TvlDesignerForm::positionInfo() const {
    TvlPositionInfo info;
    const int units = settings_.units;
    const TvlView* single = selection_.count == 1 ? selection_.object : nullptr;
    info.showSize = selection_.count > 0 || selection_.tool != dtSelect;
    if (single) {
        info.position = PositionPair(single->Left, single->Top, units);
        info.size = PositionPair(single->Width, single->Height, units);
        if (auto* picture = dynamic_cast<const TvlPictureView*>(single);
            picture && !picture->Picture.empty()) {
            const QSize natural = picture->Picture.graphic()->size();
            if (natural.width() > 0 && natural.height() > 0)
                info.scale = QStringLiteral("% %1,%2")
                                 .arg(single->Width * 100 / natural.width())
                                 .arg(single->Height * 100 / natural.height());
        }
    } else if (selection_.count > 1 && selection_.boxValid) {
        info.position = PositionPair(selection_.box.left(), selection_.box.top(), units);
    } else if (selection_.count == 0) {
        const QRect& rubber = selection_.rubber;
        info.position = PositionPair(rubber.left(), rubber.top(), units);
        if (info.showSize) info.size = PositionPair(rubber.width(), rubber.height(), units);
    }
    return info;
}

void TvlDesignerForm::updateStatus() {
    if (parts_) parts_->fillInspector();
    status_->setUnits(settings_.units);
    status_->setSelectionText(SelectionStatusText(singleSelected()));
    status_->positionBox().setInfo(positionInfo());
}

void TvlDesignerForm::cycleUnits() {
    settings_.units = (settings_.units + 1) % 3;
    updateStatus();
}

void TvlDesignerForm::takeSnapshot(TvlSnapshotKind kind) {
    if (!settings_.disableUndo) parts_->takeSnapshot(kind);
    setModified(true);
}

void TvlDesignerForm::beforeChange() {
    takeSnapshot(skChange);
}

void TvlDesignerForm::afterChange() {
    redrawPage();
    updateStatus();
}

TvlDataDictionary& TvlDesignerForm::dictionary() {
    return report_.Dictionary();
}

void TvlDesignerForm::editProperty(TvlView& view, std::string_view propertyName) {
    editors_->editProperty(view, propertyName);
}

void TvlDesignerForm::editObject(bool withScript) {
    TvlView* view = singleSelected();
    if (!view) return;
    if (withScript) {
        if (!(view->Restrictions & rsNoEditScript) && editors_->editMemo(*view)) redrawPage();
        return;
    }
    if (view->Restrictions & rsNoEditContents) return;
    if (auto* sub = dynamic_cast<TvlSubReportView*>(view)) {
        selectPage(sub->SubPage);
        return;
    }
    try {
        if (view->Typ == otBand)
            editors_->editBand(*view);
        else
            view->OpenEditor();
    } catch (const std::exception& error) {
        ShowError(report_, error.what());
    }
    redrawPage();
    updateStatus();
}

void TvlDesignerForm::pageOptions() {
    if (parts_->pageOptions()) {
        placeSurface();
        redrawPage();
    }
}

void TvlDesignerForm::editPageScript() {
    parts_->editPageScript();
}

int TvlDesignerForm::chooseBandType() {
    // the template tells, not the build: SubReportPage is set only while building
    return editors_->chooseBandType(page_ && ShownBySubReport(report_, pageIndex_));
}

void TvlDesignerForm::showContextMenu(const QPoint& globalPos) {
    contextMenu_->clear();
    const TvlDesignerActions& a = *actions_;
    contextMenu_->addActions(
        {a.cutContext, a.copyContext, a.pasteContext, a.deleteContext, a.selectAllContext});
    contextMenu_->addSeparator();
    contextMenu_->addAction(a.editContext);
    if (TvlView* single = singleSelected(); single && page_) {
        TvlObjectMenu entries(*contextMenu_, *page_, session_.selected, *this, *this);
        entries.addEntriesFor(*single);
    }
    contextMenu_->popup(globalPos);
}

void TvlDesignerForm::selectTool(int tool) {
    selection_.tool = tool;
    if (tool == dtSelect) selection_.keepTool = false;
    for (QAction* action : actions_->toolActions)
        if (action->data().toInt() == tool) action->setChecked(true);
}

QSize TvlDesignerForm::workspaceSize() const {
    return workspace_->viewport()->size();
}

QPoint TvlDesignerForm::workspaceOffset() const {
    return {workspace_->horizontalScrollBar()->value(), workspace_->verticalScrollBar()->value()};
}

void TvlDesignerForm::scrollWorkspace(const QPoint& delta) {
    QScrollBar* h = workspace_->horizontalScrollBar();
    QScrollBar* v = workspace_->verticalScrollBar();
    h->setValue(h->value() + delta.x());
    v->setValue(v->value() + delta.y());
}

void TvlDesignerForm::redrawPage() {
    surface_->redrawPage();
}

void TvlDesignerForm::setGridShow(bool on) {
    settings_.gridShow = on;
    actions_->gridButton->setChecked(on);
    redrawPage();
}

void TvlDesignerForm::setGridAlign(bool on) {
    settings_.gridAlign = on;
    actions_->gridAlignButton->setChecked(on);
}

void TvlDesignerForm::setGridSize(int size) {
    settings_.gridSize = (size == 8 || size == 18) ? size : 4;
    redrawPage();
}

void TvlDesignerForm::selectByName(const std::string& name) {
    if (page_)
        if (TvlView* view = page_->FindObject(name)) {
            unselectAll();
            session_.selected.select(*view);
            selectionChanged();
            redrawPage();
            surface_->computeSelectionBox();
            updateStatus();
            return;
        }
    if (name.size() > 4 && QString::fromStdString(name.substr(0, 4))
                                   .compare(QStringLiteral("Page"), Qt::CaseInsensitive) == 0) {
        bool number = false;
        const int page = QString::fromStdString(name.substr(4)).toInt(&number);
        if (number) selectPage(page - 1);
    }
}

} // namespace vl
