#include "SurfaceFixture.h"
#include "engine/model/TvlLineView.h"

using namespace vltest;

namespace {

class SurfaceMouse : public SurfaceTest {};

} // namespace

TEST_F(SurfaceMouse, GridEightIgnoresSmallDragsAndMovesWholeSteps) {
    host.settings_.gridSize = 8;
    TvlView& m = add(96, 96, 80, 24, "Memo1");
    drag({110, 100}, {115, 100});
    EXPECT_EQ(rect(m), QRect(96, 96, 80, 24));
    EXPECT_TRUE(host.snapshots.empty());
    EXPECT_FALSE(host.modified);
    EXPECT_EQ(host.sel.object, &m);

    drag({110, 100}, {123, 100});
    EXPECT_EQ(rect(m), QRect(104, 96, 80, 24));
    EXPECT_EQ(host.snapshots, std::vector<TvlSnapshotKind>{skChange});
    EXPECT_TRUE(host.modified);
}

TEST_F(SurfaceMouse, AltMovesPixelByPixel) {
    host.settings_.gridSize = 8;
    TvlView& m = add(96, 96, 80, 24, "Memo1");
    drag({110, 100}, {113, 101}, Qt::AltModifier);
    EXPECT_EQ(rect(m), QRect(99, 97, 80, 24));
}

TEST_F(SurfaceMouse, ShiftClickTogglesAndCtrlStartsARubberBandOverObjects) {
    TvlView& a = add(40, 40, 60, 20, "A");
    TvlView& b = add(140, 40, 60, 20, "B");
    click({50, 50});
    click({150, 50}, Qt::ShiftModifier);
    EXPECT_EQ(selected(), (std::vector<TvlView*>{&a, &b}));
    EXPECT_EQ(host.sel.count, 2);
    click({50, 50}, Qt::ShiftModifier);
    EXPECT_EQ(selected(), std::vector<TvlView*>{&b});
    EXPECT_EQ(host.sel.object, &b);

    // with Ctrl a press on an object starts a rubber band instead of a move
    drag({45, 45}, {60, 30}, Qt::ControlModifier);
    EXPECT_EQ(selected(), std::vector<TvlView*>{&a});
    EXPECT_EQ(rect(a), QRect(40, 40, 60, 20));
}

TEST_F(SurfaceMouse, RubberBandPrefersObjectsOverBands) {
    TvlBandView& data = band(5, 100, 60, "MasterData1");
    TvlView& text = add(300, 140, 80, 20, "Memo1");
    drag({20, 200}, {40, 150}); // from below into the band only
    EXPECT_EQ(selected(), std::vector<TvlView*>{&data});
    drag({20, 200}, {300, 150}); // reaches the text object's left edge
    EXPECT_EQ(selected(), std::vector<TvlView*>{&text});
    drag({500, 600}, {520, 620}); // nothing
    EXPECT_TRUE(selected().empty());
    EXPECT_EQ(host.sel.count, 0);
}

TEST_F(SurfaceMouse, MovingABandTakesAlongWhatLiesInside) {
    TvlBandView& data = band(5, 100, 60, "MasterData1");
    TvlView& inside = add(40, 110, 80, 20, "Inside");
    TvlView& across = add(200, 140, 80, 40, "Across"); // sticks out below
    click({300, 105});
    ASSERT_EQ(selected(), std::vector<TvlView*>{&data});
    drag({300, 105}, {300, 125});
    EXPECT_EQ(data.Top, 120);
    EXPECT_EQ(inside.Top, 130);
    EXPECT_EQ(across.Top, 140);
    EXPECT_EQ(host.snapshots.size(), 1u);
    EXPECT_EQ(host.sel.count, 2); // the picked-up objects were in the snapshot's selection

    // with Alt the band moves alone
    click({300, 400});
    click({300, 125});
    drag({300, 125}, {300, 145}, Qt::AltModifier);
    EXPECT_EQ(data.Top, 140);
    EXPECT_EQ(inside.Top, 130);
}

TEST_F(SurfaceMouse, EachHandleResizesItsCornerOrEdge) {
    struct Case {
        QPoint handle;
        QRect expected;
    };
    // the object spans (100, 100) to (180, 140); every drag is (+8, +12)
    const Case cases[] = {
        {{100, 100}, {108, 112, 72, 28}}, // top-left
        {{180, 140}, {100, 100, 88, 52}}, // bottom-right
        {{180, 100}, {100, 112, 88, 28}}, // top-right
        {{100, 140}, {108, 100, 72, 52}}, // bottom-left
        {{100, 120}, {108, 100, 72, 40}}, // left
        {{180, 120}, {100, 100, 88, 40}}, // right
        {{140, 100}, {100, 112, 80, 28}}, // top
        {{140, 140}, {100, 100, 80, 52}}, // bottom
    };
    TvlView& m = add(100, 100, 80, 40, "Memo1");
    for (const Case& c : cases) {
        m.SetBounds(100, 100, 80, 40);
        click({130, 110});
        drag(c.handle, c.handle + QPoint(8, 12));
        EXPECT_EQ(rect(m), c.expected) << c.handle.x() << "," << c.handle.y();
    }
}

