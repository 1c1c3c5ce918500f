#include "engine/model/picture/DibDecoder.h"

#include "tests/engine/model/picture/MetafileWriter.h"

#include <gtest/gtest.h>

using namespace vl;
using namespace vltest;

namespace {

std::vector<std::uint8_t> infoHeader(int width, int height, int bits, std::uint32_t compression,
                                     const std::vector<QRgb>& palette) {
    Bytes b;
    b.u32(40).i32(width).i32(height).u16(1).u16(bits).u32(compression).u32(0);
    b.i32(0).i32(0).u32(static_cast<std::uint32_t>(palette.size())).u32(0);
    for (const QRgb c : palette)
        b.u8(qBlue(c)).u8(qGreen(c)).u8(qRed(c)).u8(0);
    return b.data();
}

QRgb px(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

} // namespace

TEST(DibDecoder, Rle8AndRle4RunsAndEscapes) {
    const std::vector<QRgb> palette{qRgb(255, 0, 0), qRgb(0, 0, 255)};
    // bottom row: 3 red then absolute 1,0,1; end of line; top row: 6 blue; end
    const std::vector<std::uint8_t> rle8{3, 0, 0, 3, 1, 0, 1, 0, 0, 0, 6, 1, 0, 1};
    QImage image = DibDecoder::decode(infoHeader(6, 2, 8, DibDecoder::kRle8, palette), rle8);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(px(image, 0, 1), 0xFF0000u);
    EXPECT_EQ(px(image, 3, 1), 0x0000FFu);
    EXPECT_EQ(px(image, 4, 1), 0xFF0000u);
    EXPECT_EQ(px(image, 5, 0), 0x0000FFu);
    // RLE4: 4 pixels alternating 0/1, delta right by 1, then one pixel
    const std::vector<std::uint8_t> rle4{4, 0x01, 0, 2, 1, 0, 1, 0x10, 0, 1};
    image = DibDecoder::decode(infoHeader(6, 1, 4, DibDecoder::kRle4, palette), rle4);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(px(image, 0, 0), 0xFF0000u);
    EXPECT_EQ(px(image, 1, 0), 0x0000FFu);
    EXPECT_EQ(qAlpha(image.pixel(4, 0)), 0); // skipped by the delta: untouched
    EXPECT_EQ(px(image, 5, 0), 0x0000FFu);
}

TEST(DibDecoder, BitFieldsAndCoreHeaders) {
    Bytes b; // 2 x 1, 16 bits 5-6-5
    b.u32(40).i32(2).i32(1).u16(1).u16(16).u32(DibDecoder::kBitFields).u32(0);
    b.i32(0).i32(0).u32(0).u32(0).u32(0xF800).u32(0x07E0).u32(0x001F);
    b.u16(0xF800).u16(0x07E0);
    const auto& packed = b.data();
    QImage image = DibDecoder::decodePacked(packed);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(px(image, 0, 0), 0xFF0000u);
    EXPECT_EQ(px(image, 1, 0), 0x00FF00u);

    Bytes core; // BITMAPCOREHEADER with RGB triples, 1 x 1, 8 bits
    core.u32(12).u16(1).u16(1).u16(1).u16(8);
    for (int i = 0; i < 256; ++i)
        core.u8(i == 7 ? 255 : 0).u8(0).u8(0); // entry 7 is blue
    core.u8(7).u8(0).u8(0).u8(0);
    image = DibDecoder::decodePacked(core.data());
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(px(image, 0, 0), 0x0000FFu);
}

TEST(DibDecoder, DamagedOrAbsurdBitmapsAreRefused) {
    const auto good = makeDib(24, 4, 4, {}, [](int, int) { return qRgb(1, 2, 3); });
    EXPECT_FALSE(DibDecoder::decodePacked(good).isNull());
    // rows cut short
    const std::vector<std::uint8_t> cut(good.begin(), good.end() - 5);
    EXPECT_TRUE(DibDecoder::decodePacked(cut).isNull());
    // a header alone, claiming 60000 x 60000
    auto huge = good;
    huge[4] = 0x60, huge[5] = 0xEA, huge[8] = 0x60, huge[9] = 0xEA;
    EXPECT_TRUE(DibDecoder::decodePacked(huge).isNull());
    // zero width, a depth of 7, an unknown header size, top-down RLE
    auto zero = good;
    zero[4] = zero[5] = 0;
    EXPECT_TRUE(DibDecoder::decodePacked(zero).isNull());
    auto depth = good;
    depth[14] = 7;
    EXPECT_TRUE(DibDecoder::decodePacked(depth).isNull());
    auto header = good;
    header[0] = 39;
    EXPECT_TRUE(DibDecoder::decodePacked(header).isNull());
    EXPECT_TRUE(DibDecoder::decode(infoHeader(2, -2, 8, DibDecoder::kRle8, {}),
                                   std::vector<std::uint8_t>{0, 1})
                    .isNull());
    // a colour table that claims more entries than there are bytes
    auto table = makeDib(8, 2, 2, {qRgb(9, 9, 9)}, [](int, int) { return 0u; });
    table[32] = 0xFF, table[33] = 0xFF;
    EXPECT_TRUE(DibDecoder::decodePacked(table).isNull());
    EXPECT_TRUE(DibDecoder::decodePacked({}).isNull());
}

TEST(DibDecoder, AlphaChannelsOnlyWhereAsked) {
    // 2 x 1, 32 bits: one half-transparent pixel, one opaque.
    Bytes plain;
    plain.u32(40).i32(2).i32(1).u16(1).u16(32).u32(DibDecoder::kRgb).u32(0);
    plain.i32(0).i32(0).u32(0).u32(0);
    plain.u8(0).u8(0).u8(255).u8(128).u8(255).u8(0).u8(0).u8(255);
    // Metafiles draw 32-bit pixels opaque; pictures keep their alpha.
    QImage image = DibDecoder::decodePacked(plain.data());
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255);
    image = DibDecoder::decodePacked(plain.data(), {.alpha = true});
    EXPECT_EQ(image.pixel(0, 0), qRgba(255, 0, 0, 128));
    EXPECT_EQ(image.pixel(1, 0), qRgba(0, 0, 255, 255));
    // Alpha bytes that are all zero mean an opaque bitmap.
    auto zeroAlpha = plain.data();
    zeroAlpha[40 + 3] = zeroAlpha[40 + 7] = 0;
    image = DibDecoder::decodePacked(zeroAlpha, {.alpha = true});
    EXPECT_EQ(image.pixel(0, 0), qRgba(255, 0, 0, 255));

