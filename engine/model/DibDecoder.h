#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vl {

// Device-independent bitmaps as metafiles carry them: a BITMAPINFO (core or
// info header of any later version, optional bit masks, colour table) and the
// pixel rows, 1, 4, 8, 16, 24 or 32 bits deep, uncompressed, bit-field or
// run-length encoded. Everything is read through bounds checks; sizes beyond
// kMaxPixels and pixel data shorter than the header claims are refused.
class DibDecoder {
public:
    static constexpr std::int64_t kMaxPixels = 16LL * 1024 * 1024;

    enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

    struct Header {
        int width = 0;
        int height = 0; // always positive; see topDown
        bool topDown = false;
        int bitCount = 0;
        std::uint32_t compression = kRgb;
        std::uint32_t masks[3] = {0, 0, 0};
        int paletteEntries = 0;
        int paletteEntrySize = 4; // 3 for core headers
        std::size_t paletteOffset = 0;
        std::size_t infoSize = 0; // header, masks and colour table
    };

    // The header of a BITMAPINFO, or nothing when it is damaged or unsupported.
    static std::optional<Header> readHeader(std::span<const std::uint8_t> info);

    // Decodes pixel rows described by a BITMAPINFO. With paletteIndices the
    // colour table holds 16-bit palette indices (DIB_PAL_COLORS), which are
    // shown as a grey ramp since no logical palette is realised here.
    // A null image when the data is damaged, unsupported or too large.
    static QImage decode(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits,
                         bool paletteIndices = false);

    // A packed DIB: header, colour table and rows in one block.
    static QImage decodePacked(std::span<const std::uint8_t> packed, bool paletteIndices = false);
};

} // namespace vl
