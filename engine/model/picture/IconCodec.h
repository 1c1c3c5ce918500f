#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vl {

// Windows icon files: the largest (then deepest) image of the file, held as
// a device-independent bitmap with its mask or as PNG data.
class IconCodec {
public:
    static QImage decode(const std::uint8_t* data, std::size_t size, std::string* error = nullptr);
    // An icon file with one 32-bit image (sides above 256 are refused).
    static std::vector<std::uint8_t> encode(const QImage& image);
};

} // namespace vl
