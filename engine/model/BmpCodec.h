#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vl {

// Windows bitmaps (BMP files and bare device-independent bitmaps): 1, 4, 8,
// 16, 24 and 32 bits per pixel, uncompressed, RLE8, RLE4 and bit fields.
// Decoding checks every size against the data before it allocates and
// refuses pictures of more than kMaxPixels pixels.
class BmpCodec {
public:
    static constexpr std::int64_t kMaxPixels = 64LL * 1024 * 1024;

    // A BMP file; a null image with the reason in *error when it is damaged.
    static QImage decode(const std::uint8_t* data, std::size_t size, std::string* error = nullptr);
    // A DIB: the info header, the colour table and the pixels. An icon's DIB
    // holds twice the height: the colour pixels followed by a 1-bit mask in
    // which set bits are transparent.
    static QImage decodeDib(const std::uint8_t* data, std::size_t size, bool iconMask,
                            std::string* error = nullptr);

    // A BMP file: 24 bits per pixel, or 32 when the image has transparency.
    static std::vector<std::uint8_t> encode(const QImage& image);
};

} // namespace vl
