#pragma once

class QPainter;

namespace vl {

class TvlDialogControl;

// Paints a dialog control the way its dialog will show it, for a control
// that no dialog form wraps yet (as on the designer's dialog page).
void PaintControlFace(QPainter& painter, const TvlDialogControl& control);

} // namespace vl
