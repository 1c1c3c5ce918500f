#include "engine/model/TvlMemoView.h"

#include "engine/model/ViewState.h"
#include "engine/model/ViewXml.h"
#include "engine/script/Stream.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vl {

namespace {

// No text needs spacing beyond a few pages; larger values come from damaged
// files or scripts and would overflow the layout's arithmetic.
std::int32_t ClampSpacing(std::int32_t spacing) {
    constexpr std::int32_t kLimit = 1 << 16;
    return std::clamp(spacing, -kLimit, kLimit);
}

// The flag bits that scripts set and read by name.
constexpr std::array<std::pair<const char*, std::uint16_t>, 9> kFlagProperties = {{
    {"STRETCHED", flStretched},
    {"WORDWRAP", TvlMemoView::mfWordWrap},
    {"WORDBREAK", TvlMemoView::mfWordBreak},
    {"AUTOWIDTH", TvlMemoView::mfAutoWidth},
    {"TEXTONLY", TvlMemoView::mfTextOnly},
    {"SUPPRESS", TvlMemoView::mfSuppress},
    {"HIDEZEROS", TvlMemoView::mfHideZeros},
    {"UNDERLINES", TvlMemoView::mfUnderlines},
    {"RTLREADING", TvlMemoView::mfRTLReading},
}};

std::uint16_t FlagOfProperty(std::string_view upperName) {
    for (const auto& [name, bit] : kFlagProperties)
        if (upperName == name) return bit;
    return 0;
}

// The character set of fonts in old templates and new objects.
constexpr int kDefaultCharset = 1;

} // namespace

TvlMemoView::TvlMemoView() {
    Typ = otMemo;
    BaseName = "Memo";
    Font.charset = kDefaultCharset;
    Flags = flStretched | mfWordWrap;
}

void TvlMemoView::SetProperty(std::string_view name, const Variant& value) {
    if (SetFontProperty(Font, name, value)) return;
    const std::string n = UpperName(name);
    if (n == "ALIGNMENT")
        Alignment = PropertyInt(name, value);
    else if (n == "LINESPACING")
        LineSpacing = ClampSpacing(PropertyInt(name, value));
    else if (n == "CHARSPACING")
        CharSpacing = ClampSpacing(PropertyInt(name, value));
    else if (const std::uint16_t bit = FlagOfProperty(n)) {
        if (PropertyBool(name, value))
            Flags |= bit;
        else
            Flags &= static_cast<std::uint16_t>(~bit);
    } else
        TvlView::SetProperty(name, value);
}

Variant TvlMemoView::GetProperty(std::string_view name) {
    if (auto font = GetFontProperty(Font, name)) return *font;
    const std::string n = UpperName(name);
    if (n == "ALIGNMENT") return Alignment;
    if (n == "LINESPACING") return LineSpacing;
    if (n == "CHARSPACING") return CharSpacing;
    if (n == "LINES.COUNT") return static_cast<int>(Memo.size());
    if (const std::uint16_t bit = FlagOfProperty(n)) return hasFlag(bit);
    return TvlView::GetProperty(name);
}

Variant TvlMemoView::CallMethod(std::string_view name, const Variant& p1, const Variant& p2,
                                const Variant& p3) {
    Variant result = TvlStretcheable::CallMethod(name, p1, p2, p3);
    if (!result.isNull()) return result;
    return CallListMethod(Memo, name, p1, p2, p3, "LINES",
                          [this](const Variant& v) { return Evaluate(v); });
}

void TvlMemoView::RegisterProperties() {
    TvlView::RegisterProperties();
    auto edit = [this](const char* prop) {
        return [this, prop] {
            if (TvlDesignerHooks* d = viewState().designer) d->editProperty(*this, prop);
        };
    };
    for (const char* n : {"Font.Name", "Font.Size", "Font.Style", "Font.Color"})
        AddProperty(n, pkHidden);
    AddProperty("Font", pkEditor, edit("Font"));
    AddProperty("Alignment", pkHidden);
    AddProperty("DisplayFormat", pkEditor, edit("DisplayFormat"));
    AddProperty("Highlight", pkEditor, edit("Highlight"));
    for (const char* n : {"LineSpacing", "CharSpacing", "GapX", "GapY"})
        AddProperty(n, pkInteger);
    for (const char* n :
         {"Stretched", "WordWrap", "WordBreak", "AutoWidth", "TextOnly", "Suppress", "HideZeros"})
        AddProperty(n, pkBoolean);
    AddProperty("Lines.Count", pkHidden);
    AddProperty("Underlines", pkBoolean);
    AddProperty("RTLReading", pkBoolean);
}

