#pragma once

#include "designer/editing/SurfaceHooks.h"
#include "designer/inspector/TvlInspRow.h"
#include "designer/inspector/TvlInspectorHost.h"

#include <functional>
#include <string>

namespace vl {

class TvlDesignerHost;
class TvlInspForm;
class TvlObject;
class TvlPage;
class TvlView;
struct TvlPropRec;

// Fills the object inspector from the selection (or the page) and applies
// the values the user changes in it. Lengths are shown and typed in the
// designer's unit on report pages. It is the inspector's host: the window
// passes it to TvlInspForm and attaches the form.
class TvlInspectorBridge : public TvlInspectorHost {
public:
    // Asks a Yes/No question; true for Yes.
    using Confirm = std::function<bool(const std::string& text, const std::string& caption)>;
    // The editor a row gets for an object's property, or none while the
    // property's dialog is not available.
    using EditorFor = std::function<TvlPropEditor(TvlObject& object, const TvlPropRec& property)>;

    TvlInspectorBridge(TvlDesignerHost& host, const TvlSurfaceHooks& hooks);

    void attach(TvlInspForm* inspector) { inspector_ = inspector; }
    void setConfirm(Confirm confirm) { confirm_ = std::move(confirm); }
    void setEditorFor(EditorFor editorFor) { editorFor_ = std::move(editorFor); }
    // The window's SelectByName and its error box.
    void setSelectByName(std::function<void(const std::string&)> select) {
        selectByName_ = std::move(select);
    }
    void setErrorHandler(std::function<void(const std::string&)> handler) {
        error_ = std::move(handler);
    }

    void FillInspector();
    // Applies the row's new value to the page or to every selected object.
    void PropertyChanged(int row) override;
    void FillObjectList(StringList& target) override;
    void SelectByName(const std::string& name) override;
    void ShowError(const std::string& message) override;

private:
    struct Rows;
    Rows collectRows(TvlPage& page) const;
    void addRows(const Rows& rows, TvlPage& page);
    void changePage(TvlPage& page, const std::string& name, Variant value);
    void changeObjects(TvlPage& page, const std::string& name, const Variant& value);
    void rename(TvlPage& page, TvlView& view, const std::string& name);
    Variant toPixels(const TvlPage& page, const TvlPropRec* property, Variant value) const;
    bool showsUnits(const TvlPage& page) const;
    void afterChange();

    TvlDesignerHost& host_;
    const TvlSurfaceHooks& hooks_;
    TvlInspForm* inspector_ = nullptr;
    Confirm confirm_;
    EditorFor editorFor_;
    std::function<void(const std::string&)> selectByName_;
    std::function<void(const std::string&)> error_;
    // Set while a page property other than "Type" is applied: showing the
    // page again leaves the rows alone.
    bool applyingPage_ = false;
};

} // namespace vl
