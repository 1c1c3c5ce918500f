#include "engine/model/TvlGraphic.h"
#include "engine/model/picture/GdiObjects.h"
#include "engine/model/picture/Metafile.h"
#include "engine/model/picture/PictureError.h"
#include "tests/engine/model/picture/MetafileRender.h"
#include "tests/engine/model/picture/MetafileWriter.h"

#include <gtest/gtest.h>

using namespace vl;
using namespace vltest;

namespace {

constexpr QRgb kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00, kBlack = 0x000000,
               kWhite = 0xFFFFFF;
constexpr int kNullPen = 5, kNullBrush = 1, kHatched = 2;

// Placeable, 1000 x 1000 logical units shown in 200 x 200 pixels: divide by 5.
WmfWriter redBrushNoPen() {
    WmfWriter w;
    w.createBrush(0, qRgb(255, 0, 0)).select(0).createPen(kNullPen, 0, 0).select(1);
    return w;
}

} // namespace

TEST(WmfPlayer, PlaceableHeaderGivesSizeAndKeepsBytes) {
    WmfWriter w = redBrushNoPen();
    w.rectangle(100, 100, 500, 500);
    const auto bytes = w.build(true, QRect(0, 0, 1440, 720), 1440);
    const auto metafile = Metafile::fromBytes(bytes);
    ASSERT_TRUE(metafile);
    EXPECT_EQ(metafile->format(), Metafile::Format::PlaceableWmf);
    EXPECT_EQ(metafile->bytes(), bytes);
    EXPECT_NEAR(metafile->sizeHundredthsMm().width(), 2540, 0.01);
    EXPECT_NEAR(metafile->sizeHundredthsMm().height(), 1270, 0.01);
    EXPECT_NEAR(metafile->naturalSize().width(), 93 / 1.015, 1e-9);
}

TEST(WmfPlayer, RectangleLandsWhereTheFrameMapsIt) {
    WmfWriter w = redBrushNoPen();
    w.rectangle(100, 100, 500, 500);
    const QImage image = render(w.build());
    EXPECT_EQ(at(image, 60, 60), kRed);
    EXPECT_EQ(at(image, 21, 21), kRed);
    EXPECT_EQ(at(image, 18, 60), kWhite);
    EXPECT_EQ(at(image, 102, 60), kWhite);
    // the same file into a target at an offset and half the size
    QImage small(200, 200, QImage::Format_RGB32);
    small.fill(Qt::white);
    QPainter painter(&small);
    Metafile::fromBytes(w.build())->draw(painter, QRectF(100, 100, 100, 100));
    painter.end();
    EXPECT_EQ(at(small, 130, 130), kRed);
    EXPECT_EQ(at(small, 60, 60), kWhite);
}

TEST(WmfPlayer, WithoutPlaceableHeaderTheWindowIsThePicture) {
    WmfWriter w = redBrushNoPen();
    w.setMapMode(8).setWindowOrg(-500, -500).setWindowExt(2000, 1000);
    w.rectangle(-500, -500, 500, 0);
    const auto bytes = w.build(false);
    const auto metafile = Metafile::fromBytes(bytes);
    ASSERT_TRUE(metafile);
    EXPECT_EQ(metafile->format(), Metafile::Format::Wmf);
    EXPECT_NEAR(metafile->sizeHundredthsMm().width(), 2000 * 2540 / 96.0, 0.01);
    const QImage image = render(bytes, QSize(200, 100));
    EXPECT_EQ(at(image, 50, 20), kRed);
    EXPECT_EQ(at(image, 50, 70), kWhite);
    EXPECT_EQ(at(image, 150, 20), kWhite);
}

TEST(WmfPlayer, WithoutAnyWindowTheDrawingIsMeasured) {
    WmfWriter w = redBrushNoPen();
    w.rectangle(300, 200, 500, 300);
    const auto metafile = Metafile::fromBytes(w.build(false));
    ASSERT_TRUE(metafile);
    EXPECT_NEAR(metafile->sizeHundredthsMm().width(), 200 * 2540 / 96.0, 30);
    const QImage image = render(w.build(false), QSize(100, 50));
    EXPECT_EQ(at(image, 50, 25), kRed);
    EXPECT_EQ(at(image, 5, 5), kRed);
}

