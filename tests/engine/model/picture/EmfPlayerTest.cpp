#include "engine/model/picture/Metafile.h"
#include "tests/engine/model/picture/MetafileRender.h"
#include "tests/engine/model/picture/MetafileWriter.h"

#include <gtest/gtest.h>

using namespace vl;
using namespace vltest;

namespace {

constexpr QRgb kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00, kWhite = 0xFFFFFF;
constexpr std::uint32_t kStock = 0x80000000, kNullPen = kStock | 8, kBlackPen = kStock | 7,
                        kNullBrush = kStock | 5, kBlackBrush = kStock | 4;

// 100 x 100 mm on a device of 10 pixels per millimetre: 1000 x 1000 device
// pixels shown in 200 x 200, so device coordinates divide by 5.
EmfWriter redFill() {
    EmfWriter w;
    w.createBrush(1, 0, qRgb(255, 0, 0)).select(1).select(kNullPen);
    return w;
}

} // namespace

TEST(EmfPlayer, HeaderFrameGivesSize) {
    EmfWriter w = redFill();
    w.rectangle(0, 0, 500, 500);
    const auto bytes = w.build(QRect(0, 0, 20000, 10000), QSize(1000, 1000), QSize(100, 100));
    const auto metafile = Metafile::fromBytes(bytes);
    ASSERT_TRUE(metafile);
    EXPECT_EQ(metafile->format(), Metafile::Format::Emf);
    EXPECT_EQ(metafile->bytes(), bytes);
    EXPECT_NEAR(metafile->sizeHundredthsMm().width(), 20000, 1e-6);
    EXPECT_NEAR(metafile->sizeHundredthsMm().height(), 10000, 1e-6);
    EXPECT_NEAR(metafile->naturalSize().height(), 100 / 25.4 * 93 / 1.015, 1e-6);
    // the frame starts at 0 and spans 2000 x 1000 device pixels
    const QImage image = render(bytes, QSize(200, 100));
    EXPECT_EQ(at(image, 20, 20), kRed);
    EXPECT_EQ(at(image, 70, 20), kWhite);
}

TEST(EmfPlayer, MapModes) {
    // lometric: 0.1 mm units counting upwards; 1 unit = 1 device pixel here
    EmfWriter lo = redFill();
    lo.setMapMode(2).rectangle(100, -100, 500, -500);
    QImage image = render(lo.build());
    EXPECT_EQ(at(image, 60, 60), kRed);
    EXPECT_EQ(at(image, 60, 110), kWhite);
    // himetric: 0.01 mm
    EmfWriter hi = redFill();
    hi.setMapMode(3).rectangle(5000, -5000, 10000, -10000);
    image = render(hi.build());
    EXPECT_EQ(at(image, 150, 150), kRed);
    EXPECT_EQ(at(image, 50, 50), kWhite);
    // anisotropic window onto a viewport
    EmfWriter an = redFill();
    an.setMapMode(8)
        .setWindowOrg(-10, -10)
        .setWindowExt(20, 20)
        .setViewportOrg(0, 0)
        .setViewportExt(1000, 1000)
        .rectangle(0, -10, 10, 0);
    image = render(an.build());
    EXPECT_EQ(at(image, 150, 50), kRed);
    EXPECT_EQ(at(image, 50, 150), kWhite);
}

TEST(EmfPlayer, WorldTransformMovesAndScales) {
    EmfWriter w = redFill();
    w.worldTransform(2, 0, 0, 2, 500, 0).rectangle(0, 0, 100, 100);
    const QImage image = render(w.build());
    EXPECT_EQ(at(image, 120, 20), kRed);
    EXPECT_EQ(at(image, 20, 20), kWhite);
    EXPECT_EQ(at(image, 120, 60), kWhite);
}