TEST_F(SurfaceMouse, TopLeftHandleDraggedPastTheOppositeCornerFlips) {
    TvlView& m = add(100, 100, 80, 40, "Memo1");
    click({130, 110});
    hover({100, 100});
    press({100, 100});
    moveTo({200, 160}); // 20 beyond the right, 20 below
    moveTo({208, 168}); // now dragging the bottom-right corner
    release({208, 168});
    EXPECT_EQ(rect(m), QRect(180, 140, 28, 28));
}

TEST_F(SurfaceMouse, LockedObjectsStayPut) {
    TvlView& fixed = add(100, 100, 80, 40, "Fixed");
    fixed.Restrictions = rsNoMove;
    drag({130, 110}, {170, 150});
    EXPECT_EQ(rect(fixed), QRect(100, 100, 80, 40));

    TvlView& rigid = add(300, 100, 80, 40, "Rigid");
    rigid.Restrictions = rsNoResize;
    click({330, 110});
    drag({380, 140}, {400, 160});
    EXPECT_EQ(rect(rigid), QRect(300, 100, 80, 40));
    // rsNoDelete does not keep an object from being moved
    TvlView& kept = add(500, 100, 40, 40, "Kept");
    kept.Restrictions = rsNoDelete;
    drag({520, 120}, {540, 120});
    EXPECT_EQ(kept.Left, 520);
}

TEST_F(SurfaceMouse, SelectionResizesProportionally) {
    TvlView& a = add(100, 100, 60, 20, "A");
    TvlView& b = add(160, 100, 60, 40, "B");
    TvlView& rigid = add(100, 120, 20, 20, "Rigid");
    rigid.Restrictions = rsNoResize;
    drag({90, 90}, {230, 150}); // rubber band over all three
    ASSERT_EQ(host.sel.count, 3);
    drag({220, 140}, {280, 180}); // the box grows from 120 x 40 to 180 x 80
    EXPECT_EQ(rect(a), QRect(100, 100, 90, 40));
    EXPECT_EQ(rect(b), QRect(190, 100, 90, 80));
    EXPECT_EQ(a.Left + a.Width, b.Left);
    EXPECT_EQ(rect(rigid), QRect(100, 120, 20, 20));
    EXPECT_EQ(host.snapshots, std::vector<TvlSnapshotKind>{skChange});
}

TEST_F(SurfaceMouse, BorderBetweenTouchingObjectsMoves) {
    TvlView& a = add(100, 100, 60, 20, "A");
    TvlView& b = add(160, 100, 60, 20, "B");
    drag({90, 90}, {230, 130});
    drag({161, 110}, {177, 110});
    EXPECT_EQ(rect(a), QRect(100, 100, 76, 20));
    EXPECT_EQ(rect(b), QRect(176, 100, 44, 20));
    EXPECT_TRUE(host.modified);

    // the right object may not move: the border stays
    b.Restrictions = rsNoMove;
    drag({177, 110}, {193, 110});
    EXPECT_EQ(rect(a), QRect(100, 100, 76, 20));
    EXPECT_EQ(rect(b), QRect(176, 100, 44, 20));
    // nor may a width become zero
    b.Restrictions = 0;
    drag({177, 110}, {221, 110});
    EXPECT_EQ(rect(b), QRect(176, 100, 44, 20));
}

TEST_F(SurfaceMouse, RightButtonSelectsAndOpensTheContextMenu) {
    TvlView& a = add(100, 100, 60, 20, "A");
    press({110, 110}, {}, Qt::RightButton);
    EXPECT_EQ(selected(), std::vector<TvlView*>{&a});
    EXPECT_EQ(host.contextMenus, 1);
    moveTo({150, 150}); // no button is down any more: nothing moves
    EXPECT_EQ(rect(a), QRect(100, 100, 60, 20));
}

TEST_F(SurfaceMouse, DoubleClickOpensEditorsByWhatIsSelected) {
    add(100, 100, 60, 20, "A");
    doubleClick({110, 110});
    doubleClick({110, 110}, Qt::ControlModifier);
    EXPECT_EQ(host.edits, (std::vector<bool>{false, true}));
    doubleClick({400, 400});
    EXPECT_EQ(host.pageOptionCalls, 1);
    host.page->PageType = ptDialog;
    doubleClick({400, 400});
    EXPECT_EQ(host.pageScriptCalls, 1);
}

TEST_F(SurfaceMouse, DraggingBeyondTheWorkspaceScrollsIt) {
    add(100, 100, 60, 20, "A");
    host.offset = QPoint(0, 0);
    hover({110, 110});
    press({110, 110});
    const QPoint beyond = QPoint(0, 930) - surface.pos(); // 31 below the visible 900
    moveTo(beyond);
    release(beyond);
    EXPECT_EQ(host.scrolled, QPoint(0, 31));
}

TEST_F(SurfaceMouse, EventsWithoutAPageOrWhileDrawingIsOffDoNothing) {
    TvlView& a = add(100, 100, 60, 20, "A");
    surface.setDrawingDisabled(true);
    drag({110, 110}, {150, 150});
    EXPECT_EQ(rect(a), QRect(100, 100, 60, 20));
    EXPECT_TRUE(selected().empty());
    surface.setDrawingDisabled(false);
    TvlPage* page = host.page;
    host.page = nullptr;
    drag({110, 110}, {150, 150});
    host.page = page;
    EXPECT_EQ(rect(a), QRect(100, 100, 60, 20));
}