TEST(WmfPlayer, MapModesScaleAndFlip) {
    // anisotropic: a window of 100 x 100 stretched over the placeable frame
    WmfWriter a = redBrushNoPen();
    a.setMapMode(8).setWindowOrg(0, 0).setWindowExt(100, 100).rectangle(50, 0, 100, 50);
    QImage image = render(a.build());
    EXPECT_EQ(at(image, 150, 50), kRed);
    EXPECT_EQ(at(image, 50, 50), kWhite);
    // isotropic keeps units square: 100 x 50 in a square frame fills the top half
    WmfWriter i = redBrushNoPen();
    i.setMapMode(7).setWindowExt(100, 50).setViewportExt(1000, 1000).rectangle(0, 0, 100, 50);
    image = render(i.build());
    EXPECT_EQ(at(image, 100, 50), kRed);
    EXPECT_EQ(at(image, 100, 150), kWhite);
    // a negative window extent counts upwards
    WmfWriter up = redBrushNoPen();
    up.setMapMode(8).setWindowOrg(0, 1000).setWindowExt(1000, -1000).rectangle(0, 0, 1000, 200);
    image = render(up.build(false));
    EXPECT_EQ(at(image, 100, 190), kRed);
    EXPECT_EQ(at(image, 100, 10), kWhite);
}

TEST(WmfPlayer, PensAndBrushes) {
    WmfWriter w;
    w.createPen(0, 50, qRgb(0, 0, 255)).select(0);         // slot 0
    w.createBrush(kNullBrush, 0).select(1);                // slot 1
    w.rectangle(100, 100, 900, 900);                       // frame only
    w.createBrush(kHatched, qRgb(0, 255, 0), 1).select(2); // vertical hatch
    w.createPen(kNullPen, 0, 0).select(3).rectangle(0, 0, 50, 50);
    w.createPen(1, 0, qRgb(0, 0, 0)).select(4).moveTo(0, 990).lineTo(1000, 990); // dashed
    const QImage image = render(w.build());
    EXPECT_EQ(at(image, 20, 100), kBlue);   // left edge, 10 px wide
    EXPECT_EQ(at(image, 100, 100), kWhite); // null brush
    int green = 0, white = 0;
    for (int x = 0; x < 10; ++x)
        (at(image, x, 5) == kGreen ? green : white) += 1;
    EXPECT_GT(green, 0);
    EXPECT_GT(white, 0);
    int dark = 0;
    for (int x = 0; x < 200; ++x)
        dark += at(image, x, 198) == kBlack;
    EXPECT_GT(dark, 60);
    EXPECT_LT(dark, 190);
}

TEST(WmfPlayer, PolygonFillModesAndPolyPolygon) {
    // a pentagram: alternate leaves its centre empty, winding fills it
    const std::vector<QPoint> star{{500, 0}, {800, 1000}, {0, 350}, {1000, 350}, {200, 1000}};
    for (const int mode : {1, 2}) {
        WmfWriter w = redBrushNoPen();
        w.setPolyFillMode(mode).polygon(star);
        const QImage image = render(w.build());
        EXPECT_EQ(at(image, 100, 110), mode == 2 ? kRed : kWhite) << mode;
        EXPECT_EQ(at(image, 100, 40), kRed);
    }
    // two nested squares make a frame
    WmfWriter w = redBrushNoPen();
    Bytes b;
    b.i16(2).i16(4).i16(4);
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0},
                                                               {1000, 0},
                                                               {1000, 1000},
                                                               {0, 1000},
                                                               {250, 250},
                                                               {750, 250},
                                                               {750, 750},
                                                               {250, 750}})
        b.i16(x).i16(y);
    w.raw(0x0538, b);
    const QImage image = render(w.build());
    EXPECT_EQ(at(image, 20, 20), kRed);
    EXPECT_EQ(at(image, 100, 100), kWhite);
}

TEST(WmfPlayer, EllipseRoundRectAndPie) {
    WmfWriter w = redBrushNoPen();
    w.ellipse(0, 0, 500, 500);
    w.record(0x061C, {200, 200, 1000, 1000, 500, 500}); // round rectangle
    // pie over the upper-right quarter of a circle: counter-clockwise from 3 to 12 o'clock
    w.record(0x081A, {0, 750, 250, 1000, 500, 1000, 0, 500});
    const QImage image = render(w.build());
    EXPECT_EQ(at(image, 50, 50), kRed);     // ellipse centre
    EXPECT_EQ(at(image, 3, 3), kWhite);     // outside the ellipse's corner
    EXPECT_EQ(at(image, 150, 150), kRed);   // round rectangle
    EXPECT_EQ(at(image, 199, 199), kWhite); // rounded corner
    EXPECT_EQ(at(image, 175, 25), kRed);    // the pie's quarter
    EXPECT_EQ(at(image, 125, 75), kWhite);  // the rest of its circle
    EXPECT_EQ(at(image, 125, 25), kWhite);
}

