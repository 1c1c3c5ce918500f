#pragma once

#include <QRect>
#include <optional>

namespace vl {

// Where the database fields window and the inspector go when they are
// stacked.
struct TvlStackedWindows {
    QRect fields;
    QRect inspector;
};

// Stacks the database fields window and the inspector (their frames, in
// screen coordinates) within the workspace's vertical span [top, bottom]
// when their horizontal spans overlap: the fields window keeps its height
// on the side where it is (above or below the inspector), the inspector
// takes the rest. A rolled-up inspector keeps its height beside it. None
// when the windows do not overlap horizontally. Applying the result and
// stacking again gives the same result.
std::optional<TvlStackedWindows> StackToolWindows(const QRect& fields, const QRect& inspector,
                                                  int top, int bottom, bool inspectorRolledUp);

} // namespace vl
