#pragma once

#include "engine/model/TvlColor.h"

#include <QFont>
#include <string>

namespace vl {

// A report font as templates store it. style is the style code of the
// streams (1 italic, 2 bold, 4 underline, 8 strike-out, any sum).
struct TvlFont {
    std::string name = "Arial";
    int size = 10; // points
    int style = 0;
    TvlColor color = clBlack;
    int charset = 1; // the platform's default character set

    bool operator==(const TvlFont&) const = default;

    // The Qt font at the given pixel height (positive).
    QFont toQFont(int pixelHeight) const;
    // Pixel height of the font at 96 pixels per inch, halves to even.
    int pixelHeight96() const;
    // A pixel height within what any page can show (damaged files can hold
    // any size, and Qt would try to rasterise it).
    static int clampPixelHeight(double pixels);
};

} // namespace vl
