#include "engine/model/TvlPictureView.h"
#include "engine/model/picture/BmpCodec.h"
#include "engine/model/picture/IconCodec.h"
#include "engine/model/picture/JpegCodec.h"
#include "engine/model/picture/PictureError.h"
#include "engine/script/CodePage.h"
#include "tests/engine/model/ViewTestSupport.h"
#include "tests/support/ThreadEngine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vl;
using namespace vl::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& b, std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i)
        b.push_back(i < 8 ? static_cast<std::uint8_t>(v >> (8 * i)) : 0);
}

// A BMP file with a 40-byte header; rows bottom-up as given.
Bytes MakeBmp(std::int32_t width, std::int32_t height, int bpp, const std::vector<QRgb>& palette,
              const Bytes& pixels, std::uint32_t compression = 0) {
    Bytes b = {'B', 'M'};
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(palette.size()) * 4;
    Put(b, offset + static_cast<std::uint32_t>(pixels.size()), 4);
    Put(b, 0, 4);
    Put(b, offset, 4);
    Put(b, 40, 4);
    Put(b, static_cast<std::uint32_t>(width), 4);
    Put(b, static_cast<std::uint32_t>(height), 4);
    Put(b, 1, 2);
    Put(b, static_cast<std::uint32_t>(bpp), 2);
    Put(b, compression, 4);
    Put(b, static_cast<std::uint32_t>(pixels.size()), 4);
    Put(b, 0, 8);
    Put(b, static_cast<std::uint32_t>(palette.size()), 4);
    Put(b, 0, 4);
    for (QRgb c : palette) {
        b.push_back(static_cast<std::uint8_t>(qBlue(c)));
        b.push_back(static_cast<std::uint8_t>(qGreen(c)));
        b.push_back(static_cast<std::uint8_t>(qRed(c)));
        b.push_back(0);
    }
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

QImage Decode(const Bytes& b, std::string* error = nullptr) {
    return BmpCodec::decode(b.data(), b.size(), error);
}

const QRgb kRed = qRgb(255, 0, 0), kBlue = qRgb(0, 0, 255), kWhite = qRgb(255, 255, 255);

QImage Sample(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 20 % 256, y * 30 % 256, 99));
    return image;
}

} // namespace

TEST(BmpCodec, PalettedDepthsDecodeBottomUp) {
    // 3 x 2, 1 bit: bottom row "red blue red", top row "blue red blue".
    const Bytes one = MakeBmp(3, 2, 1, {kRed, kBlue}, {0b01000000, 0, 0, 0, 0b10100000, 0, 0, 0});
    QImage img = Decode(one);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.pixel(0, 1), kRed);
    EXPECT_EQ(img.pixel(1, 1), kBlue);
    EXPECT_EQ(img.pixel(0, 0), kBlue);
    EXPECT_EQ(img.pixel(2, 0), kBlue);

    const Bytes four = MakeBmp(3, 1, 4, {kRed, kBlue, kWhite}, {0x01, 0x20, 0, 0});
    img = Decode(four);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.pixel(0, 0), kRed);
    EXPECT_EQ(img.pixel(1, 0), kBlue);
    EXPECT_EQ(img.pixel(2, 0), kWhite);

    // Top-down 8-bit (negative height); indices past the palette are black.
    const Bytes eight = MakeBmp(2, -2, 8, {kRed, kBlue}, {0, 1, 0, 0, 1, 200, 0, 0});
    img = Decode(eight);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.pixel(0, 0), kRed);
    EXPECT_EQ(img.pixel(0, 1), kBlue);
    EXPECT_EQ(img.pixel(1, 1), qRgb(0, 0, 0));
}

