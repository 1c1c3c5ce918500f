#include "designer/editing/Formatting.h"

#include "designer/editing/PageSelection.h"
#include "designer/workspace/NewObjectSettings.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/script/Errors.h"
#include "engine/script/TextUtils.h"

#include <cstdio>

namespace vl {

namespace {

constexpr std::uint16_t kAllSides = vlftTop | vlftLeft | vlftBottom | vlftRight;
constexpr std::int32_t kHorizontalBits = 3;
constexpr std::int32_t kVerticalPositionBits = TvlMemoView::vltaMiddle | TvlMemoView::vltaDown;

std::uint16_t sideOf(int tag) {
    switch (tag) {
    case ftFrameTop:
        return vlftTop;
    case ftFrameLeft:
        return vlftLeft;
    case ftFrameBottom:
        return vlftBottom;
    default:
        return vlftRight;
    }
}

int styleBitOf(int tag) {
    if (tag == ftBold) return 2;
    return tag == ftItalic ? 1 : 4;
}

template <typename T> void setBits(T& word, T bits, bool on) {
    word = on ? static_cast<T>(word | bits) : static_cast<T>(word & ~bits);
}

bool isTextTag(int tag) {
    return (tag >= ftFontName && tag <= ftVerticalPosition) || tag == ftFontColor ||
           tag == ftUnderline || tag == ftJustify;
}

// The values typed into the boxes, converted before any object changes.
struct TypedValues {
    int fontSize = 0;
    float frameWidth = 0;
};

TypedValues convertTyped(int tag, const TvlFormatState& state) {
    TypedValues typed;
    if (tag == ftFontSize) typed.fontSize = StrToInt(std::string(TrimBlanks(state.fontSize)));
    if (tag == ftFrameWidth) typed.frameWidth = static_cast<float>(StrToFloatAny(state.frameWidth));
    return typed;
}

void applyToMemo(TvlMemoView& memo, int tag, const TvlFormatState& state, const TypedValues& typed,
                 TvlNewObjectSettings& settings) {
    switch (tag) {
    case ftFontName:
        memo.Font.name = state.fontName;
        settings.fontName = state.fontName;
        break;
    case ftFontSize:
        memo.Font.size = typed.fontSize;
        settings.fontSize = typed.fontSize;
        break;
    case ftBold:
    case ftItalic:
    case ftUnderline: {
        const bool down = tag == ftBold     ? state.bold
                          : tag == ftItalic ? state.italic
                                            : state.underline;
        setBits(memo.Font.style, styleBitOf(tag), down);
        settings.fontStyle = memo.Font.style;
        break;
    }
    case ftAlignLeft:
    case ftAlignRight:
    case ftAlignCenter:
        memo.Alignment = (memo.Alignment & ~kHorizontalBits) | (tag - ftAlignLeft);
        settings.alignment = memo.Alignment;
        break;
    case ftJustify:
        memo.Alignment |= kHorizontalBits;
        settings.alignment = memo.Alignment;
        break;
    case ftVertical:
        setBits(memo.Alignment, TvlMemoView::vltaVertical, state.vertical);
        settings.alignment = memo.Alignment;
        break;
    case ftVerticalPosition:
        memo.Alignment = (memo.Alignment & ~kVerticalPositionBits) |
                         (state.middle ? TvlMemoView::vltaMiddle : 0) |
                         (state.bottom ? TvlMemoView::vltaDown : 0);
        settings.alignment = memo.Alignment;
        break;
    case ftFontColor:
        memo.Font.color = state.fontColor;
        settings.fontColor = state.fontColor;
        break;
    default:
        break;
    }
}

void applyToView(TvlView& view, int tag, const TvlFormatState& state, const TypedValues& typed,
                 TvlNewObjectSettings& settings) {
    switch (tag) {
    case ftFrameTop:
    case ftFrameLeft:
    case ftFrameBottom:
    case ftFrameRight:
        setBits(view.FrameTyp, sideOf(tag), (state.frameSides & sideOf(tag)) != 0);
        break;
    case ftFillColor:
        view.FillColor = state.fillColor;
        settings.fillColor = state.fillColor;
        break;
    case ftFrameWidth:
        view.FrameWidth = typed.frameWidth;
        (dynamic_cast<TvlLineView*>(&view) ? settings.lineWidth : settings.frameWidth) =
            typed.frameWidth;
        break;
    case ftFrameColor:
        view.FrameColor = state.frameColor;
        settings.frameColor = state.frameColor;
        break;
    case ftAllFrames:
        view.FrameTyp = kAllSides;
        settings.frameSides = kAllSides;
        break;
    case ftNoFrame:
        view.FrameTyp = vlftNone;
        settings.frameSides = 0;
        break;
    default:
        if (tag >= ftLineStyle && tag <= ftLastLineStyle)
            view.FrameStyle = static_cast<std::uint16_t>(tag - ftLineStyle);
        break;
    }
}

std::uint16_t framedSides(const TvlView& view) {
    return static_cast<std::uint16_t>(view.FrameTyp & kAllSides);
}

TvlFormatState formatOf(const TvlView& view, TvlFormatState state) {
    state.frameSides = framedSides(view);
    state.frameWidth = FrameWidthText(
        view.FrameWidth, view.engineModel().script().localeService().decimalSeparator());
    state.fillColor = view.FillColor;
    state.frameColor = view.FrameColor;
    const auto* memo = dynamic_cast<const TvlMemoView*>(&view);
    if (!memo) return state;
    state.fontColor = memo->Font.color;
    state.fontName = memo->Font.name;
    state.fontSize = std::to_string(memo->Font.size);
    state.bold = (memo->Font.style & 2) != 0;
    state.italic = (memo->Font.style & 1) != 0;
    state.underline = (memo->Font.style & 4) != 0;
    state.vertical = (memo->Alignment & TvlMemoView::vltaVertical) != 0;
    state.middle = (memo->Alignment & TvlMemoView::vltaMiddle) != 0;
    state.bottom = !state.middle && (memo->Alignment & TvlMemoView::vltaDown) != 0;
    state.horizontal = memo->Alignment & kHorizontalBits;
    return state;
}

} // namespace

void CheckTypedFormat(int tag, const TvlFormatState& state) {
    convertTyped(tag, state);
}

bool IsFormatTag(int tag) {
    return (tag >= ftFrameTop && tag <= ftJustify && tag != ftHighlight) ||
           (tag >= ftLineStyle && tag <= ftLastLineStyle);
}

void ApplyFormat(const std::vector<TvlView*>& selected, int tag, const TvlFormatState& state,
                 TvlNewObjectSettings& settings) {
    if (!IsFormatTag(tag)) return;
    const TypedValues typed = convertTyped(tag, state);
    for (TvlView* view : selected) {
        if (IsBandView(*view) || (view->Restrictions & rsNoModify)) continue;
        if (isTextTag(tag)) {
            if (auto* memo = dynamic_cast<TvlMemoView*>(view))
                applyToMemo(*memo, tag, state, typed, settings);
        } else {
            applyToView(*view, tag, state, typed, settings);
        }
    }
    // The settings follow the controls also when no object took the change.
    if (tag == ftFontName) settings.fontName = state.fontName;
    if (tag == ftFontSize) settings.fontSize = typed.fontSize;
}

TvlSelectionFormat SelectionFormat(const std::vector<TvlView*>& views) {
    TvlSelectionFormat result;
    if (views.size() > 1) {
        result.kind = TvlSelectionFormat::Several;
        return result;
    }
    if (views.size() != 1 || IsBandView(*views.front())) return result;
    result.state = formatOf(*views.front(), {});
    result.kind = dynamic_cast<const TvlMemoView*>(views.front()) ? TvlSelectionFormat::SingleText
                                                                  : TvlSelectionFormat::Single;
    return result;
}

std::string FrameWidthText(double width, char separator) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2g", width);
    std::string text = buffer;
    for (char& c : text)
        if (c == '.') c = separator;
    return text;
}

} // namespace vl
