#pragma once

#include "designer/commands/DesignerCommandsHost.h"
#include "designer/commands/TvlDesignerOptions.h"
#include "designer/workspace/DesignerHost.h"

#include <QPointer>
#include <memory>

namespace vl {

class TvlAlignmentPalette;
class TvlDesignerCommands;
class TvlDesignerEditing;
class TvlDesignerForm;
class TvlEditorServices;
class TvlFormatToolbars;
class TvlInsFieldsForm;
class TvlToolWindowPlacement;
class TvlInspForm;
class TvlWidgetAsk;

// The parts of the designer that act on the selection and on whole files,
// joined to the window: undo and redo, the formatting toolbars, the
// alignment palette, the object inspector, the editor services, the
// database fields window and the file, page and option commands. The
// window owns one for as long as it lives, calls it directly and lets it
// wire its actions.
class TvlDesignerParts : public TvlDesignerCommandsHost {
public:
    TvlDesignerParts(TvlDesignerForm& form, TvlDesignerOptions options);
    ~TvlDesignerParts() override;

    TvlDesignerEditing& editing() { return *editing_; }
    TvlDesignerCommands& commands() { return *commands_; }
    TvlFormatToolbars& formatToolbars() { return *toolbars_; }
    TvlInspForm* inspector();
    TvlInsFieldsForm* fieldsWindow();

    // The window was shown: the inspector appears, the editor services
    // take over the engine's designer hooks and, in template mode, the
    // fields window opens when it was open last time.
    void windowShown();
    // Every show of the window, and the return from a preview: the program
    // hears of it.
    void announceShown();
    // The window closes: the tool windows remember their state.
    void windowClosing();
    void showInspector(bool show);
    void showFieldsWindow(bool show);
    // The script editor of the current page.
    void editPageScript();
    // Keeps an undo snapshot of the selection.
    void takeSnapshot(TvlSnapshotKind kind);
    // The "Text" and "Rectangle" bars show the selection's formatting.
    void showSelectionFormat();
    // The inspector shows the selection.
    void fillInspector();
    // The formatting toolbars follow the selection state (the bits of
    // TvlSelectionBits) and the kind of page.
    void followSelectionState(int state, bool reportPage);
    // Saves the template (the save question's Yes); true when it was saved.
    bool saveDocument();
    // The page options dialog; true on OK.
    bool pageOptions();
    // The formatting keys (Ctrl+1..9, Ctrl+F, Ctrl+D, Ctrl+B/I/U) for the
    // selection; true when the key was used.
    bool formatKey(int key, Qt::KeyboardModifiers modifiers);

    // TvlDesignerCommandsHost.
    TvlDesignerHost& designer() override;
    TvlDesignerOptions& options() override { return options_; }
    QWidget* dialogParent() override;
    std::string documentName() const override;
    void setDocumentName(const std::string& name) override;
    bool modified() const override;
    void selectPage(int index) override;
    void clearUndo() override;
    void refreshFields() override;
    void setDrawingSuspended(bool suspended) override;
    void redrawPage() override;
    void layoutSelection() override;
    QSize defaultMemoSize() const override;
    void applySettings(const TvlDesignerSettings& settings) override;
    void enterPreview() override;
    void leavePreview() override;

private:
    void wireUndo();
    void wireFileCommands();
    void wireToolWindows();

    TvlDesignerForm& form_;
    TvlDesignerOptions options_;
    std::unique_ptr<TvlDesignerEditing> editing_;
    std::unique_ptr<TvlWidgetAsk> ask_;
    std::unique_ptr<TvlDesignerCommands> commands_;
    std::unique_ptr<TvlEditorServices> services_;
    TvlFormatToolbars* toolbars_ = nullptr;
    TvlAlignmentPalette* palette_ = nullptr;
    QPointer<TvlInspForm> inspector_;
    QPointer<TvlInsFieldsForm> fields_;
    std::unique_ptr<TvlToolWindowPlacement> placement_;
};

} // namespace vl
