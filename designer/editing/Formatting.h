#pragma once

#include "engine/model/TvlColor.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vl {

class TvlPage;
class TvlView;
struct TvlNewObjectSettings;

// The tags of the formatting controls of the "Text" and "Rectangle"
// toolbars; the line-style buttons use ftLineStyle + the style.
enum TvlFormatTag : int {
    ftFrameTop = 1,
    ftFrameLeft = 2,
    ftFrameBottom = 3,
    ftFrameRight = 4,
    ftFillColor = 5,
    ftFrameWidth = 6,
    ftFontName = 7,
    ftFontSize = 8,
    ftBold = 9,
    ftItalic = 10,
    ftAlignLeft = 11,
    ftAlignRight = 12,
    ftAlignCenter = 13,
    ftVertical = 14,
    ftVerticalPosition = 15,
    ftHighlight = 16,
    ftFontColor = 17,
    ftUnderline = 18,
    ftFrameColor = 19,
    ftAllFrames = 20,
    ftNoFrame = 21,
    ftJustify = 22,
    ftLineStyle = 25, // 25 solid ... 30 double
    ftLastLineStyle = 30,
};

// What the formatting controls show: which buttons are down, the boxes'
// texts and the colour buttons' colours.
struct TvlFormatState {
    std::uint16_t frameSides = 0;  // FrB1-FrB4 down
    std::string frameWidth = "1";  // C4
    TvlColor fillColor = clBlack;  // ClB1
    TvlColor fontColor = clBlack;  // ClB2
    TvlColor frameColor = clBlack; // ClB3
    std::string fontName;          // C2
    std::string fontSize;          // C3
    bool bold = false;             // FnB1
    bool italic = false;           // FnB2
    bool underline = false;        // FnB3
    int horizontal = 0;            // AlB1 left, AlB2 right, AlB3 centre, AlB8 justified
    bool vertical = false;         // AlB4
    bool middle = false;           // AlB5 (AlB6 is top)
    bool bottom = false;           // AlB7
};

// Applies the control's formatting to the selected objects that allow it
// (band views and objects locked against modifying stay as they are;
// text tags act on text objects only) and to the settings new objects
// take. A size or width that does not convert raises ConversionError
// before anything changes.
void ApplyFormat(const std::vector<TvlView*>& selected, int tag, const TvlFormatState& state,
                 TvlNewObjectSettings& settings);

// Raises ConversionError when the box the tag reads holds no valid size
// or width.
void CheckTypedFormat(int tag, const TvlFormatState& state);

// Whether the tag is one of the formatting controls ApplyFormat knows.
bool IsFormatTag(int tag);

// The selection's formatting for the toolbars.
struct TvlSelectionFormat {
    enum Kind { None, Single, SingleText, Several } kind = None;
    TvlFormatState state;
};
// Of the selected objects: one that is not a band view gives its
// formatting, several the neutral state; otherwise None and the toolbars
// stay as they are.
TvlSelectionFormat SelectionFormat(const std::vector<TvlView*>& views);

// A frame width as the width box shows it: two significant digits, with the
// decimal separator of the objects' engine.
std::string FrameWidthText(double width, char separator);

} // namespace vl
