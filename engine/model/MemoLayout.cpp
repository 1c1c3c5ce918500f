// Wrapping and measuring of text objects.
#include "engine/model/MeasuringCanvas.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/ViewState.h"
#include "engine/model/ViewXml.h"

#include <QPaintDevice>
#include <algorithm>
#include <cmath>

namespace vl {

void TvlMemoView::WrapMemo() {
    const int pixels = FontPixelHeight96();
    const TvlFontMetrics& metrics = measuringCanvas().metrics(Font, pixels);
    wrapMetrics_ = &metrics;
    WrappedLines.clear();
    const bool rotated = isRotated();
    const int lineHeight = LineSpacing + pixels;
    const int gap = rotated ? GapX : GapY;
    const int start = rotated ? Left : Top;
    wrapWidth_ = rotated ? Height - 2 * GapY : Width - 2 * GapX;
    const std::string mark(1, kParagraphMark);

    // The designer shows a single long expression unwrapped, so that its end
    // stays visible.
    const bool longExpression = !rotated && DrawMode == rmDesign && EvaluatedText.size() == 1 &&
                                !EvaluatedText[0].empty() && EvaluatedText[0][0] == '[' &&
                                metrics.width(EvaluatedText[0], CharSpacing) > wrapWidth_;
    if (longExpression) {
        WrappedLines.push_back(EvaluatedText[0] + mark);
    } else {
        for (const std::string& line : EvaluatedText) {
            if (PreWrapped)
                WrappedLines.push_back(line);
            else if (hasFlag(mfWordWrap))
                WrapLine(line);
            else
                WrappedLines.push_back(rotated ? line : line + mark);
        }
    }
    const int position = start + gap + static_cast<int>(WrappedLines.size()) * lineHeight;
    TextHeight = position + gap - start;
    LineHeight = lineHeight;
}

void TvlMemoView::WrapLine(std::string_view s) {
    if (!wrapMetrics_) {
        wrapMetrics_ = &measuringCanvas().metrics(Font, FontPixelHeight96());
        wrapWidth_ = isRotated() ? Height - 2 * GapY : Width - 2 * GapX;
    }
    TvlLineWrapper wrapper(*wrapMetrics_, CharSpacing, wrapWidth_, hasFlag(mfWordBreak),
                           wrapScratch_);
    wrapper.wrap(s, WrappedLines);
}

// Printers take the same size as every other device: a font of the
// printer's own point size would be a little smaller than in the preview
// and the PDF output, so printed lines would end elsewhere.
int TvlMemoView::OutputPixelHeight() const {
    if (ScaleY != 1) return TvlFont::clampPixelHeight(std::trunc(Font.size * 96.0 / 72.0 * ScaleY));
    return FontPixelHeight96();
}

const TvlFontMetrics& TvlMemoView::OutputMetrics() const {
    return measuringCanvas().metrics(Font, OutputPixelHeight());
}

int TvlMemoView::CalcWidth() {
    std::string text = StringsText(Memo);
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
        text.resize(text.size() - 2);
    // Paragraph marks are left out, but for one that ends the text.
    const bool markAtEnd = !text.empty() && text.back() == kParagraphMark;
    std::erase(text, kParagraphMark);
    if (markAtEnd) text += kParagraphMark;

    const TvlFontMetrics& metrics = OutputMetrics();
    const int spacing = Nearest(CharSpacing * ScaleX);
    double right = 0;
    for (const std::string& line : SplitLines(text))
        right = std::max(right, metrics.width(line, spacing));
    const double sx = ScaleX > 0 ? ScaleX : 1;
    // Text of absurd size or spacing gets no wider than any page could be,
    // so the layout's arithmetic stays in range.
    constexpr int kMaxWidth = 1 << 24;
    return std::clamp(Nearest(right / sx + FrameWidth + 2.0 * GapX + 1), 0, kMaxWidth);
}

} // namespace vl
