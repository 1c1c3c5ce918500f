#include "designer/window/DesignerActions.h"
#include "designer/window/DesignerParts.h"
#include "designer/window/DesignerTabBar.h"
#include "designer/window/DialogPageWindow.h"
#include "designer/window/PageCommands.h"
#include "designer/window/TvlDesignerForm.h"
#include "designer/workspace/TvlDesignerPage.h"
#include "engine/build/TvlEngine.h"
#include "engine/output/preview/ReportPreview.h"
#include "engine/output/preview/TvlHelpWindow.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScrollArea>
#include <QUrl>
#include <QWhatsThis>
#include <QWheelEvent>

namespace vl {

namespace {

constexpr int kAnySelected = ssBand | ssText | ssOther | ssSeveral;
constexpr int kOneSelected = ssBand | ssText | ssOther;
constexpr int kPageStep = 200;
constexpr int kWheelStep = 8;

bool IsArrow(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

// Keys typed into a text box of a toolbar stay with that box.
bool TypingInto(QObject* widget) {
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->isEditable();
    return qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget);
}

bool IsFormatKey(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers != Qt::ControlModifier) return false;
    return (key >= Qt::Key_1 && key <= Qt::Key_9) || key == Qt::Key_F || key == Qt::Key_D ||
           key == Qt::Key_B || key == Qt::Key_I || key == Qt::Key_U;
}

} // namespace

void TvlDesignerForm::connectCommands() {
    TvlDesignerActions& a = *actions_;
    const auto on = [this](QAction* action, auto slot) {
        connect(action, &QAction::triggered, this, slot);
    };
    for (QAction* action : {a.cutButton, a.cutEntry, a.cutContext})
        on(action, &TvlDesignerForm::cutSelection);
    for (QAction* action : {a.copyButton, a.copyEntry, a.copyContext})
        on(action, &TvlDesignerForm::copySelection);
    for (QAction* action : {a.pasteButton, a.pasteEntry, a.pasteContext})
        on(action, &TvlDesignerForm::pasteSelection);
    for (QAction* action : {a.deleteEntry, a.deleteContext})
        on(action, &TvlDesignerForm::deleteSelection);
    for (QAction* action : {a.selectAllButton, a.selectAllEntry, a.selectAllContext})
        on(action, &TvlDesignerForm::selectAll);
    for (QAction* action : {a.editEntry, a.editContext})
        connect(action, &QAction::triggered, this, [this] { editObject(false); });
    for (QAction* action : {a.frontButton, a.frontEntry})
        on(action, &TvlDesignerForm::bringToFront);
    for (QAction* action : {a.backButton, a.backEntry})
        on(action, &TvlDesignerForm::sendToBack);
    for (QAction* action : {a.exitButton, a.exitEntry})
        on(action, &TvlDesignerForm::exit);
    for (QAction* action : {a.saveButton, a.saveEntry})
        connect(action, &QAction::triggered, this, [this] { saveDocument(); });
    connect(a.gridButton, &QAction::toggled, this, &TvlDesignerForm::setGridShow);
    connect(a.gridAlignButton, &QAction::toggled, this, &TvlDesignerForm::setGridAlign);
    on(a.helpEntry, &TvlDesignerForm::showHelp);
    on(a.aboutEntry, &TvlDesignerForm::showAbout);
    for (QAction* action : {a.helpButton, a.helpToolEntry})
        connect(action, &QAction::triggered, this, [this] {
            actions_->helpButton->setChecked(false);
            QWhatsThis::enterWhatsThisMode();
        });
    for (QAction* action : a.toolActions)
        connect(action, &QAction::triggered, this, [this, action] {
            selection_.tool = action->data().toInt();
            // Shift keeps an insert tool chosen after its insert
            selection_.keepTool = selection_.tool != dtSelect &&
                                  QApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
        });
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (index != pageIndex_) selectPage(index);
    });
    connect(tabs_, &TvlDesignerTabBar::pageDropped, this, &TvlDesignerForm::movePage);
    connect(tabs_, &TvlDesignerTabBar::contextMenuWanted, this,
            [this](const QPoint& at) { tabMenu_->popup(at); });
    connect(status_, &TvlDesignerStatusBar::unitsCycled, this, &TvlDesignerForm::cycleUnits);
    connect(surface_, &TvlDesignerPage::geometryTracking, this, &TvlDesignerForm::updateStatus);
    // the "What's this" text of a button is its hint
    for (QAction* action : findChildren<QAction*>())
        if (action->whatsThis().isEmpty()) action->setWhatsThis(action->toolTip());
}

void TvlDesignerForm::deleteSelection() {
    if (!page_ || !(selectionState() & kAnySelected)) return;
    takeSnapshot(skDelete);
    DeleteSelectedObjects(*page_, session_.selected);
    updateTabs();
    unselectAll();
    selectionChanged();
    selection_.object = nullptr;
    redrawPage();
}

void TvlDesignerForm::cutSelection() {
    if (!page_ || !(selectionState() & kAnySelected)) return;
    copySelection();
    deleteSelection();
    selection_.object = nullptr;
    updateCommandState();
    updateStatus();
    redrawPage();
}

void TvlDesignerForm::copySelection() {
    if (!page_ || !(selectionState() & kAnySelected)) return;
    surface_->copySelection();
    updateCommandState();
}

