#include "engine/model/TvlView.h"
#include "engine/model/ViewState.h"
#include "engine/model/ViewXml.h"
#include "engine/script/Stream.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vl {

std::int32_t EncodeFrameWidth(float width) {
    if (!(width > 0)) return 0;
    if (width <= 10 && std::floor(width) == width) return static_cast<std::int32_t>(width);
    // Thousandths; widths whose thousandths would read back as whole pixels
    // (10 or less) are kept at the smallest value that reads as a fraction.
    const double thousandths = RoundHalfEven(static_cast<double>(width) * 1000.0);
    if (thousandths >= std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return std::max<std::int32_t>(11, static_cast<std::int32_t>(thousandths));
}

float DecodeFrameWidth(std::int32_t stored) {
    if (stored < 0) return 0;
    if (stored <= 10) return static_cast<float>(stored);
    return static_cast<float>(stored / 1000.0);
}

void WriteBool16(Stream& s, bool value) {
    WriteUWord(s, value ? 0xFFFF : 0);
}

bool ReadBool16(Stream& s) {
    return ReadUWord(s) != 0;
}

void TvlView::SaveToStream(Stream& stream) {
    VersionMajor = 2;
    WriteString(stream, Name);
    WriteByte(stream, VersionMajor);
    WriteByte(stream, VersionMinor);
    WriteInteger(stream, Left);
    WriteInteger(stream, Top);
    WriteInteger(stream, Width);
    WriteInteger(stream, Height);
    WriteUWord(stream, Flags);
    WriteUWord(stream, FrameTyp);
    WriteInteger(stream, EncodeFrameWidth(FrameWidth));
    WriteInteger(stream, FrameColor);
    WriteUWord(stream, FrameStyle);
    WriteInteger(stream, FillColor);
    if (WriteMode == wmTemplate) {
        WriteInteger(stream, Format);
        WriteString(stream, FormatStr);
        WriteStrings(stream, Memo);
        WriteStrings(stream, Script);
        WriteBool16(stream, Visible);
    } else {
        WriteStrings(stream, EvaluatedText);
    }
    WriteUWord(stream, Restrictions);
    WriteString(stream, Tag);
    WriteInteger(stream, GapX);
    WriteInteger(stream, GapY);
    WriteByte(stream, BandAlign);
}

void TvlView::LoadFromStream(Stream& stream) {
    const int v = viewState().templateVersion;
    const bool templ = WriteMode == wmTemplate;
    if (v > 23 || (v == 23 && templ))
        Name = ReadStringFor(stream, v);
    else
        MakeUniqueName();
    if (v > 23) {
        VersionMajor = ReadByte(stream);
        VersionMinor = ReadByte(stream);
    } else {
        VersionMajor = VersionMinor = 0;
    }
    Left = ReadInteger(stream);
    Top = ReadInteger(stream);
    Width = ReadInteger(stream);
    Height = ReadInteger(stream);
    Flags = ReadUWord(stream);
    FrameTyp = ReadUWord(stream);
    FrameWidth = DecodeFrameWidth(ReadInteger(stream));
    FrameColor = ReadInteger(stream);
    FrameStyle = ReadUWord(stream);
    FillColor = ReadInteger(stream);
    if (templ) {
        Format = ReadInteger(stream);
        FormatStr = ReadStringFor(stream, v);
        Memo = ReadStringsFor(stream, v);
        if (v > 22) {
            Script = ReadStringsFor(stream, v);
            Visible = ReadBool16(stream);
        }
    } else {
        Memo = ReadStringsFor(stream, v);
    }
    if (v > 23) {
        Restrictions = ReadUWord(stream);
        Tag = ReadStringFor(stream, v);
        GapX = ReadInteger(stream);
        GapY = ReadInteger(stream);
    }
    if (VersionMajor > 1) BandAlign = ReadByte(stream);
}

std::string XmlFloat(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

void WriteXmlAttr(Stream& stream, std::string_view name, std::string_view value) {
    std::string text = " ";
    text.append(name);
    text += "=\"";
    text.append(value);
    text += '"';
    WriteText(stream, text);
}

std::string StringsText(const StringList& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

void TvlView::WriteXml(Stream& stream) {
    WriteText(stream, "<" + className());
    auto attr = [&](std::string_view name, std::string_view value) {
        WriteXmlAttr(stream, name, value);
    };
    auto num = [&](std::string_view name, long long value) { attr(name, std::to_string(value)); };
    attr("Name", EscapeXml(Name));
    num("Left", Left);
    num("Top", Top);
    num("Width", Width);
    num("Height", Height);
    num("Color", FillColor);
    if (!Visible) attr("Visible", "False");
    num("Frame.Typ", (hasSide(vlftLeft) ? 1 : 0) + (hasSide(vlftRight) ? 2 : 0) +
                         (hasSide(vlftTop) ? 4 : 0) + (hasSide(vlftBottom) ? 8 : 0));
    attr("Frame.Width", XmlFloat(FrameWidth));
    num("Frame.Color", FrameColor);
    num("Frame.Style", FrameStyle);
    num("GapX", GapX);
    num("GapY", GapY);
    attr("TagStr", EscapeXml(Tag));
    attr("Memo.text", EscapeXml(StringsText(Memo)));
    num("Align", BandAlign == baRest ? 4 : BandAlign == baTop ? 0 : BandAlign);
    if (!Script.empty())
        for (const char* event : {"OnBeforePrint", "OnClick", "OnActivate"})
            attr(event, Name + "OnBeforePrint");
    const int r = Restrictions;
    num("Restrictions",
        ((r & (rsNoEditMemo | rsNoEditScript | rsNoEditContents | rsNoModify)) ? 1 : 0) +
            ((r & rsNoResize) ? 2 : 0) + ((r & rsNoMove) ? 4 : 0) + ((r & rsNoDelete) ? 8 : 0));
}

} // namespace vl
