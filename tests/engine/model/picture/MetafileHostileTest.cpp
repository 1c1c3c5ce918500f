#include "engine/model/picture/Metafile.h"
#include "tests/engine/model/picture/MetafileRender.h"
#include "tests/engine/model/picture/MetafileWriter.h"

#include <chrono>
#include <gtest/gtest.h>

using namespace vl;
using namespace vltest;

namespace {

void drawAll(const std::vector<std::uint8_t>& bytes) {
    const auto metafile = Metafile::fromBytes(bytes);
    if (!metafile) return;
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    metafile->draw(painter, QRectF(0, 0, 64, 64));
}

std::vector<std::uint8_t> sampleWmf() {
    WmfWriter w;
    w.createBrush(0, qRgb(255, 0, 0)).select(0).createFont(-100, 450, 400, "Arial").select(1);
    w.rectangle(0, 0, 500, 500).textOut(10, 10, "text").polygon({{0, 0}, {100, 0}, {0, 100}});
    w.stretchDib(0, 0, 100, 100, 2, 2,
                 makeDib(8, 2, 2, {qRgb(1, 2, 3)}, [](int, int) { return 0u; }));
    return w.build();
}

std::vector<std::uint8_t> sampleEmf() {
    EmfWriter w;
    w.createBrush(1, 0, qRgb(255, 0, 0)).select(1).createFont(2, -50, 900, u"Arial").select(2);
    w.rectangle(0, 0, 500, 500).textOutW(10, 10, u"text", {10, 10, 10, 10});
    w.poly(3, {{0, 0}, {100, 0}, {0, 100}});
    w.stretchDiBits(0, 0, 100, 100, 2, 2,
                    makeDib(4, 2, 2, {qRgb(1, 2, 3)}, [](int, int) { return 0u; }));
    return w.build();
}

} // namespace

TEST(MetafileHostile, NotAMetafileIsRefused) {
    EXPECT_FALSE(Metafile::fromBytes({}));
    EXPECT_FALSE(Metafile::fromBytes(std::vector<std::uint8_t>(100, 0x42)));
    auto wmf = sampleWmf();
    wmf[24] = 7; // header size in words after the placeable header
    EXPECT_FALSE(Metafile::fromBytes(wmf));
    auto emf = sampleEmf();
    emf[40] = 'X'; // signature
    EXPECT_FALSE(Metafile::fromBytes(emf));
}

TEST(MetafileHostile, EveryTruncationDrawsSafely) {
    for (const auto& bytes : {sampleWmf(), sampleEmf()})
        for (std::size_t n = 0; n <= bytes.size(); n += 3)
            drawAll(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + n));
}

