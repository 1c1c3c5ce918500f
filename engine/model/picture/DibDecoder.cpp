#include "engine/model/picture/DibDecoder.h"

#include "engine/model/picture/ByteReader.h"
#include "engine/model/picture/PictureError.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace vl {

namespace {

using Header = DibDecoder::Header;
using Options = DibDecoder::Options;

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kAlphaMaskHeaderSize = 56; // from here on headers hold an alpha mask
constexpr std::uint32_t kMaxHeaderSize = 4096;
constexpr std::uint32_t kMaxDeepColourTable = 4096;

[[noreturn]] void fail(const char* reason) {
    throw PictureError(reason);
}

bool isRle(const Header& h) {
    return h.compression == DibDecoder::kRle8 || h.compression == DibDecoder::kRle4;
}

bool validFormat(const Header& h) {
    switch (h.compression) {
    case DibDecoder::kRgb:
        return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 ||
               h.bitCount == 24 || h.bitCount == 32;
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

// Width and stored height (negative: top-down) of a BITMAPCOREHEADER.
void readCoreHeader(ByteReader& r, Header& h, std::int64_t& width, std::int64_t& height) {
    width = r.u16();
    height = r.u16();
    r.u16(); // planes
    h.bitCount = r.u16();
    if (!r.ok()) fail("Bitmap header is truncated");
    h.paletteEntrySize = 3;
    h.paletteEntries = h.bitCount <= 8 ? 1 << h.bitCount : 0;
    h.paletteOffset = kCoreHeaderSize;
}

void readInfoHeader(ByteReader& r, std::uint32_t headerSize, Header& h, std::int64_t& width,
                    std::int64_t& height) {
    if (headerSize > r.size()) fail("Bitmap header is truncated");
    width = r.i32();
    height = r.i32();
    r.u16(); // planes
    h.bitCount = r.u16();
    h.compression = r.u32();
    r.skip(12); // image size, resolution
    const std::uint32_t used = r.u32();
    r.u32(); // important colours
    std::size_t afterHeader = headerSize;
    if (h.compression == DibDecoder::kBitFields) {
        // The masks follow a plain info header; later headers hold them.
        for (int i = 0; i < 3; ++i)
            h.masks[i] = r.u32();
        if (headerSize >= kAlphaMaskHeaderSize) h.masks[3] = r.u32();
        if (headerSize == kInfoHeaderSize) afterHeader += 12;
    }
    if (!r.ok()) fail("Bitmap header is truncated");
    if (h.bitCount >= 1 && h.bitCount <= 8) {
        const std::uint32_t full = 1u << h.bitCount;
        h.paletteEntries = static_cast<int>(used == 0 || used > full ? full : used);
    } else {
        // A colour table may precede the rows of deep bitmaps; it is skipped.
        h.paletteEntries = static_cast<int>(std::min(used, kMaxDeepColourTable));
    }
    h.paletteOffset = afterHeader;
}

Header parseHeader(std::span<const std::uint8_t> info, const Options& options) {
    ByteReader r(info);
    const std::uint32_t headerSize = r.u32();
    if (!r.ok()) fail("Bitmap header is truncated");
    Header h;
    std::int64_t width = 0, height = 0;
    if (headerSize == kCoreHeaderSize)
        readCoreHeader(r, h, width, height);
    else if (headerSize >= kInfoHeaderSize && headerSize <= kMaxHeaderSize)
        readInfoHeader(r, headerSize, h, width, height);
    else
        fail("Unsupported bitmap header");
    if (options.iconMask) height /= 2;
    if (width <= 0 || height == 0) fail("Bitmap has no pixels");
    const std::int64_t rows = height < 0 ? -height : height;
    if (width * rows > DibDecoder::kMaxPixels) fail("Bitmap is too large");
    h.width = static_cast<int>(width);
    h.height = static_cast<int>(rows);
    h.topDown = height < 0;
    // Run-length rows are bottom-up by definition, and an icon's mask needs
    // to know where the colour rows end.
    if (!validFormat(h) || (isRle(h) && (h.topDown || options.iconMask)))
        fail("Unsupported bitmap format");
    if (options.paletteIndices) h.paletteEntrySize = 2;
    h.infoSize = h.paletteOffset + static_cast<std::size_t>(h.paletteEntries) * h.paletteEntrySize;
    return h;
}

std::vector<QRgb> buildPalette(std::span<const std::uint8_t> info, const Header& h,
                               bool paletteIndices) {
    std::vector<QRgb> colours(256, qRgb(0, 0, 0));
    if (h.bitCount > 8) return colours;
    const int count = std::min(h.paletteEntries, 256);
    for (int i = 0; i < count; ++i) {
        if (paletteIndices) {
            const int last = std::max(1, h.paletteEntries - 1);
            const int level = std::min(255, i * 255 / last);
            colours[i] = qRgb(level, level, level);
            continue;
        }
        // Entries past the end of the table stay black.
        const std::size_t at = h.paletteOffset + static_cast<std::size_t>(i) * h.paletteEntrySize;
        if (at + 3 > info.size()) break;
        colours[i] = qRgb(info[at + 2], info[at + 1], info[at]);
    }
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

// How the pixels of one bitmap become colours.
struct PixelFormat {
    const Header& h;
    const std::vector<QRgb>& palette;
    std::uint32_t masks[4];

    PixelFormat(const Header& header, const std::vector<QRgb>& colours, bool alpha)
        : h(header), palette(colours), masks{0, 0, 0, 0} {
        if (h.compression == DibDecoder::kBitFields) {
            std::copy(h.masks, h.masks + 4, masks);
            if (!alpha) masks[3] = 0;
        } else if (h.bitCount == 16) {
            masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
        } else {
            masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
            masks[3] = alpha ? 0xFF000000u : 0;
        }
    }

    bool hasAlpha() const { return h.bitCount == 32 && masks[3] != 0; }

    QRgb masked(std::uint32_t p) const {
        const int a = masks[3] ? maskedChannel(p, masks[3]) : 255;
        return qRgba(maskedChannel(p, masks[0]), maskedChannel(p, masks[1]),
                     maskedChannel(p, masks[2]), a);
    }

    void row(const std::uint8_t* in, QRgb* out) const {
        const int w = h.width;
        switch (h.bitCount) {
        case 1:
            for (int x = 0; x < w; ++x)
                out[x] = palette[(in[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (int x = 0; x < w; ++x)
                out[x] = palette[(in[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
            break;
        case 8:
            for (int x = 0; x < w; ++x)
                out[x] = palette[in[x]];
            break;
        case 16:
            for (int x = 0; x < w; ++x)
                out[x] = masked(in[2 * x] | (in[2 * x + 1] << 8));
            break;
        case 24:
            for (int x = 0; x < w; ++x)
                out[x] = qRgb(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
            break;
        default:
            for (int x = 0; x < w; ++x) {
                const std::uint8_t* p = in + 4 * x;
                out[x] = masked(p[0] | (p[1] << 8) | (p[2] << 16) |
                                (static_cast<std::uint32_t>(p[3]) << 24));
            }
            break;
        }
    }
};

std::uint64_t rowStride(int width, int bitCount) {
    return ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
}

QImage newImage(const Header& h, QImage::Format format) {
    QImage image(h.width, h.height, format);
    if (image.isNull()) fail("Bitmap is too large");
    return image;
}

int imageRow(const Header& h, int stored) {
    return h.topDown ? stored : h.height - 1 - stored;
}

bool anyAlpha(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(p[x]) != 0) return true;
    }
    return false;
}

void makeOpaque(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* p = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            p[x] |= 0xFF000000u;
    }
}

// An icon's AND mask after its colour rows: set bits are transparent. A
// missing or short mask leaves the icon opaque.
void applyIconMask(const Header& h, std::span<const std::uint8_t> mask, QImage& image) {
    makeOpaque(image);
    const std::uint64_t stride = rowStride(h.width, 1);
    if (stride * static_cast<std::uint64_t>(h.height) > mask.size()) return;
    for (int stored = 0; stored < h.height; ++stored) {
        const std::uint8_t* in = mask.data() + stride * static_cast<std::uint64_t>(stored);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(imageRow(h, stored)));
        for (int x = 0; x < h.width; ++x)
            if ((in[x >> 3] >> (7 - (x & 7))) & 1) out[x] = qRgba(0, 0, 0, 0);
    }
}

QImage decodeUncompressed(const Header& h, std::span<const std::uint8_t> bits,
                          const std::vector<QRgb>& palette, const Options& options) {
    const PixelFormat format(h, palette, options.alpha || options.iconMask);
    const std::uint64_t stride = rowStride(h.width, h.bitCount);
    const std::uint64_t size = stride * static_cast<std::uint64_t>(h.height);
    if (size > bits.size()) fail("Bitmap pixels are truncated");
    QImage image = newImage(h, format.hasAlpha() || options.iconMask ? QImage::Format_ARGB32
                                                                     : QImage::Format_RGB32);
    for (int stored = 0; stored < h.height; ++stored)
        format.row(bits.data() + stride * static_cast<std::uint64_t>(stored),
                   reinterpret_cast<QRgb*>(image.scanLine(imageRow(h, stored))));
    const bool alphaUsed = format.hasAlpha() && anyAlpha(image);
    if (options.iconMask && !alphaUsed)
        applyIconMask(h, bits.subspan(static_cast<std::size_t>(size)), image);
    else if (format.hasAlpha() && !alphaUsed)
        makeOpaque(image);
    return image;
}

// Run-length encoded rows, always stored bottom-up. Pixels the runs skip stay
// transparent, as they leave the destination untouched.
class RleDecoder {
public:
    RleDecoder(const Header& h, std::span<const std::uint8_t> bits,
               const std::vector<QRgb>& palette)
        : h_(h), in_(bits), palette_(palette) {}

    QImage run() {
        image_ = newImage(h_, QImage::Format_ARGB32);
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
    bool eight() const { return h_.bitCount == 8; }
    void put(int index) {
        if (x_ < h_.width && y_ < h_.height)
            reinterpret_cast<QRgb*>(image_.scanLine(h_.height - 1 - y_))[x_] = palette_[index];
        ++x_;
    }
    void encodedRun(int count, int value) {
        for (int i = 0; i < count && x_ < h_.width; ++i)
            put(eight() ? value : (i & 1) ? (value & 0x0F) : (value >> 4));
    }
    bool escape(int code) {
        switch (code) {
        case 0: // end of line
            x_ = 0;
            ++y_;
            return true;
        case 1: // end of bitmap
            return false;
        case 2: // delta
            x_ += in_.u8();
            y_ += in_.u8();
            return in_.ok();
        default:
            return absoluteRun(code);
        }
    }
    bool absoluteRun(int count) {
        const int bytes = eight() ? count : (count + 1) / 2;
        const auto data = in_.take(static_cast<std::size_t>(bytes));
        if (!in_.ok()) return false;
        for (int i = 0; i < count && x_ < h_.width; ++i)
            put(eight() ? data[i] : (i & 1) ? (data[i / 2] & 0x0F) : (data[i / 2] >> 4));
        if (bytes & 1) in_.skip(1); // runs are word-aligned
        return true;
    }

    const Header& h_;
    ByteReader in_;
    const std::vector<QRgb>& palette_;
    QImage image_;
    int x_ = 0;
    int y_ = 0;
};

QImage decodeWith(const Header& h, std::span<const std::uint8_t> info,
                  std::span<const std::uint8_t> bits, const Options& options) {
    const auto palette = buildPalette(info, h, options.paletteIndices);
    if (isRle(h)) return RleDecoder(h, bits, palette).run();
    return decodeUncompressed(h, bits, palette, options);
}

QImage failed(const PictureError& e, std::string* error) {
    if (error) *error = e.what();
    return {};
}

} // namespace

std::optional<DibDecoder::Header> DibDecoder::readHeader(std::span<const std::uint8_t> info,
                                                         const Options& options) {
    try {
        return parseHeader(info, options);
    } catch (const PictureError&) {
        return std::nullopt;
    }
}

QImage DibDecoder::decode(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits,
                          const Options& options, std::string* error) {
    try {
        return decodeWith(parseHeader(info, options), info, bits, options);
    } catch (const PictureError& e) {
        return failed(e, error);
    }
}

QImage DibDecoder::decodePacked(std::span<const std::uint8_t> packed, const Options& options,
                                std::string* error) {
    try {
        const Header h = parseHeader(packed, options);
        if (h.infoSize > packed.size()) fail("Bitmap colour table is truncated");
        return decodeWith(h, packed.first(h.infoSize), packed.subspan(h.infoSize), options);
    } catch (const PictureError& e) {
        return failed(e, error);
    }
}

} // namespace vl
