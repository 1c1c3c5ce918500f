#pragma once

#include <QRectF>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vl {

class MetafileCanvas;

// The header of a Windows metafile, with or without the 22-byte placeable
// header in front of it.
struct WmfHeader {
    static constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;

    bool placeable = false;
    QRectF bounds;           // logical units; empty when the file does not say
    double unitsPerInch = 0; // of the logical units; 0 when unknown
    std::size_t recordsOffset = 0;
};

// Reads and plays the records of a Windows metafile (16-bit records).
class WmfReader {
public:
    static std::optional<WmfHeader> readHeader(std::span<const std::uint8_t> bytes);

    // The window a file without placeable header sets up for itself (origin
    // and extent of its first SetWindowOrg / SetWindowExt), when it uses a
    // scalable map mode. Its extent may be negative on an axis that counts up.
    static std::optional<QRectF> findWindow(std::span<const std::uint8_t> bytes,
                                            const WmfHeader& header);

    // Plays every record. window is the logical rectangle the picture covers;
    // device space is that rectangle normalised (upright), so logical units
    // are device units until the records map them otherwise.
    static void play(std::span<const std::uint8_t> bytes, const WmfHeader& header,
                     const QRectF& window, MetafileCanvas& canvas);
};

} // namespace vl