void TvlMemoView::LoadFromBlob(const TvlBlobField& field) {
    if (field.isNull) {
        EvaluatedText.clear();
        return;
    }
    EvaluatedText = SplitLines(std::string(field.bytes.begin(), field.bytes.end()));
}

void TvlMemoView::OpenEditor() {
    if (TvlDesignerHooks* d = viewState().designer) d->editProperty(*this, "Memo");
}

void TvlMemoView::SaveToStream(Stream& stream) {
    TvlView::SaveToStream(stream);
    WriteString(stream, Font.name);
    WriteInteger(stream, Font.size);
    WriteUWord(stream, static_cast<std::uint16_t>(Font.style));
    WriteInteger(stream, Font.color);
    WriteInteger(stream, Alignment);
    WriteUWord(stream, static_cast<std::uint16_t>(Font.charset));
    if (WriteMode == wmTemplate) {
        WriteUWord(stream, HighlightStyle);
        WriteInteger(stream, HighlightFontColor);
        WriteInteger(stream, HighlightFillColor);
        WriteString(stream, HighlightCondition);
    }
    WriteInteger(stream, LineSpacing);
    WriteInteger(stream, CharSpacing);
}

void TvlMemoView::LoadFromStream(Stream& stream) {
    TvlView::LoadFromStream(stream);
    const int v = viewState().templateVersion;
    Font.name = ReadStringFor(stream, v);
    Font.size = ReadInteger(stream);
    Font.style = ReadUWord(stream) & 0x0F;
    Font.color = ReadInteger(stream);
    Alignment = ReadInteger(stream);
    const int charset = ReadUWord(stream);
    Font.charset = v < 23 ? kDefaultCharset : charset;
    if (WriteMode == wmTemplate) {
        HighlightStyle = ReadUWord(stream);
        HighlightFontColor = ReadInteger(stream);
        HighlightFillColor = ReadInteger(stream);
        HighlightCondition = ReadStringFor(stream, v);
    }
    if (v > 23) {
        LineSpacing = ClampSpacing(ReadInteger(stream));
        CharSpacing = ClampSpacing(ReadInteger(stream));
    }
    // Version 21 stored no word-wrap flag: its text objects always wrapped.
    if (v == 21) Flags |= mfWordWrap;
}

void TvlMemoView::WriteXml(Stream& stream) {
    TvlView::WriteXml(stream);
    auto attr = [&](std::string_view name, std::string_view value) {
        WriteXmlAttr(stream, name, value);
    };
    auto num = [&](std::string_view name, long long value) { attr(name, std::to_string(value)); };
    if (isStretched()) attr("StretchMode", "smMaxHeight");
    if (!hasFlag(mfWordWrap)) attr("WordWrap", "False");
    if (hasFlag(mfAutoWidth)) attr("AutoWidth", "True");
    if (hasFlag(mfSuppress)) attr("SuppressRepeated", "True");
    if (hasFlag(mfHideZeros)) attr("HideZeros", "True");
    if (hasFlag(mfUnderlines)) attr("Underlines", "True");
    if (hasFlag(mfRTLReading)) attr("RTLReading", "True");
    if (hasFlag(mfTextOnly)) attr("AllowExpressions", "False");
    attr("Font.Name", EscapeXml(Font.name));
    // The font's height as the platform keeps it: negative for a character
    // height given in points.
    num("Font.Height", -Font.pixelHeight96());
    num("Font.Color", Font.color);
    const int s = Font.style;
    num("Font.Style",
        ((s & 2) ? 1 : 0) + ((s & 1) ? 2 : 0) + ((s & 4) ? 4 : 0) + ((s & 8) ? 8 : 0));
    attr("Highlight.Condition", EscapeXml(HighlightCondition));
    num("Highlight.Font.Style", HighlightStyle);
    num("Highlight.Font.Color", HighlightFontColor);
    num("Highlight.Color", HighlightFillColor);
    num("LineSpacing", LineSpacing);
    num("CharSpacing", CharSpacing);
    num("HAlign", Alignment & vltaJustify);
    num("VAlign", (Alignment & vltaDown) ? 2 : (Alignment & vltaMiddle) ? 1 : 0);
    if (isRotated()) attr("Rotation", "90");
}

} // namespace vl