void TvlDesignerForm::pasteSelection() {
    if (!page_ || session_.clipboard.empty()) return;
    surface_->pasteClipboard();
    refreshSelection();
    updateCommandState();
}

void TvlDesignerForm::selectAll() {
    if (!page_) return;
    selection_.count = SelectAllObjects(*page_, session_.selected);
    selection_.object = selection_.count == 1 ? page_->Objects.front().get() : nullptr;
    surface_->computeSelectionBox();
    selectionChanged();
    redrawPage();
}

void TvlDesignerForm::bringToFront() {
    if (!page_ || !(selectionState() & kAnySelected)) return;
    takeSnapshot(skOrder);
    BringSelectionToFront(*page_, session_.selected);
    surface_->sortBands();
    redrawPage();
}

void TvlDesignerForm::sendToBack() {
    if (!page_ || !(selectionState() & kAnySelected)) return;
    takeSnapshot(skOrder);
    SendSelectionToBack(*page_, session_.selected);
    surface_->sortBands();
    redrawPage();
}

bool TvlDesignerForm::handleKey(int key, Qt::KeyboardModifiers modifiers) {
    const int s = selectionState();
    const bool plain = modifiers == Qt::NoModifier;
    switch (key) {
    case Qt::Key_Escape:
        if (QApplication::mouseButtons() != Qt::NoButton) return false;
        selectTool(dtSelect);
        surface_->handleKey(key, modifiers);
        unselectAll();
        redrawPage();
        selectionChanged();
        return true;
    case Qt::Key_Delete:
        if (!(s & kAnySelected)) return false;
        if (modifiers.testFlag(Qt::ShiftModifier))
            cutSelection();
        else
            deleteSelection();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!(s & kOneSelected)) return false;
        editObject(modifiers.testFlag(Qt::ControlModifier));
        return true;
    case Qt::Key_F11:
        parts_->showInspector(true);
        return true;
    case Qt::Key_Insert:
        if (modifiers == Qt::NoModifier && page_ && page_->PageType == ptReport && !pageEditMode_) {
            parts_->showFieldsWindow(true);
            return true;
        }
        if (modifiers == Qt::ControlModifier && (s & kAnySelected)) {
            copySelection();
            return true;
        }
        if (modifiers == Qt::ShiftModifier && (s & ssClipboard)) {
            pasteSelection();
            return true;
        }
        return false;
    case Qt::Key_G:
        if (modifiers != Qt::ControlModifier) return false;
        setGridShow(!settings_.gridShow);
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (!plain) return false;
        scrollWorkspace({0, key == Qt::Key_PageUp ? -kPageStep : kPageStep});
        return true;
    default:
        break;
    }
    if (IsFormatKey(key, modifiers)) {
        const bool charKey = key == Qt::Key_B || key == Qt::Key_I || key == Qt::Key_U;
        if (!(s & (charKey ? kOneSelected : kAnySelected))) return false;
        return parts_->formatKey(key, modifiers);
    }
    if (IsArrow(key) && (s & kAnySelected)) {
        const bool used = surface_->handleKey(key, modifiers);
        if (used) {
            refreshSelection();
            updateCommandState();
            updateStatus();
        }
        return used;
    }
    return false;
}

bool TvlDesignerForm::acceptsKeysFrom(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || TypingInto(widget)) return false;
    QWidget* top = widget->window();
    return top == this || (dialogWindow_ && top == dialogWindow_.get());
}

bool TvlDesignerForm::wheelOverWorkspace(QEvent* event) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    const int notches = wheel->angleDelta().y() / 120;
    if (notches == 0) return false;
    scrollWorkspace({0, -notches * kWheelStep});
    return true;
}

bool TvlDesignerForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && watched == workspace_->viewport())
        return wheelOverWorkspace(event);
    if (event->type() != QEvent::KeyPress || !acceptsKeysFrom(watched))
        return QMainWindow::eventFilter(watched, event);
    // A key that nothing used travels on to the parents, which see it here
    // again and leave it alone again.
    auto* press = static_cast<QKeyEvent*>(event);
    int key = press->key();
    Qt::KeyboardModifiers modifiers =
        press->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier);
    if (dialogWindow_ && static_cast<QWidget*>(watched)->window() == dialogWindow_.get()) {
        if (key == Qt::Key_A && modifiers == Qt::ControlModifier) {
            selectAll();
            return true;
        }
        TvlDialogPageWindow::MapKey(key, modifiers);
    }
    return handleKey(key, modifiers) || QMainWindow::eventFilter(watched, event);
}

void TvlDesignerForm::showHelp() {
    TvlHelpWindow::Show(this, QStringLiteral("Editing templates"));
}

void TvlDesignerForm::showAbout() {
    QMessageBox about(QMessageBox::NoIcon, actions_->aboutEntry->text().remove(QLatin1Char('&')),
                      QStringLiteral("<h3>%1</h3><p>%2</p><p>%3</p>")
                          .arg(DesignerText(53080),
                               tr("Version %1").arg(QStringLiteral(VELLUM_VERSION)),
                               tr("The report designer of Vellum, a banded report engine.")),
                      QMessageBox::Ok, this);
    about.setObjectName(QStringLiteral("AboutBox"));
    about.setIconPixmap(windowIcon().pixmap(64, 64));
    // room for the text, whatever the style makes of a message box
    about.setStyleSheet(QStringLiteral("QLabel { min-width: 320px; }"));
    about.exec();
}

} // namespace vl
