#pragma once

#include "engine/model/TvlFont.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>

namespace vl {

// The widths of one font at one pixel size: for every byte of the engine's
// code page, and in UTF-8 text for every character beyond ASCII as it is
// first met. Text is measured by adding advances, without kerning, as the
// text objects draw it; nothing is allocated per character once a
// character has been measured.
class TvlFontMetrics {
public:
    TvlFontMetrics(const QFont& font, QPaintDevice* device);

    // The font to draw with: kerning off, so that drawn text is as wide as
    // measured text.
    const QFont& font() const { return font_; }
    // The em height in pixels (the font's character height).
    int pixelHeight() const { return pixelHeight_; }
    double ascent() const { return ascent_; }

    double advance(char c) const { return advance_[static_cast<unsigned char>(c)]; }
    // The advance of the character that starts at byte i of the text; 0 for
    // a byte that continues a UTF-8 character.
    double advanceAt(std::string_view text, std::size_t i) const;
    // Width of the text with charSpacing extra pixels after every character.
    double width(std::string_view text, int charSpacing) const;

private:
    double advanceOf(char32_t code) const;

    QFont font_;
    QFontMetricsF measure_;
    // Characters beyond the byte table, measured when first met.
    mutable std::unordered_map<char32_t, double> wide_;
    int pixelHeight_;
    double ascent_;
    std::array<double, 256> advance_{};
};

// The engine's canvas for measuring text: a small 96-dpi image with a
// painter that stays active, and the metrics of every font measured on it,
// kept per font, pixel size and code page.
class TvlMeasuringCanvas {
public:
    TvlMeasuringCanvas();
    ~TvlMeasuringCanvas();
    TvlMeasuringCanvas(const TvlMeasuringCanvas&) = delete;
    TvlMeasuringCanvas& operator=(const TvlMeasuringCanvas&) = delete;

    QPainter& painter() { return painter_; }
    // Metrics of the font at a pixel height (its em height).
    const TvlFontMetrics& metrics(const TvlFont& font, int pixelHeight);
    std::size_t cachedFonts() const { return cache_.size(); }

private:
    using Key = std::tuple<std::string, int, int, int>; // name, pixels, style, code page

    QImage image_;
    QPainter painter_;
    std::map<Key, std::unique_ptr<TvlFontMetrics>> cache_;
    // The last font asked for: most calls ask for the same one again.
    Key lastKey_;
    const TvlFontMetrics* last_ = nullptr;
};

} // namespace vl
