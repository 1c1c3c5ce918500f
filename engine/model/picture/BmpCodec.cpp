#include "engine/model/picture/BmpCodec.h"

#include "engine/model/picture/ByteReader.h"
#include "engine/model/picture/DibDecoder.h"

namespace vl {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

} // namespace

QImage BmpCodec::decode(const std::uint8_t* data, std::size_t size, std::string* error) {
    ByteReader r({data, size});
    const bool signature = r.u8() == 'B' && r.u8() == 'M';
    r.skip(8); // file size, reserved
    const std::uint32_t offset = r.u32();
    const char* reason = nullptr;
    if (!r.ok() || !signature)
        reason = "Not a bitmap file";
    else if (offset < kFileHeaderSize + 12 || offset > size)
        reason = "Bitmap pixels are truncated";
    if (reason) {
        if (error) *error = reason;
        return {};
    }
    // The colour table lies between the info header and the pixels.
    const std::span<const std::uint8_t> file(data, size);
    return DibDecoder::decode(file.subspan(kFileHeaderSize), file.subspan(offset), {.alpha = true},
                              error);
}

std::vector<std::uint8_t> BmpCodec::encode(const QImage& source) {
    const bool alpha = source.hasAlphaChannel();
    const QImage image =
        source.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int bpp = alpha ? 32 : 24;
    const std::uint32_t w = static_cast<std::uint32_t>(image.width());
    const std::uint32_t h = static_cast<std::uint32_t>(image.height());
    const std::uint32_t stride = ((w * bpp + 31) / 32) * 4;
    const std::uint32_t pixels = stride * h;
    std::vector<std::uint8_t> out;
    out.reserve(54 + pixels);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, 54 + pixels);
    PutU32(out, 0);
    PutU32(out, 54);
    PutU32(out, 40);
    PutU32(out, w);
    PutU32(out, h);
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint32_t>(bpp));
    PutU32(out, 0);
    PutU32(out, pixels);
    PutU32(out, 3780); // 96 pixels per inch
    PutU32(out, 3780);
    PutU32(out, 0);
    PutU32(out, 0);
    for (int y = static_cast<int>(h) - 1; y >= 0; --y) {
        const auto* src = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::uint32_t written = 0;
        for (std::uint32_t x = 0; x < w; ++x) {
            out.push_back(static_cast<std::uint8_t>(qBlue(src[x])));
            out.push_back(static_cast<std::uint8_t>(qGreen(src[x])));
            out.push_back(static_cast<std::uint8_t>(qRed(src[x])));
            written += 3;
            if (alpha) {
                out.push_back(static_cast<std::uint8_t>(qAlpha(src[x])));
                ++written;
            }
        }
        for (; written < stride; ++written)
            out.push_back(0);
    }
    return out;
}

} // namespace vl