TEST(MetafileHostile, DamagedRecordSizesEndThePlayback) {
    // a record of size 0 in a Windows metafile, one running past the end, and
    // an enhanced record of size 4 then one not a multiple of four
    for (const std::uint32_t words : {0u, 2u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        auto wmf = sampleWmf();
        wmf[22 + 18] = words & 0xFF;
        wmf[22 + 19] = (words >> 8) & 0xFF;
        wmf[22 + 20] = (words >> 16) & 0xFF;
        wmf[22 + 21] = (words >> 24) & 0xFF;
        drawAll(wmf);
    }
    for (const std::uint32_t size : {0u, 4u, 10u, 0xFFFFFFF0u}) {
        auto emf = sampleEmf();
        Bytes b;
        b.u32(size);
        std::copy(b.data().begin(), b.data().end(), emf.begin() + 88 + 4);
        drawAll(emf);
    }
}

TEST(MetafileHostile, NegativeCountsAndAbsurdExtents) {
    WmfWriter w;
    w.createBrush(0, qRgb(255, 0, 0)).select(0);
    w.record(0x0324, {-5, 0, 0, 10, 10});          // polygon with a negative count
    w.record(0x0538, {-1, -1, 0, 0});              // polypolygon
    w.record(0x0521, {-3, 0, 0});                  // text out
    w.record(0x0A32, {0, 0, -7, 6, 0, 0, 10, 10}); // ext text out
    w.setMapMode(8).setWindowExt(1, 1).setViewportExt(32767, 32767);
    w.rectangle(-32768, -32768, 32767, 32767).ellipse(-32768, 0, 32767, 10);
    w.record(0x061C, {32767, -32768, 32767, 32767, -32768, -32768});
    w.setWindowExt(0, 0).rectangle(0, 0, 10, 10); // degenerate window
    w.record(0x0410, {0, 1, 0, 1});               // scale by x / 0
    w.createFont(-32768, 3600, 1000, "Arial").select(1).textOut(0, 0, "big");
    drawAll(w.build());

    EmfWriter e;
    e.setMapMode(8).setWindowExt(1, 1).setViewportExt(0x7FFFFFFF, 0x7FFFFFFF);
    e.rectangle(-0x7FFFFFFF, -0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF);
    e.record(8, {0, 0, 0, 0, -1, -1, 5, 5});          // polypolygon with absurd counts
    e.record(41, {0, 0, -1, 0x7F800000, 0x7FC00000}); // angle arc: inf and NaN angles
    e.worldTransform(1e30f, 0, 0, 1e30f, 0, 0).ellipse(0, 0, 100, 100);
    e.worldTransform(0, 0, 0, 0, 0, 0).rectangle(0, 0, 100, 100).textOutW(0, 0, u"x");
    drawAll(e.build());

    EmfWriter turned; // an escapement whose negation does not fit
    turned.createFont(1, -20, INT32_MIN, u"Arial")
        .select(1)
        .textOutW(0, 0, u"turned", {5, 5, 5, 5, 5, 5});
    drawAll(turned.build());
    SUCCEED();
}

TEST(MetafileHostile, TextUnderAStretchIsDrawnAsOutlines) {
    // a device 256 times denser across than down stretches text 256-fold;
    // glyph bitmaps that wide overflow the font rasteriser
    EmfWriter e;
    e.createFont(1, -60, 450, u"Arlia").select(1).setBkMode(1);
    e.textOutW(0, 100, u"\u6464\u6464 HH", {30, 30, 30, 30, 30});
    e.createFont(2, -200, 0, u"Arial").select(2).textOutW(0, 300, u"\u6464 HH");
    render(e.build(QRect(0, 0, 10000, 10000), QSize(1000, 1000), QSize(25600, 100)), {48, 48});
    // ten-fold: the outlines land where the text belongs
    const QImage image =
        render(e.build(QRect(0, 0, 10000, 10000), QSize(1000, 1000), QSize(1000, 100)), {48, 48});
    EXPECT_GT(inked(image, QRect(0, 14, 48, 12)), 5);
}

TEST(MetafileHostile, HugeObjectTablesAndStacksStayBounded) {
    WmfWriter w;
    for (int i = 0; i < 70000; ++i)
        w.createBrush(0, qRgb(0, 0, 255));
    w.select(65534).select(65535).deleteObject(65534).createBrush(0, qRgb(255, 0, 0));
    w.select(65534).rectangle(0, 0, 1000, 1000);
    for (int i = 0; i < 5000; ++i)
        w.saveDC().intersectClip(i % 7, 0, 1000 - i % 5, 1000);
    w.restoreDC(-32768).restoreDC(32767);
    const auto start = std::chrono::steady_clock::now();
    const QImage image = render(w.build(true, QRect(0, 0, 1000, 1000), 1440, 65535));
    EXPECT_EQ(at(image, 100, 100), 0xFF0000u); // the freed slot was reused
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));

    EmfWriter e;
    e.createBrush(0xFFFFFFF, 0, qRgb(0, 0, 255)).select(0xFFFFFFF).select(0x7FFFFFFF);
    e.createPen(70000, 0, 1, 0).deleteObject(-1).select(0x80000000 | 99);
    drawAll(e.build());
}

TEST(MetafileHostile, AbsurdBitmapsAllocateNothing) {
    // a DIB header claiming 30000 x 30000 at 32 bits with 16 bytes of rows
    Bytes dib;
    dib.u32(40).i32(30000).i32(30000).u16(1).u16(32).u32(0).u32(0).i32(0).i32(0).u32(0).u32(0);
    dib.u32(0).u32(0).u32(0).u32(0);
    WmfWriter w;
    for (int i = 0; i < 50; ++i)
        w.stretchDib(0, 0, 100, 100, 30000, 30000, dib.data());
    drawAll(w.build());
    // offsets pointing outside the record
    EmfWriter e;
    Bytes s;
    s.i32(0).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0).i32(2).i32(2);
    s.u32(0xFFFFFF00).u32(0x200).u32(80).u32(0xFFFFFFFF).u32(0).u32(0x00CC0020).i32(10).i32(10);
    e.record(81, s);
    drawAll(e.build());
    SUCCEED();
}
