// Writes the seed corpus of the picture fuzzer: one small picture of every
// kind a picture object loads, each after the byte that selects its blob
// type (0 BMP, 1 JPEG, 2 icon) and drawing flags.
// Usage: make_picture_seeds <folder>
#include "engine/model/picture/BmpCodec.h"
#include "engine/model/picture/IconCodec.h"
#include "engine/model/picture/JpegCodec.h"
#include "tests/engine/model/picture/MetafileWriter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <fstream>
#include <iostream>

using vltest::Bytes;
using vltest::makeDib;

namespace {

using Data = std::vector<std::uint8_t>;

void save(const std::string& folder, const std::string& name, std::uint8_t selector,
          const Data& bytes) {
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out.put(static_cast<char>(selector));
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

constexpr std::uint8_t kBmp = 0, kJpeg = 1, kIcon = 2;
constexpr std::uint8_t kStretched = 0x10, kCenter = 0x20, kKeepAspect = 0x40;

QImage sample(int w, int h, bool alpha) {
    QImage image(w, h, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgba(x * 60, y * 70, 120, alpha ? (x + y) * 40 : 255));
    return image;
}

// A BMP file around a packed DIB.
Data bmpFile(const Data& dib) {
    const std::uint32_t headerSize = dib[0] | (dib[1] << 8);
    const std::uint32_t bits = dib[14] | (dib[15] << 8);
    const std::uint32_t used = dib[32] | (dib[33] << 8);
    const std::uint32_t colours = bits <= 8 ? (used ? used : 1u << bits) : 0;
    Bytes b;
    b.u8('B').u8('M').u32(static_cast<std::uint32_t>(14 + dib.size())).u32(0);
    b.u32(14 + headerSize + colours * 4).add(dib);
    return b.data();
}

Data paletted(int bits) {
    const std::vector<QRgb> palette{qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 160, 0)};
    return makeDib(bits, 5, 3, palette,
                   [bits](int x, int y) -> std::uint32_t { return (x + y) % (bits == 1 ? 2 : 3); });
}

Data rle8() {
    Bytes b;
    b.u32(40).i32(4).i32(2).u16(1).u16(8).u32(1).u32(0).i32(0).i32(0).u32(2).u32(0);
    b.u8(0).u8(0).u8(255).u8(0).u8(255).u8(0).u8(0).u8(0);
    for (int v : {4, 0, 0, 0, 0, 3, 1, 0, 1, 0, 0, 2, 1, 0, 0, 1})
        b.u8(static_cast<std::uint8_t>(v));
    return b.data();
}

// A 24-bit icon whose transparency comes from its AND mask.
Data maskedIcon() {
    Data dib = makeDib(24, 2, 2, {}, [](int x, int y) { return qRgb(x * 200, y * 200, 50); });
    dib[8] = 4; // the height counts the mask rows too
    for (std::uint8_t m : {0x40, 0, 0, 0, 0x80, 0, 0, 0})
        dib.push_back(m);
    Bytes b;
    b.u16(0).u16(1).u16(1).u8(2).u8(2).u8(0).u8(0).u16(1).u16(24);
    b.u32(static_cast<std::uint32_t>(dib.size())).u32(22).add(dib);
    return b.data();
}

// An icon whose image is PNG data.
Data pngIcon() {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    sample(4, 4, true).save(&buffer, "PNG");
    Bytes b;
    b.u16(0).u16(1).u16(1).u8(4).u8(4).u8(0).u8(0).u16(1).u16(32);
    b.u32(static_cast<std::uint32_t>(png.size())).u32(22);
    for (char c : png)
        b.u8(static_cast<std::uint8_t>(c));
    return b.data();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_picture_seeds <folder>\n";
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const std::string f = argv[1];
    save(f, "bmp_24", kBmp | kStretched, vl::BmpCodec::encode(sample(5, 3, false)));
    save(f, "bmp_32_alpha", kBmp | kCenter, vl::BmpCodec::encode(sample(4, 4, true)));
    save(f, "bmp_1", kBmp | kStretched | kKeepAspect | kCenter, bmpFile(paletted(1)));
    save(f, "bmp_4", kBmp, bmpFile(paletted(4)));
    save(f, "bmp_8", kBmp | kStretched, bmpFile(paletted(8)));
    save(f, "bmp_rle8", kBmp | kStretched, bmpFile(rle8()));
    save(f, "dib_24_top_down", kBmp | kStretched,
         makeDib(
             24, 3, 2, {}, [](int x, int y) { return qRgb(x * 90, y * 200, 40); }, true));
    save(f, "jpeg", kJpeg | kStretched | kKeepAspect,
         vl::JpegCodec::encode(sample(8, 8, false), 50));
    save(f, "icon_32", kIcon, vl::IconCodec::encode(sample(8, 8, true)));
    save(f, "icon_masked", kIcon | kStretched, maskedIcon());
    save(f, "icon_png", kIcon | kCenter, pngIcon());
    return 0;
}
