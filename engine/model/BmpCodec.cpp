#include "engine/model/BmpCodec.h"

#include "engine/model/CheckedByteReader.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace vl {

namespace {

enum : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

struct DibHeader {
    std::int64_t width = 0, height = 0; // height as stored: positive is bottom-up
    int bitCount = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t colorsUsed = 0;
    std::uint32_t masks[4] = {0, 0, 0, 0};
    bool core = false; // the old 12-byte header with 3-byte colour entries
};

DibHeader ReadHeader(CheckedByteReader& r) {
    DibHeader h;
    const std::uint32_t headerSize = r.u32();
    if (headerSize == 12) {
        h.core = true;
        h.width = r.u16();
        h.height = r.i16();
        r.u16();
        h.bitCount = r.u16();
        return h;
    }
    if (headerSize < 40 || headerSize > 4096) throw PictureError("Unsupported bitmap header");
    const std::size_t start = r.position() - 4;
    h.width = r.i32();
    h.height = r.i32();
    r.u16();
    h.bitCount = r.u16();
    h.compression = r.u32();
    r.skip(12);
    h.colorsUsed = r.u32();
    r.u32();
    if (h.compression == kBitFields) {
        // Masks follow a 40-byte header and are part of the larger ones.
        for (int i = 0; i < 3; ++i)
            h.masks[i] = r.u32();
        if (headerSize >= 56) h.masks[3] = r.u32();
    }
    r.seek(std::max(r.position(), start + headerSize));
    return h;
}

void CheckHeader(const DibHeader& h) {
    if (h.width <= 0 || h.height == 0) throw PictureError("Bitmap has no pixels");
    const std::int64_t rows = std::llabs(h.height);
    if (h.width > (1 << 24) || rows > (1 << 24) || h.width * rows > BmpCodec::kMaxPixels)
        throw PictureError("Bitmap is too large");
    switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        if (h.compression == kRgb) return;
        if (h.compression == kRle8 && h.bitCount == 8) return;
        if (h.compression == kRle4 && h.bitCount == 4) return;
        break;
    case 16:
    case 32:
        if (h.compression == kRgb || h.compression == kBitFields) return;
        break;
    default:
        break;
    }
    throw PictureError("Unsupported bitmap format");
}

std::vector<QRgb> ReadPalette(CheckedByteReader& r, const DibHeader& h) {
    std::vector<QRgb> palette;
    if (h.bitCount > 8) {
        // An optional colour table for display; the pixels do not use it.
        r.skip(std::min<std::size_t>(r.remaining(), std::size_t{h.colorsUsed} * 4));
        return palette;
    }
    const std::uint32_t max = 1u << h.bitCount;
    const std::uint32_t count = h.colorsUsed && h.colorsUsed < max ? h.colorsUsed : max;
    palette.reserve(max);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t b = r.u8(), g = r.u8(), red = r.u8();
        if (!h.core) r.u8();
        palette.push_back(qRgb(red, g, b));
    }
    palette.resize(max, qRgb(0, 0, 0));
    return palette;
}

// A channel from a bit-field mask, scaled to 0..255.
int Channel(std::uint32_t pixel, std::uint32_t mask) {
    if (!mask) return 0;
    const int shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> shift;
    return static_cast<int>(((pixel & mask) >> shift) * 255 / max);
}

QRgb MaskedPixel(std::uint32_t px, const DibHeader& h, bool alpha) {
    std::uint32_t rm = h.masks[0], gm = h.masks[1], bm = h.masks[2], am = h.masks[3];
    if (h.compression != kBitFields) {
        if (h.bitCount == 16)
            rm = 0x7C00, gm = 0x03E0, bm = 0x001F, am = 0;
        else
            rm = 0xFF0000, gm = 0xFF00, bm = 0xFF, am = 0xFF000000;
    }
    const int a = alpha && am ? Channel(px, am) : 255;
    return qRgba(Channel(px, rm), Channel(px, gm), Channel(px, bm), a);
}

