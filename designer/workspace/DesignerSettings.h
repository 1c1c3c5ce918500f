#pragma once

#include <QString>

namespace vl {

enum TvlDesignerUnits : int { duPixels = 0, duMillimetres = 1, duInches = 2 };

// The designer's options, kept per user under "Form/<class>" of the
// program's settings. Defaults are the values a first start shows.
struct TvlDesignerSettings {
    int gridSize = 4; // 4, 8 or 18
    bool gridAlign = true;
    bool gridShow = true;
    int units = duPixels;
    bool grayButtons = false;
    bool editAfterInsert = true;
    int selection = 1;    // 1 contents shown while moving, 0 outlines
    int pagePosition = 5; // 5 centre, 3 left, 4 right
    bool bandTitles = true;
    bool localizedPropNames = false;
    bool unlimitedHeight = false;
    bool disableUndo = false;
    bool syntaxHighlight = true;

    void load(const QString& formClass);
    void save(const QString& formClass) const;
};

// Designer units: millimetres are pixels / 18 * 5, inches millimetres / 25.4.
double PixelsToUnits(double pixels, int units);
double UnitsToPixels(double value, int units);

} // namespace vl
