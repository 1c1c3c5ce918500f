#include "engine/model/LineWrapper.h"

#include "engine/model/Hyphenation.h"
#include "engine/model/MeasuringCanvas.h"
#include "engine/script/EngineText.h"

#include <algorithm>

namespace vl {

namespace {

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// Characters that end a word for hyphenation.
bool EndsWord(char c) {
    return c == ' ' || c == ',' || c == '-' || c == '.';
}

} // namespace

double TvlLineWrapper::width(std::string_view s) const {
    return metrics_.width(s, charSpacing_);
}

std::string_view TvlLineWrapper::part(int from, int to) const {
    if (to < from) return {};
    return s_.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(to - from + 1));
}

double TvlLineWrapper::width(int from, int to) const {
    if (to < from) return 0;
    return prefix_[static_cast<std::size_t>(to)] - prefix_[static_cast<std::size_t>(from - 1)];
}

int TvlLineWrapper::next(int i) const {
    const int n = static_cast<int>(s_.size());
    ++i;
    while (i <= n && text::ContinuesChar(at(i)))
        ++i;
    return i;
}

bool TvlLineWrapper::breaksBefore(int i) const {
    return static_cast<unsigned char>(at(i)) >= 0x80 &&
           text::BreaksBetweenChars(text::CodeAt(s_, static_cast<std::size_t>(i - 1)));
}

void TvlLineWrapper::output(int from, int to, std::string_view tail) {
    std::string line(part(from, to));
    line.append(tail);
    out_->push_back(std::move(line));
}

int TvlLineWrapper::hyphenate(int beg, int brk, int i) const {
    const int n = static_cast<int>(s_.size());
    // The word starts after the last space, or at the line's start.
    const int wordStart = at(brk) == ' ' ? brk + 1 : brk;
    int j = i;
    while (j <= n && !EndsWord(at(j)))
        ++j;
    const double hyphen = metrics_.advance('-') + charSpacing_;
    int fits = 0;
    for (const int p : HyphenPositions(part(wordStart, j - 1))) {
        const int end = wordStart - 1 + p;
        if (width(beg, end) + hyphen > wrapWidth_) break;
        fits = end;
    }
    return fits;
}

void TvlLineWrapper::wrap(std::string_view s, StringList& out) {
    s_ = s;
    out_ = &out;
    const int n = static_cast<int>(s.size());
    // Each character's advance and spacing count at its first byte, so that
    // every range of whole characters measures by two lookups.
    prefix_.resize(s.size() + 1);
    prefix_[0] = 0;
    for (std::size_t k = 0; k < s.size(); ++k) {
        const bool continues = text::ContinuesChar(s[k]);
        prefix_[k + 1] = prefix_[k] + (continues ? 0 : metrics_.advanceAt(s, k) + charSpacing_);
    }
    const std::string_view mark(&kParagraphMark, 1);

    const bool hasBreaks = s.find_first_of("\r\n") != std::string_view::npos;
    if (!hasBreaks && (n <= 1 || width(1, n) <= wrapWidth_)) {
        output(1, n, mark);
        return;
    }
    int beg = 1, brk = 1, i = 1;
    int lastForced = 0; // position of the previous forced break (guard)
    while (i <= n) {
        if (IsLineBreak(at(i))) {
            output(beg, i - 1, mark);
            while (i < n && IsLineBreak(at(i)))
                ++i;
            beg = brk = i;
            if (IsLineBreak(at(i))) return;
            continue;
        }
        // Before a character of a script written without spaces a line may
        // break, also when that character is the one that does not fit.
        if (i > beg && breaksBefore(i)) brk = i;
        if (at(i) != ' ' && width(beg, i) > wrapWidth_) {
            bool hyphenated = false;
            if (wordBreak_) {
                if (const int end = hyphenate(beg, brk, i); end > 0) {
                    hyphenated = true;
                    i = brk = end;
                }
            }
            // A word longer than the line breaks at the first character
            // that does not fit, which starts the next line.
            if (!hyphenated && brk == beg) brk = i;
            if (hyphenated) {
                output(beg, brk, "-");
            } else if (at(brk) == ' ') {
                output(beg, brk - 1, {});
            } else {
                output(beg, brk - 1, {});
                --brk;
            }
            if (wordBreak_ && !hyphenated && i == brk + 1) {
                if (lastForced == i) {
                    beg = i + 1;
                    i = n;
                    break;
                }
                lastForced = i;
            }
            beg = brk = brk + 1;
        }
        if (at(i) == ' ') brk = i;
        i = next(i);
    }
    if (beg != i) output(beg, std::min(i, n), mark);
}

} // namespace vl
