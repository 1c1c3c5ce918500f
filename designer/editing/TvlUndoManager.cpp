#include "designer/editing/TvlUndoManager.h"

#include "designer/editing/PageSelection.h"
#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/DesignerSession.h"
#include "designer/workspace/DesignerSettings.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/model/ViewState.h"

#include <algorithm>
#include <unordered_map>

namespace vl {

namespace {

// Whether a snapshot of this kind records the object. Objects that the
// delete keeps are left out of its step, so undoing it brings back only
// what was deleted.
bool recorded(const TvlView& view, TvlSnapshotKind kind, const TvlObjectSelection& selection) {
    if (view.Flags & ofNoUndo) return false;
    if (kind == skOrder) return true;
    if (!selection.contains(view)) return false;
    return kind != skDelete || !(view.Restrictions & rsNoDelete);
}

bool keepsCopy(TvlSnapshotKind kind) {
    return kind == skDelete || kind == skChange;
}

TvlUndoNode nodeOf(TvlView& view, int index, TvlSnapshotKind kind) {
    TvlUndoNode node;
    // Objects made without the factory have no sequence number yet; undo
    // finds objects by it.
    if (view.ID == 0) view.ID = ++view.viewState().sequence;
    node.sequence = view.ID;
    node.index = index;
    if (keepsCopy(kind)) node.copy = TvlObjectRecord(view);
    return node;
}

// Where each object of the page stands, by sequence number: a step of a
// large selection looks every object up once.
std::unordered_map<std::int32_t, int> indexBySequence(const TvlPage& page) {
    std::unordered_map<std::int32_t, int> index;
    index.reserve(page.Objects.size());
    for (std::size_t i = 0; i < page.Objects.size(); ++i)
        index.emplace(page.Objects[i]->ID, static_cast<int>(i));
    return index;
}

int find(const std::unordered_map<std::int32_t, int>& index, std::int32_t sequence) {
    const auto found = index.find(sequence);
    return found == index.end() ? -1 : found->second;
}

void sortByIndex(std::vector<TvlUndoNode>& nodes) {
    std::stable_sort(nodes.begin(), nodes.end(),
                     [](const TvlUndoNode& a, const TvlUndoNode& b) { return a.index < b.index; });
}

} // namespace

TvlUndoManager::TvlUndoManager(TvlDesignerHost& host, const TvlSurfaceHooks& hooks)
    : host_(host), hooks_(hooks), undo_(host.session().undo), redo_(host.session().redo) {}

void TvlUndoManager::notify() const {
    if (changed_) changed_();
}

void TvlUndoManager::TakeSnapshot(TvlSnapshotKind kind) {
    if (host_.settings().disableUndo) {
        host_.setModified(true);
        return;
    }
    clearRedo();
    TvlPage* page = host_.currentPage();
    TvlUndoEntry entry;
    entry.kind = kind;
    entry.page = host_.currentPageIndex();
    if (page) {
        for (std::size_t i = 0; i < page->Objects.size(); ++i) {
            TvlView& view = *page->Objects[i];
            if (recorded(view, kind, host_.session().selected))
                entry.nodes.push_back(nodeOf(view, static_cast<int>(i), kind));
        }
    }
    if (entry.nodes.empty()) {
        host_.setModified(true);
        return;
    }
    addEntry(undo_, std::move(entry));
}

void TvlUndoManager::addEntry(TvlUndoList& list, TvlUndoEntry entry) {
    list.add(std::move(entry));
    host_.setModified(true);
    notify();
}

void TvlUndoManager::Undo() {
    UndoStep(undo_, redo_);
}

void TvlUndoManager::Redo() {
    UndoStep(redo_, undo_);
}

void TvlUndoManager::UndoStep(TvlUndoList& from, TvlUndoList& to) {
    TvlPage* page = host_.currentPage();
    if (from.empty() || !page || from.last().page != host_.currentPageIndex()) return;
    addEntry(to, inverseOf(from.last(), *page));
    const TvlUndoEntry entry = from.takeLast();
    // An order step keeps the selection; the others select what they put
    // back or changed, so that the user sees it and can go on with it.
    const TvlObjectSelection kept = host_.session().selected;
    host_.selection().object = nullptr;
    host_.unselectAll();
    apply(entry, *page);
    if (entry.kind == skOrder) host_.session().selected = kept;
    host_.selectionChanged();
    hooks_.recomputeSelectionBox();
    hooks_.redraw();
    notify();
}

TvlUndoEntry TvlUndoManager::inverseOf(const TvlUndoEntry& entry, TvlPage& page) const {
    TvlUndoEntry inverse;
    inverse.page = entry.page;
    switch (entry.kind) {
    case skInsert:
        inverse.kind = skDelete;
        break;
    case skDelete:
        inverse.kind = skInsert;
        break;
    default:
        inverse.kind = entry.kind;
        break;
    }
    const auto index = indexBySequence(page);
    for (const TvlUndoNode& node : entry.nodes) {
        if (entry.kind == skDelete) {
            TvlUndoNode back;
            back.sequence = node.sequence;
            back.index = node.index;
            inverse.nodes.push_back(std::move(back));
            continue;
        }
        const int at = find(index, node.sequence);
        if (at < 0) continue;
        TvlView& view = *page.Objects[static_cast<std::size_t>(at)];
        inverse.nodes.push_back(nodeOf(view, at, inverse.kind));
    }
    sortByIndex(inverse.nodes);
    return inverse;
}

void TvlUndoManager::apply(const TvlUndoEntry& entry, TvlPage& page) const {
    if (entry.kind == skChange) {
        applyChange(entry, page);
        return;
    }
    auto& objects = page.Objects;
    for (const TvlUndoNode& node : entry.nodes) {
        if (entry.kind == skDelete) {
            std::unique_ptr<TvlView> view = node.copy.create(page.Engine().model());
            if (!view) continue;
            host_.session().selected.select(*view);
            const auto at = static_cast<std::size_t>(
                std::clamp<int>(node.index, 0, static_cast<int>(objects.size())));
            objects.insert(objects.begin() + static_cast<std::ptrdiff_t>(at), std::move(view));
            continue;
        }
        const int index = IndexOfSequence(page, node.sequence);
        if (index < 0) continue;
        const auto from = objects.begin() + index;
        if (entry.kind == skInsert) {
            objects.erase(from);
        } else {
            std::unique_ptr<TvlView> view = std::move(*from);
            objects.erase(from);
            const auto at = static_cast<std::size_t>(
                std::clamp<int>(node.index, 0, static_cast<int>(objects.size())));
            objects.insert(objects.begin() + static_cast<std::ptrdiff_t>(at), std::move(view));
        }
    }
}

// Objects are found by their sequence number, which undo keeps across
// deletes and re-inserts: an index could name another object after changes
// that take no snapshot.
void TvlUndoManager::applyChange(const TvlUndoEntry& entry, TvlPage& page) const {
    const auto index = indexBySequence(page);
    for (const TvlUndoNode& node : entry.nodes) {
        const int at = find(index, node.sequence);
        if (at < 0) continue;
        TvlView& view = *page.Objects[static_cast<std::size_t>(at)];
        node.copy.restoreInto(view);
        host_.session().selected.select(view);
    }
}

void TvlUndoManager::clear() {
    clearUndo();
    clearRedo();
}

void TvlUndoManager::clearUndo() {
    if (undo_.empty()) return;
    undo_.clear();
    notify();
}

void TvlUndoManager::clearRedo() {
    if (redo_.empty()) return;
    redo_.clear();
    notify();
}

} // namespace vl
