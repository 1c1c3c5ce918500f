#pragma once

#include "engine/model/ViewTypes.h"

class QPainter;

namespace vl {

// One drawing of an object: the device, how report pixels map onto it, and
// whether it shows the design (corner marks, placeholders, expressions kept
// whole) or the output. Each caller says this for its own drawing, so a
// designer painting while a preview draws in the same engine cannot change
// what the other sees.
struct TvlDrawContext {
    QPainter* canvas = nullptr;
    TvlRenderMode mode = rmOutput;
    double scaleX = 1, scaleY = 1;
    int offsetX = 0, offsetY = 0;
    bool printing = false; // pictures choose their print rendering

    // Drawing at scale 1: the build measuring its objects, or the designer.
    static TvlDrawContext at(QPainter* canvas, TvlRenderMode mode = rmOutput) {
        TvlDrawContext context;
        context.canvas = canvas;
        context.mode = mode;
        return context;
    }
};

} // namespace vl
