#include "engine/model/picture/JpegCodec.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace vl;

namespace {

QImage sampleImage() {
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.fillRect(0, 0, 32, 48, QColor(200, 30, 30));
    return image;
}

} // namespace

TEST(JpegCodec, EncodeDecodeKeepsSizeAndColours) {
    const auto bytes = JpegCodec::encode(sampleImage(), 95);
    ASSERT_GT(bytes.size(), 100u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);
    std::string error;
    const QImage back = JpegCodec::decode(bytes, &error);
    ASSERT_FALSE(back.isNull()) << error;
    EXPECT_EQ(back.size(), QSize(64, 48));
    const QColor left = back.pixelColor(8, 24), right = back.pixelColor(56, 24);
    EXPECT_NEAR(left.red(), 200, 12);
    EXPECT_NEAR(left.green(), 30, 12);
    EXPECT_NEAR(right.blue(), 255, 12);
    int w = 0, h = 0;
    ASSERT_TRUE(JpegCodec::readSize(bytes.data(), bytes.size(), w, h));
    EXPECT_EQ(w, 64);
    EXPECT_EQ(h, 48);
}

TEST(JpegCodec, DamagedDataIsRefused) {
    auto bytes = JpegCodec::encode(sampleImage());
    std::string error;
    EXPECT_TRUE(JpegCodec::decode(bytes.data(), 3, &error).isNull());
    EXPECT_FALSE(error.empty());
    const std::vector<std::uint8_t> garbage(500, 0x42);
    EXPECT_TRUE(JpegCodec::decode(garbage).isNull());
    // a cut-off picture decodes partially or not at all, never past the buffer
    const std::vector<std::uint8_t> half(bytes.begin(), bytes.begin() + bytes.size() / 2);
    (void)JpegCodec::decode(half);
}

TEST(JpegCodec, AbsurdSizesAreRefusedBeforeAllocating) {
    auto bytes = JpegCodec::encode(sampleImage());
    // patch the frame header (SOF0) to claim 60000 x 60000 pixels
    for (std::size_t i = 0; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = 0xEA;
            bytes[i + 6] = 0x60;
            bytes[i + 7] = 0xEA;
            bytes[i + 8] = 0x60;
            break;
        }
    }
    std::string error;
    EXPECT_TRUE(JpegCodec::decode(bytes, &error).isNull());
    EXPECT_NE(error.find("too large"), std::string::npos);
}
