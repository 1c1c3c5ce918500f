#include "ViewTestSupport.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlPictureView.h"
#include "tests/support/ThreadEngine.h"

#include <gtest/gtest.h>

using namespace vl;
using namespace vl::test;

namespace {

TvlRect Bounds(const QRegion& region) {
    const QRect r = region.boundingRect();
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

} // namespace

TEST(ViewGeometry, ScaleTwoWithUnitFrameInsetsRightAndBottomOnly) {
    ViewStateGuard guard;
    TvlView v;
    v.SetBounds(10, 20, 100, 50);
    v.FrameTyp = vlftLeft | vlftRight | vlftTop | vlftBottom;
    v.ScaleX = v.ScaleY = 2;
    v.ScaleForOutput();
    EXPECT_EQ(v.Left, 20);
    EXPECT_EQ(v.Top, 40);
    EXPECT_EQ(v.Width, 200);
    EXPECT_EQ(v.Height, 100);
    // Right = 220 - 1, Bottom = 140 - 1; the rectangle's edges are exclusive.
    EXPECT_EQ(v.DRect, (TvlRect{20, 40, 220, 140}));
    EXPECT_EQ(v.GapX, 2 * 2 + 1);
    EXPECT_EQ(v.GapY, 1 * 2 + 0);
    EXPECT_FLOAT_EQ(v.FrameWidth, 2.0f);
    v.RestoreGeometry();
    EXPECT_EQ(v.Left, 10);
    EXPECT_EQ(v.Width, 100);
    EXPECT_EQ(v.GapX, 2);
    EXPECT_EQ(v.GapY, 1);
    EXPECT_FLOAT_EQ(v.FrameWidth, 1.0f);
}

TEST(ViewGeometry, ScaleRoundsHalvesToEvenAndAddsOffsets) {
    ViewStateGuard guard;
    TvlView v;
    v.SetBounds(5, 7, 3, 1);
    v.ScaleX = v.ScaleY = 0.5; // 2.5 -> 2, 3.5 -> 4, 1.5 -> 2, 0.5 -> 0
    v.OffsetX = 100;
    v.OffsetY = 200;
    v.ScaleForOutput();
    EXPECT_EQ(v.Left, 102);
    EXPECT_EQ(v.Top, 204);
    EXPECT_EQ(v.Width, 2);
    EXPECT_EQ(v.Height, 0);
    // Right := nearest(8 * 0.5 + 100) = 104, no frame: DRect right 105.
    EXPECT_EQ(v.DRect, (TvlRect{102, 204, 105, 205}));
}

TEST(ViewGeometry, DesignModeIgnoresScaleAndOffset) {
    ViewStateGuard guard;
    TvlView v;
    v.DrawMode = rmDesign;
    v.SetBounds(10, 10, 40, 20);
    v.ScaleX = 3;
    v.OffsetX = 50;
    v.ScaleForOutput();
    EXPECT_EQ(v.Left, 10);
    EXPECT_EQ(v.ScaleX, 1);
    EXPECT_EQ(v.OffsetX, 0);
    EXPECT_EQ(v.DRect, (TvlRect{10, 10, 51, 31}));
}

TEST(ViewGeometry, WideFrameInsetsEverySide) {
    ViewStateGuard guard;
    TvlView v;
    v.SetBounds(0, 0, 100, 100);
    v.FrameTyp = vlftLeft | vlftRight | vlftTop | vlftBottom;
    v.FrameWidth = 4;
    v.ScaleForOutput();
    // lx = nearest(1.5) = 2, rx = 2.
    EXPECT_EQ(v.DRect, (TvlRect{2, 2, 99, 99}));
    EXPECT_EQ(v.GapX, 4);
    EXPECT_EQ(v.GapY, 2);
}

TEST(ViewGeometry, ClipRegions) {
    TvlView v;
    v.SetBounds(0, 0, 100, 20);
    EXPECT_EQ(Bounds(v.CreateClipRegion(true)), (TvlRect{-10, -10, 111, 31}));
    EXPECT_EQ(Bounds(v.CreateClipRegion(false)), (TvlRect{0, 0, 101, 21}));
    v.FrameTyp = vlftLeft | vlftRight | vlftTop | vlftBottom;
    v.FrameWidth = 3; // outer nearest(1.5) = 2, inner nearest(1) = 1
    EXPECT_EQ(Bounds(v.CreateClipRegion(false)), (TvlRect{-2, -2, 102, 22}));
    v.FrameStyle = psDouble; // outer nearest(4.5) = 4, inner nearest(4) = 4
    EXPECT_EQ(Bounds(v.CreateClipRegion(false)), (TvlRect{-4, -4, 105, 25}));
}

TEST(ViewGeometry, LineClipRegionTruncates) {
    TvlLineView line;
    line.SetBounds(10, 10, 0, 50);
    line.FrameWidth = 3;
    EXPECT_EQ(Bounds(line.CreateClipRegion(false)), (TvlRect{9, 10, 12, 61}));
    line.FrameTyp = vlftTop;
    line.FrameStyle = psDouble; // outer trunc(4.5) = 4, inner trunc(1 + 3) = 4
    line.SetBounds(10, 10, 50, 0);
    EXPECT_EQ(Bounds(line.CreateClipRegion(true)), (TvlRect{0, -4, 71, 25}));
}

TEST(ViewGeometry, LineOrientationFollowsShapeAndStays) {
    ViewStateGuard guard;
    TvlLineView a, b;
    a.SetBounds(0, 0, 100, 5);
    b.SetBounds(0, 0, 5, 100);
    a.Draw(TvlDrawContext::at(nullptr, rmDesign));
    b.Draw(TvlDrawContext::at(nullptr, rmDesign));
    EXPECT_EQ(a.FrameTyp, vlftTop);
    EXPECT_EQ(a.Height, 0);
    EXPECT_EQ(a.Width, 100);
    EXPECT_EQ(b.FrameTyp, vlftLeft);
    EXPECT_EQ(b.Width, 0);
    EXPECT_EQ(b.CalcHeight(), 100);
    EXPECT_EQ(b.MinimumHeight(), 1);
    EXPECT_EQ(b.LeftoverHeight(), 0);
}

class BandAlignTest : public ::testing::Test {
protected:
    ViewStateGuard guard;
    FakePage page{38, 756};
    const TvlDrawContext design = TvlDrawContext::at(nullptr, rmDesign);
    void SetUp() override { ViewState().designerPage = &page; }
    TvlView& place(int left, int top, int width, std::uint8_t align) {
        TvlView& v = page.add(left, top, width, 20);
        v.BandAlign = align;
        return v;
    }
};

TEST_F(BandAlignTest, CenterAndNoPage) {
    TvlView& v = place(0, 0, 100, baCenter);
    v.PrepareDraw(design);
    EXPECT_EQ(v.Left, 347);
    EXPECT_EQ(ViewState().currentView, &v);
    ViewState().designerPage = nullptr;
    v.Left = 5;
    v.PrepareDraw(design);
    EXPECT_EQ(v.Left, 5);
}

TEST_F(BandAlignTest, LeftNeighbourOnSameRowLaterWinsTies) {
    TvlView& a = place(100, 10, 30, baLeft);
    TvlView& b = place(100, 10, 50, baLeft); // equal Left, later in page order
    place(150, 20, 70, baLeft);              // another row
    place(120, 10, 70, baRight);             // another alignment
    TvlView& v = place(300, 10, 40, baLeft);
    v.PrepareDraw(design);
    EXPECT_EQ(v.Left, 150);
    (void)a;
    (void)b;
    TvlView& first = place(0, 40, 40, baLeft);
    first.PrepareDraw(design);
    EXPECT_EQ(first.Left, 38);
}

TEST_F(BandAlignTest, RightNeighbourEarlierWinsTies) {
    place(500, 10, 30, baRight);
    place(500, 10, 60, baRight);
    place(600, 10, 60, baRight);
    TvlView& v = place(300, 10, 40, baRight);
    v.PrepareDraw(design);
    EXPECT_EQ(v.Left, 500 - 40 - 1);
    TvlView& last = place(700, 50, 40, baRight);
    last.PrepareDraw(design);
    EXPECT_EQ(last.Left, 756 - 40);
}

TEST_F(BandAlignTest, RestFillsBetweenNeighbours) {
    place(38, 10, 100, baLeft);
    place(600, 10, 50, baRight);
    TvlView& v = place(300, 10, 10, baRest);
    v.PrepareDraw(design);
    EXPECT_EQ(v.Left, 138);
    EXPECT_EQ(v.Width, 600 - 138);
    TvlView& alone = place(300, 90, 10, baRest);
    alone.PrepareDraw(design);
    EXPECT_EQ(alone.Left, 38);
    EXPECT_EQ(alone.Width, 756 - 38);
    // A left neighbour reaching past the right edge leaves no negative width.
    place(38, 130, 900, baLeft);
    TvlView& squeezed = place(950, 130, 10, baRest);
    squeezed.PrepareDraw(design);
    EXPECT_EQ(squeezed.Width, 0);
}

TEST_F(BandAlignTest, WidthBottomTopInDesigner) {
    auto& band = page.add<TvlBandView>(0, 100, 794, 60);
    band.FrameTyp = 5;
    TvlView& w = place(50, 110, 10, baWidth);
    w.PrepareDraw(design);
    EXPECT_EQ(w.Left, 38);
    EXPECT_EQ(w.Width, 756 - 38);
    TvlView& bottom = place(50, 110, 10, baBottom);
    bottom.PrepareDraw(design);
    EXPECT_EQ(bottom.Top, 100 + 60 - 20);
    TvlView& top = place(50, 130, 10, baTop);
    top.PrepareDraw(design);
    EXPECT_EQ(top.Top, 100);
    auto& cross = page.add<TvlBandView>(300, 0, 120, 1123);
    cross.FrameTyp = 19;
    TvlView& inCross = place(310, 140, 10, baWidth);
    inCross.PrepareDraw(design);
    EXPECT_EQ(inCross.Left, 300);
    EXPECT_EQ(inCross.Width, 120);
    // baBottom and baTop do nothing at output time.
    ViewState().currentPage = &page;
    bottom.Top = 3;
    bottom.PrepareDraw(TvlDrawContext::at(nullptr));
    EXPECT_EQ(bottom.Top, 3);
    w.Left = 0;
    w.PrepareDraw(TvlDrawContext::at(nullptr));
    EXPECT_EQ(w.Width, 756 - 38 - 1);
}

TEST_F(BandAlignTest, OwnerBandIsTheLastContainingTheCornerEdgesIncluded) {
    auto& a = page.add<TvlBandView>(0, 100, 794, 50);
    auto& b = page.add<TvlBandView>(0, 150, 794, 50);
    TvlView& v = place(20, 150, 10, baNone);
    EXPECT_EQ(v.FindOwnerBand(), &b);
    v.Top = 120;
    EXPECT_EQ(v.FindOwnerBand(), &a);
    v.Top = 201;
    EXPECT_EQ(v.FindOwnerBand(), nullptr);
}

TEST(PictureGeometry, KeepAspectAndCenter) {
    ViewStateGuard guard;
    TvlPictureView p;
    p.SetBounds(0, 0, 100, 100);
    auto g = std::make_unique<TvlBitmapGraphic>();
    g->setImage(QImage(200, 100, QImage::Format_RGB32));
    p.Picture.setGraphic(std::move(g));
    p.ScaleForOutput();
    TvlRect r = p.PictureRect();
    EXPECT_EQ(r.Top, 0);
    EXPECT_EQ(r.height(), 50);
    EXPECT_EQ(r.Left, 0);
    p.Flags |= TvlPictureView::pfCenter;
    r = p.PictureRect();
    EXPECT_EQ(r.Top, 25);
    EXPECT_EQ(r.height(), 50);
    // Not stretched: natural size, centred in the draw rectangle.
    p.Flags = TvlPictureView::pfCenter;
    r = p.PictureRect();
    EXPECT_EQ(r, (TvlRect{-49, 0, 151, 100}));
    p.Flags = 0;
    EXPECT_EQ(p.PictureRect(), (TvlRect{0, 0, 200, 100}));
    p.RestoreGeometry();
}
