#include "designer/editing/ObjectAttributes.h"

#include "designer/workspace/NewObjectSettings.h"
#include "engine/model/TvlMemoView.h"

namespace vl {

namespace {

constexpr int kHighlightStyleBits = 1 | 2 | 4;
constexpr int kStrikeOut = 8;

} // namespace

TvlHighlight HighlightOf(const TvlMemoView& memo) {
    TvlHighlight highlight;
    highlight.condition = memo.HighlightCondition;
    highlight.fontColor = memo.HighlightFontColor;
    highlight.fillColor = memo.HighlightFillColor;
    highlight.style = memo.HighlightStyle & kHighlightStyleBits;
    return highlight;
}

void ApplyHighlight(const std::vector<TvlView*>& views, const TvlHighlight& highlight) {
    for (TvlView* view : views) {
        auto* memo = dynamic_cast<TvlMemoView*>(view);
        if (!memo) continue;
        memo->HighlightCondition = highlight.condition;
        memo->HighlightFontColor = highlight.fontColor;
        memo->HighlightFillColor = highlight.fillColor;
        const int style = (memo->HighlightStyle & ~kHighlightStyleBits & ~kStrikeOut) |
                          (highlight.style & kHighlightStyleBits);
        memo->HighlightStyle = static_cast<std::uint16_t>(style);
    }
}

void ApplyFontChange(const std::vector<TvlView*>& views, const TvlFont& start,
                     const TvlFont& chosen, TvlNewObjectSettings& settings) {
    for (TvlView* view : views) {
        auto* memo = dynamic_cast<TvlMemoView*>(view);
        if (!memo || (memo->Restrictions & rsNoModify)) continue;
        if (chosen.name != start.name) memo->Font.name = chosen.name;
        if (chosen.size != start.size) memo->Font.size = chosen.size;
        if (chosen.color != start.color) memo->Font.color = chosen.color;
        // Style bits count one by one: bold set in the dialog leaves an
        // object's italic as it was.
        const int changedBits = chosen.style ^ start.style;
        memo->Font.style = (memo->Font.style & ~changedBits) | (chosen.style & changedBits);
        if (chosen.charset != start.charset) memo->Font.charset = chosen.charset;
    }
    if (chosen.charset != start.charset) settings.charset = chosen.charset;
}

void ApplyRestrictions(const std::vector<TvlView*>& views, std::uint16_t restrictions) {
    for (TvlView* view : views)
        view->Restrictions = restrictions;
}

} // namespace vl
