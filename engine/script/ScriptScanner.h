#pragma once

#include "engine/script/StreamIO.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

// The script compiler's working buffer: all source lines, each followed by a
// carriage return, tabs turned into blanks. Comments are cut out of it while
// tokens are read; the cuts are recorded so that positions still refer to the
// source text.
class ScriptScanner {
public:
    // The whole text of a script must fit into this many bytes.
    static constexpr std::size_t kCapacity = 32000;
    static constexpr std::size_t kTokenPrefix = 16;

    // Copies the lines into the buffer; false (and an empty buffer) when
    // they do not fit.
    bool Load(const StringList& lines);

    std::size_t cur = 0;
    std::size_t length() const { return buf_.size(); }
    bool atEnd() const { return cur >= buf_.size(); }
    // The character at a position, or '\0' past the end.
    char at(std::size_t pos) const { return pos < buf_.size() ? buf_[pos] : '\0'; }
    char current() const { return at(cur); }
    std::string_view text() const { return buf_; }
    std::string_view text(std::size_t from, std::size_t to) const;

    // Advances over characters of code 32 or less.
    void SkipSpace();
    // Reads the next blank-delimited token, cutting out comments: '{' to '}'
    // and "//" to the end of the line, unless the token starts with a single
    // quote. Returns its first kTokenPrefix characters upper-cased (no
    // keyword is longer), or a single blank at the end of the text;
    // tokenStart() is where it begins.
    std::string ReadToken();
    std::size_t tokenStart() const { return tokenStart_; }

    // The 1-based source line and column of a buffer position (blanks at it
    // skipped). The end of the text lies past the last line, at column 0.
    struct Position {
        int line = 0;
        int column = 0;
    };
    Position SourcePosition(std::size_t pos) const;
    // Where the byte at kCapacity lies in the source, for a script that
    // does not fit.
    static Position OverflowPosition(const StringList& lines);

private:
    struct Cut {
        std::size_t start;
        std::size_t length;
    };
    bool commentAt(std::size_t pos) const;
    void cutComment(std::size_t pos);
    bool scanToken(std::size_t start);

    std::string buf_;
    std::vector<Cut> cuts_;
    std::vector<std::size_t> lineLengths_;
    std::size_t tokenStart_ = 0;
    // A stretch known to hold no blank and no comment, ending at a blank or
    // the end: tokens starting inside it end where it ends. Expressions
    // written without blanks are one long token read from every operator.
    std::size_t cleanFrom_ = std::string::npos;
    std::size_t cleanTo_ = 0;
};

} // namespace vl
