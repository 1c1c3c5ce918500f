#include "engine/script/ScriptScanner.h"

#include "engine/script/CodePage.h"

#include <algorithm>

namespace vl {

namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

ScriptScanner::Position walkLines(const std::vector<std::size_t>& lengths, std::size_t p) {
    std::size_t line = 0;
    while (line < lengths.size() && p > lengths[line] + 1) {
        p -= lengths[line] + 1;
        ++line;
    }
    if (line == lengths.size()) return {static_cast<int>(line) + 1, 0};
    return {static_cast<int>(line) + 1, static_cast<int>(p)};
}

} // namespace

bool ScriptScanner::Load(const StringList& lines) {
    buf_.clear();
    cuts_.clear();
    cleanFrom_ = std::string::npos;
    lineLengths_.clear();
    cur = tokenStart_ = 0;
    std::size_t total = 0;
    for (const std::string& line : lines)
        total += line.size() + 1;
    if (total > kCapacity) return false;
    buf_.reserve(total);
    for (const std::string& line : lines) {
        lineLengths_.push_back(line.size());
        for (char c : line)
            buf_.push_back(c == '\t' ? ' ' : c);
        buf_.push_back('\r');
    }
    return true;
}

std::string_view ScriptScanner::text(std::size_t from, std::size_t to) const {
    from = std::min(from, buf_.size());
    to = std::clamp(to, from, buf_.size());
    return std::string_view(buf_).substr(from, to - from);
}

void ScriptScanner::SkipSpace() {
    while (cur < buf_.size() && isBlank(buf_[cur]))
        ++cur;
}

bool ScriptScanner::commentAt(std::size_t pos) const {
    return buf_[pos] == '{' || (buf_[pos] == '/' && at(pos + 1) == '/');
}

void ScriptScanner::cutComment(std::size_t pos) {
    const std::size_t end = buf_[pos] == '{' ? buf_.find('}', pos) : buf_.find('\r', pos);
    const std::size_t length = (end == std::string::npos ? buf_.size() : end + 1) - pos;
    buf_.erase(pos, length);
    cuts_.push_back({pos, length});
    cleanFrom_ = std::string::npos;
}

// Scans to the end of the token at cur; false when a comment was cut out
// and the token must be read again.
bool ScriptScanner::scanToken(std::size_t start) {
    if (cleanFrom_ <= start && start < cleanTo_) {
        cur = cleanTo_;
        return true;
    }
    bool commentSeen = false;
    while (cur < buf_.size() && !isBlank(buf_[cur])) {
        if (commentAt(cur)) {
            if (buf_[start] != '\'') {
                cutComment(cur);
                return false;
            }
            commentSeen = true;
        }
        ++cur;
    }
    if (!commentSeen) {
        cleanFrom_ = start;
        cleanTo_ = cur;
    }
    return true;
}

std::string ScriptScanner::ReadToken() {
    const std::size_t restart = cur;
    for (;;) {
        cur = restart;
        SkipSpace();
        const std::size_t start = cur;
        if (!scanToken(start)) continue;
        tokenStart_ = start;
        if (cur == start) return " ";
        return CurrentCodePage().toUpper(text(start, std::min(cur, start + kTokenPrefix)));
    }
}

ScriptScanner::Position ScriptScanner::SourcePosition(std::size_t pos) const {
    std::size_t p = std::min(pos, buf_.size());
    while (p < buf_.size() && isBlank(buf_[p]))
        ++p;
    std::size_t source = p;
    for (const Cut& c : cuts_)
        if (c.start <= p) source += c.length;
    return walkLines(lineLengths_, source + 1);
}

ScriptScanner::Position ScriptScanner::OverflowPosition(const StringList& lines) {
    std::vector<std::size_t> lengths;
    for (const std::string& line : lines)
        lengths.push_back(line.size());
    return walkLines(lengths, kCapacity + 1);
}

} // namespace vl
