#include "designer/window/ToolWindowPlacement.h"

#include "designer/dictionary/ToolWindowStacking.h"
#include "designer/inspector/TvlToolWindow.h"

#include <QEvent>
#include <QScrollArea>
#include <QWindow>
#include <algorithm>

namespace vl {

namespace {

// A window system may put a window a pixel or two off where it was asked.
constexpr int kTolerance = 3;
// Moves of a following window that do not bring it to its place before it
// gives up: a window system that places tool windows itself wins.
constexpr int kPlacingAttempts = 8;
// How long after a placement the moves of a window are the window system's.
constexpr int kSettlingMs = 1000;
// The stacking waits until the fields window stops moving.
constexpr int kStackDelayMs = 250;

bool near(const QPoint& a, const QPoint& b) {
    return std::abs(a.x() - b.x()) <= kTolerance && std::abs(a.y() - b.y()) <= kTolerance;
}

} // namespace

TvlToolWindowPlacement::TvlToolWindowPlacement(QWidget& designer, QScrollArea& workspace)
    : designer_(designer), workspace_(workspace) {
    designer_.installEventFilter(this);
    workspace_.viewport()->installEventFilter(this);
    stackTimer_.setSingleShot(true);
    stackTimer_.setInterval(kStackDelayMs);
    connect(&stackTimer_, &QTimer::timeout, this, [this] { stack(); });
}

TvlToolWindowPlacement::~TvlToolWindowPlacement() {
    designer_.removeEventFilter(this);
    workspace_.viewport()->removeEventFilter(this);
    if (QWindow* window = designer_.windowHandle()) window->removeEventFilter(this);
}

void TvlToolWindowPlacement::setFieldsWindow(TvlToolWindow* fields, bool besideThePage) {
    manage(fields_, fields, besideThePage);
}

void TvlToolWindowPlacement::setInspector(TvlToolWindow* inspector, bool besideThePage) {
    manage(inspector_, inspector, besideThePage);
}

void TvlToolWindowPlacement::manage(Managed& slot, TvlToolWindow* window, bool besideThePage) {
    slot = Managed{};
    slot.window = window;
    slot.following = besideThePage;
    if (window) window->installEventFilter(this);
}

TvlToolWindowPlacement::Managed* TvlToolWindowPlacement::managed(const QObject* window) {
    if (window && fields_.window == window) return &fields_;
    if (window && inspector_.window == window) return &inspector_;
    return nullptr;
}

bool TvlToolWindowPlacement::watchedToolWindow(const QObject* watched) const {
    for (const Managed* slot : {&fields_, &inspector_})
        if (slot->window && watched == slot->window->windowHandle()) return true;
    return false;
}

bool TvlToolWindowPlacement::designerOnScreen() const {
    const QWindow* window = designer_.windowHandle();
    return window && window->isExposed();
}

void TvlToolWindowPlacement::show(TvlToolWindow& window) {
    Managed* slot = managed(&window);
    if (!slot) {
        window.show();
        return;
    }
    if (designerOnScreen()) {
        slot->pending = false;
        showNow(*slot);
        placeFollowers();
        return;
    }
    slot->pending = true;
    if (QWindow* handle = designer_.windowHandle()) {
        // once only, however many windows wait
        handle->removeEventFilter(this);
        handle->installEventFilter(this);
    }
}

void TvlToolWindowPlacement::hide(TvlToolWindow& window) {
    if (Managed* slot = managed(&window)) slot->pending = false;
    window.hide();
}

bool TvlToolWindowPlacement::showing(const TvlToolWindow& window) const {
    for (const Managed* slot : {&fields_, &inspector_})
        if (slot->window == &window) return slot->pending || window.isVisible();
    return window.isVisible();
}

void TvlToolWindowPlacement::designerAppeared() {
    for (Managed* slot : {&fields_, &inspector_}) {
        if (!slot->pending || !slot->window) continue;
        slot->pending = false;
        showNow(*slot);
    }
    placeFollowers();
}

void TvlToolWindowPlacement::showNow(Managed& slot) {
    slot.window->show();
    // Its frame is known once it is on the screen: a following window is
    // placed again then, by its frame.
    if (QWindow* handle = slot.window->windowHandle(); handle && slot.following) {
        handle->removeEventFilter(this);
        handle->installEventFilter(this);
    }
}

QRect TvlToolWindowPlacement::workspaceArea() const {
    // the page's view, without the scroll bars
    const QWidget& view = *workspace_.viewport();
    return QRect(view.mapToGlobal(QPoint(0, 0)), view.size());
}

void TvlToolWindowPlacement::placeFollowers() {
    const QRect area = workspaceArea();
    int top = area.top();
    if (fields_.window && fields_.following && fields_.window->isVisible()) {
        const QRect frame = fields_.window->frameGeometry();
        // the inspector under it keeps at least four captions' height
        const int height = std::clamp(frame.height(), TvlToolWindow::kRolledUpHeight,
                                      std::max(TvlToolWindow::kRolledUpHeight,
                                               area.height() - 4 * TvlToolWindow::kRolledUpHeight));
        placeAt(fields_, QRect(area.right() + 1 - frame.width(), top, frame.width(), height));
        top += height;
    }
    if (inspector_.window && inspector_.following && inspector_.window->isVisible()) {
        const QRect frame = inspector_.window->frameGeometry();
        const int room = std::max(TvlToolWindow::kRolledUpHeight, area.bottom() + 1 - top);
        const int height = inspector_.window->isRolledUp() ? frame.height()
                           : top > area.top()              ? room
                                                           : std::min(frame.height(), room);
        placeAt(inspector_, QRect(area.right() + 1 - frame.width(), top, frame.width(), height));
    }
}

void TvlToolWindowPlacement::placeAt(Managed& slot, const QRect& frame) {
    TvlToolWindow& window = *slot.window;
    // what the window system adds around the window
    const QSize decoration = window.frameGeometry().size() - window.size();
    slot.target = frame.topLeft();
    slot.sincePlaced.start();
    placing_ = true;
    window.move(frame.topLeft());
    window.resize(frame.size() - decoration);
    placing_ = false;
}

void TvlToolWindowPlacement::windowMoved(Managed& slot) {
    if (placing_ || !slot.window || !slot.window->isVisible()) return;
    const bool atTarget = near(slot.window->frameGeometry().topLeft(), slot.target);
    if (atTarget) slot.attempts = 0;
    if (slot.following && !atTarget) {
        // Soon after a placement the window system is still showing,
        // framing or placing the window, and reports positions it had on
        // the way: put it back, a few times. Later it was the user who
        // moved it, and it stays where it is.
        if (slot.sincePlaced.elapsed() < kSettlingMs && ++slot.attempts <= kPlacingAttempts)
            placeFollowers();
        else
            slot.following = false;
    }
    if (slot.following) return;
    if (&slot == &fields_ && inspector_.window && inspector_.window->isVisible())
        stackTimer_.start();
}

void TvlToolWindowPlacement::stack() {
    if (!fields_.window || !inspector_.window) return;
    if (!fields_.window->isVisible() || !inspector_.window->isVisible()) return;
    const QRect area = workspaceArea();
    const auto stacked =
        StackToolWindows(fields_.window->frameGeometry(), inspector_.window->frameGeometry(),
                         area.top(), area.bottom() + 1, inspector_.window->isRolledUp());
    if (!stacked) return;
    placeAt(fields_, stacked->fields);
    placeAt(inspector_, stacked->inspector);
}

bool TvlToolWindowPlacement::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == designer_.windowHandle() && type == QEvent::Expose) {
        if (designerOnScreen()) {
            watched->removeEventFilter(this);
            // after the window system's first paint of the designer
            QTimer::singleShot(0, this, [this] { designerAppeared(); });
        }
    } else if (type == QEvent::Expose && watchedToolWindow(watched)) {
        if (static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] { placeFollowers(); });
        }
    } else if ((watched == &designer_ && type == QEvent::Move) ||
               (watched == workspace_.viewport() && type == QEvent::Resize)) {
        placeFollowers();
    } else if (type == QEvent::Move || type == QEvent::Resize) {
        if (Managed* slot = managed(watched)) windowMoved(*slot);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vl