TEST(EmfPlayer, StockObjectsAndPolylineVariants) {
    EmfWriter w;
    w.select(kBlackBrush).select(kNullPen).poly(86, {{0, 0}, {500, 0}, {0, 500}}, true);
    w.createPen(2, 0, 50, qRgb(0, 0, 255)).select(2);
    w.poly(4, {{600, 100}, {900, 100}, {900, 400}}); // 32-bit polyline
    w.poly(87, {{100, 900}, {900, 900}}, true);      // 16-bit polyline
    w.select(kNullBrush).select(kBlackPen).rectangle(600, 600, 800, 800);
    const QImage image = render(w.build());
    EXPECT_EQ(at(image, 20, 20), 0u); // black triangle
    EXPECT_EQ(at(image, 90, 90), kWhite);
    EXPECT_EQ(at(image, 150, 20), kBlue); // thick polyline
    EXPECT_EQ(at(image, 180, 50), kBlue);
    EXPECT_EQ(at(image, 100, 180), kBlue);
    EXPECT_EQ(at(image, 140, 140), kWhite);            // null brush
    EXPECT_GT(inked(image, QRect(119, 130, 3, 1)), 0); // black one-pixel frame
}

TEST(EmfPlayer, BeziersAndPathBrackets) {
    EmfWriter w = redFill();
    w.record(59, std::vector<std::int32_t>{}); // BeginPath
    w.moveTo(0, 0).lineTo(1000, 0).lineTo(1000, 1000);
    w.record(61, std::vector<std::int32_t>{}); // CloseFigure
    w.record(60, std::vector<std::int32_t>{}); // EndPath
    w.record(62, {0, 0, 0, 0});                // FillPath
    w.createPen(2, 0, 30, qRgb(0, 0, 255)).select(2);
    w.poly(2, {{0, 900}, {300, 600}, {600, 600}, {900, 900}}); // bezier
    const QImage image = render(w.build());
    EXPECT_EQ(at(image, 180, 20), kRed); // upper-right triangle
    EXPECT_EQ(at(image, 20, 100), kWhite);
    EXPECT_EQ(at(image, 90, 135), kBlue); // curve's apex around y = 675
    EXPECT_EQ(at(image, 90, 170), kWhite);
}

TEST(EmfPlayer, ClipRegionsAndSaveRestore) {
    EmfWriter w = redFill();
    w.saveDC();
    Bytes region;
    region.u32(32).u32(1).u32(1).u32(16).i32(0).i32(0).i32(500).i32(500);
    region.i32(0).i32(0).i32(500).i32(500);
    Bytes clip;
    clip.u32(static_cast<std::uint32_t>(region.size())).u32(5).add(region);
    w.record(75, clip); // ExtSelectClipRgn, copy
    w.rectangle(0, 0, 1000, 1000);
    w.restoreDC(-1).createBrush(3, 0, qRgb(0, 0, 255)).select(3).rectangle(0, 900, 1000, 1000);
    w.intersectClip(0, 0, 100, 1000).rectangle(0, 0, 1000, 1000);
    const QImage image = render(w.build());
    EXPECT_EQ(at(image, 50, 50), kRed);
    EXPECT_EQ(at(image, 150, 50), kWhite);
    EXPECT_EQ(at(image, 150, 190), kBlue); // restored: clip gone
    EXPECT_EQ(at(image, 10, 120), kBlue);  // inside the new clip
}

TEST(EmfPlayer, WideTextWithAdvancesAndRotation) {
    EmfWriter w;
    w.createFont(1, -100, 0, u"Arial").select(1).setBkMode(1).setTextColor(qRgb(0, 0, 0));
    w.textOutW(0, 0, u"II", {800, 0}); // the second letter 800 px after the first
    const QImage image = render(w.build());
    EXPECT_GT(inked(image, QRect(0, 0, 10, 20)), 0);
    EXPECT_GT(inked(image, QRect(160, 0, 10, 20)), 0);
    EXPECT_EQ(inked(image, QRect(40, 0, 100, 40)), 0);

    EmfWriter r;
    r.createFont(1, -100, 2700, u"Arial").select(1).setBkMode(1).setTextAlign(24);
    r.textOutW(500, 500, u"HHHH"); // 270 degrees: the baseline runs downwards
    const QImage rotated = render(r.build());
    EXPECT_GT(inked(rotated, QRect(100, 100, 25, 100)), 50);
    EXPECT_EQ(inked(rotated, QRect(0, 0, 200, 98)), 0);
    EXPECT_EQ(inked(rotated, QRect(0, 0, 98, 200)), 0);
}

