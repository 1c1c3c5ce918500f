#include "designer/editing/TvlEditorServices.h"

#include "designer/editing/PageSelection.h"
#include "designer/editing/TvlDesignerEditing.h"
#include "designer/editing/TvlGEditorForm.h"
#include "designer/editing/TvlHilightForm.h"
#include "designer/editing/TvlRestrictionsForm.h"
#include "designer/editors/EditorSupport.h"
#include "designer/editors/TvlDesignerEditors.h"
#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerSession.h"
#include "engine/build/DesignerShared.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlControl.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/ViewState.h"
#include "engine/script/CodePage.h"
#include "engine/script/TextUtils.h"

#include <QFontDialog>

namespace vl {

namespace {

QFont toQFont(const TvlFont& font) {
    QFont q(ToQt(font.name));
    q.setPointSize(font.size > 0 ? font.size : 10);
    q.setItalic(font.style & 1);
    q.setBold(font.style & 2);
    q.setUnderline(font.style & 4);
    q.setStrikeOut(font.style & 8);
    return q;
}

TvlFont fromQFont(const QFont& q, TvlFont font) {
    font.name = FromQt(q.family());
    font.size = q.pointSize() > 0 ? q.pointSize() : font.size;
    font.style = (q.italic() ? 1 : 0) | (q.bold() ? 2 : 0) | (q.underline() ? 4 : 0) |
                 (q.strikeOut() ? 8 : 0);
    return font;
}

bool isOneOf(std::string_view property, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (SameText(property, name)) return true;
    return false;
}

} // namespace

TvlEditorServices::TvlEditorServices(TvlDesignerEditing& editing, TvlDesignerEditors* editors,
                                     QWidget* window)
    : editing_(editing), editors_(editors), window_(window), session_(editing.host().session()) {
    session_.hooks.push(editing.host().report().Engine().views(), *this);
    fontDialog_ = [this](const TvlFont& start) -> std::optional<TvlFont> {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, toQFont(start), window_);
        if (!ok) return std::nullopt;
        return fromQFont(chosen, start);
    };
    highlightDialog_ = [this](const TvlHighlight& start) -> std::optional<TvlHighlight> {
        TvlHilightForm form(window_);
        form.setHighlight(start);
        if (form.exec() != QDialog::Accepted) return std::nullopt;
        return form.highlight();
    };
    restrictionsDialog_ = [this](std::uint16_t start) -> std::optional<std::uint16_t> {
        TvlRestrictionsForm form(window_);
        form.setRestrictions(start);
        if (form.exec() != QDialog::Accepted) return std::nullopt;
        return form.restrictions();
    };
}

TvlEditorServices::~TvlEditorServices() {
    session_.hooks.remove(*this);
}

bool TvlEditorServices::available(std::string_view property) const {
    if (isOneOf(property,
                {"Font", "Highlight", "Restrictions", "Picture", "OnBeforePrint", "OnActivate"}))
        return true;
    return editors_ &&
           isOneOf(property, {"Memo", "Tag", "DataField", "DataSource", "CrossDataSource"});
}

TvlView* TvlEditorServices::topmost() const {
    const TvlPage* page = editing_.host().currentPage();
    return page ? editing_.host().session().selected.topmostIn(*page) : nullptr;
}

bool TvlEditorServices::editable(const TvlView* view) const {
    return view && !(view->Restrictions & rsNoEditContents);
}

void TvlEditorServices::afterDialog() {
    editing_.hooks().redraw();
    editing_.inspector().FillInspector();
}

