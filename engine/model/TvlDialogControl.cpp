#include "engine/model/TvlDialogControl.h"

#include "engine/model/ViewState.h"

namespace vl {

namespace {

constexpr TvlControlKind kKinds[] = {TvlControlKind::Label, TvlControlKind::Edit,
                                     TvlControlKind::CheckBox, TvlControlKind::ComboBox,
                                     TvlControlKind::Button};
// The record of the control's own data follows the view's record.
constexpr std::uint8_t kRecordVersion = 1;

} // namespace

TvlDialogControl::TvlDialogControl(TvlControlKind kind) : Kind(kind) {}

std::string TvlDialogControl::ClassNameOf(TvlControlKind kind) {
    switch (kind) {
    case TvlControlKind::Label:
        return "TvlLabelControl";
    case TvlControlKind::Edit:
        return "TvlEditControl";
    case TvlControlKind::CheckBox:
        return "TvlCheckBoxControl";
    case TvlControlKind::ComboBox:
        return "TvlComboBoxControl";
    case TvlControlKind::Button:
        return "TvlButtonControl";
    }
    return "TvlControl";
}

void TvlDialogControl::SetProperty(std::string_view name, const Variant& value) {
    const std::string n = UpperName(name);
    if (n == "TEXT" || n == "CAPTION") {
        Text = value.toString();
    } else if (n == "CHECKED") {
        Checked = PropertyBool(name, value);
    } else if (n == "ITEMINDEX") {
        ItemIndex = PropertyInt(name, value);
    } else if (n == "ITEMS") {
        Items = SplitLines(value.toString());
    } else if (n == "MODALRESULT") {
        ModalResult = PropertyInt(name, value);
    } else {
        TvlControl::SetProperty(name, value);
    }
}

Variant TvlDialogControl::GetProperty(std::string_view name) {
    const std::string n = UpperName(name);
    if (n == "TEXT" || n == "CAPTION") return Text;
    if (n == "CHECKED") return Checked;
    if (n == "ITEMINDEX") return ItemIndex;
    if (n == "ITEMS") return JoinLines(Items);
    if (n == "MODALRESULT") return ModalResult;
    return TvlControl::GetProperty(name);
}

void TvlDialogControl::RegisterProperties() {
    TvlControl::RegisterProperties();
    switch (Kind) {
    case TvlControlKind::Label:
        AddProperty("Caption", pkText);
        break;
    case TvlControlKind::Edit:
        AddProperty("Text", pkText);
        break;
    case TvlControlKind::CheckBox:
        AddProperty("Caption", pkText);
        AddProperty("Checked", pkBoolean);
        break;
    case TvlControlKind::ComboBox:
        AddProperty("Text", pkText);
        AddProperty("Items", pkText);
        AddProperty("ItemIndex", pkInteger);
        break;
    case TvlControlKind::Button:
        AddProperty("Caption", pkText);
        AddProperty("ModalResult", pkInteger);
        break;
    }
}

void TvlDialogControl::LoadFromStream(Stream& stream) {
    TvlControl::LoadFromStream(stream);
    ReadByte(stream); // record version
    Text = ReadString(stream);
    Items = ReadStrings(stream);
    Checked = ReadByte(stream) != 0;
    ItemIndex = ReadInteger(stream);
    ModalResult = ReadInteger(stream);
}

void TvlDialogControl::SaveToStream(Stream& stream) {
    TvlControl::SaveToStream(stream);
    WriteByte(stream, kRecordVersion);
    WriteString(stream, Text);
    WriteStrings(stream, Items);
    WriteByte(stream, Checked ? 1 : 0);
    WriteInteger(stream, ItemIndex);
    WriteInteger(stream, ModalResult);
}

bool RegisterDialogControls(TvlAddInRegistry& registry) {
    bool all = true;
    for (const TvlControlKind kind : kKinds) {
        const std::string name = TvlDialogControl::ClassNameOf(kind);
        if (registry.find(name)) continue;
        all = registry.add({name,
                            [kind] { return std::make_unique<TvlDialogControl>(kind); },
                            {},
                            {},
                            name.substr(3)}) &&
              all;
    }
    return all;
}

} // namespace vl
