#pragma once

#include "engine/model/LineWrapper.h"
#include "engine/model/TvlFont.h"
#include "engine/model/TvlView.h"

#include <vector>

namespace vl {

class TvlFontMetrics;

// The text block of a report. Its template lines hold bracketed
// expressions; at output time they are evaluated, formatted, wrapped to the
// object's width, measured for stretching, split across pages and written
// into the prepared page, which draws them again with the same wrapping.
class TvlMemoView : public TvlStretcheable {
public:
    // Flags bits of a text object (bit 0 is flStretched).
    static constexpr std::uint16_t mfWordWrap = 0x002;
    static constexpr std::uint16_t mfWordBreak = 0x004;
    static constexpr std::uint16_t mfAutoWidth = 0x008;
    static constexpr std::uint16_t mfTextOnly = 0x010;
    static constexpr std::uint16_t mfSuppress = 0x020;
    static constexpr std::uint16_t mfHideZeros = 0x040;
    static constexpr std::uint16_t mfUnderlines = 0x080;
    static constexpr std::uint16_t mfRTLReading = 0x100;
    // Alignment bits: horizontal in the low two (3 = justified), rotation,
    // vertical position.
    static constexpr std::int32_t vltaLeft = 0;
    static constexpr std::int32_t vltaRight = 1;
    static constexpr std::int32_t vltaCenter = 2;
    static constexpr std::int32_t vltaJustify = 3;
    static constexpr std::int32_t vltaVertical = 4;
    static constexpr std::int32_t vltaMiddle = 8;
    static constexpr std::int32_t vltaDown = 16;

    TvlMemoView();
    std::string className() const override { return "TvlMemoView"; }

    void SetProperty(std::string_view name, const Variant& value) override;
    Variant GetProperty(std::string_view name) override;
    Variant CallMethod(std::string_view name, const Variant& p1, const Variant& p2,
                       const Variant& p3) override;
    void RegisterProperties() override;
    void LoadFromBlob(const TvlBlobField& field) override;
    void Draw(const TvlDrawContext& context) override;
    void WritePrepared(Stream& stream) override;
    void ExportToFilter() override;
    void LoadFromStream(Stream& stream) override;
    void SaveToStream(Stream& stream) override;
    void WriteXml(Stream& stream) override;
    void OpenEditor() override;
    int CalcHeight() override;
    int MinimumHeight() override;
    int LeftoverHeight() override;

    // Evaluated text := the Memo lines with their brackets evaluated (unless
    // "TextOnly"); line breaks inside values start new lines.
    void ExpandMemo();
    // Wraps the evaluated text at 96 dpi into WrappedLines; sets TextHeight
    // and LineHeight.
    void WrapMemo();
    // Wraps one line into WrappedLines.
    void WrapLine(std::string_view s);
    // Draws the evaluated text (wrapped lines) on the canvas; counts
    // LinesDone.
    void ShowMemo();
    void PaintUnderlines();
    // The width the text needs at the current scale, frame and gaps included.
    int CalcWidth();

    bool hasFlag(std::uint16_t bit) const { return (Flags & bit) != 0; }
    bool isRotated() const { return (Alignment & vltaVertical) != 0; }

    TvlFont Font;
    std::string LastText; // text last written, for "Suppress"
    bool PreWrapped = false;
    int TextHeight = 0;
    bool SplitMode = false;
    int LineHeight = 0;
    int LinesDone = 0;
    bool ExportMode = false;
    std::int32_t Alignment = vltaLeft;
    std::uint16_t HighlightStyle = 2;
    TvlColor HighlightFontColor = clBlack;
    TvlColor HighlightFillColor = clWhite;
    std::string HighlightCondition;
    std::int32_t LineSpacing = 2;
    std::int32_t CharSpacing = 0;

    // The output list of WrapMemo.
    StringList WrappedLines;

private:
    // Switches font and fill to the highlight when its condition holds.
    void ApplyHighlight();
    // Evaluated text := Memo; the report's hook may change it, else ExpandMemo.
    void EvaluateWithHook();
    void RunScript();
    // Pixel height of the font on the output canvas at the current scale.
    int OutputPixelHeight() const;
    const TvlFontMetrics& OutputMetrics() const;
    struct TextPen; // what ShowMemo draws lines with
    void DrawHorizontal(const TextPen& pen);
    void DrawRotated(const TextPen& pen);
    // One line at (x, y); extra pixels are spread over its spaces. A
    // right-to-left line is laid out right to left within its width.
    void DrawLine(const TextPen& pen, double x, double y, std::string_view text, int extra,
                  bool rotated, bool rightToLeft = false);
    void ExportLine(double x, double y, std::string_view text, std::uint16_t sides);
    int FontPixelHeight96() const;
    // Text of the evaluated lines, as "Suppress" compares it.
    std::string EvaluatedTextString() const;

    std::vector<double> wrapScratch_;
    int wrapWidth_ = 0;
    const TvlFontMetrics* wrapMetrics_ = nullptr;
};

} // namespace vl
