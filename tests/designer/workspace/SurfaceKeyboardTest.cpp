#include "SurfaceFixture.h"

using namespace vltest;

namespace {

class SurfaceKeys : public SurfaceTest {};

} // namespace

TEST_F(SurfaceKeys, CtrlMovesAndShiftResizesByOnePixel) {
    TvlView& a = add(100, 100, 60, 20, "A");
    TvlView& b = add(200, 100, 60, 20, "B");
    drag({90, 90}, {270, 130});
    ASSERT_EQ(host.sel.count, 2);
    EXPECT_TRUE(surface.handleKey(Qt::Key_Right, Qt::ControlModifier));
    EXPECT_TRUE(surface.handleKey(Qt::Key_Up, Qt::ControlModifier));
    EXPECT_EQ(rect(a), QRect(101, 99, 60, 20));
    EXPECT_EQ(rect(b), QRect(201, 99, 60, 20));
    EXPECT_EQ(host.snapshots, (std::vector<TvlSnapshotKind>{skChange, skChange}));

    b.Restrictions = rsNoResize;
    EXPECT_TRUE(surface.handleKey(Qt::Key_Down, Qt::ShiftModifier));
    EXPECT_EQ(rect(a), QRect(101, 99, 60, 21));
    EXPECT_EQ(rect(b), QRect(201, 100, 60, 20)); // moved instead
    b.Restrictions = rsNoResize | rsNoMove;
    surface.handleKey(Qt::Key_Left, Qt::ShiftModifier);
    surface.handleKey(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(rect(b), QRect(201, 100, 60, 20));
    EXPECT_EQ(rect(a), QRect(100, 99, 59, 21));
    EXPECT_TRUE(host.modified);
}

TEST_F(SurfaceKeys, ArrowSelectsTheNearestObjectAndAltMovesToIt) {
    TvlView& s = add(100, 300, 50, 20, "S");
    add(160, 100, 50, 20, "FarAbove");
    TvlView& row = add(260, 300, 50, 20, "Row");
    click({110, 310});
    EXPECT_TRUE(surface.handleKey(Qt::Key_Right, {}));
    EXPECT_EQ(selected(), std::vector<TvlView*>{&row});
    EXPECT_EQ(host.sel.object, &row);
    EXPECT_TRUE(host.snapshots.empty());

    surface.handleKey(Qt::Key_Left, {});
    EXPECT_EQ(selected(), std::vector<TvlView*>{&s});
    surface.handleKey(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(rect(s), QRect(210, 300, 50, 20)); // touches Row
    EXPECT_EQ(host.snapshots, std::vector<TvlSnapshotKind>{skChange});
}

TEST_F(SurfaceKeys, PagingEscapeAndKeysWithoutASelection) {
    add(100, 100, 50, 20, "A");
    EXPECT_FALSE(surface.handleKey(Qt::Key_Right, Qt::ControlModifier));
    EXPECT_TRUE(surface.handleKey(Qt::Key_PageDown, {}));
    EXPECT_TRUE(surface.handleKey(Qt::Key_PageUp, {}));
    EXPECT_TRUE(surface.handleKey(Qt::Key_PageUp, {}));
    EXPECT_EQ(host.scrolled, QPoint(0, -200));

    click({110, 110});
    host.sel.tool = dtText;
    hover({300, 300}); // the insert outline follows the mouse
    EXPECT_TRUE(surface.handleKey(Qt::Key_Escape, {}));
    EXPECT_EQ(host.sel.tool, dtSelect);
    EXPECT_TRUE(selected().empty());
    EXPECT_EQ(host.sel.count, 0);
    click({300, 300}); // the select tool again: nothing is inserted
    EXPECT_EQ(host.page->Objects.size(), 1u);
}
