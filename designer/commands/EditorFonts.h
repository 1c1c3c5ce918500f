#pragma once

#include <QString>

namespace vl {

// The fonts of the designer's text editor (memo pane) and script pane,
// kept with the designer window's settings, where the editors read them.
struct TvlEditorFonts {
    // The settings section the designer window and its editors share.
    static constexpr const char* kFormClass = "TvlDesignerForm";

    QString textName = QStringLiteral("Arial");
    int textSize = 10;
    QString scriptName = QStringLiteral("Courier New");
    int scriptSize = 10;

    // Missing, empty or impossible values keep the defaults.
    void load();
    void save() const;
};

} // namespace vl