void ReadUncompressed(CheckedByteReader& r, const DibHeader& h, const std::vector<QRgb>& palette,
                      bool alpha, QImage& image) {
    const std::int64_t w = h.width, rows = image.height();
    const std::int64_t stride = ((w * h.bitCount + 31) / 32) * 4;
    if (stride * rows > static_cast<std::int64_t>(r.remaining()))
        throw PictureError("Bitmap pixels are truncated");
    const std::uint8_t* base = r.data() + r.position();
    for (std::int64_t row = 0; row < rows; ++row) {
        const std::uint8_t* src = base + row * stride;
        const int y = static_cast<int>(h.height > 0 ? rows - 1 - row : row);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (std::int64_t x = 0; x < w; ++x) {
            switch (h.bitCount) {
            case 1:
                dst[x] = palette[(src[x / 8] >> (7 - x % 8)) & 1];
                break;
            case 4:
                dst[x] = palette[(src[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F];
                break;
            case 8:
                dst[x] = palette[src[x]];
                break;
            case 16:
                dst[x] = MaskedPixel(src[2 * x] | (src[2 * x + 1] << 8), h, alpha);
                break;
            case 24:
                dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
                break;
            default: {
                const std::uint8_t* p = src + 4 * x;
                const std::uint32_t px =
                    p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
                dst[x] = MaskedPixel(px, h, alpha);
            }
            }
        }
    }
    r.skip(static_cast<std::size_t>(stride * rows));
}

// Run-length encoded 8- or 4-bit pixels; runs that leave the picture are
// clipped, and the data ends at its end-of-bitmap code or its last byte.
void ReadRle(CheckedByteReader& r, const DibHeader& h, const std::vector<QRgb>& palette, QImage& image) {
    const int w = image.width(), rows = image.height();
    const bool four = h.compression == kRle4;
    int x = 0, row = 0;
    auto put = [&](int index) {
        if (x >= w || row >= rows) return;
        const int y = h.height > 0 ? rows - 1 - row : row;
        reinterpret_cast<QRgb*>(image.scanLine(y))[x++] = palette[index];
    };
    while (r.remaining() >= 2 && row < rows) {
        const int count = r.u8(), value = r.u8();
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(four ? (i % 2 ? value & 0x0F : value >> 4) : value);
            continue;
        }
        if (value == 0) {
            x = 0;
            ++row;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            x = std::min(w, x + r.u8());
            row += r.u8();
        } else {
            const int bytes = four ? (value + 1) / 2 : value;
            for (int i = 0; i < value; ++i) {
                const std::size_t at = r.position() + static_cast<std::size_t>(four ? i / 2 : i);
                if (at >= r.size()) break;
                const int b = r.data()[at];
                put(four ? (i % 2 ? b & 0x0F : b >> 4) : b);
            }
            r.skip(
                std::min<std::size_t>(r.remaining(), static_cast<std::size_t>((bytes + 1) & ~1)));
        }
    }
}

bool HasAlpha(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(p[x]) != 0) return true;
    }
    return false;
}

// An icon's AND mask: set bits are transparent. A missing mask leaves the
// icon opaque.
void ApplyIconMask(CheckedByteReader& r, const DibHeader& h, QImage& image) {
    DibHeader mask = h;
    mask.bitCount = 1;
    mask.compression = kRgb;
    const std::vector<QRgb> bw = {qRgba(0, 0, 0, 255), qRgba(0, 0, 0, 0)};
    QImage m(image.size(), QImage::Format_ARGB32);
    m.fill(qRgba(0, 0, 0, 255));
    try {
        ReadUncompressed(r, mask, bw, false, m);
    } catch (const PictureError&) {
    }
    for (int y = 0; y < image.height(); ++y) {
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* src = reinterpret_cast<const QRgb*>(m.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            dst[x] = qAlpha(src[x]) == 0 ? qRgba(0, 0, 0, 0) : (dst[x] | 0xFF000000u);
    }
}

QImage DecodeDibAt(CheckedByteReader& r, std::size_t pixelOffset, bool iconMask) {
    DibHeader h = ReadHeader(r);
    if (iconMask) h.height /= 2;
    CheckHeader(h);
    const std::vector<QRgb> palette = ReadPalette(r, h);
    if (pixelOffset) r.seek(pixelOffset);
    const bool alpha = h.bitCount == 32 && (iconMask || h.compression == kBitFields);
    QImage image(static_cast<int>(h.width), static_cast<int>(std::llabs(h.height)),
                 alpha || iconMask ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull()) throw PictureError("Bitmap is too large");
    image.fill(qRgb(0, 0, 0));
    if (h.compression == kRle8 || h.compression == kRle4)
        ReadRle(r, h, palette, image);
    else
        ReadUncompressed(r, h, palette, alpha, image);
    if (iconMask && !(h.bitCount == 32 && HasAlpha(image))) ApplyIconMask(r, h, image);
    return image;
}

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
    try {
        CheckedByteReader r(data, size);
        if (r.u8() != 'B' || r.u8() != 'M') throw PictureError("Not a bitmap file");
        r.skip(8);
        const std::uint32_t offset = r.u32();
        if (offset < 14 + 12 || offset > size) throw PictureError("Bitmap pixels are truncated");
        return DecodeDibAt(r, offset, false);
    } catch (const PictureError& e) {
        if (error) *error = e.what();
        return {};
    }
}

QImage BmpCodec::decodeDib(const std::uint8_t* data, std::size_t size, bool iconMask,
                           std::string* error) {
    try {
        CheckedByteReader r(data, size);
        return DecodeDibAt(r, 0, iconMask);
    } catch (const PictureError& e) {
        if (error) *error = e.what();
        return {};
    }
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
