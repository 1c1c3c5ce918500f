#pragma once

#include <cstdint>

namespace vl {

// The geometry of the current paper on the selected printer: the whole paper,
// the unprintable top-left margin and the printable area, each in printer
// dots and in page pixels. Every prepared page keeps a copy.
struct PageMetrics {
    std::int32_t DevicePaperWidth = 0;
    std::int32_t DevicePaperHeight = 0;
    std::int32_t PixelPaperWidth = 0;
    std::int32_t PixelPaperHeight = 0;
    std::int32_t DeviceOffsetX = 0;
    std::int32_t DeviceOffsetY = 0;
    std::int32_t PixelOffsetX = 0;
    std::int32_t PixelOffsetY = 0;
    std::int32_t DevicePrintWidth = 0;
    std::int32_t DevicePrintHeight = 0;
    std::int32_t PixelPrintWidth = 0;
    std::int32_t PixelPrintHeight = 0;

    bool operator==(const PageMetrics&) const = default;
};

// Whether two geometries lay a page out alike: the same paper, unprintable
// edge and printable area in page pixels, whatever the printers' dots.
inline bool SamePixelGeometry(const PageMetrics& a, const PageMetrics& b) {
    return a.PixelPaperWidth == b.PixelPaperWidth && a.PixelPaperHeight == b.PixelPaperHeight &&
           a.PixelOffsetX == b.PixelOffsetX && a.PixelOffsetY == b.PixelOffsetY &&
           a.PixelPrintWidth == b.PixelPrintWidth && a.PixelPrintHeight == b.PixelPrintHeight;
}

} // namespace vl
