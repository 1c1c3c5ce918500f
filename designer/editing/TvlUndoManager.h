#pragma once

#include "designer/editing/SurfaceHooks.h"
#include "designer/workspace/TvlUndoList.h"

#include <functional>

namespace vl {

class TvlPage;

// The designer's undo and redo. A snapshot records the selected objects
// (every object for an order step) before a change; undoing a step puts
// them back and records the inverse in the redo list, and the reverse for
// redo. Steps are made on one page and only act while that page is shown.
// The lists are the designer session's.
class TvlUndoManager {
public:
    TvlUndoManager(TvlDesignerHost& host, const TvlSurfaceHooks& hooks);

    // Records the state before a change of the given kind (an insert step
    // after the objects exist). Any snapshot empties the redo list.
    void TakeSnapshot(TvlSnapshotKind kind);
    void Undo();
    void Redo();
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    void clear();
    void clearUndo();
    void clearRedo();

    // Told whenever canUndo or canRedo may have changed (the window
    // enables "&Undo"/UndoB and "&Redo"/RedoB from it).
    void setChangedHandler(std::function<void()> handler) { changed_ = std::move(handler); }

    const TvlUndoList& undoList() const { return undo_; }
    const TvlUndoList& redoList() const { return redo_; }

private:
    void UndoStep(TvlUndoList& from, TvlUndoList& to);
    void addEntry(TvlUndoList& list, TvlUndoEntry entry);
    TvlUndoEntry inverseOf(const TvlUndoEntry& entry, TvlPage& page) const;
    void apply(const TvlUndoEntry& entry, TvlPage& page) const;
    void applyChange(const TvlUndoEntry& entry, TvlPage& page) const;
    void notify() const;

    TvlDesignerHost& host_;
    const TvlSurfaceHooks& hooks_;
    // the lists belong to the designer session
    TvlUndoList& undo_;
    TvlUndoList& redo_;
    std::function<void()> changed_;
};

} // namespace vl
