#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vl {

// Windows bitmap files: the file header around a device-independent bitmap,
// which DibDecoder reads.
class BmpCodec {
public:
    // A BMP file; a null image with the reason in *error when it is damaged.
    static QImage decode(const std::uint8_t* data, std::size_t size, std::string* error = nullptr);

    // A BMP file: 24 bits per pixel, or 32 when the image has transparency.
    static std::vector<std::uint8_t> encode(const QImage& image);
};

} // namespace vl
