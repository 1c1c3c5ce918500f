#pragma once

#include "designer/editing/InspectorBridge.h"
#include "designer/editing/ObjectAttributes.h"
#include "engine/model/ViewServices.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

class QWidget;

namespace vl {

class TvlDesignerEditing;
class TvlDesignerEditors;
class TvlView;
struct TvlDesignerSession;

// The dialogs that a view's properties open from the inspector and from
// the view's own editor: memo, picture, tag, restrictions, highlight, data
// field, the band data sources, font, and the page scripts. While it lives
// the designer session has it answer as the engine's designer hooks.
// Properties whose dialog does not exist yet (the display format) offer no
// editor.
class TvlEditorServices : public TvlDesignerHooks {
public:
    // editors: the window's text and band editors (may be none: the memo,
    // tag, data field and band services are then unavailable).
    TvlEditorServices(TvlDesignerEditing& editing, TvlDesignerEditors* editors, QWidget* window);
    ~TvlEditorServices() override;

    void editProperty(TvlView& view, std::string_view property) override;
    // Whether a dialog serves the property.
    bool available(std::string_view property) const;
    // The inspector's editors: the service's dialog on the topmost
    // selected object (or the page's script).
    TvlInspectorBridge::EditorFor editorFor();

    void editFont();
    void editHighlight();
    void editRestrictions(TvlView& view);
    void editPicture();
    void editDataField();
    void editPageScript();

    // The dialogs, replaceable: each gives the chosen value or none.
    using FontDialog = std::function<std::optional<TvlFont>(const TvlFont&)>;
    using HighlightDialog = std::function<std::optional<TvlHighlight>(const TvlHighlight&)>;
    using RestrictionsDialog = std::function<std::optional<std::uint16_t>(std::uint16_t)>;
    void setFontDialog(FontDialog dialog) { fontDialog_ = std::move(dialog); }
    void setHighlightDialog(HighlightDialog dialog) { highlightDialog_ = std::move(dialog); }
    void setRestrictionsDialog(RestrictionsDialog dialog) {
        restrictionsDialog_ = std::move(dialog);
    }

private:
    TvlView* topmost() const;
    // Services other than memo, restrictions and highlight leave objects
    // locked against editing their contents alone.
    bool editable(const TvlView* view) const;
    // The surface and the inspector show the change.
    void afterDialog();

    TvlDesignerEditing& editing_;
    TvlDesignerEditors* editors_;
    QWidget* window_;
    TvlDesignerSession& session_; // puts these services in place as the engine's hooks
    FontDialog fontDialog_;
    HighlightDialog highlightDialog_;
    RestrictionsDialog restrictionsDialog_;
};

} // namespace vl
