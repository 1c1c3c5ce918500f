#pragma once

#include "engine/script/StreamIO.h"

#include <array>

namespace vl {

// A paper the virtual printer offers: its code and portrait size in tenths
// of a millimetre.
struct PaperSizeInfo {
    int code;
    int width;
    int height;
};

inline constexpr int kPaperTableSize = 67;
inline constexpr int kCustomPaper = 256;
inline constexpr int kPaperA4 = 9;
// The names of the table's rows are texts 55008..55074 in row order.
inline constexpr int kFirstPaperNameId = 55008;

const std::array<PaperSizeInfo, kPaperTableSize>& PaperTable();
// The row of that code, or nullptr.
const PaperSizeInfo* FindPaper(int code);
// The localized names of the rows, in row order.
StringList LoadPaperNames();

} // namespace vl