TEST(BmpCodec, RunLengthEncoded) {
    // RLE8 4 x 2: a run of 4 reds, end of line, an absolute run of 3 then a
    // delta off the picture, end of bitmap.
    const Bytes rle8 =
        MakeBmp(4, 2, 8, {kRed, kBlue}, {4, 0, 0, 0, 0, 3, 1, 0, 1, 0, 0, 2, 200, 200, 0, 1}, 1);
    QImage img = Decode(rle8);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.pixel(3, 1), kRed);
    EXPECT_EQ(img.pixel(0, 0), kBlue);
    EXPECT_EQ(img.pixel(1, 0), kRed);
    EXPECT_EQ(img.pixel(2, 0), kBlue);
    // RLE4 3 x 1: run of 3 alternating 1,0,1.
    const Bytes rle4 = MakeBmp(3, 1, 4, {kRed, kBlue}, {3, 0x10, 0, 1}, 2);
    img = Decode(rle4);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.pixel(0, 0), kBlue);
    EXPECT_EQ(img.pixel(1, 0), kRed);
    EXPECT_EQ(img.pixel(2, 0), kBlue);
    // Pixels a delta skips are left transparent.
    EXPECT_EQ(qAlpha(Decode(rle8).pixel(3, 0)), 0);
    // Runs that never end stay inside the picture.
    Bytes endless;
    for (int i = 0; i < 2000; ++i)
        endless.insert(endless.end(), {255, 1, 0, 2, 255, 0});
    EXPECT_FALSE(Decode(MakeBmp(16, 16, 8, {kRed, kBlue}, endless, 1)).isNull());
}

TEST(BmpCodec, EncodeRoundTripsTrueColour) {
    const QImage source = Sample(7, 5);
    const Bytes bytes = BmpCodec::encode(source);
    EXPECT_EQ(bytes.size(), 54u + 24u * 5u); // 7 * 3 = 21 bytes, padded to 24
    const QImage back = Decode(bytes);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), source);

    QImage alpha(3, 3, QImage::Format_ARGB32);
    alpha.fill(qRgba(10, 20, 30, 128));
    alpha.setPixel(1, 1, qRgba(0, 0, 0, 0));
    const Bytes withAlpha = BmpCodec::encode(alpha);
    EXPECT_EQ(withAlpha[28], 32);
    // Transparency survives a save and a load.
    const QImage backAlpha = Decode(withAlpha);
    ASSERT_FALSE(backAlpha.isNull());
    EXPECT_EQ(backAlpha.pixel(0, 0), qRgba(10, 20, 30, 128));
    EXPECT_EQ(qAlpha(backAlpha.pixel(1, 1)), 0);
}

TEST(BmpCodec, DamagedAndAbsurdBitmapsAreRefused) {
    const Bytes good = BmpCodec::encode(Sample(10, 10));
    for (std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{13}, std::size_t{30},
                            std::size_t{53}, std::size_t{54}, good.size() - 1}) {
        std::string error;
        EXPECT_TRUE(
            Decode(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut)), &error)
                .isNull())
            << cut;
        EXPECT_FALSE(error.empty());
    }
    std::string error;
    EXPECT_TRUE(Decode(MakeBmp(100000, 100000, 24, {}, Bytes(64, 0)), &error).isNull());
    EXPECT_EQ(error, "Bitmap is too large");
    EXPECT_TRUE(Decode(MakeBmp(100000, 100000, 8, {kRed}, Bytes(64, 0), 1)).isNull());
    EXPECT_TRUE(Decode(MakeBmp(0, 5, 24, {}, Bytes(64, 0))).isNull());
    EXPECT_TRUE(Decode(MakeBmp(4, 4, 7, {}, Bytes(64, 0))).isNull());
    EXPECT_TRUE(Decode(MakeBmp(4, 4, 24, {}, Bytes(64, 0), 9)).isNull());
    Bytes hugeHeader = good;
    hugeHeader[14] = 0xFF; // info header size 255 + ...
    hugeHeader[17] = 0x7F;
    EXPECT_TRUE(Decode(hugeHeader).isNull());
}

