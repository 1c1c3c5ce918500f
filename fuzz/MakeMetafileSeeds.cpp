// Writes the seed corpus of the metafile fuzzer: small metafiles that touch
// every record family the player knows. Usage: make_metafile_seeds <folder>
#include "tests/engine/model/picture/MetafileWriter.h"

#include <fstream>
#include <iostream>
#include <string>

using namespace vltest;

namespace {

void save(const std::string& folder, const std::string& name,
          const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> smallDib(int bits) {
    const std::vector<QRgb> palette{qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 200, 0)};
    return makeDib(bits, 3, 2, bits <= 8 ? palette : std::vector<QRgb>{},
                   [bits](int x, int y) -> std::uint32_t {
                       return bits <= 8 ? (x + y) % (bits == 1 ? 2 : 3) : qRgb(x * 80, y * 90, 7);
                   });
}

std::vector<std::uint8_t> wmfShapes() {
    WmfWriter w;
    w.setMapMode(8).setWindowOrg(0, 0).setWindowExt(1000, 1000).setBkMode(2);
    w.createPen(1, 10, qRgb(0, 0, 128)).select(0).createBrush(2, qRgb(0, 150, 0), 5).select(1);
    w.rectangle(20, 20, 480, 300).ellipse(520, 20, 980, 300);
    w.record(0x081A, {20, 500, 500, 980, 980, 980, 340, 520});
    w.record(0x0830, {20, 500, 500, 980, 980, 980, 340, 520});
    w.record(0x0817, {20, 500, 500, 980, 980, 980, 340, 520});
    w.record(0x061C, {100, 100, 960, 460, 760, 260});
    w.moveTo(20, 320).lineTo(980, 320).setPolyFillMode(2);
    w.polygon({{40, 760}, {240, 760}, {140, 960}}).polygon({{0, 0}, {9, 9}, {0, 9}}, 0x0325);
    w.saveDC().intersectClip(0, 0, 500, 500).excludeClip(10, 10, 20, 20).restoreDC(-1);
    w.deleteObject(1).createBrush(1, 0).select(1);
    return w.build();
}

std::vector<std::uint8_t> wmfText() {
    WmfWriter w;
    w.createFont(-60, 0, 700, "Arial").select(0).setTextColor(qRgb(0, 0, 0));
    w.textOut(40, 340, "Hello").setTextAlign(24 | 6 | 1).textOut(0, 0, "cp");
    w.createFont(50, 900, 400, "Times New Roman", 204, true).select(1);
    Bytes b;
    b.i16(100).i16(0).i16(3).u16(6).i16(0).i16(0).i16(500).i16(80);
    b.u8('a').u8(0xE9).u8('c').u8(0).i16(100).i16(100).i16(100);
    w.raw(0x0A32, b);
    return w.build(false);
}

std::vector<std::uint8_t> wmfBitmaps() {
    WmfWriter w;
    int x = 0;
    for (const int bits : {1, 4, 8, 24, 32}) {
        w.stretchDib(x, 0, 100, 100, 3, 2, smallDib(bits));
        x += 100;
    }
    Bytes b;
    b.u32(0x00CC0020).i16(0).i16(0).i16(2).i16(3).i16(200).i16(0).add(smallDib(8));
    w.raw(0x0940, b);
    w.record(0x061D, {0x0021, 0x00F0, 50, 50, 300, 300});
    Bytes brush;
    brush.u16(5).u16(0).add(smallDib(4));
    w.raw(0x0142, brush).select(0).rectangle(0, 400, 200, 600);
    return w.build(true, QRect(0, 0, 600, 600), 576);
}

std::vector<std::uint8_t> wmfRegions() {
    WmfWriter w;
    Bytes region;
    region.i16(0).i16(6).i32(0).i16(40).i16(1).i16(4).i16(0).i16(0).i16(100).i16(100);
    region.u16(2).u16(0).u16(100).u16(0).u16(100).u16(2);
    w.raw(0x06FF, region).createBrush(0, qRgb(9, 9, 9));
    w.record(0x012C, {0}).record(0x0228, {0, 1}).record(0x012B, {0});
    w.record(0x0429, {0, 1, 2, 2}).record(0x0220, {5, 5}).record(0x012C, {7});
    return w.build();
}

std::vector<std::uint8_t> emfShapes() {
    EmfWriter e;
    e.setMapMode(2).createBrush(1, 0, qRgb(0, 120, 255)).select(1).select(0x80000008);
    e.rectangle(50, -50, 450, -450).saveDC();
    e.worldTransform(0.7071f, 0.7071f, -0.7071f, 0.7071f, 700, -300);
    e.createBrush(2, 2, qRgb(255, 80, 80), 3).select(2).ellipse(-100, -100, 100, 100);
    e.restoreDC(-1).setMapMode(8).setWindowExt(100, 100).setViewportExt(1000, 1000);
    e.createPen(5, 0x2203, 15, qRgb(0, 0, 0)).select(5);
    e.poly(2, {{5, 70}, {20, 60}, {30, 90}, {45, 70}})
        .poly(85, {{5, 7}, {2, 6}, {3, 9}, {4, 7}}, true);
    e.poly(3, {{1, 1}, {50, 1}, {1, 50}}).poly(86, {{1, 1}, {5, 1}, {1, 5}}, true);
    e.poly(6, {{60, 60}, {70, 80}}).poly(89, {{6, 6}, {7, 8}}, true);
    e.record(8, {0, 0, 0, 0, 2, 6, 3, 3, 0, 0, 9, 0, 0, 9, 1, 1, 5, 1, 1, 5});
    e.record(44, {10, 10, 60, 60, 8, 8}).record(45, {10, 10, 60, 60, 60, 35, 35, 10});
    e.record(47, {10, 10, 60, 60, 60, 35, 35, 10}).record(57, {2});
    e.record(46, {10, 10, 60, 60, 60, 35, 35, 10}).record(55, {10, 10, 60, 60, 60, 35, 35, 10});
    e.moveTo(0, 0).lineTo(99, 99).intersectClip(0, 0, 80, 80);
    return e.build();
}

std::vector<std::uint8_t> emfPathsAndText() {
    EmfWriter e;
    e.record(59, std::vector<std::int32_t>{}).moveTo(0, 0).lineTo(900, 0).lineTo(900, 900);
    e.record(61, std::vector<std::int32_t>{}).record(60, std::vector<std::int32_t>{});
    e.record(63, {0, 0, 0, 0});
    e.record(59, std::vector<std::int32_t>{}).rectangle(100, 100, 300, 300);
    e.record(60, std::vector<std::int32_t>{}).record(67, {1});
    e.createFont(3, -60, 450, u"Arial").select(3).setBkMode(1).setTextAlign(8 | 2);
    e.textOutW(500, 500, u"EMF text", {30, 30, 30, 30, 30, 30, 30, 30});
    Bytes region;
    region.u32(32).u32(1).u32(1).u32(16).i32(0).i32(0).i32(500).i32(500);
    region.i32(0).i32(0).i32(500).i32(500);
    Bytes clip;
    clip.u32(static_cast<std::uint32_t>(region.size())).u32(5).add(region);
    e.record(75, clip).record(75, {0, 5});
    return e.build();
}

std::vector<std::uint8_t> emfBitmaps() {
    EmfWriter e;
    int x = 0;
    for (const int bits : {1, 4, 8, 24, 32}) {
        e.stretchDiBits(x, 0, 100, 100, 3, 2, smallDib(bits));
        x += 100;
    }
    return e.build(QRect(0, 0, 5000, 1000), QSize(500, 100), QSize(50, 10));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_metafile_seeds <folder>\n";
        return 2;
    }
    const std::string folder = argv[1];
    save(folder, "wmf_shapes", wmfShapes());
    save(folder, "wmf_text", wmfText());
    save(folder, "wmf_bitmaps", wmfBitmaps());
    save(folder, "wmf_regions", wmfRegions());
    save(folder, "emf_shapes", emfShapes());
    save(folder, "emf_paths_text", emfPathsAndText());
    save(folder, "emf_bitmaps", emfBitmaps());
    return 0;
}
