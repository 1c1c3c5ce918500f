#include "SurfaceFixture.h"
#include "engine/model/TvlColor.h"
#include "engine/model/TvlDialogControl.h"

#include <QImage>

using namespace vltest;

namespace {

class SurfacePaint : public SurfaceTest {
protected:
    QImage render() {
        QImage image(surface.size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        surface.render(&image);
        return image;
    }
    static QRgb at(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
};

constexpr QRgb kBlack = 0x000000;
constexpr QRgb kWhite = 0xFFFFFF;

} // namespace

TEST_F(SurfacePaint, GridDotsFollowTheGridSize) {
    host.settings_.gridSize = 8;
    QImage image = render();
    EXPECT_EQ(at(image, 400, 600), kBlack);
    EXPECT_EQ(at(image, 404, 604), kWhite);
    EXPECT_EQ(at(image, 401, 600), kWhite);
    host.settings_.gridSize = 4;
    image = render();
    EXPECT_EQ(at(image, 404, 604), kBlack);
    EXPECT_EQ(at(image, 402, 604), kWhite);
    host.settings_.gridSize = 18;
    image = render();
    EXPECT_EQ(at(image, 396, 594), kBlack);
    EXPECT_EQ(at(image, 400, 600), kWhite);
    host.settings_.gridShow = false;
    image = render();
    EXPECT_EQ(at(image, 396, 594), kWhite);
}

TEST_F(SurfacePaint, MarginsColumnsAndDialogColour) {
    host.settings_.gridShow = false;
    TvlPage& page = *host.page;
    page.UseMargins = true;
    page.LeftMargin = page.TopMargin = page.RightMargin = page.BottomMargin = 40;
    page.Columns = 2;
    page.ColumnGap = 20;
    QImage image = render();
    const int l = page.LeftEdge(), r = page.RightEdge();
    ASSERT_EQ(l, 40);
    EXPECT_EQ(QColor(image.pixel(300, 40)), QColor(Qt::gray)); // the top margin
    const int columnRight = l + (r - l - 20) / 2;
    int dots = 0;
    for (int y = 300; y < 400; ++y)
        dots += at(image, columnRight, y) == kBlack;
    EXPECT_GT(dots, 20); // dotted
    EXPECT_LT(dots, 100);

    page.PageType = ptDialog;
    surface.placeOnWorkspace({380, 300});
    image = render();
    EXPECT_EQ(QColor(image.pixel(101, 101)), ToQColor(clBtnFace));
}

TEST_F(SurfacePaint, HandlesShowWhileNoButtonIsHeld) {
    host.settings_.gridShow = false;
    TvlView& a = add(100, 100, 80, 40, "A");
    EXPECT_EQ(at(render(), 98, 98), kWhite);
    click({130, 120});
    ASSERT_TRUE(host.session_.selected.contains(a));
    QImage image = render();
    EXPECT_EQ(at(image, 98, 98), kBlack);   // top-left handle, inverted white
    EXPECT_EQ(at(image, 140, 98), kBlack);  // middle of the top side
    EXPECT_EQ(at(image, 182, 142), kBlack); // bottom-right
    press({130, 120});
    EXPECT_EQ(at(render(), 98, 98), kWhite); // hidden while dragging
    release({130, 120});

    // with two selected, the bottom-right object's corner handle is teal
    add(200, 100, 80, 40, "B");
    click({230, 120}, Qt::ShiftModifier);
    image = render();
    EXPECT_EQ(at(image, 140, 98), kWhite); // no side handles
    EXPECT_EQ(at(image, 282, 142), kWhite ^ 0x008080);
    EXPECT_EQ(at(image, 182, 142), kBlack);
}

TEST_F(SurfacePaint, MarkersAndRubberBand) {
    host.settings_.gridShow = false;
    TvlView& a = add(100, 100, 80, 40, "A");
    a.Script = {"A.Visible := True"};
    auto& lit = add(300, 100, 80, 40, "Lit");
    lit.HighlightCondition = "Value > 0";
    QImage image = render();
    EXPECT_NE(at(image, 103, 104), kWhite); // script marker
    EXPECT_NE(at(image, 303, 112), kWhite); // highlight marker
    EXPECT_EQ(at(image, 103, 112), kWhite);

    hover({400, 400});
    press({400, 400});
    moveTo({450, 430});
    image = render();
    EXPECT_EQ(at(image, 420, 400), kWhite ^ 0xC0C0C0); // rubber band's top edge
    EXPECT_EQ(at(image, 420, 410), kWhite);
    release({450, 430});
}

TEST_F(SurfacePaint, DialogControlsShowTheirFaces) {
    host.settings_.gridShow = false;
    host.page->PageType = ptDialog;
    surface.placeOnWorkspace({380, 300});
    auto control = std::make_unique<TvlDialogControl>(TvlControlKind::Edit);
    control->SetBounds(20, 20, 120, 24);
    control->Text = "Typed text";
    host.page->AddObject(std::move(control));
    const QImage image = render();
    const QRgb face = ToQColor(clBtnFace).rgb() & 0xFFFFFF;
    int dark = 0, other = 0;
    for (int y = 22; y < 42; ++y)
        for (int x = 22; x < 138; ++x) {
            const QRgb c = at(image, x, y);
            dark += qGray(c) < 100;
            other += c != face;
        }
    EXPECT_GT(dark, 20);   // the text
    EXPECT_GT(other, 500); // the edit box's own background
}

TEST_F(SurfacePaint, DraggedSelectionShowsItsContentsWhereItGoes) {
    host.settings_.gridShow = false;
    TvlView& a = add(100, 100, 40, 20, "A");
    TvlView& b = add(150, 100, 40, 20, "B");
    TvlView& pinned = add(200, 100, 40, 20, "Pinned");
    for (TvlView* v : {&a, &b, &pinned})
        v->FillColor = RgbColor(255, 0, 0);
    pinned.Restrictions = rsNoMove;
    drag({90, 90}, {250, 130}); // select all three
    hover({120, 110});
    press({120, 110});
    moveTo({120, 150});
    EXPECT_EQ(a.Top, 140);
    QImage image = render();
    constexpr QRgb kRed = 0xFF0000;
    EXPECT_EQ(at(image, 120, 150), kRed);   // where A went
    EXPECT_EQ(at(image, 120, 110), kWhite); // where it was
    EXPECT_EQ(at(image, 170, 150), kRed);
    EXPECT_EQ(at(image, 220, 110), kRed); // the pinned one stays
    EXPECT_EQ(at(image, 220, 150), kWhite);
    release({120, 150});
    image = render();
    EXPECT_EQ(at(image, 120, 150), kRed);
    EXPECT_EQ(at(image, 120, 110), kWhite);
}