TEST(WmfPlayer, TextOutAlignmentAndRotation) {
    const auto textImage = [](int align, int escapement) {
        WmfWriter w;
        w.createFont(-100, escapement, 700, "Arial").select(0).setBkMode(1);
        w.setTextColor(qRgb(0, 0, 0)).setTextAlign(align).textOut(500, 500, "HHHH");
        return render(w.build());
    };
    // left/top: the text lies right of and below the point (100, 100)
    QImage image = textImage(0, 0);
    EXPECT_GT(inked(image, QRect(100, 100, 100, 25)), 50);
    EXPECT_EQ(inked(image, QRect(0, 0, 99, 200)), 0);
    EXPECT_EQ(inked(image, QRect(0, 0, 200, 98)), 0);
    // right/bottom (8 + 2): left of and above it
    image = textImage(10, 0);
    EXPECT_GT(inked(image, QRect(0, 75, 100, 25)), 50);
    EXPECT_EQ(inked(image, QRect(102, 0, 98, 200)), 0);
    EXPECT_EQ(inked(image, QRect(0, 102, 200, 98)), 0);
    // escapement 90 degrees: the baseline runs upwards from the point
    image = textImage(24, 900);
    EXPECT_GT(inked(image, QRect(75, 0, 25, 100)), 50);
    EXPECT_EQ(inked(image, QRect(0, 102, 200, 98)), 0);
    EXPECT_EQ(inked(image, QRect(102, 0, 98, 200)), 0);
}

TEST(WmfPlayer, AnsiTextFollowsTheFontCharacterSet) {
    EXPECT_EQ(DecodeAnsiText("\xcf\xf0\xe8", 204),
              QString::fromStdU16String(u"\u041f\u0440\u0438"));
    EXPECT_EQ(DecodeAnsiText("\xe9\x80", 0), QString::fromStdU16String(u"\u00e9\u20ac"));
    EXPECT_EQ(DecodeAnsiText("\xb7", 2), QString(QChar(0xB7))); // symbol fonts: glyph codes
}

TEST(WmfPlayer, ExtTextOutOpaqueRectangleAndSpacing) {
    WmfWriter w;
    w.createFont(-50, 0, 400, "Arial").select(0).setBkColor(qRgb(0, 255, 0)).setBkMode(1);
    Bytes b;
    b.i16(100).i16(0).i16(2).u16(2); // y, x, count, ETO_OPAQUE
    b.i16(0).i16(0).i16(1000).i16(80);
    b.u8('I').u8('I').i16(900).i16(0);
    w.raw(0x0A32, b);
    const QImage image = render(w.build());
    EXPECT_EQ(at(image, 150, 5), kGreen); // opaque rectangle
    // the second letter sits 900 units (180 px) after the first
    EXPECT_GT(inked(image, QRect(180, 20, 20, 12)), 0);
    EXPECT_EQ(at(image, 100, 25), kWhite);
}

TEST(WmfPlayer, NestedSaveAndRestore) {
    WmfWriter w;
    w.createPen(kNullPen, 0, 0).select(0);
    w.createBrush(0, qRgb(255, 0, 0))
        .createBrush(0, qRgb(0, 0, 255))
        .createBrush(0, qRgb(0, 255, 0));                 // slots 1-3
    w.select(1).saveDC().select(2).saveDC().select(3);    // red, blue, green
    w.rectangle(0, 0, 200, 200);                          // green
    w.restoreDC(-2).rectangle(200, 0, 400, 200);          // red again
    w.saveDC().select(2).saveDC().select(3).restoreDC(1); // back to the first save: red
    w.rectangle(400, 0, 600, 200);
    w.restoreDC(-5).rectangle(600, 0, 800, 200); // out of range: nothing changes
    const QImage image = render(w.build());
    EXPECT_EQ(at(image, 20, 20), kGreen);
    EXPECT_EQ(at(image, 60, 20), kRed);
    EXPECT_EQ(at(image, 100, 20), kRed);
    EXPECT_EQ(at(image, 140, 20), kRed);
}

TEST(WmfPlayer, ClippingRectanglesAndRestore) {
    WmfWriter w = redBrushNoPen();
    w.saveDC().intersectClip(0, 0, 500, 500).excludeClip(0, 0, 250, 250);
    w.rectangle(0, 0, 1000, 1000);
    w.restoreDC(-1).createBrush(0, qRgb(0, 0, 255)).select(2).rectangle(0, 900, 1000, 1000);
    const QImage image = render(w.build());
    EXPECT_EQ(at(image, 75, 75), kRed);
    EXPECT_EQ(at(image, 25, 25), kWhite);   // excluded
    EXPECT_EQ(at(image, 150, 150), kWhite); // outside the intersection
    EXPECT_EQ(at(image, 150, 190), kBlue);  // after restore: unclipped
}

