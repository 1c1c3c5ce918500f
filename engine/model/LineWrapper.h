#pragma once

#include "engine/script/StreamIO.h"

#include <string_view>
#include <vector>

namespace vl {

class TvlFontMetrics;

// The character that ends the last line of a paragraph in wrapped text.
constexpr char kParagraphMark = '\x01';

// Breaks one line of text into lines no wider than a width, at spaces,
// inside over-long words, at CR/LF and, with hyphenation, inside words.
// The last line of every paragraph ends with the paragraph mark.
class TvlLineWrapper {
public:
    // scratch keeps the running widths of a line between calls, so that
    // wrapping allocates nothing per character.
    TvlLineWrapper(const TvlFontMetrics& metrics, int charSpacing, int wrapWidth, bool wordBreak,
                   std::vector<double>& scratch)
        : metrics_(metrics), charSpacing_(charSpacing), wrapWidth_(wrapWidth),
          wordBreak_(wordBreak), prefix_(scratch) {}

    // Appends the lines of s to out.
    void wrap(std::string_view s, StringList& out);

    // Width of s on the measuring font.
    double width(std::string_view s) const;

private:
    // Positions are 1-based, as in the wrapping rules.
    char at(int i) const { return s_[static_cast<std::size_t>(i - 1)]; }
    std::string_view part(int from, int to) const;
    double width(int from, int to) const;
    // The position of the character after the one at (or ending at) i.
    int next(int i) const;
    // Whether a line may break before the character at i though no space
    // precedes it (Chinese, Japanese and Korean text).
    bool breaksBefore(int i) const;
    void output(int from, int to, std::string_view tail);
    // The last position up to which the word that begins after brk may be
    // hyphenated within the width, or 0 when none fits.
    int hyphenate(int beg, int brk, int i) const;

    const TvlFontMetrics& metrics_;
    int charSpacing_;
    int wrapWidth_;
    bool wordBreak_;
    std::vector<double>& prefix_; // prefix_[k]: advances and spacing of s[1..k]
    std::string_view s_;
    StringList* out_ = nullptr;
};

} // namespace vl