TEST(IconCodec, RoundTripMaskAndDamage) {
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(qRgba(0, 0, 0, 0));
    for (int i = 0; i < 16; ++i)
        icon.setPixel(i, i, qRgba(200, 0, 0, 255));
    const Bytes bytes = IconCodec::encode(icon);
    std::string error;
    const QImage back = IconCodec::decode(bytes.data(), bytes.size(), &error);
    ASSERT_FALSE(back.isNull()) << error;
    EXPECT_EQ(back.size(), QSize(16, 16));
    EXPECT_EQ(back.pixel(3, 3), qRgba(200, 0, 0, 255));
    EXPECT_EQ(qAlpha(back.pixel(3, 4)), 0);

    // An old-style 24-bit icon whose transparency comes from its mask.
    Bytes old = {0, 0, 1, 0, 1, 0, 2, 2, 0, 0, 1, 0, 24, 0};
    Put(old, 40 + 2 * 8 + 2 * 4, 4);
    Put(old, 22, 4);
    Put(old, 40, 4);
    Put(old, 2, 4);
    Put(old, 4, 4);
    Put(old, 1, 2);
    Put(old, 24, 2);
    Put(old, 0, 24);
    old.insert(old.end(), {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0});
    old.insert(old.end(), {0x40, 0, 0, 0, 0x00, 0, 0, 0}); // bottom row: right pixel clear
    const QImage masked = IconCodec::decode(old.data(), old.size(), &error);
    ASSERT_FALSE(masked.isNull()) << error;
    EXPECT_EQ(masked.pixel(0, 1), qRgba(255, 0, 0, 255));
    EXPECT_EQ(qAlpha(masked.pixel(1, 1)), 0);
    EXPECT_EQ(masked.pixel(0, 0), qRgba(0, 0, 255, 255));

    for (std::size_t cut :
         {std::size_t{0}, std::size_t{5}, std::size_t{21}, std::size_t{30}, bytes.size() / 2})
        EXPECT_TRUE(IconCodec::decode(bytes.data(), cut).isNull()) << cut;
    Bytes absurd = bytes;
    absurd[22 + 4] = 0xA0; // width 100000 in the DIB header
    absurd[22 + 5] = 0x86;
    absurd[22 + 6] = 0x01;
    EXPECT_TRUE(IconCodec::decode(absurd.data(), absurd.size()).isNull());
    EXPECT_THROW(IconCodec::encode(QImage(300, 10, QImage::Format_ARGB32)), PictureError);

    // PNG data whose header claims 2^32 - 1 pixels each way.
    Bytes png = {0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 1, 0, 32, 0};
    Put(png, 24, 4);
    Put(png, 22, 4);
    png.insert(png.end(), {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0,    0,    0,    13,
                           'I',  'H', 'D', 'R', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_TRUE(IconCodec::decode(png.data(), png.size(), &error).isNull());
    EXPECT_EQ(error, "Icon image is too large");
}

TEST(Graphics, JpegKeepsItsBytesAndRefusesDamage) {
    TvlJpegGraphic g;
    g.setImage(Sample(30, 20));
    const Bytes bytes = g.save();
    TvlJpegGraphic h;
    h.load(bytes.data(), bytes.size());
    EXPECT_EQ(h.save(), bytes);
    EXPECT_EQ(h.size(), QSize(30, 20));
    TvlJpegGraphic broken;
    EXPECT_THROW(broken.load(bytes.data(), bytes.size() / 3), PictureError);
    EXPECT_THROW(broken.load(bytes.data(), 2), PictureError);
    EXPECT_TRUE(broken.empty());
    // A header claiming 65000 x 65000 is refused before any pixel is decoded.
    Bytes absurd = bytes;
    for (std::size_t i = 2; i + 9 < absurd.size(); ++i)
        if (absurd[i] == 0xFF && absurd[i + 1] == 0xC0) {
            absurd[i + 5] = absurd[i + 7] = 0xFD;
            absurd[i + 6] = absurd[i + 8] = 0xE8;
            break;
        }
    EXPECT_THROW(broken.load(absurd.data(), absurd.size()), PictureError);
}

TEST(Graphics, MetafilesKeepBytesAndReadTheirSize) {
    Bytes wmf;
    Put(wmf, 0x9AC6CDD7, 4);
    Put(wmf, 0, 2);
    Put(wmf, 0, 2);
    Put(wmf, 0, 2);
    Put(wmf, 1440, 2);
    Put(wmf, 720, 2);
    Put(wmf, 1440, 2); // 1440 units per inch: 1 x 0.5 inch
    Put(wmf, 0, 4);
    Put(wmf, 0, 2);
    Put(wmf, 1, 2);
    Put(wmf, 9, 2);
    Put(wmf, 0x300, 2);
    Put(wmf, 12, 4);
    Put(wmf, 0, 2);
    Put(wmf, 3, 4);
    Put(wmf, 0, 2);
    Put(wmf, 3, 4); // the end record
    Put(wmf, 0, 2);
    TvlMetafileGraphic g;
    g.load(wmf.data(), wmf.size());
    EXPECT_EQ(g.size(), QSize(96, 48));
    EXPECT_FALSE(g.enhanced());
    EXPECT_EQ(g.save(), wmf);
    auto copy = g.clone();
    EXPECT_EQ(copy->save(), wmf);

    Bytes emf;
    Put(emf, 1, 4);
    Put(emf, 88, 4);
    Put(emf, 0, 16);
    Put(emf, 0, 8);
    Put(emf, 2540, 4);
    Put(emf, 5080, 4); // frame 25.4 x 50.8 mm
    Put(emf, 0x464D4520, 4);
    emf.resize(88, 0);
    g.load(emf.data(), emf.size());
    EXPECT_TRUE(g.enhanced());
    EXPECT_EQ(g.size(), QSize(96, 192));

    const Bytes junk = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_THROW(g.load(junk.data(), junk.size()), PictureError);
    EXPECT_EQ(g.save(), emf);
}

TEST(PictureView, LoadFromFileAndBlob) {
    ViewStateGuard guard;
    FakeHost host;
    ViewState().host = &host;
    QTemporaryDir dir;
    const QString path = dir.filePath("photo.JPG");
    const Bytes jpeg = JpegCodec::encode(Sample(12, 8));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(jpeg.data()), static_cast<qint64>(jpeg.size()));
    }
    TvlPictureView v;
    v.CallMethod("LOADFROMFILE", FromQt(path), {}, {});
    ASSERT_FALSE(v.Picture.empty());
    EXPECT_EQ(v.Picture.graphic()->kind(), TvlGraphicKind::Jpeg);
    v.CallMethod("LOADFROMFILE", FromQt(dir.filePath("missing.bmp")), {}, {});
    EXPECT_TRUE(v.Picture.empty());
    v.CallMethod("LOADFROMFILE", "", {}, {});
    EXPECT_TRUE(v.Picture.empty());
    const QString text = dir.filePath("notes.txt");
    QFile(text).open(QIODevice::WriteOnly);
    EXPECT_THROW(v.CallMethod("LOADFROMFILE", FromQt(text), {}, {}), PictureError);

    TvlBlobField field;
    field.isNull = false;
    field.bytes = BmpCodec::encode(Sample(5, 4));
    v.LoadFromBlob(field);
    ASSERT_FALSE(v.Picture.empty());
    EXPECT_EQ(v.Picture.graphic()->kind(), TvlGraphicKind::Bitmap);
    // A bare DIB (no file header) as database fields may hold it.
    field.bytes.erase(field.bytes.begin(), field.bytes.begin() + 14);
    v.LoadFromBlob(field);
    EXPECT_EQ(v.Picture.graphic()->size(), QSize(5, 4));
    v.BlobType = btJPG;
    field.bytes = jpeg;
    v.LoadFromBlob(field);
    EXPECT_EQ(v.Picture.graphic()->kind(), TvlGraphicKind::Jpeg);
    field.bytes.resize(10);
    EXPECT_THROW(v.LoadFromBlob(field), PictureError);
    field.isNull = true;
    v.LoadFromBlob(field);
    EXPECT_TRUE(v.Picture.empty());
}
