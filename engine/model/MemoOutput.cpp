// Evaluation, measuring and prepared output of text objects.
#include "engine/model/MeasuringCanvas.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/ViewState.h"
#include "engine/model/ViewXml.h"
#include "engine/script/Errors.h"
#include "engine/script/ScopedValue.h"

#include <algorithm>

namespace vl {

namespace {

// Puts back what one output changed: the font and fill (highlight) and,
// when asked, Tag and BandAlign.
class OutputScope {
public:
    explicit OutputScope(TvlMemoView& view)
        : view_(view), font_(view.Font), fill_(view.FillColor), tag_(view.Tag),
          bandAlign_(view.BandAlign) {}
    ~OutputScope() {
        view_.Font = font_;
        view_.FillColor = fill_;
        view_.Tag = std::move(tag_);
        view_.BandAlign = bandAlign_;
    }
    OutputScope(const OutputScope&) = delete;
    OutputScope& operator=(const OutputScope&) = delete;

private:
    TvlMemoView& view_;
    TvlFont font_;
    TvlColor fill_;
    std::string tag_;
    std::uint8_t bandAlign_;
};

bool HasMark(const StringList& lines) {
    return std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find(kParagraphMark) != std::string::npos;
    });
}

} // namespace

int TvlMemoView::FontPixelHeight96() const {
    return Font.pixelHeight96();
}

std::string TvlMemoView::EvaluatedTextString() const {
    return StringsText(EvaluatedText);
}

void TvlMemoView::RunScript() {
    TvlViewHost* host = viewState().host;
    if (!Script.empty() && host) host->runScript(*this, Script);
}

void TvlMemoView::ExpandMemo() {
    const StringList lines = Memo; // scripts run by brackets may change Memo
    EvaluatedText.clear();
    for (const std::string& line : lines) {
        const std::string s = hasFlag(mfTextOnly) ? line : ExpandText(line);
        if (s.empty()) {
            EvaluatedText.emplace_back();
            continue;
        }
        for (std::string& part : SplitLines(s))
            EvaluatedText.push_back(std::move(part));
    }
}

void TvlMemoView::EvaluateWithHook() {
    EvaluatedText = Memo;
    if (TvlViewHost* host = viewState().host) host->beforeObjectOutput(*this);
    if (EvaluatedText == Memo) ExpandMemo();
}

void TvlMemoView::ApplyHighlight() {
    if (HighlightCondition.empty()) return;
    TvlViewHost* host = viewState().host;
    if (!host) return;
    try {
        if (Variant::compare(host->evaluate(HighlightCondition), Variant(0)) == 0) return;
    } catch (const VlError&) {
        return; // a condition that does not evaluate shows no highlight
    }
    Font.style = HighlightStyle & 0x0F;
    Font.color = HighlightFontColor;
    FillColor = HighlightFillColor;
}

int TvlMemoView::CalcHeight() {
    OutputPass = opMeasured;
    PrepareDraw(TvlDrawContext::at(&measuringCanvas().painter()));
    RunScript();
    if (!Visible) return 0;
    EvaluateWithHook();
    const OutputScope scope(*this);
    ApplyHighlight();
    ScaleForOutput();
    int result = 0;
    if (!EvaluatedText.empty()) {
        PreWrapped = false; // freshly evaluated text is never wrapped yet
        WrapMemo();
        EvaluatedText = WrappedLines;
        result = TextHeight;
    }
    const std::string text = EvaluatedTextString();
    if (hasFlag(mfSuppress)) {
        if (text == LastText) result = 0;
        if (const TvlViewHost* host = viewState().host; host && host->isFirstOfTwoPasses())
            LastText = text;
    }
    RestoreGeometry();
    return result;
}

int TvlMemoView::MinimumHeight() {
    LineHeight = LineSpacing + FontPixelHeight96();
    return Nearest(2.0 * FrameWidth) + 2 * GapY + LineHeight;
}

int TvlMemoView::LeftoverHeight() {
    const int frame = Nearest(2.0 * FrameWidth);
    // A line height below one pixel (large negative spacing) counts as one.
    const int lineHeight = std::max(1, LineSpacing + FontPixelHeight96());
    return (Height - frame - 2 * GapY) % lineHeight + 2 * GapY + frame;
}

void TvlMemoView::WritePrepared(Stream& stream) {
    TvlViewState& state = viewState();
    PrepareDraw(TvlDrawContext::at(&measuringCanvas().painter()));
    SplitMode = true;
    struct PassEnd {
        TvlMemoView& v;
        ~PassEnd() {
            v.OutputPass = opFull;
            v.SplitMode = false;
        }
    } passEnd{*this};

    if (OutputPass == opFull) {
        RunScript();
        if (state.host && state.host->hasBeforePrintHandler())
            EvaluateWithHook();
        else
            ExpandMemo();
    }
    if (!Visible) return;

    const OutputScope scope(*this);
    ApplyHighlight();
    const bool part = OutputPass == opPart;
    StringList remainder;
    if (part) {
        ScaleForOutput();
        ShowMemo();
        RestoreGeometry();
        const auto done = static_cast<std::ptrdiff_t>(std::min<std::size_t>(
            static_cast<std::size_t>(std::max(LinesDone, 0)), EvaluatedText.size()));
        remainder.assign(EvaluatedText.begin() + done, EvaluatedText.end());
        EvaluatedText.resize(static_cast<std::size_t>(done));
        if (!HasMark(EvaluatedText)) EvaluatedText.emplace_back(1, kParagraphMark);
    }

    {
        // the tag expands without the object's display format
        const ScopedValue<std::int32_t> noFormat(Format, 0);
        Tag = ExpandText(Tag);
    }
    if (BandAlign == baBottom) {
        BandAlign = baNone;
    } else if (const TvlRuntimeBand* band = state.currentBand) {
        if (BandAlign == baTop) {
            Top = band->top();
        } else if (BandAlign == baWidth && IsCrossBandType(band->bandType())) {
            Width = band->width();
            BandAlign = baNone;
        }
    }

    const std::string text = EvaluatedTextString();
    if (!hasFlag(mfSuppress) || text != LastText) {
        WriteRecordWithType(stream);
        if (hasFlag(mfSuppress)) LastText = text;
    }
    if (part) EvaluatedText = std::move(remainder);
}

} // namespace vl
