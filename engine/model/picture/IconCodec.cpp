#include "engine/model/picture/IconCodec.h"

#include "engine/model/picture/ByteReader.h"
#include "engine/model/picture/DibDecoder.h"
#include "engine/model/picture/PictureError.h"

#include <cstring>

namespace vl {

namespace {

struct IconEntry {
    int width = 0, height = 0, bitCount = 0;
    std::uint32_t size = 0, offset = 0;
};

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

std::uint32_t BigEndian32(std::span<const std::uint8_t> b) {
    return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) |
           b[3];
}

// PNG data whose size, read from its header, is checked before Qt decodes it.
QImage DecodePng(std::span<const std::uint8_t> data) {
    ByteReader r(data);
    r.skip(16); // signature, IHDR length and type
    const auto size = r.take(8);
    if (!r.ok()) throw PictureError("Icon image is damaged");
    const std::uint32_t w = BigEndian32(size), h = BigEndian32(size.subspan(4));
    if (w == 0 || h == 0 ||
        std::uint64_t{w} * h > static_cast<std::uint64_t>(DibDecoder::kMaxPixels))
        throw PictureError("Icon image is too large");
    QImage image = QImage::fromData(data.data(), static_cast<int>(data.size()), "PNG");
    if (image.isNull()) throw PictureError("Icon image is damaged");
    return image;
}

IconEntry ReadEntry(ByteReader& r) {
    IconEntry e;
    e.width = r.u8();
    e.height = r.u8();
    r.skip(4); // colours, reserved, planes or hot spot
    e.bitCount = r.u16();
    e.size = r.u32();
    e.offset = r.u32();
    if (e.width == 0) e.width = 256;
    if (e.height == 0) e.height = 256;
    return e;
}

QImage DecodeIcon(std::span<const std::uint8_t> data) {
    ByteReader r(data);
    const std::uint16_t reserved = r.u16();
    const std::uint16_t type = r.u16();
    const std::uint16_t count = r.u16();
    if (!r.ok() || reserved != 0 || (type != 1 && type != 2) || count == 0)
        throw PictureError("Not an icon file");
    IconEntry best;
    bool found = false;
    for (int i = 0; i < count; ++i) {
        const IconEntry e = ReadEntry(r);
        if (!r.ok()) throw PictureError("Icon directory is truncated");
        if (e.offset > data.size() || e.size > data.size() - e.offset || e.size < 8) continue;
        const long long area = static_cast<long long>(e.width) * e.height;
        const long long bestArea = static_cast<long long>(best.width) * best.height;
        if (!found || area > bestArea || (area == bestArea && e.bitCount > best.bitCount)) {
            best = e;
            found = true;
        }
    }
    if (!found) throw PictureError("Icon file holds no readable image");
    const auto image = data.subspan(best.offset, best.size);
    if (std::memcmp(image.data(), kPngSignature, 8) == 0) return DecodePng(image);
    std::string error;
    QImage result = DibDecoder::decodePacked(image, {.alpha = true, .iconMask = true}, &error);
    if (result.isNull()) throw PictureError(error);
    return result;
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

QImage IconCodec::decode(const std::uint8_t* data, std::size_t size, std::string* error) {
    try {
        return DecodeIcon({data, size});
    } catch (const PictureError& e) {
        if (error) *error = e.what();
        return {};
    }
}

std::vector<std::uint8_t> IconCodec::encode(const QImage& source) {
    if (source.isNull() || source.width() > 256 || source.height() > 256)
        throw PictureError("An icon is at most 256 x 256 pixels");
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const std::uint32_t w = static_cast<std::uint32_t>(image.width());
    const std::uint32_t h = static_cast<std::uint32_t>(image.height());
    const std::uint32_t maskStride = ((w + 31) / 32) * 4;
    const std::uint32_t dibSize = 40 + w * h * 4 + maskStride * h;
    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    out.push_back(static_cast<std::uint8_t>(w & 0xFF));
    out.push_back(static_cast<std::uint8_t>(h & 0xFF));
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, dibSize);
    Put32(out, 22);
    Put32(out, 40);
    Put32(out, w);
    Put32(out, h * 2);
    Put16(out, 1);
    Put16(out, 32);
    for (int i = 0; i < 6; ++i)
        Put32(out, 0);
    for (int y = static_cast<int>(h) - 1; y >= 0; --y) {
        const auto* src = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (std::uint32_t x = 0; x < w; ++x) {
            out.push_back(static_cast<std::uint8_t>(qBlue(src[x])));
            out.push_back(static_cast<std::uint8_t>(qGreen(src[x])));
            out.push_back(static_cast<std::uint8_t>(qRed(src[x])));
            out.push_back(static_cast<std::uint8_t>(qAlpha(src[x])));
        }
    }
    // The mask: set where the colour pixels are fully transparent.
    for (int y = static_cast<int>(h) - 1; y >= 0; --y) {
        const auto* src = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::vector<std::uint8_t> row(maskStride, 0);
        for (std::uint32_t x = 0; x < w; ++x)
            if (qAlpha(src[x]) == 0) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace vl
