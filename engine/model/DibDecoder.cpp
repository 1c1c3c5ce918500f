#include "engine/model/DibDecoder.h"

#include "engine/model/ByteReader.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace vl {

namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

bool validDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool validCompression(const DibDecoder::Header& h) {
    switch (h.compression) {
    case DibDecoder::kRgb:
        return true;
    case DibDecoder::kRle8:
        return h.bitCount == 8;
    case DibDecoder::kRle4:
        return h.bitCount == 4;
    case DibDecoder::kBitFields:
        return h.bitCount == 16 || h.bitCount == 32;
    default:
        return false;
    }
}

bool readCoreHeader(ByteReader& r, DibDecoder::Header& h) {
    h.width = r.u16();
    h.height = r.u16();
    r.u16(); // planes
    h.bitCount = r.u16();
    h.paletteEntrySize = 3;
    h.paletteEntries = h.bitCount <= 8 ? 1 << h.bitCount : 0;
    h.paletteOffset = kCoreHeaderSize;
    return r.ok();
}

bool readInfoHeader(ByteReader& r, std::uint32_t headerSize, DibDecoder::Header& h) {
    const std::int32_t width = r.i32();
    const std::int32_t height = r.i32();
    r.u16(); // planes
    h.bitCount = r.u16();
    h.compression = r.u32();
    r.skip(12); // image size, resolution
    const std::uint32_t used = r.u32();
    r.u32(); // important colours
    if (!r.ok() || width <= 0 || height == 0 || height == INT32_MIN) return false;
    h.width = width;
    h.height = height < 0 ? -height : height;
    h.topDown = height < 0;
    std::size_t afterHeader = headerSize;
    if (h.compression == DibDecoder::kBitFields) {
        // masks follow a plain info header; later headers hold them inside
        ByteReader m(r.bytes());
        m.seek(kInfoHeaderSize);
        for (auto& mask : h.masks)
            mask = m.u32();
        if (!m.ok()) return false;
        if (headerSize == kInfoHeaderSize) afterHeader += 12;
    }
    if (h.bitCount <= 8) {
        const std::uint32_t full = 1u << h.bitCount;
        h.paletteEntries = static_cast<int>(used == 0 || used > full ? full : used);
    } else {
        // a colour table may precede the rows of deep bitmaps; it is skipped
        h.paletteEntries = static_cast<int>(std::min<std::uint32_t>(used, 4096));
    }
    h.paletteOffset = afterHeader;
    return true;
}

QRgb paletteColour(std::span<const std::uint8_t> table, const DibDecoder::Header& h, int index,
                   bool paletteIndices) {
    if (index >= h.paletteEntries) return qRgb(0, 0, 0);
    if (paletteIndices) {
        const int last = std::max(1, h.paletteEntries - 1);
        const int level = std::min(255, index * 255 / last);
        return qRgb(level, level, level);
    }
    const std::size_t at = static_cast<std::size_t>(index) * h.paletteEntrySize;
    if (at + 3 > table.size()) return qRgb(0, 0, 0);
    return qRgb(table[at + 2], table[at + 1], table[at]);
}

std::vector<QRgb> buildPalette(std::span<const std::uint8_t> info, const DibDecoder::Header& h,
                               bool paletteIndices) {
    const std::size_t entrySize = paletteIndices ? 2 : h.paletteEntrySize;
    const std::size_t offset = std::min(h.paletteOffset, info.size());
    const auto table =
        info.subspan(offset, std::min(info.size() - offset, entrySize * h.paletteEntries));
    std::vector<QRgb> colours(256, qRgb(0, 0, 0));
    if (h.bitCount > 8) return colours;
    for (int i = 0; i < h.paletteEntries && i < 256; ++i)
        colours[i] = paletteColour(table, h, i, paletteIndices);
    return colours;
}

// Scales a masked field to 8 bits.
int maskedChannel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const std::uint64_t value = (pixel & mask) >> shift;
    const std::uint64_t max = mask >> shift;
    return static_cast<int>(std::min<std::uint64_t>(255, value * 255u / max));
}

void decodeRow(const std::uint8_t* row, const DibDecoder::Header& h,
               const std::vector<QRgb>& palette, QRgb* out) {
    const int w = h.width;
    switch (h.bitCount) {
    case 1:
        for (int x = 0; x < w; ++x)
            out[x] = palette[(row[x >> 3] >> (7 - (x & 7))) & 1];
        break;
    case 4:
        for (int x = 0; x < w; ++x)
            out[x] = palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
        break;
    case 8:
        for (int x = 0; x < w; ++x)
            out[x] = palette[row[x]];
        break;
    case 16: {
        const bool fields = h.compression == DibDecoder::kBitFields;
        const std::uint32_t rm = fields ? h.masks[0] : 0x7C00, gm = fields ? h.masks[1] : 0x03E0,
                            bm = fields ? h.masks[2] : 0x001F;
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = row[2 * x] | (row[2 * x + 1] << 8);
            out[x] = qRgb(maskedChannel(p, rm), maskedChannel(p, gm), maskedChannel(p, bm));
        }
        break;
    }
    case 24:
        for (int x = 0; x < w; ++x)
            out[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        break;
    case 32:
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* p = row + 4 * x;
            if (h.compression == DibDecoder::kBitFields) {
                const std::uint32_t v =
                    p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
                out[x] = qRgb(maskedChannel(v, h.masks[0]), maskedChannel(v, h.masks[1]),
                              maskedChannel(v, h.masks[2]));
            } else {
                out[x] = qRgb(p[2], p[1], p[0]);
            }
        }
        break;
    default:
        break;
    }
}

