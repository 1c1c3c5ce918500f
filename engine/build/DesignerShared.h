#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vl {

class TvlReport;

// The values newly inserted objects take, which the designer's formatting
// toolbars change as the user formats objects.
struct TvlNewObjectSettings {
    float frameWidth = 1;
    float lineWidth = 2;
    std::uint32_t fillColor = 0x1FFFFFFF; // clNone
    std::uint32_t frameColor = 0;         // black
    std::uint32_t fontColor = 0;
    std::uint16_t frameSides = 0;
    std::string fontName = "Arial";
    int fontSize = 10;
    int fontStyle = 0;
    int alignment = 0;
    int charset = 1; // the engine's default character set
};

// What the designer's choosers remember while a designer session lasts:
// the last data set of the fields chooser and the last category of the
// variables chooser.
struct TvlChooserMemory {
    std::string dataSet;
    std::string category;
};

// The engine's designer hook: the commands that open the designer window
// on a report, installed by the program's designer (TvlDesigner) while it
// exists; without them a report cannot be designed.
struct TvlDesignerShared {
    // Opens the designer modally; returns the window's modal result
    // (1 closed through Exit, 2 through the close box or No to saving).
    std::function<int(TvlReport& report)> designReport;
    // Opens the designer modally in page-edit mode on the report, whose
    // page list holds the one page rebuilt from a prepared page; answers
    // whether the changed page replaces the prepared one (the designer asks
    // the user).
    std::function<bool(TvlReport& report)> editPage;
};

} // namespace vl
