#pragma once

#include "engine/model/TvlColor.h"

#include <QIcon>

class QString;

namespace vl {

// The pictures of the formatting and alignment buttons, drawn (16 x 16)
// by the control's name: FrB1-FrB6, FnB1-FnB3, AlB1-AlB8, HlB1, StB1,
// Align1-Align10. An unknown name gives an empty icon.
QIcon FormatIcon(const QString& control);

// The colour buttons' picture: the glyph of the font (ClB2), fill (ClB1)
// or frame (ClB3) colour above a bar in the colour; for no colour the bar
// takes the button face colour.
QIcon ColorButtonIcon(const QString& control, TvlColor color);

// A line-style button's picture (style 0 solid .. 5 double).
QIcon LineStyleIcon(int style, int width = 32);

} // namespace vl
