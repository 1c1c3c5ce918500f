#include "designer/window/ObjectMenu.h"

#include "designer/editors/EditorHost.h"
#include "designer/workspace/ObjectSelection.h"
#include "engine/build/TvlPage.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlControl.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/model/ViewServices.h"
#include "engine/script/CodePage.h"

#include <QMenu>

namespace vl {

TvlObjectMenu::TvlObjectMenu(QMenu& menu, const TvlPage& page, const TvlObjectSelection& selection,
                             TvlDesignerHooks& dialogs, TvlEditorHost& changes)
    : menu_(menu), page_(page), selection_(selection), dialogs_(dialogs), changes_(changes) {}

void TvlObjectMenu::addEntriesFor(TvlView& view) {
    // controls of dialog pages and sub-report frames have no entries of their own
    if (dynamic_cast<TvlControl*>(&view) || dynamic_cast<TvlSubReportView*>(&view)) return;
    if (auto* memo = dynamic_cast<TvlMemoView*>(&view))
        addMemoEntries(*memo);
    else if (auto* band = dynamic_cast<TvlBandView*>(&view))
        addBandEntries(*band);
    else if (auto* picture = dynamic_cast<TvlPictureView*>(&view))
        addPictureEntries(*picture);
    else
        addStretched(view);
}

void TvlObjectMenu::addMemoEntries(TvlMemoView& memo) {
    addDialog(QObject::tr("Variable format..."), memo, "DisplayFormat");
    addDialog(QObject::tr("Font..."), memo, "Font");
    addChange(menu_.addAction(QObject::tr("Clear contents")),
              [&page = page_, &selection = selection_, &memo] {
                  for (TvlView* view : SelectedForChange(page, selection, memo, rsNoEditContents)) {
                      view->Memo.clear();
                      view->Script.clear();
                  }
              });
    addStretched(memo);
    addFlag(memo, QObject::tr("Word wrap"), TvlMemoView::mfWordWrap, true);
    addFlag(memo, QObject::tr("Auto size"), TvlMemoView::mfAutoWidth, true);
    addFlag(memo, QObject::tr("Text only"), TvlMemoView::mfTextOnly, true);
    addFlag(memo, QObject::tr("Suppress repeated values"), TvlMemoView::mfSuppress, true);
    addFlag(memo, QObject::tr("Hide zeros"), TvlMemoView::mfHideZeros, true);
    addFlag(memo, QObject::tr("Underlines"), TvlMemoView::mfUnderlines, true);
}

void TvlObjectMenu::addBandEntries(TvlBandView& band) {
    const int type = band.bandType();
    const std::vector<TvlBandView::OfferedFlag> offered = TvlBandView::OfferedFlags(type);
    // Stretched comes first, after a separator, as for every object.
    if (TvlBandView::FlagOffered(TvlBandView::bfStretched, type))
        addStretched(band);
    else
        menu_.addSeparator();
    for (const TvlBandView::OfferedFlag& flag : offered)
        if (flag.bit != TvlBandView::bfStretched)
            addFlag(band, QObject::tr(flag.menuText), flag.bit, flag.allSelected);
}

void TvlObjectMenu::addPictureEntries(TvlPictureView& picture) {
    addStretched(picture);
    addFlag(picture, QObject::tr("Center picture"), TvlPictureView::pfCenter, true);
    addFlag(picture, QObject::tr("Keep aspect ratio"), TvlPictureView::pfKeepAspect, true,
            picture.isStretched());
}

void TvlObjectMenu::addStretched(TvlView& view) {
    menu_.addSeparator();
    addFlag(view, QObject::tr("Stretched"), flStretched, true);
}

void TvlObjectMenu::addDialog(const QString& caption, TvlView& view, const char* property) {
    QAction* entry = menu_.addAction(caption);
    QObject::connect(entry, &QAction::triggered, &menu_, [&dialogs = dialogs_, &view, property] {
        dialogs.editProperty(view, property);
    });
}

void TvlObjectMenu::addFlag(TvlView& view, const QString& caption, std::uint16_t bit,
                            bool allSelected, bool enabled) {
    QAction* entry = menu_.addAction(caption);
    entry->setCheckable(true);
    entry->setChecked((view.Flags & bit) != 0);
    entry->setEnabled(enabled);
    addChange(entry, [&page = page_, &selection = selection_, &view, bit, allSelected] {
        const bool on = !(view.Flags & bit);
        std::vector<TvlView*> targets;
        if (allSelected)
            targets = SelectedForChange(page, selection, view, rsNoModify);
        else if (!(view.Restrictions & rsNoModify))
            targets.push_back(&view);
        for (TvlView* target : targets) {
            if (on)
                target->Flags |= bit;
            else
                target->Flags &= static_cast<std::uint16_t>(~bit);
        }
    });
}

void TvlObjectMenu::addChange(QAction* entry, std::function<void()> change) {
    QObject::connect(entry, &QAction::triggered, &menu_,
                     [&changes = changes_, change = std::move(change)] {
                         changes.beforeChange();
                         change();
                         changes.afterChange();
                     });
}

std::vector<TvlView*> TvlObjectMenu::SelectedForChange(const TvlPage& page,
                                                       const TvlObjectSelection& selection,
                                                       TvlView& view, std::uint16_t lock) {
    std::vector<TvlView*> result;
    for (TvlView* selected : selection.in(page))
        if (!(selected->Restrictions & lock)) result.push_back(selected);
    if (result.empty() && !(view.Restrictions & lock)) result.push_back(&view);
    return result;
}

} // namespace vl
