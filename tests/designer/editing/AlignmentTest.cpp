#include "designer/editing/Alignment.h"

#include "tests/designer/editing/FakeDesignerHost.h"

namespace vltest {
namespace {

using AlignmentTest = EditingFixture;

TEST_F(AlignmentTest, SpacingEquallyMovesTheMiddleObjects) {
    TvlMemoView& a = host.memo("A", 0, 0);
    TvlMemoView& c = host.memo("C", 100, 40);
    TvlMemoView& b = host.memo("B", 10, 80);
    host.select({&a, &b, &c});
    editing.Align(acSpaceHorizontally);
    EXPECT_EQ(b.Left, 50);
    EXPECT_EQ(a.Left, 0);
    EXPECT_EQ(c.Left, 100);

    // Vertically: tops 0, 40, 80 are equal steps already; 0, 41, 81 become
    // steps of 40 (81 / 2 truncated).
    c.Top = 41;
    b.Top = 81;
    editing.Align(acSpaceVertically);
    EXPECT_EQ(c.Top, 40);
    EXPECT_EQ(b.Top, 81);
    EXPECT_EQ(host.snapshots, 2);

    // Two objects are not enough.
    host.select({&a, &b});
    editing.Align(acSpaceHorizontally);
    EXPECT_EQ(host.snapshots, 2);
}

TEST_F(AlignmentTest, EdgesAndCentresFollowTheAnchor) {
    TvlMemoView& a = host.memo("A", 10, 10, 40, 20);
    TvlMemoView& b = host.memo("B", 100, 50, 60, 31);
    host.select({&a, &b});
    host.selection().object = &a;
    editing.Align(acLeftEdges);
    EXPECT_EQ(b.Left, 10);
    editing.Align(acRightEdges);
    EXPECT_EQ(b.Left, 50 - 60);
    editing.Align(acHorizontalCenters);
    EXPECT_EQ(b.Left, 10 + 20 - 30);
    editing.Align(acTops);
    EXPECT_EQ(b.Top, 10);
    editing.Align(acBottoms);
    EXPECT_EQ(b.Top, 30 - 31);
    editing.Align(acVerticalCenters);
    EXPECT_EQ(b.Top, 10 + 10 - 15);
    EXPECT_EQ(a.Left, 10);
    EXPECT_EQ(a.Top, 10);

    // Without SelObject the topmost selected object anchors.
    host.selection().object = nullptr;
    editing.Align(acTops);
    EXPECT_EQ(a.Top, b.Top);
}

TEST_F(AlignmentTest, LockedObjectsStayPut) {
    TvlMemoView& a = host.memo("A", 10, 10);
    TvlMemoView& b = host.memo("B", 100, 50);
    b.Restrictions = rsNoMove;
    host.select({&a, &b});
    host.selection().object = &a;
    editing.Align(acLeftEdges);
    EXPECT_EQ(b.Left, 100);
}

TEST_F(AlignmentTest, CentringInTheWindowShiftsTheSelectionAsOne) {
    TvlMemoView& a = host.memo("A", 10, 10, 40, 20);
    TvlMemoView& b = host.memo("B", 110, 50, 50, 20);
    host.select({&a, &b});
    editing.Align(acCenterHorizontally);
    // L 10, R 160, W 800: Left -= 10 + (150 - 800) / 2 = -315.
    EXPECT_EQ(a.Left, 325);
    EXPECT_EQ(b.Left, 425);
    editing.Align(acCenterVertically);
    // T 10, B 70, H 1100: Top -= 10 + (60 - 1100) / 2 = -510.
    EXPECT_EQ(a.Top, 520);
    EXPECT_EQ(b.Top, 560);
}

TEST_F(AlignmentTest, LeftEdgesWithABandLineTheBandsObjectsUpFromTheMargin) {
    TvlBandView& band = host.band("MasterData1", 5, 100, 40);
    TvlMemoView& c = host.memo("C", 300, 110, 50, 20);
    TvlMemoView& a = host.memo("A", 20, 105, 30, 20);
    TvlMemoView& b = host.memo("B", 400, 120, 40, 20);
    b.Restrictions = rsNoMove;
    TvlMemoView& outside = host.memo("Out", 5, 135, 40, 20); // sticks out below
    host.select({&band});
    editing.Align(acLeftEdges);
    const int left = host.page().LeftEdge();
    EXPECT_EQ(a.Left, left);
    EXPECT_EQ(a.Top, 105);
    EXPECT_EQ(c.Left, left + 30);
    EXPECT_EQ(c.Top, 105);  // the top of the object with the smallest Left
    EXPECT_EQ(b.Left, 400); // locked
    EXPECT_EQ(b.Top, 120);
    EXPECT_EQ(outside.Left, 5);

    editing.Align(acRightEdges);
    const int right = host.page().RightEdge();
    // B stays put, but its width still counts.
    EXPECT_EQ(b.Left, 400);
    EXPECT_EQ(c.Left, right - 40 - 50);
    EXPECT_EQ(a.Left, right - 40 - 50 - 30);
    // The top of the object whose right edge is largest: B.
    EXPECT_EQ(a.Top, 120);
    EXPECT_EQ(c.Top, 120);
}

TEST_F(AlignmentTest, FitToGridRoundsHalvesToEven) {
    host.settings_.gridSize = 8;
    TvlMemoView& m = host.memo("M", 12, 20, 4, 3);
    TvlMemoView& locked = host.memo("L", 13, 13, 13, 13);
    locked.Restrictions = rsNoMove;
    host.select({&m, &locked});
    editing.FitToGrid();
    EXPECT_EQ(m.Left, 16);
    EXPECT_EQ(m.Top, 16);
    EXPECT_EQ(m.Width, 8);
    EXPECT_EQ(m.Height, 8);
    EXPECT_EQ(locked.Left, 13);
    EXPECT_EQ(locked.Width, 16);
    editing.undo().Undo();
    EXPECT_EQ(m.Left, 12);
    EXPECT_EQ(m.Width, 4);
}

} // namespace
} // namespace vltest
