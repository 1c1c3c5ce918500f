#include "ViewTestSupport.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/model/picture/IconCodec.h"
#include "tests/support/ReferenceImage.h"
#include "tests/support/ThreadEngine.h"

#include <QDir>
#include <QPainter>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace vl;
using namespace vl::test;

namespace {

QImage Photo(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, w, h, QColor(90, 160, 230));
    p.fillRect(0, h * 2 / 3, w, h - h * 2 / 3, QColor(60, 140, 60));
    p.setBrush(QColor(250, 210, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPoint(w * 3 / 4, h / 4), h / 6, h / 6);
    return image;
}

QImage IconImage() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setBrush(QColor(200, 30, 30));
    p.setPen(QPen(Qt::black, 1));
    p.drawEllipse(2, 2, 27, 27);
    return image;
}

template <class G> std::unique_ptr<TvlGraphic> Graphic(const QImage& image) {
    auto g = std::make_unique<G>();
    g->setImage(image);
    return g;
}

// Frames of every style and width, lines, pictures at output time; a band,
// a sub-report frame, corner marks and an empty picture in the designer.
QImage RenderPage() {
    ViewStateGuard guard;
    FakePage page(20, 580, 600, 460);
    ViewState().designerPage = &page;
    QImage image(600, 460, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);

    const TvlDrawContext output = TvlDrawContext::at(&painter);
    const TvlColor colors[] = {clBlack, RgbColor(200, 0, 0), RgbColor(0, 0, 180)};
    const float widths[] = {1, 2, 4};
    for (int row = 0; row < 3; ++row)
        for (int style = psSolid; style <= psDouble; ++style) {
            TvlView v;
            v.SetBounds(15 + style * 95, 15 + row * 45, 75, 28);
            v.FrameTyp = vlftLeft | vlftRight | vlftTop | vlftBottom;
            v.FrameStyle = static_cast<std::uint16_t>(style);
            v.FrameWidth = widths[row];
            v.FrameColor = colors[row];
            v.FillColor = style % 2 ? RgbColor(255, 255, 200) : clNone;
            v.PrepareDraw(output);
            v.ScaleForOutput();
            v.PaintFill();
            v.PaintFrame();
            v.RestoreGeometry();
        }
    TvlView twoSides;
    twoSides.SetBounds(15, 150, 75, 28);
    twoSides.FrameTyp = vlftBottom | vlftRight;
    twoSides.FrameWidth = 2;
    twoSides.FillColor = RgbColor(220, 220, 255);
    twoSides.PrepareDraw(output);
    twoSides.ScaleForOutput();
    twoSides.PaintFill();
    twoSides.PaintFrame();
    twoSides.RestoreGeometry();

    for (int i = 0; i < 4; ++i) {
        TvlLineView h;
        h.SetBounds(110, 150 + i * 9, 200, 1);
        h.FrameStyle = static_cast<std::uint16_t>(i);
        h.FrameWidth = static_cast<float>(1 + i % 2);
        h.Draw(output);
        TvlLineView v;
        v.SetBounds(330 + i * 12, 145, 1, 40);
        v.FrameStyle = static_cast<std::uint16_t>(i == 3 ? psDouble : i);
        v.FrameColor = RgbColor(0, 120, 0);
        v.Draw(output);
    }

    TvlPictureView bitmap;
    bitmap.SetBounds(400, 140, 80, 60);
    bitmap.FrameTyp = vlftLeft | vlftRight | vlftTop | vlftBottom;
    bitmap.Flags |= TvlPictureView::pfCenter;
    bitmap.Picture.setGraphic(Graphic<TvlBitmapGraphic>(Photo(120, 60)));
    bitmap.Draw(output);
    TvlPictureView jpeg;
    jpeg.SetBounds(490, 140, 90, 60);
    jpeg.Flags = TvlPictureView::pfCenter;
    jpeg.FrameTyp = vlftLeft | vlftRight | vlftTop | vlftBottom;
    jpeg.Picture.setGraphic(Graphic<TvlJpegGraphic>(Photo(60, 40)));
    jpeg.Draw(output);
    TvlPictureView icon;
    icon.SetBounds(400, 210, 40, 40);
    icon.FillColor = RgbColor(255, 240, 200);
    icon.Flags = 0;
    icon.Picture.setGraphic(Graphic<TvlIconGraphic>(IconImage()));
    icon.Draw(output);
    TvlPictureView stretched;
    stretched.SetBounds(450, 210, 130, 40);
    stretched.Flags = TvlPictureView::pfStretched;
    stretched.Picture.setGraphic(Graphic<TvlBitmapGraphic>(Photo(40, 40)));
    stretched.Draw(output);

    const TvlDrawContext design = TvlDrawContext::at(&painter, rmDesign);
    TvlBandView band;
    band.Name = "MasterData1";
    band.FrameTyp = 5;
    band.SetBounds(0, 290, 0, 60);
    band.Columns = 2;
    band.ColumnWidth = 250;
    band.ColumnGap = 30;
    band.Draw(design);
    TvlSubReportView sub;
    sub.Name = "SubReport1";
    sub.SetBounds(30, 370, 160, 50);
    sub.Draw(design);
    TvlView marks;
    marks.SetBounds(210, 370, 80, 50);
    marks.PrepareDraw(design);
    marks.ScaleForOutput();
    marks.PaintFill();
    marks.PaintFrame();
    marks.RestoreGeometry();
    TvlPictureView empty;
    empty.SetBounds(310, 370, 100, 50);
    empty.Draw(design);
    ViewState().showBandTitles = false;
    TvlBandView plain;
    plain.FrameTyp = 2;
    plain.SetBounds(0, 430, 0, 25);
    plain.Draw(design);
    return image;
}

} // namespace