QImage decodeUncompressed(const DibDecoder::Header& h, std::span<const std::uint8_t> bits,
                          const std::vector<QRgb>& palette) {
    const std::uint64_t stride = ((static_cast<std::uint64_t>(h.width) * h.bitCount + 31) / 32) * 4;
    if (stride * static_cast<std::uint64_t>(h.height) > bits.size()) return {};
    QImage image(h.width, h.height, QImage::Format_RGB32);
    if (image.isNull()) return {};
    for (int y = 0; y < h.height; ++y) {
        const int line = h.topDown ? y : h.height - 1 - y;
        decodeRow(bits.data() + stride * static_cast<std::uint64_t>(y), h, palette,
                  reinterpret_cast<QRgb*>(image.scanLine(line)));
    }
    return image;
}

// Run-length encoded rows, always stored bottom-up. Pixels the runs skip stay
// transparent, as they leave the destination untouched.
class RleDecoder {
public:
    RleDecoder(const DibDecoder::Header& h, std::span<const std::uint8_t> bits,
               const std::vector<QRgb>& palette)
        : h_(h), in_(bits), palette_(palette) {}

    QImage run() {
        image_ = QImage(h_.width, h_.height, QImage::Format_ARGB32);
        if (image_.isNull()) return {};
        image_.fill(Qt::transparent);
        while (in_.remaining() >= 2 && y_ < h_.height) {
            const int count = in_.u8();
            const int value = in_.u8();
            if (count > 0)
                encodedRun(count, value);
            else if (!escape(value))
                break;
        }
        return image_;
    }

private:
    void put(int index) {
        if (x_ < h_.width && y_ < h_.height)
            reinterpret_cast<QRgb*>(image_.scanLine(h_.height - 1 - y_))[x_] = palette_[index];
        ++x_;
    }
    void encodedRun(int count, int value) {
        for (int i = 0; i < count && x_ < h_.width; ++i)
            put(h_.bitCount == 8 ? value : (i & 1) ? (value & 0x0F) : (value >> 4));
    }
    bool escape(int code) {
        switch (code) {
        case 0:
            x_ = 0;
            ++y_;
            return true;
        case 1:
            return false;
        case 2:
            x_ += in_.u8();
            y_ += in_.u8();
            return in_.ok();
        default:
            return absoluteRun(code);
        }
    }
    bool absoluteRun(int count) {
        const int bytes = h_.bitCount == 8 ? count : (count + 1) / 2;
        const auto data = in_.take(static_cast<std::size_t>(bytes));
        if (!in_.ok()) return false;
        for (int i = 0; i < count && x_ < h_.width; ++i)
            put(h_.bitCount == 8 ? data[i] : (i & 1) ? (data[i / 2] & 0x0F) : (data[i / 2] >> 4));
        if (bytes & 1) in_.skip(1);
        return true;
    }

    const DibDecoder::Header& h_;
    ByteReader in_;
    const std::vector<QRgb>& palette_;
    QImage image_;
    int x_ = 0;
    int y_ = 0;
};

} // namespace

std::optional<DibDecoder::Header> DibDecoder::readHeader(std::span<const std::uint8_t> info) {
    ByteReader r(info);
    const std::uint32_t headerSize = r.u32();
    Header h;
    bool ok = false;
    if (headerSize == kCoreHeaderSize)
        ok = readCoreHeader(r, h);
    else if (headerSize >= kInfoHeaderSize && headerSize <= 1024 && headerSize <= info.size())
        ok = readInfoHeader(r, headerSize, h);
    if (!ok || h.width <= 0 || h.height <= 0 || !validDepth(h.bitCount) || !validCompression(h))
        return std::nullopt;
    if (static_cast<std::int64_t>(h.width) * h.height > kMaxPixels) return std::nullopt;
    h.infoSize = h.paletteOffset + static_cast<std::size_t>(h.paletteEntries) * h.paletteEntrySize;
    return h;
}

QImage DibDecoder::decode(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits,
                          bool paletteIndices) {
    const auto header = readHeader(info);
    if (!header) return {};
    const auto palette = buildPalette(info, *header, paletteIndices);
    if (header->compression == kRle8 || header->compression == kRle4) {
        if (header->topDown) return {};
        return RleDecoder(*header, bits, palette).run();
    }
    return decodeUncompressed(*header, bits, palette);
}

QImage DibDecoder::decodePacked(std::span<const std::uint8_t> packed, bool paletteIndices) {
    const auto header = readHeader(packed);
    if (!header) return {};
    std::size_t infoSize = header->infoSize;
    if (paletteIndices)
        infoSize = header->paletteOffset + static_cast<std::size_t>(header->paletteEntries) * 2;
    if (infoSize > packed.size()) return {};
    return decode(packed.first(infoSize), packed.subspan(infoSize), paletteIndices);
}

} // namespace vl
