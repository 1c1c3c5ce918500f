#include "engine/model/TvlObject.h"

#include "engine/script/Errors.h"
#include "engine/script/TextUtils.h"

#include <algorithm>

namespace vl {

namespace {

[[noreturn]] void BadValue(std::string_view property, const Variant& value, const char* kind) {
    std::string text;
    try {
        text = value.toString();
    } catch (const VlError&) {
        text = value.kindName();
    }
    throw ConversionError("Property " + std::string(property) + ": '" + text + "' is not " + kind);
}

std::size_t LineIndex(const StringList& list, const Variant& index) {
    const std::int32_t i = PropertyInt("index", index);
    if (i < 0 || static_cast<std::size_t>(i) >= list.size())
        throw VlError("List index out of bounds (" + std::to_string(i) + ")");
    return static_cast<std::size_t>(i);
}

} // namespace

void TvlObject::SetProperty(std::string_view, const Variant&) {}

Variant TvlObject::GetProperty(std::string_view) {
    return {};
}

Variant TvlObject::CallMethod(std::string_view, const Variant&, const Variant&, const Variant&) {
    return {};
}

bool TvlObject::HasProperty(std::string_view property) {
    if (properties().empty()) RegisterProperties();
    const std::string_view first = property.substr(0, property.find('.'));
    return FindProperty(first) || FindProperty(property);
}

TvlPropRec& TvlObject::AddProperty(std::string_view name, std::uint16_t kinds,
                                   std::function<void()> editor) {
    auto rec = std::make_unique<TvlPropRec>();
    rec->name = std::string(name.substr(0, TvlPropRec::kMaxNameLength));
    rec->propType = kinds;
    rec->editor = std::move(editor);
    props_.push_back(std::move(rec));
    return *props_.back();
}

TvlPropRec& TvlObject::AddEnumProperty(std::string_view name, std::string_view names,
                                       std::vector<Variant> values) {
    TvlPropRec& rec = AddProperty(name, pkEnum);
    rec.enumNames = std::make_unique<StringList>();
    SplitBySemicolon(names, *rec.enumNames);
    rec.enumValues = std::move(values);
    return rec;
}

TvlPropRec* TvlObject::FindProperty(std::string_view name) const {
    for (const auto& rec : props_)
        if (SameText(rec->name, name)) return rec.get();
    return nullptr;
}

bool TvlObject::SetFontProperty(TvlFont& font, std::string_view name, const Variant& value) {
    const std::string n = UpperName(name);
    if (n == "FONT.NAME")
        font.name = value.toString();
    else if (n == "FONT.SIZE")
        font.size = PropertyInt(name, value);
    else if (n == "FONT.STYLE")
        font.style = PropertyInt(name, value) & 0x0F;
    else if (n == "FONT.COLOR")
        font.color = PropertyInt(name, value);
    else
        return false;
    return true;
}

std::optional<Variant> TvlObject::GetFontProperty(const TvlFont& font, std::string_view name) {
    const std::string n = UpperName(name);
    if (n == "FONT.NAME") return Variant(font.name);
    if (n == "FONT.SIZE") return Variant(font.size);
    if (n == "FONT.STYLE") return Variant(font.style);
    if (n == "FONT.COLOR") return Variant(static_cast<int>(font.color));
    return std::nullopt;
}

Variant TvlObject::CallListMethod(StringList& list, std::string_view method, const Variant& p1,
                                  const Variant& p2, const Variant& p3, std::string_view listName,
                                  const Evaluator& evaluate) {
    const std::string m = UpperName(method);
    const std::string prefix = UpperName(listName) + ".";
    if (m == "SETINDEXPROPERTY") {
        if (SameText(p1.toString(), listName)) list[LineIndex(list, p2)] = p3.toString();
        return {};
    }
    if (m == "GETINDEXPROPERTY") {
        if (!SameText(p1.toString(), listName)) return {};
        return Variant(list[LineIndex(list, p2)]);
    }
    if (m.rfind(prefix, 0) != 0) return {};
    const std::string op = m.substr(prefix.size());
    if (op == "ADD") {
        list.push_back(evaluate(p1).toString());
    } else if (op == "CLEAR") {
        list.clear();
    } else if (op == "DELETE") {
        const std::size_t i = LineIndex(list, evaluate(p1));
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    } else if (op == "INDEXOF") {
        const std::string wanted = evaluate(p1).toString();
        const auto it = std::find_if(list.begin(), list.end(), [&](const std::string& line) {
            return SameText(line, wanted);
        });
        return Variant(it == list.end() ? -1 : static_cast<int>(it - list.begin()));
    }
    return {};
}

std::int32_t PropertyInt(std::string_view property, const Variant& value) {
    try {
        return value.toInt();
    } catch (const ConversionError&) {
        BadValue(property, value, "an integer");
    }
}

double PropertyFloat(std::string_view property, const Variant& value) {
    try {
        return value.toDouble();
    } catch (const ConversionError&) {
        BadValue(property, value, "a number");
    }
}

bool PropertyBool(std::string_view property, const Variant& value) {
    try {
        return value.toBool();
    } catch (const ConversionError&) {
        BadValue(property, value, "a Boolean");
    }
}

std::string JoinLines(const StringList& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) text += "\r\n";
        text += lines[i];
    }
    return text;
}

StringList SplitLines(std::string_view text) {
    StringList lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        lines.emplace_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r') ++end;
        if (end < text.size() && text[end] == '\n') ++end;
        start = end;
    }
    return lines;
}

} // namespace vl
