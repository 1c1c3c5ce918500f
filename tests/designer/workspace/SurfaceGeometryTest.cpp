#include "designer/workspace/SurfaceGeometry.h"

#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/ObjectInsertion.h"
#include "designer/workspace/PageObjects.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/model/ModelContext.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/ViewState.h"

#include <gtest/gtest.h>

using namespace vl;

TEST(SurfaceGeometry, DragDeltasMoveByWholeGridSteps) {
    EXPECT_FALSE(SnapDelta({5, 5}, 8, true));
    EXPECT_FALSE(SnapDelta({-7, 7}, 8, true));
    EXPECT_EQ(SnapDelta({13, 0}, 8, true), QPoint(8, 0));
    EXPECT_EQ(SnapDelta({-13, 3}, 8, true), QPoint(-8, 0)); // toward zero, both ways
    EXPECT_EQ(SnapDelta({5, 17}, 8, true), QPoint(0, 16));
    EXPECT_EQ(SnapDelta({5, 3}, 8, false), QPoint(5, 3));
}

TEST(SurfaceGeometry, PointsSnapDownAndLinesStartAtNearbyCorners) {
    EXPECT_EQ(SnapFloor({13, 7}, 4), QPoint(12, 4));
    EXPECT_EQ(SnapFloor({-3, 35}, 18), QPoint(-18, 18));
    EXPECT_EQ(SnapLineStart({13, 7}, 8, {}), QPoint(16, 8));
    // a corner within one step wins over the grid, the nearest corner first
    EXPECT_EQ(SnapLineStart({13, 7}, 8, {{50, 50}, {10, 10}, {15, 9}}), QPoint(15, 9));
    EXPECT_EQ(SnapLineStart({13, 7}, 8, {{30, 7}}), QPoint(16, 8));
}

TEST(SurfaceGeometry, HandleDraggedPastTheOppositeCornerFlips) {
    TvlMemoView v;
    v.SetBounds(100, 100, 40, 20);
    int corner = shTopLeft;
    ResizeByHandle(v, corner, {60, 30}); // 20 past the right, 10 past the bottom
    EXPECT_EQ(corner, shBottomRight);
    EXPECT_EQ(QRect(v.Left, v.Top, v.Width, v.Height), QRect(140, 120, 20, 10));
    ResizeByHandle(v, corner, {4, 4}); // resizing goes on from the new corner
    EXPECT_EQ(QRect(v.Left, v.Top, v.Width, v.Height), QRect(140, 120, 24, 14));

    int edge = shTop;
    ResizeByHandle(v, edge, {0, 20});
    EXPECT_EQ(edge, shBottom);
    EXPECT_EQ(QRect(v.Left, v.Top, v.Width, v.Height), QRect(140, 134, 24, 6));
}

TEST(SurfaceGeometry, ProportionalResizeKeepsNeighboursTogether) {
    const SurfaceBox box{10, 10, 70, 40};
    const SurfaceBox grown{10, 10, 80, 50}; // 7/6 wide, 4/3 high
    const SurfaceBox a = ScaleInBox({10, 10, 30, 40}, box, grown);
    const SurfaceBox b = ScaleInBox({30, 10, 70, 25}, box, grown);
    EXPECT_EQ(a.r, b.l);
    EXPECT_EQ(b.r, 80);
    EXPECT_EQ(b.b, 30);
    // a box without extent keeps its objects' sizes
    EXPECT_EQ(ScaleInBox({5, 5, 5, 9}, {5, 5, 5, 9}, {5, 5, 5, 13}), (SurfaceBox{5, 5, 5, 13}));
}

TEST(ObjectInsertion, DefaultTextSizeFollowsGridAndFont) {
    EXPECT_EQ(DefaultMemoSize(4, 10), QSize(96, 20));
    EXPECT_EQ(DefaultMemoSize(18, 10), QSize(108, 18));
    EXPECT_EQ(DefaultMemoSize(18, 12), QSize(108, 20));
    EXPECT_EQ(DefaultMemoSize(8, 16), QSize(96, 24));
    EXPECT_EQ(DefaultMemoSize(8, 17), QSize(96, 20));
}

TEST(ObjectInsertion, BandBaseNames) {
    EXPECT_EQ(BandBaseName("Master data"), "MasterData");
    EXPECT_EQ(BandBaseName("Page header"), "PageHeader");
    EXPECT_EQ(BandBaseName("Overlay"), "Overlay");
    EXPECT_EQ(BandBaseName("Odd "), "Odd");
    const auto band = CreateForTool(ModelGlobals(), dtBand, 5);
    EXPECT_EQ(band->BaseName, "MasterData");
    EXPECT_EQ(band->FrameTyp, 5);
    EXPECT_EQ(CreateForTool(ModelGlobals(), dtAddInBase + 40), nullptr); // no such add-in class
}

namespace {

TvlView& Put(TvlPage& page, std::unique_ptr<TvlView> v, int l, int t, int w, int h,
             const char* name) {
    v->SetBounds(l, t, w, h);
    v->Name = name;
    return page.AddObject(std::move(v));
}

TvlView& Band(TvlPage& page, int type, const char* name) {
    auto b = std::make_unique<TvlBandView>();
    b->FrameTyp = static_cast<std::uint16_t>(type);
    return Put(page, std::move(b), 0, 0, 700, 20, name);
}

std::string Order(const TvlPage& page) {
    std::string names;
    for (const auto& v : page.Objects)
        names += v->Name + " ";
    return names;
}

} // namespace

TEST(PageObjects, SortBandsPutsOverlayFirstAndCrossBandsLastOfTheBands) {
    TvlPage page{TvlEngine::Default()};
    Put(page, std::make_unique<TvlMemoView>(), 0, 0, 10, 10, "M1");
    Band(page, 18, "Cross");
    Band(page, 0, "Title");
    Put(page, std::make_unique<TvlMemoView>(), 0, 0, 10, 10, "M2");
    Band(page, 13, "Overlay");
    Band(page, 5, "Data");
    Band(page, 13, "Overlay2");
    TvlObjectSelection selection;
    PageObjects(page, selection).sortBands();
    EXPECT_EQ(Order(page), "Overlay Title Data Overlay2 Cross M1 M2 ");
}

TEST(PageObjects, NearestObjectPrefersTheSameRow) {
    TvlPage page{TvlEngine::Default()};
    TvlView& s = Put(page, std::make_unique<TvlMemoView>(), 100, 300, 50, 20, "S");
    Put(page, std::make_unique<TvlMemoView>(), 160, 100, 50, 20, "Above"); // 10 right, far up
    TvlView& row = Put(page, std::make_unique<TvlMemoView>(), 260, 300, 50, 20, "Row");
    Put(page, std::make_unique<TvlMemoView>(), 20, 300, 50, 20, "Left");
    Band(page, 5, "Band");
    TvlObjectSelection selection;
    PageObjects objects(page, selection);
    EXPECT_EQ(objects.nearest(s, Qt::Key_Right), &row);
    EXPECT_EQ(objects.nearest(s, Qt::Key_Left)->Name, "Left");
    EXPECT_EQ(objects.nearest(s, Qt::Key_Up)->Name, "Above");
    EXPECT_EQ(objects.nearest(s, Qt::Key_Down), nullptr);
    selection.select(row); // selected objects are not candidates
    EXPECT_EQ(objects.nearest(s, Qt::Key_Right)->Name, "Above");
}
