#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vl {

// How a bitmap is to be read.
struct DibOptions {
    // The colour table holds 16-bit palette indices (DIB_PAL_COLORS, in
    // metafiles); they are shown as a grey ramp since no logical palette
    // is realised here.
    bool paletteIndices = false;
    // 32-bit pixels keep their alpha channel (pictures). A bitmap whose
    // alpha bytes are all zero is opaque, as older writers left them so.
    bool alpha = false;
    // An icon's bitmap: the header holds twice the height, the colour
    // rows followed by a 1-bit mask in which set bits are transparent.
    bool iconMask = false;
};

// Device-independent bitmaps, as BMP files, icons, database fields and
// metafiles carry them: a BITMAPINFO (core or info header of any later
// version, optional bit masks, colour table) and the pixel rows, 1, 4, 8, 16,
// 24 or 32 bits deep, uncompressed, bit-field or run-length encoded.
// Everything is read through bounds checks; pictures of more than kMaxPixels
// pixels and pixel data shorter than the header claims are refused before
// anything is allocated.
class DibDecoder {
public:
    static constexpr std::int64_t kMaxPixels = 64LL * 1024 * 1024;

    enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

    struct Header {
        int width = 0;
        int height = 0; // always positive; see topDown
        bool topDown = false;
        int bitCount = 0;
        std::uint32_t compression = kRgb;
        std::uint32_t masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha
        int paletteEntries = 0;
        int paletteEntrySize = 4; // 3 for core headers
        std::size_t paletteOffset = 0;
        std::size_t infoSize = 0; // header, masks and colour table
    };

    using Options = DibOptions;

    // The header of a BITMAPINFO, or nothing when it is damaged or unsupported.
    static std::optional<Header> readHeader(std::span<const std::uint8_t> info,
                                            const Options& options = {});

    // Decodes pixel rows described by a BITMAPINFO. A null image, with the
    // reason in *error, when the data is damaged, unsupported or too large.
    static QImage decode(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits,
                         const Options& options = {}, std::string* error = nullptr);

    // A packed DIB: header, colour table and rows in one block.
    static QImage decodePacked(std::span<const std::uint8_t> packed, const Options& options = {},
                               std::string* error = nullptr);
};

} // namespace vl