TEST(EmfPlayer, StretchDiBitsAndPatBlt) {
    const auto dib = makeDib(24, 2, 2, {}, [](int x, int y) -> std::uint32_t {
        return y == 0 ? (x == 0 ? qRgb(255, 0, 0) : qRgb(0, 255, 0)) : qRgb(0, 0, 255);
    });
    EmfWriter w;
    w.stretchDiBits(0, 0, 1000, 1000, 2, 2, dib);
    // BitBlt without a source: PATCOPY with the selected brush
    w.createBrush(1, 0, qRgb(0, 255, 0)).select(1);
    Bytes blt;
    blt.i32(0).i32(0).i32(0).i32(0).i32(0).i32(900).i32(1000).i32(100).u32(0x00F00021);
    blt.i32(0).i32(0);
    for (int i = 0; i < 6; ++i)
        blt.f32(i == 0 || i == 3 ? 1 : 0);
    blt.u32(0).u32(0).u32(0).u32(0).u32(0).u32(0);
    w.record(76, blt);
    const QImage image = render(w.build());
    EXPECT_EQ(at(image, 50, 50), kRed);
    EXPECT_EQ(at(image, 150, 50), kGreen);
    EXPECT_EQ(at(image, 100, 150), kBlue);
    EXPECT_EQ(at(image, 100, 195), kGreen);
}

TEST(EmfPlayer, Rop2AndClipReset) {
    EmfWriter w = redFill();
    w.record(20, {7}).rectangle(0, 0, 500, 500).rectangle(0, 0, 250, 1000); // XOR twice
    w.record(20, {11}).rectangle(500, 500, 1000, 1000);                     // NOP
    w.record(20, {13}).intersectClip(0, 0, 10, 10);
    w.record(75, {0, 5}).rectangle(600, 0, 1000, 400); // clip reset, then drawn in full
    const QImage image = render(w.build());
    EXPECT_EQ(at(image, 20, 20), kWhite);    // twice: white again
    EXPECT_EQ(at(image, 75, 20), 0x00FFFFu); // once: red XOR white
    EXPECT_EQ(at(image, 20, 150), 0x00FFFFu);
    EXPECT_EQ(at(image, 150, 150), kWhite);
    EXPECT_EQ(at(image, 160, 40), kRed);
}

TEST(EmfPlayer, TextThatUpdatesTheCurrentPosition) {
    EmfWriter w;
    w.createFont(1, -100, 0, u"Arial").select(1).setBkMode(1).setTextAlign(1);
    w.moveTo(0, 0).textOutW(900, 900, u"IIIIIIII").textOutW(900, 900, u"II", {300, 300});
    w.setTextAlign(0).textOutW(0, 500, u"I"); // the point counts again
    const QImage image = render(w.build());
    EXPECT_GT(inked(image, QRect(0, 95, 20, 30)), 0);
    EXPECT_GT(inked(image, QRect(0, 0, 200, 20)), 0);
    // the second run starts where the first ended, the third ignores it
    int rightmost = 0;
    for (int x = 0; x < 200; ++x)
        if (inked(image, QRect(x, 0, 1, 20)) > 0) rightmost = x;
    EXPECT_GT(rightmost, 90); // starting at 0 it would end near 63
    EXPECT_LT(rightmost, 130);
    EXPECT_EQ(inked(image, QRect(170, 170, 30, 30)), 0);
}
