#include "engine/output/preview/PreviewLayout.h"

#include <gtest/gtest.h>

namespace vl::preview_layout {
namespace {

const QSize kA4(758, 1072);

std::vector<QSize> a4Pages(int count) {
    return std::vector<QSize>(static_cast<std::size_t>(count), kA4);
}

TEST(PreviewLayout, OneColumnIsCentredAndSmallerPagesShareRows) {
    const Result full = LayOut(a4Pages(3), 0, QSize(800, 600), pzDefault, 1.0);
    EXPECT_EQ(full.columns, 1);
    EXPECT_EQ(full.rects[0].Left, 21);
    EXPECT_EQ(full.rects[0].Top, 10);
    EXPECT_EQ(full.rects[1].Top, 10 + 1072 + 10);
    EXPECT_EQ(full.rects[2].Left, 21);

    const Result half = LayOut(a4Pages(3), 0, QSize(800, 600), pzDefault, 0.5);
    EXPECT_EQ(half.columns, 2);
    EXPECT_EQ(half.rects[0].Left, 10);
    EXPECT_EQ(half.rects[1].Left, 399);
    EXPECT_EQ(half.rects[1].Top, 10);
    // the third page starts the second row, below the taller of the first
    EXPECT_EQ(half.rects[2].Left, 10);
    EXPECT_EQ(half.rects[2].Top, 10 + 536 + 10);
}

TEST(PreviewLayout, FittedScales) {
    const QSize area(1000, 700);
    EXPECT_DOUBLE_EQ(LayOut(a4Pages(2), 0, area, pzTwoPages, 1.0).scale, (1000.0 - 30) / 1516);
    EXPECT_DOUBLE_EQ(LayOut(a4Pages(2), 0, area, pzPageWidth, 1.0).scale, (1000.0 - 20) / 758);
    EXPECT_DOUBLE_EQ(LayOut(a4Pages(2), 0, area, pzOnePage, 1.0).scale, (700.0 - 20) / 1072);
    EXPECT_EQ(LayOut(a4Pages(3), 0, area, pzOnePage, 1.0).columns, 1);
    EXPECT_EQ(LayOut(a4Pages(3), 0, area, pzTwoPages, 1.0).columns, 2);
    // the current page's paper decides: a landscape page fits by its width
    std::vector<QSize> mixed = {kA4, QSize(1072, 758)};
    EXPECT_DOUBLE_EQ(LayOut(mixed, 1, area, pzPageWidth, 1.0).scale, (1000.0 - 20) / 1072);
}

TEST(PreviewLayout, ScrollRangesCoverThePagesAndAGap) {
    const Result r = LayOut(a4Pages(2), 0, QSize(800, 600), pzDefault, 1.0);
    EXPECT_EQ(r.horizontalMax, 0); // 21 + 758 fits in 800
    EXPECT_EQ(r.verticalMax, (10 + 1072 + 10 + 1072) - 600 + 10);
    const Result wide = LayOut(a4Pages(1), 0, QSize(500, 2000), pzDefault, 1.0);
    EXPECT_EQ(wide.rects[0].Left, 10); // not centred when wider than the area
    EXPECT_EQ(wide.horizontalMax, 10 + 758 - 500 + 10);
    EXPECT_EQ(wide.verticalMax, 0);
}

TEST(PreviewLayout, ZoomIsBoundedAndDegenerateAreasTerminate) {
    EXPECT_DOUBLE_EQ(LayOut(a4Pages(2), 0, QSize(800, 600), pzDefault, 0).scale, kMinScale);
    EXPECT_DOUBLE_EQ(LayOut(a4Pages(2), 0, QSize(800, 600), pzDefault, -3).scale, kMinScale);
    EXPECT_DOUBLE_EQ(LayOut(a4Pages(2), 0, QSize(800, 600), pzDefault, 1e9).scale, kMaxScale);
    EXPECT_DOUBLE_EQ(BoundedScale(std::numeric_limits<double>::quiet_NaN()), kMinScale);
    // a window too small for the fit margins still lays out at the bound
    const Result tiny = LayOut(a4Pages(5), 0, QSize(5, 5), pzPageWidth, 1.0);
    EXPECT_DOUBLE_EQ(tiny.scale, kMinScale);
    EXPECT_EQ(tiny.columns, 1);
    // pages without paper size keep the scale asked for
    const Result blank = LayOut({QSize(0, 0)}, 0, QSize(800, 600), pzPageWidth, 0.5);
    EXPECT_DOUBLE_EQ(blank.scale, 0.5);
    EXPECT_TRUE(LayOut({}, 0, QSize(800, 600), pzDefault, 1.0).rects.empty());
}

TEST(PreviewLayout, PageAtViewTopIsTheFirstSpanningTheLineBelowTheTop) {
    const Result r = LayOut(a4Pages(3), 0, QSize(800, 600), pzDefault, 1.0);
    EXPECT_EQ(PageAtViewTop(r.rects, 0), 0);
    EXPECT_EQ(PageAtViewTop(r.rects, r.rects[1].Top - 10), 1);
    // inside the gap between two pages no page spans the line
    EXPECT_EQ(PageAtViewTop(r.rects, r.rects[1].Top - 11), -1);
    EXPECT_EQ(PageAtViewTop(r.rects, r.rects[2].Top + 500), 2);
}

} // namespace
} // namespace vl::preview_layout