TEST(WmfPlayer, DeletedSlotsAreReusedLowestFirst) {
    WmfWriter w;
    w.createPen(kNullPen, 0, 0).select(0);
    w.createBrush(0, qRgb(255, 0, 0)).createBrush(0, qRgb(0, 0, 255)); // 1, 2
    w.deleteObject(1).createBrush(0, qRgb(0, 255, 0));                 // takes slot 1
    w.select(1).rectangle(0, 0, 1000, 1000);
    EXPECT_EQ(at(render(w.build()), 100, 100), kGreen);
}

TEST(WmfPlayer, DibBlitsOfEveryDepth) {
    // 4 x 4 pixels: red top-left quarter, blue bottom-right, green elsewhere
    const auto colourAt = [](int x, int y) {
        return x < 2 && y < 2 ? 0 : x >= 2 && y >= 2 ? 1 : 2;
    };
    const std::vector<QRgb> palette{qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0)};
    for (const int bits : {1, 4, 8, 24, 32}) {
        for (const bool topDown : {false, true}) {
            std::vector<QRgb> table = bits <= 8 ? palette : std::vector<QRgb>{};
            auto pixel = [&](int x, int y) -> std::uint32_t {
                const int index = colourAt(x, y);
                if (bits == 1) return index == 0 ? 0 : 1; // two colours only
                return bits <= 8 ? index : palette[index];
            };
            if (bits == 1) table = {qRgb(255, 0, 0), qRgb(0, 0, 255)};
            WmfWriter w;
            w.stretchDib(0, 0, 1000, 1000, 4, 4, makeDib(bits, 4, 4, table, pixel, topDown));
            const QImage image = render(w.build());
            EXPECT_EQ(at(image, 20, 20), kRed) << bits << topDown;
            EXPECT_EQ(at(image, 180, 180), kBlue) << bits << topDown;
            if (bits > 1) {
                EXPECT_EQ(at(image, 180, 20), kGreen) << bits << topDown;
            }
        }
    }
}

TEST(WmfPlayer, DibBitBltAndSourceRectangles) {
    const std::vector<QRgb> palette{qRgb(255, 0, 0), qRgb(0, 0, 255)};
    const auto dib = makeDib(8, 4, 4, palette, [](int x, int) { return x < 2 ? 0u : 1u; });
    // StretchDIB of the left half only
    WmfWriter s;
    s.stretchDib(0, 0, 1000, 1000, 2, 4, dib);
    Bytes b; // DIBBITBLT: rop, ySrc, xSrc, height, width, yDest, xDest, DIB
    b.u32(0x00CC0020).i16(0).i16(0).i16(4).i16(4).i16(0).i16(0).add(dib);
    WmfWriter bb;
    bb.setMapMode(8).setWindowExt(4, 4).setViewportExt(1000, 1000).raw(0x0940, b);
    const QImage stretched = render(s.build());
    EXPECT_EQ(at(stretched, 150, 100), kRed); // source starts at x = 0
    const QImage blitted = render(bb.build());
    EXPECT_EQ(at(blitted, 50, 100), kRed);
    EXPECT_EQ(at(blitted, 150, 100), kBlue);
    // PatBlt through the same record without a bitmap
    WmfWriter pat;
    pat.createBrush(0, qRgb(0, 255, 0)).select(0);
    pat.record(0x0940, {0x0021, 0x00F0, 0, 0, 0, 500, 500, 0, 0});
    EXPECT_EQ(at(render(pat.build()), 50, 50), kGreen);
}

// A picture holding a metafile keeps its bytes, measures in screen pixels and
// draws through the player.
TEST(WmfPlayer, MetafileGraphicDrawsThroughThePlayer) {
    WmfWriter w = redBrushNoPen();
    w.rectangle(0, 0, 1440, 720);
    const auto bytes = w.build(true, QRect(0, 0, 1440, 720), 1440);
    auto graphic = MakeGraphic(TvlGraphicKind::Metafile);
    graphic->load(bytes.data(), bytes.size());
    EXPECT_FALSE(graphic->empty());
    EXPECT_EQ(graphic->size(), QSize(96, 48));
    EXPECT_EQ(graphic->save(), bytes);
    QImage image(100, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        graphic->draw(p, QRectF(0, 0, 100, 50), false);
    }
    EXPECT_EQ(image.pixel(50, 25), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(50, 55), qRgb(255, 255, 255));
    const std::vector<std::uint8_t> junk(40, 7);
    EXPECT_THROW(graphic->load(junk.data(), junk.size()), PictureError);
}