    // A 56-byte header holds an alpha mask for bit fields.
    Bytes v3;
    v3.u32(56).i32(1).i32(1).u16(1).u16(32).u32(DibDecoder::kBitFields).u32(0);
    v3.i32(0).i32(0).u32(0).u32(0).u32(0xFF).u32(0xFF00).u32(0xFF0000).u32(0xFF000000);
    v3.u8(10).u8(20).u8(30).u8(40);
    image = DibDecoder::decodePacked(v3.data(), {.alpha = true});
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(0, 0), qRgba(10, 20, 30, 40));
}

TEST(DibDecoder, IconMasksAndTheirDamage) {
    // A 2 x 2 icon bitmap of 8 bits: the stored height counts the mask too.
    const std::vector<QRgb> palette{qRgb(255, 0, 0), qRgb(0, 0, 255)};
    Bytes icon;
    icon.add(infoHeader(2, 4, 8, DibDecoder::kRgb, palette));
    icon.u8(0).u8(1).u8(0).u8(0).u8(1).u8(0).u8(0).u8(0); // bottom row red, blue
    icon.u32(0x00000040).u32(0x00000080);                 // bottom right, top left clear
    const DibOptions options{.alpha = true, .iconMask = true};
    QImage image = DibDecoder::decodePacked(icon.data(), options);
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.pixel(0, 1), qRgba(255, 0, 0, 255));
    EXPECT_EQ(qAlpha(image.pixel(1, 1)), 0);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(image.pixel(1, 0), qRgba(255, 0, 0, 255));
    // Without its mask the icon is opaque; a run-length icon is refused.
    const auto& bytes = icon.data();
    const std::vector<std::uint8_t> maskless(bytes.begin(), bytes.end() - 4);
    image = DibDecoder::decodePacked(maskless, options);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255);
    Bytes rle;
    rle.add(infoHeader(2, 4, 8, DibDecoder::kRle8, palette)).u8(2).u8(1).u8(0).u8(1);
    std::string error;
    EXPECT_TRUE(DibDecoder::decodePacked(rle.data(), options, &error).isNull());
    EXPECT_EQ(error, "Unsupported bitmap format");
    // A height of one row leaves no colour rows.
    Bytes flat;
    flat.add(infoHeader(2, 1, 24, DibDecoder::kRgb, {})).u32(0).u32(0);
    EXPECT_TRUE(DibDecoder::decodePacked(flat.data(), options, &error).isNull());
    EXPECT_EQ(error, "Bitmap has no pixels");
}
