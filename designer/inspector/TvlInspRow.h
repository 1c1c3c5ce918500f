#pragma once

#include "engine/model/ViewTypes.h"
#include "engine/script/StreamIO.h"
#include "engine/script/Variant.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

class TvlObject;

// Opens a property's dialog editor on the inspected object (nullptr when
// several objects are inspected).
using TvlPropEditor = std::function<void(TvlObject*)>;

// One property row of the object inspector: the value as it is shown and
// typed, and how the property is shown and edited (the property kinds of the
// report objects).
class TvlInspRow {
public:
    TvlInspRow(std::string name, std::uint16_t kinds, TvlPropEditor editor, StringList enumNames,
               std::vector<Variant> enumValues);

    const std::string& name() const { return name_; }
    std::uint16_t kinds() const { return kinds_; }
    bool is(std::uint16_t kind) const { return (kinds_ & kind) != 0; }
    const TvlPropEditor& editor() const { return editor_; }
    bool hasEditor() const { return static_cast<bool>(editor_); }
    const StringList& enumNames() const { return enumNames_; }
    // Whether the names come with a value each (otherwise the name is the value).
    bool hasEnumValues() const { return !enumValues_.empty(); }

    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }
    // Sets the text from a value: floats in fixed notation with two
    // decimals and the decimal separator of the report's engine, Booleans
    // as "True"/"False", colours by name or as $RRGGBB hexadecimal digits,
    // enumerations with values by name.
    void setValue(const Variant& value, char decimalSeparator);
    // The text as the property's value. Raises ConversionError when the
    // text does not convert to the kind.
    Variant value() const;

    // The value field of these rows offers a drop-down list.
    bool hasDropDown() const { return is(pkBoolean | pkColor | pkEnum); }
    // A row typed and applied as plain text (no list, toggle or dialog).
    bool isPlain() const { return !hasDropDown() && !hasEditor(); }
    // The entries of the drop-down list, in order.
    StringList dropDownEntries() const;
    // The text a double click turns the value into: the negated Boolean,
    // or the enumeration's next name (the first after the last). Empty for
    // other rows.
    std::string toggledText() const;

private:
    int enumIndexOf(std::string_view name) const;
    std::string colorText(std::int32_t color) const;

    std::string name_;
    std::string text_;
    std::uint16_t kinds_;
    TvlPropEditor editor_;
    StringList enumNames_;
    std::vector<Variant> enumValues_;
};

// A float in fixed notation rounded to four significant digits, with two
// decimals and the decimal separator: 2.5 gives "2.50" (or "2,50").
std::string FormatInspectorFloat(double value, char decimalSeparator);

} // namespace vl
