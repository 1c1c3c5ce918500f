#pragma once

#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace vl {

// A Windows metafile picture: a Windows metafile with or without the placeable
// header, or an enhanced metafile. It keeps the bytes it was made from, which
// are written back unchanged, and plays them onto any painter at any scale.
// Damaged records are skipped or end the playback; they never fail a draw.
class Metafile {
public:
    enum class Format { Wmf, PlaceableWmf, Emf };

    // Larger inputs are refused rather than held.
    static constexpr std::size_t kMaxBytes = 256u * 1024 * 1024;
    // Page pixels per inch, the unit of report geometry.
    static constexpr double kPagePixelsPerInch = 93 / 1.015;

    // A metafile when the bytes start with a readable header, else nothing.
    static std::optional<Metafile> fromBytes(std::span<const std::uint8_t> bytes);

    const std::vector<std::uint8_t>& bytes() const { return *bytes_; }
    Format format() const { return format_; }

    // The picture's size in hundredths of a millimetre. Files that do not
    // state a physical size count their units as 96 per inch.
    QSizeF sizeHundredthsMm() const { return sizeMm100_; }
    // The same size in page pixels; empty for a picture without extent.
    QSizeF naturalSize() const;

    // Plays the picture so that its frame fills target (painter coordinates).
    void draw(QPainter& painter, const QRectF& target) const;

private:
    Metafile() = default;
    bool readWmf();
    bool readEmf();
    QRectF measure() const;
    void play(QPainter& painter, const QRectF& frame, const QRectF& target) const;

    std::shared_ptr<const std::vector<std::uint8_t>> bytes_;
    Format format_ = Format::Wmf;
    QRectF window_;       // Windows metafiles: the logical rectangle the picture covers
    QRectF frame_;        // the picture's rectangle in reference-device units
    QPointF devicePerMm_; // reference-device units per millimetre
    QSizeF sizeMm100_;
    std::size_t recordsOffset_ = 0;
};

} // namespace vl
