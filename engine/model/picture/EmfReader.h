#pragma once

#include <QPointF>
#include <QRectF>
#include <cstdint>
#include <optional>
#include <span>

namespace vl {

class MetafileCanvas;

// The header record of an enhanced metafile.
struct EmfHeader {
    static constexpr std::uint32_t kSignature = 0x464D4520; // " EMF"

    QRectF bounds;       // reference-device pixels, inclusive edges made exclusive
    QRectF frame;        // hundredths of a millimetre
    QPointF devicePerMm; // reference-device pixels per millimetre
    std::uint32_t size = 0;
};

// Reads and plays the records of an enhanced metafile (32-bit records).
class EmfReader {
public:
    static std::optional<EmfHeader> readHeader(std::span<const std::uint8_t> bytes);
    // Plays every record onto a canvas whose device space is the reference
    // device of the file.
    static void play(std::span<const std::uint8_t> bytes, MetafileCanvas& canvas);
};

} // namespace vl