TEST(ViewRendering, PageMatchesReference) {
    vltest::ExpectMatchesReference(RenderPage(), VELLUM_MODEL_REFERENCE_DIR, "views.png", 400);
}

TEST(ViewRendering, NoDrawingAndTransparentFill) {
    ViewStateGuard guard;
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    TvlView v;
    v.SetBounds(10, 10, 30, 20);
    v.FrameTyp = vlftLeft;
    ViewState().noDrawing = true;
    v.PrepareDraw(TvlDrawContext::at(&painter, rmDesign));
    v.ScaleForOutput();
    v.PaintFill();
    v.PaintFrame();
    EXPECT_EQ(image.pixel(10, 15), QColor(Qt::gray).rgb());
    ViewState().noDrawing = false;
    v.DrawMode = rmOutput;
    v.PaintFill();
    EXPECT_EQ(image.pixel(20, 15), QColor(Qt::gray).rgb()); // transparent at output
    v.FrameTyp = vlftNone;
    v.PaintFrame();
    EXPECT_EQ(image.pixel(10, 10), QColor(Qt::gray).rgb()); // no side, no frame
    v.RestoreGeometry();
    v.DrawMode = rmDesign;
    v.ScaleForOutput();
    v.PaintFill();
    v.PaintFrame();
    EXPECT_EQ(image.pixel(20, 15), qRgb(255, 255, 255)); // white in the designer
    EXPECT_EQ(image.pixel(11, 10), qRgb(0, 0, 0));       // corner mark
    EXPECT_EQ(image.pixel(10, 12), qRgb(0, 0, 0));
    v.RestoreGeometry();
}

// Dashed frames draw dash by dash; one millions of pixels long or wide (as
// a damaged file may hold) draws only its visible dashes, in phase.
TEST(ViewRendering, HugeDashedFramesDrawOnlyTheirVisibleDashes) {
    ViewStateGuard guard;
    auto draw = [](int left, int width, float frameWidth) {
        QImage image(120, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        TvlView v;
        v.SetBounds(left, 20, width, 0);
        v.FrameTyp = vlftTop;
        v.FrameStyle = psDashDot;
        v.FrameWidth = frameWidth;
        v.PrepareDraw(TvlDrawContext::at(&painter));
        v.ScaleForOutput();
        v.PaintFrame();
        v.RestoreGeometry();
        return image;
    };
    constexpr int kPeriod = 24; // dash-dot: 9 on, 6 off, 3 on, 6 off
    const QImage reference = draw(0, 120, 5);
    EXPECT_EQ(reference.pixel(8, 20), qRgb(0, 0, 0));
    EXPECT_EQ(reference.pixel(9, 20), qRgb(255, 255, 255));
    EXPECT_EQ(draw(-kPeriod * 600000, kPeriod * 600000 + 120, 5), reference);
    // 2,000,000 parallel lines, of which a few dozen reach the image.
    const QImage wide = draw(0, 120, 2000000);
    EXPECT_EQ(wide.pixel(8, 0), qRgb(0, 0, 0));
    EXPECT_EQ(wide.pixel(9, 39), qRgb(255, 255, 255));
}

// Each drawing says its own mode: drawing an object for the designer between
// two output drawings leaves nothing behind that changes the second.
TEST(ViewRendering, ModeBelongsToEachDrawing) {
    ViewStateGuard guard;
    TvlMemoView memo;
    memo.SetBounds(5, 5, 50, 20);
    memo.Memo = {"[Customer.Name]"};
    auto draw = [&memo](TvlRenderMode mode) {
        QImage image(80, 40, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter painter(&image);
        memo.Draw(TvlDrawContext::at(&painter, mode));
        return image;
    };
    const QImage before = draw(rmOutput);
    const QImage design = draw(rmDesign);
    const QImage after = draw(rmOutput);
    EXPECT_EQ(before, after);
    EXPECT_NE(before, design);
    EXPECT_EQ(design.pixel(50, 22), qRgb(255, 255, 255)) << "the designer fills with white";
    EXPECT_EQ(after.pixel(50, 22), QColor(Qt::gray).rgb()) << "output leaves no fill";
}
