#pragma once

#include <QSize>
#include <vector>

namespace vl {

class TvlPage;
class TvlView;

// The commands of the alignment palette, numbered as its buttons Align1 to
// Align10.
enum TvlAlignCommand : int {
    acLeftEdges = 1,
    acHorizontalCenters = 2,
    acCenterHorizontally = 3,
    acSpaceHorizontally = 4,
    acRightEdges = 5,
    acTops = 6,
    acVerticalCenters = 7,
    acCenterVertically = 8,
    acSpaceVertically = 9,
    acBottoms = 10,
};

enum class TvlAlignOutcome { NotApplicable, Aligned, AlignedInBand };

// Whether the selected objects (in page order) are enough for the command
// (a band for the left and right edges, or so many objects).
bool AlignmentApplies(int command, const std::vector<TvlView*>& selected);

// Runs an alignment command over the page's selected objects (in page
// order). The anchor is selObject when it is selected or, without it, the
// topmost selected object; objects locked against moving stay put. surface
// is the size the centring commands centre in.
TvlAlignOutcome AlignSelection(TvlPage& page, const std::vector<TvlView*>& selected, int command,
                               TvlView* selObject, QSize surface);

// Rounds every selected object's position and size to the grid (halves to
// even); a size that would vanish becomes one grid step. Locks against
// moving and sizing keep the position or the size.
void FitSelectionToGrid(const std::vector<TvlView*>& selected, int grid);

} // namespace vl
