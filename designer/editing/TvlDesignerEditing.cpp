#include "designer/editing/TvlDesignerEditing.h"

#include "designer/editing/Alignment.h"
#include "designer/editing/PageSelection.h"
#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/DesignerSession.h"
#include "designer/workspace/DesignerSettings.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"

namespace vl {

TvlDesignerEditing::TvlDesignerEditing(TvlDesignerHost& host, TvlSurfaceHooks hooks)
    : host_(host), hooks_(std::move(hooks)), undo_(host_, hooks_), inspector_(host_, hooks_) {}

void TvlDesignerEditing::DoClick(int tag, const TvlFormatState& state) {
    TvlPage* page = host_.currentPage();
    if (!page || !IsFormatTag(tag)) return;
    CheckTypedFormat(tag, state);
    host_.takeSnapshot(skChange);
    hooks_.hideHandles();
    ApplyFormat(SelectedViews(host_), tag, state, host_.session().newObject);
    hooks_.redraw();
    inspector_.FillInspector();
    if (tag == ftAllFrames || tag == ftNoFrame) host_.selectionChanged();
}

TvlSelectionFormat TvlDesignerEditing::selectionFormat() const {
    return SelectionFormat(SelectedViews(host_));
}

QSize TvlDesignerEditing::surfaceSize(const TvlPage& page) const {
    if (hooks_.surfaceSize) return hooks_.surfaceSize();
    return {page.PrinterInfo.PixelPaperWidth, page.PrinterInfo.PixelPaperHeight};
}

void TvlDesignerEditing::Align(int command) {
    TvlPage* page = host_.currentPage();
    const std::vector<TvlView*> selected = SelectedViews(host_);
    if (!page || !AlignmentApplies(command, selected)) return;
    host_.takeSnapshot(skChange);
    const TvlAlignOutcome outcome =
        AlignSelection(*page, selected, command, host_.selection().object, surfaceSize(*page));
    hooks_.recomputeSelectionBox();
    if (outcome != TvlAlignOutcome::AlignedInBand) inspector_.FillInspector();
    hooks_.redraw();
}

void TvlDesignerEditing::FitToGrid() {
    const std::vector<TvlView*> selected = SelectedViews(host_);
    if (selected.empty()) return;
    host_.takeSnapshot(skChange);
    FitSelectionToGrid(selected, host_.settings().gridSize);
    hooks_.redraw();
    host_.updateStatus();
    hooks_.recomputeSelectionBox();
}

} // namespace vl
