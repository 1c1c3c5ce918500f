#include "designer/inspector/TvlInspRow.h"

#include "engine/script/ColorConstants.h"
#include "engine/script/EngineText.h"
#include "engine/script/Errors.h"
#include "engine/script/TextUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace vl {

namespace {

std::optional<std::int32_t> intOf(std::string_view text) {
    try {
        return StrToInt(text);
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

std::optional<std::int32_t> intOfValue(const Variant& value) {
    try {
        return value.toInt();
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

std::string booleanText(std::string_view text) {
    if (SameText(text, "True")) return "True";
    if (SameText(text, "False")) return "False";
    const auto number = intOf(text);
    return number && *number != 0 ? "True" : "False";
}

} // namespace

std::string FormatInspectorFloat(double value, char decimalSeparator) {
    if (!std::isfinite(value)) return FloatToStr(value);
    // Four significant digits, but never fewer than the whole part.
    const int wholeDigits =
        value == 0 ? 0
                   : std::max(0, static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1);
    const int decimals = std::clamp(4 - wholeDigits, 0, 2);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    if (decimals == 0) text += ".";
    text.append(static_cast<std::size_t>(2 - decimals), '0');
    for (char& c : text)
        if (c == '.') c = decimalSeparator;
    return text;
}

TvlInspRow::TvlInspRow(std::string name, std::uint16_t kinds, TvlPropEditor editor,
                       StringList enumNames, std::vector<Variant> enumValues)
    : name_(std::move(name)), kinds_(kinds), editor_(std::move(editor)),
      enumNames_(std::move(enumNames)), enumValues_(std::move(enumValues)) {}

void TvlInspRow::setValue(const Variant& value, char decimalSeparator) {
    text_ = value.toString();
    if (text_.empty()) return;
    if (is(pkFloat)) {
        try {
            text_ = FormatInspectorFloat(StrToFloatAny(text_), decimalSeparator);
        } catch (const ConversionError&) {
        }
    } else if (is(pkBoolean)) {
        text_ = booleanText(text_);
    } else if (is(pkColor)) {
        if (const auto color = intOf(text_)) text_ = colorText(*color);
    } else if (is(pkEnum) && hasEnumValues()) {
        const auto number = intOf(text_);
        if (!number) return;
        const std::size_t count = std::min(enumNames_.size(), enumValues_.size());
        for (std::size_t i = 0; i < count; ++i) {
            if (intOfValue(enumValues_[i]) == number) {
                text_ = enumNames_[i];
                return;
            }
        }
    }
}

std::string TvlInspRow::colorText(std::int32_t color) const {
    if (const ColorConstant* constant = FindColorConstant(color)) return constant->name;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%06X", static_cast<unsigned>(color));
    return buffer;
}

Variant TvlInspRow::value() const {
    if (is(pkText) || (is(pkEnum) && !hasEnumValues())) return Variant(text_);
    if (is(pkInteger)) return Variant(static_cast<int>(StrToInt(text_)));
    if (is(pkFloat)) return Variant(StrToFloatAny(text_));
    if (is(pkBoolean)) {
        const std::string upper = text::Upper(text_);
        if (upper == "TRUE") return Variant(true);
        if (upper == "FALSE" || upper == "0" || upper.empty()) return Variant(false);
        return Variant(true);
    }
    if (is(pkColor)) {
        if (const ColorConstant* constant = FindColorConstant(std::string_view(text_)))
            return Variant(static_cast<int>(constant->value));
        return Variant(static_cast<int>(StrToInt(text_)));
    }
    if (is(pkEnum)) {
        const int index = enumIndexOf(text_);
        if (index >= 0 && static_cast<std::size_t>(index) < enumValues_.size())
            return enumValues_[static_cast<std::size_t>(index)];
        return Variant(static_cast<int>(StrToInt(text_)));
    }
    return Variant();
}

int TvlInspRow::enumIndexOf(std::string_view name) const {
    for (std::size_t i = 0; i < enumNames_.size(); ++i)
        if (SameText(enumNames_[i], name)) return static_cast<int>(i);
    return -1;
}

StringList TvlInspRow::dropDownEntries() const {
    if (is(pkBoolean)) return {"False", "True"};
    if (is(pkColor)) {
        StringList names;
        for (const ColorConstant& c : ColorConstants())
            names.emplace_back(c.name);
        return names;
    }
    if (is(pkEnum)) return enumNames_;
    return {};
}

std::string TvlInspRow::toggledText() const {
    if (is(pkBoolean)) return value().toBool() ? "False" : "True";
    if (!is(pkEnum) || enumNames_.empty()) return {};
    std::size_t count = enumNames_.size();
    if (hasEnumValues()) count = std::min(count, enumValues_.size());
    if (count == 0) return {};
    const int index = enumIndexOf(text_);
    const std::size_t next =
        index < 0 || static_cast<std::size_t>(index) + 1 >= count ? 0 : index + 1;
    return enumNames_[next];
}

} // namespace vl
