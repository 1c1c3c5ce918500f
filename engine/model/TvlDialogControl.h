#pragma once

#include "engine/model/TvlControl.h"

namespace vl {

class TvlAddInRegistry;

enum class TvlControlKind { Label, Edit, CheckBox, ComboBox, Button };

// The controls a dialog page offers: a label, an edit box, a check box, a
// combo box and a button that closes the dialog with its modal result.
// Each is an add-in class of its own ("TvlLabelControl", "TvlEditControl",
// "TvlCheckBoxControl", "TvlComboBoxControl", "TvlButtonControl"); the
// state a script reads (Text, Checked, ItemIndex) is kept here, so it
// outlives the dialog's window.
class TvlDialogControl : public TvlControl {
public:
    explicit TvlDialogControl(TvlControlKind kind);

    static std::string ClassNameOf(TvlControlKind kind);
    std::string className() const override { return ClassNameOf(Kind); }

    void SetProperty(std::string_view name, const Variant& value) override;
    Variant GetProperty(std::string_view name) override;
    void RegisterProperties() override;
    void LoadFromStream(Stream& stream) override;
    void SaveToStream(Stream& stream) override;

    const TvlControlKind Kind;
    // The caption of a label, check box or button; the text of an edit or
    // combo box.
    std::string Text;
    StringList Items;
    bool Checked = false;
    int ItemIndex = -1;
    // mrOk 1, mrCancel 2; 0 leaves the dialog open.
    int ModalResult = 0;
};

// Makes the five classes known to the template reader (again after the
// add-in list was cleared); true when all are registered.
bool RegisterDialogControls(TvlAddInRegistry& registry);

} // namespace vl
