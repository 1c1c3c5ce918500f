#pragma once

#include "engine/model/TvlColor.h"
#include "engine/model/TvlFont.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vl {

class TvlMemoView;
class TvlView;
struct TvlNewObjectSettings;

// A text object's highlight: the condition and what the text looks like
// while it holds (font style bits 1 italic, 2 bold, 4 underline).
struct TvlHighlight {
    std::string condition;
    TvlColor fontColor = clBlack;
    TvlColor fillColor = clWhite;
    int style = 0;
};

TvlHighlight HighlightOf(const TvlMemoView& memo);
// Every text object among the views takes the highlight; the strike-out
// bit (8) of its highlight style is cleared.
void ApplyHighlight(const std::vector<TvlView*>& views, const TvlHighlight& highlight);

// Every text object not locked against modifying takes those attributes of
// the chosen font that differ from the font the dialog started from, so
// attributes left alone stay as each object had them. A changed character
// set also becomes the one new objects take.
void ApplyFontChange(const std::vector<TvlView*>& views, const TvlFont& start,
                     const TvlFont& chosen, TvlNewObjectSettings& settings);

// The restriction bits of every view := restrictions.
void ApplyRestrictions(const std::vector<TvlView*>& views, std::uint16_t restrictions);

} // namespace vl