void TvlEditorServices::editProperty(TvlView& view, std::string_view property) {
    if (!available(property)) return;
    if (SameText(property, "Memo")) {
        editors_->editMemo(view);
    } else if (SameText(property, "Restrictions")) {
        editRestrictions(view);
    } else if (SameText(property, "Highlight")) {
        editHighlight();
    } else if (SameText(property, "Font")) {
        editFont();
    } else if (SameText(property, "Picture")) {
        editPicture();
    } else if (SameText(property, "DataField")) {
        editDataField();
    } else if (isOneOf(property, {"OnBeforePrint", "OnActivate"})) {
        // an object's event is its own script; a page's is the page script
        if (editors_ && editable(&view)) {
            editing_.hooks().hideHandles();
            editors_->editMemo(view);
            afterDialog();
        }
    } else if (editable(&view)) {
        editing_.hooks().hideHandles();
        editors_->editProperty(view, property);
        afterDialog();
    }
}

TvlInspectorBridge::EditorFor TvlEditorServices::editorFor() {
    return [this](TvlObject& object, const TvlPropRec& property) -> TvlPropEditor {
        if (!(property.propType & pkEditor) || !available(property.name)) return {};
        if (dynamic_cast<TvlPage*>(&object)) return [this](TvlObject*) { editPageScript(); };
        auto* view = dynamic_cast<TvlView*>(&object);
        if (!view) return {};
        const std::string name = property.name;
        return [this, view, name](TvlObject*) { editProperty(*view, name); };
    };
}

void TvlEditorServices::editFont() {
    TvlView* view = topmost();
    auto* memo = dynamic_cast<TvlMemoView*>(view);
    if (!memo || !editable(view) || !fontDialog_) return;
    const TvlFont start = memo->Font;
    const std::optional<TvlFont> chosen = fontDialog_(start);
    if (!chosen) return;
    TvlDesignerHost& host = editing_.host();
    host.takeSnapshot(skChange);
    editing_.hooks().hideHandles();
    ApplyFontChange(SelectedViews(host), start, *chosen, editing_.host().session().newObject);
    afterDialog();
}

void TvlEditorServices::editHighlight() {
    auto* memo = dynamic_cast<TvlMemoView*>(topmost());
    if (!memo || !highlightDialog_) return;
    const std::optional<TvlHighlight> chosen = highlightDialog_(HighlightOf(*memo));
    if (!chosen) return;
    TvlDesignerHost& host = editing_.host();
    host.takeSnapshot(skChange);
    ApplyHighlight(SelectedViews(host), *chosen);
    afterDialog();
}

void TvlEditorServices::editRestrictions(TvlView& view) {
    TvlView* shown = topmost() ? topmost() : &view;
    if (!restrictionsDialog_) return;
    const std::optional<std::uint16_t> chosen = restrictionsDialog_(shown->Restrictions);
    if (!chosen) return;
    std::vector<TvlView*> views = SelectedViews(editing_.host());
    if (views.empty()) views.push_back(&view);
    ApplyRestrictions(views, *chosen);
    editing_.host().setModified(true);
    afterDialog();
}

void TvlEditorServices::editPicture() {
    auto* picture = dynamic_cast<TvlPictureView*>(topmost());
    if (!picture || !editable(picture)) return;
    editing_.hooks().hideHandles();
    TvlGEditorForm form(window_);
    if (form.ShowEditor(*picture, [this] { editing_.host().takeSnapshot(skChange); }) == 1)
        afterDialog();
}

void TvlEditorServices::editDataField() {
    TvlView* view = topmost();
    if (!editors_ || !editable(view)) return;
    const std::string field = editors_->insertDataField();
    if (field.empty()) return;
    editing_.host().takeSnapshot(skChange);
    editing_.hooks().hideHandles();
    view->SetProperty("DataField", Variant(field));
    afterDialog();
}

void TvlEditorServices::editPageScript() {
    TvlPage* page = editing_.host().currentPage();
    if (!page || !editors_) return;
    // The memo editor edits objects; a scratch control carries the page's
    // script through it.
    TvlControl scratch;
    scratch.Script = page->Script;
    if (editors_->editMemo(scratch) != kModalOk) return;
    page->Script = scratch.Script;
    editing_.host().setModified(true);
    editing_.inspector().FillInspector();
}

} // namespace vl
