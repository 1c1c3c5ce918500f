#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QMenu;

namespace vl {

class TvlBandView;
class TvlDesignerHooks;
class TvlEditorHost;
class TvlMemoView;
class TvlObjectSelection;
class TvlPage;
class TvlPictureView;
class TvlView;

// The entries the workspace context menu offers for the one selected
// object: its property dialogs, "Clear contents" for text, and its flags as
// check entries. A flag entry changes the object, or every selected object
// that may be changed, alike. Each change is one undo step and marks the
// template modified. The entries outlive this object: they hold the page,
// the selection, the dialogs and the window, which outlive the menu.
class TvlObjectMenu {
public:
    TvlObjectMenu(QMenu& menu, const TvlPage& page, const TvlObjectSelection& selection,
                  TvlDesignerHooks& dialogs, TvlEditorHost& changes);

    void addEntriesFor(TvlView& view);

private:
    void addMemoEntries(TvlMemoView& memo);
    void addBandEntries(TvlBandView& band);
    void addPictureEntries(TvlPictureView& picture);
    void addStretched(TvlView& view);
    void addDialog(const QString& caption, TvlView& view, const char* property);
    void addFlag(TvlView& view, const QString& caption, std::uint16_t bit, bool allSelected,
                 bool enabled = true);
    void addChange(QAction* entry, std::function<void()> change);
    // The selected objects without the lock; the object itself when none is.
    static std::vector<TvlView*> SelectedForChange(const TvlPage& page,
                                                   const TvlObjectSelection& selection,
                                                   TvlView& view, std::uint16_t lock);

    QMenu& menu_;
    const TvlPage& page_;
    const TvlObjectSelection& selection_;
    TvlDesignerHooks& dialogs_;
    TvlEditorHost& changes_;
};

} // namespace vl
