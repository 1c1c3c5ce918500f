#pragma once

#include <cstdint>
#include <vector>

namespace vl {

class TvlBand;
class TvlBuildRun;
class TvlPage;
class TvlView;

// One output of a horizontal band whose objects also lie in the vertical
// cross bands: the cross header cell, one cross data cell per record of the
// column source and the cross footer cell, left to right from the cross
// bands' designed positions. A row wider than the page goes on at the left
// edge of the next prepared page (adding it when no earlier row did), and
// every row starts again on the page where it began.
class TvlCrossRow {
public:
    explicit TvlCrossRow(TvlBand& row);
    void Output();

private:
    void outputHeader();
    void outputData();
    void outputFooter();
    // Writes the cross band's share of the row's objects at x.
    void outputCell(TvlBand& cross, std::int64_t x);
    void writeCellObject(TvlView& view, std::int64_t x);
    // Makes room for a cell of that width, moving to the next prepared page
    // when the row has reached the right edge.
    void checkWidth(std::int64_t width);
    void openSpillPage();
    bool inUse(const TvlBand* cross) const;

    TvlBand& row_;
    TvlPage& page_;
    TvlBuildRun& run_;
    TvlBand* header_;
    TvlBand* data_;
    TvlBand* footer_;
    std::int64_t x_ = 0;
    int p0_ = 0;
    int columns_ = 0; // data columns output in this row
};

} // namespace vl
