#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vl {

// JPEG pictures through libjpeg. Decoding refuses damaged data and sizes
// beyond kMaxPixels instead of allocating for them.
class JpegCodec {
public:
    static constexpr std::int64_t kMaxPixels = 64LL * 1024 * 1024;

    // The decoded picture, or a null image with the reason in *error.
    static QImage decode(const std::uint8_t* data, std::size_t size, std::string* error = nullptr);
    static QImage decode(const std::vector<std::uint8_t>& bytes, std::string* error = nullptr) {
        return decode(bytes.data(), bytes.size(), error);
    }
    // Width and height from the header alone; false when it is unreadable.
    static bool readSize(const std::uint8_t* data, std::size_t size, int& width, int& height);

    // quality 1..100.
    static std::vector<std::uint8_t> encode(const QImage& image, int quality = 90);
};

} // namespace vl
