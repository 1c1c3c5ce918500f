#include "designer/editors/TvlDesignerEditors.h"

#include "designer/editors/EditorHost.h"
#include "designer/editors/EditorSupport.h"
#include "designer/editors/TextInsertions.h"
#include "designer/editors/TvlAttrEditorForm.h"
#include "designer/editors/TvlBandEditorForm.h"
#include "designer/editors/TvlBandTypesForm.h"
#include "designer/editors/TvlGroupEditorForm.h"
#include "designer/editors/TvlMemoEditorForm.h"
#include "designer/editors/TvlVBandEditorForm.h"
#include "engine/model/TvlBandView.h"
#include "engine/script/BandType.h"
#include "engine/script/TextUtils.h"

namespace vl {

TvlDesignerEditors::TvlDesignerEditors(TvlEditorHost& host, QWidget* window, bool syntaxHighlight)
    : host_(host), window_(window), syntaxHighlight_(syntaxHighlight),
      memoEditor_(TvlMemoEditorForm::Create(syntaxHighlight, host, window)) {}

TvlDesignerEditors::~TvlDesignerEditors() = default;

void TvlDesignerEditors::setSyntaxHighlight(bool on) {
    if (on == syntaxHighlight_) return;
    syntaxHighlight_ = on;
    memoEditor_ = TvlMemoEditorForm::Create(on, host_, window_);
}

int TvlDesignerEditors::afterEdit(int result) {
    if (result == kModalOk) host_.afterChange();
    return result;
}

int TvlDesignerEditors::editMemo(TvlView& view) {
    return afterEdit(memoEditor_->ShowEditor(view));
}

int TvlDesignerEditors::editTag(TvlView& view) {
    return TvlAttrEditorForm(host_, window_).ShowEditor(view);
}

int TvlDesignerEditors::editDataSource(TvlView& view) {
    return afterEdit(TvlBandEditorForm(host_, window_).ShowEditor(view));
}

int TvlDesignerEditors::editCrossDataSource(TvlView& view) {
    return afterEdit(TvlVBandEditorForm(host_, window_).ShowEditor(view));
}

int TvlDesignerEditors::chooseBandType(bool forSubReportPage) {
    TvlBandTypesForm dialog(window_);
    dialog.ForSubReportPage = forSubReportPage;
    return dialog.ShowForPage(host_.currentPage()) == kModalOk ? dialog.ChosenType : -1;
}

int TvlDesignerEditors::editBand(TvlView& view) {
    const auto* band = dynamic_cast<const TvlBandView*>(&view);
    if (!band) return kModalCancel;
    switch (band->bandType()) {
    case btMasterData:
    case btDetailData:
    case btSubDetailData:
        return editDataSource(view);
    case btGroupHeader:
        return afterEdit(TvlGroupEditorForm(host_, window_).ShowEditor(view));
    case btCrossData:
        return editCrossDataSource(view);
    default:
        return kModalCancel;
    }
}

std::string TvlDesignerEditors::insertExpression() {
    return InsertExpression(host_, window_);
}

std::string TvlDesignerEditors::insertDataField() {
    return InsertDataField(host_, window_);
}

namespace {

bool isCrossDataBand(const TvlView& view) {
    const auto* band = dynamic_cast<const TvlBandView*>(&view);
    return band && band->bandType() == btCrossData;
}

} // namespace

bool TvlDesignerEditors::editProperty(TvlView& view, std::string_view property) {
    if (SameText(property, "Memo"))
        editMemo(view);
    else if (SameText(property, "Tag"))
        editTag(view);
    else if (SameText(property, "DataSource"))
        // a cross data band's source is its list of pairs, not one name
        isCrossDataBand(view) ? editCrossDataSource(view) : editDataSource(view);
    else if (SameText(property, "CrossDataSource"))
        editCrossDataSource(view);
    else
        return false;
    return true;
}

} // namespace vl
