#pragma once

#include "engine/script/TvlVariables.h"

namespace vl {

// Adds the predefined constants that expressions may name: colours (system
// colours as 0xFF000000 + index, read as negative integers), modal results,
// CRLF, Null, font styles, frame lines, text alignment, band alignment, pen
// styles and message box flags.
void AddPredefinedConstants(TvlVariables& constants);

} // namespace vl
