#include "designer/editors/SyntaxMemoText.h"

#include <algorithm>

namespace vl {

namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = upperAscii(c);
    return out;
}

int length(std::string_view text) {
    return static_cast<int>(std::min<std::size_t>(text.size(), 1u << 30));
}

} // namespace

bool IsWordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

int FirstNonBlankColumn(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i)
        if (!isBlank(line[i])) return static_cast<int>(i) + 1;
    return 0;
}

StringList SplitTextLines(std::string_view text) {
    StringList out(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

TvlSyntaxMemoText::TvlSyntaxMemoText() {
    bookmarks_.fill(-1);
    setLines({});
}

std::string_view TvlSyntaxMemoText::VisibleText(std::string_view line) {
    while (!line.empty() && isBlank(line.back()))
        line.remove_suffix(1);
    return line;
}

StringList TvlSyntaxMemoText::lines() const {
    StringList out;
    out.reserve(lines_.size());
    for (const std::string& l : lines_)
        out.emplace_back(VisibleText(l));
    return out;
}

void TvlSyntaxMemoText::setLines(const StringList& lines) {
    lines_ = lines;
    if (lines_.empty()) lines_.emplace_back();
    undo_.clear();
    clearSelection();
    caret_ = {1, 1};
    hOffset_ = vOffset_ = 0;
    message_.clear();
    classMap_ = TvlSyntaxClassMap::Classify(lines_, syntaxType_);
}

std::string_view TvlSyntaxMemoText::line(int n) const {
    if (n < 1 || n > lineCount()) return {};
    return lines_[static_cast<std::size_t>(n - 1)];
}

void TvlSyntaxMemoText::setSyntaxType(TSyntaxType type) {
    syntaxType_ = type;
    classMap_ = TvlSyntaxClassMap::Classify(lines_, syntaxType_);
}

TvlSyntaxClass TvlSyntaxMemoText::classAt(int col, int line) const {
    if (line < 1 || line > static_cast<int>(classMap_.size()) || col < 1) return scText;
    const std::string& classes = classMap_[static_cast<std::size_t>(line - 1)];
    if (col > length(classes)) return scText;
    return static_cast<TvlSyntaxClass>(classes[static_cast<std::size_t>(col - 1)]);
}

void TvlSyntaxMemoText::changed() {
    modified = true;
    classMap_ = TvlSyntaxClassMap::Classify(lines_, syntaxType_);
}

// ---- caret and view ----

void TvlSyntaxMemoText::setVisibleArea(int cols, int lines) {
    visibleCols_ = std::max(0, cols);
    visibleLines_ = std::max(0, lines);
}

void TvlSyntaxMemoText::setVOffset(int offset) {
    vOffset_ = std::clamp(offset, 0, lineCount());
}

void TvlSyntaxMemoText::setHOffset(int offset) {
    hOffset_ = std::clamp(offset, 0, kMaxColumn - 1);
}

void TvlSyntaxMemoText::moveCaret(int col, int line) {
    message_.clear();
    caret_ = {std::clamp(col, 1, kMaxColumn), std::clamp(line, 1, lineCount())};
    if (visibleCols_ <= 0 || visibleLines_ <= 0) return;
    if (vOffset_ >= lineCount()) vOffset_ = lineCount() - 1;
    if (caret_.col > hOffset_ + visibleCols_)
        hOffset_ = caret_.col - visibleCols_;
    else if (caret_.col <= hOffset_)
        hOffset_ = caret_.col - 1;
    else if (caret_.line > vOffset_ + visibleLines_)
        vOffset_ = caret_.line - visibleLines_;
    else if (caret_.line <= vOffset_)
        vOffset_ = caret_.line - 1;
}

void TvlSyntaxMemoText::move(Move how, bool extend) {
    const TvlTextPoint before = caret_;
    const TvlTextPoint anchor = hasSelection() ? selStart_ : before;
    TvlTextPoint to = caret_;
    const int last = lineCount();
    switch (how) {
    case Move::Left:
        to.col = std::max(1, to.col - 1);
        break;
    case Move::Right:
        to.col = std::min(kMaxColumn, to.col + 1);
        break;
    case Move::WordLeft:
        to = wordLeft();
        break;
    case Move::WordRight:
        to = wordRight();
        break;
    case Move::Up:
        to.line = std::max(1, to.line - 1);
        break;
    case Move::Down:
        to.line = std::min(last, to.line + 1);
        break;
    case Move::Home:
        to.col = 1;
        break;
    case Move::End:
        to.col = length(VisibleText(line(to.line))) + 1;
        break;
    case Move::TextStart:
        to = {1, 1};
        break;
    case Move::TextEnd:
        to = {length(VisibleText(line(last))) + 1, last};
        break;
    case Move::PageUp:
        to = pageUp();
        break;
    case Move::PageDown:
        to = pageDown();
        break;
    }
    moveCaret(to.col, to.line);
    if (extend)
        extendSelection(anchor);
    else
        clearSelection();
}

TvlTextPoint TvlSyntaxMemoText::wordLeft() const {
    const std::string_view text = line(caret_.line);
    int i = std::min(caret_.col - 1, length(text)); // characters before the caret
    while (i > 0 && !IsWordChar(text[static_cast<std::size_t>(i - 1)]))
        --i;
    while (i > 0 && IsWordChar(text[static_cast<std::size_t>(i - 1)]))
        --i;
    return {i + 1, caret_.line};
}

TvlTextPoint TvlSyntaxMemoText::wordRight() const {
    TvlTextPoint p = caret_;
    std::string_view text = line(p.line);
    if (p.col > length(text)) {
        if (p.line >= lineCount()) return p;
        p = {1, p.line + 1};
        text = line(p.line);
    } else {
        while (p.col <= length(text) && IsWordChar(text[static_cast<std::size_t>(p.col - 1)]))
            ++p.col;
    }
    while (p.col <= length(text) && !IsWordChar(text[static_cast<std::size_t>(p.col - 1)]))
        ++p.col;
    p.col = std::min(p.col, kMaxColumn);
    return p;
}

TvlTextPoint TvlSyntaxMemoText::pageUp() {
    const int step = std::max(1, visibleLines_ - 1);
    if (vOffset_ > visibleLines_) {
        vOffset_ -= step;
        return {caret_.col, caret_.line - step};
    }
    const int up = vOffset_ == 0 ? caret_.line - 1 : vOffset_;
    vOffset_ = 0;
    return {caret_.col, caret_.line - up};
}

TvlTextPoint TvlSyntaxMemoText::pageDown() {
    const int step = std::max(1, visibleLines_ - 1);
    if (vOffset_ + visibleLines_ < lineCount()) {
        vOffset_ += step;
        return {caret_.col, caret_.line + step};
    }
    vOffset_ = lineCount() - 1;
    return {caret_.col, lineCount()};
}

// ---- selection ----

TvlTextPoint TvlSyntaxMemoText::selectionFirst() const {
    return std::min(selStart_, selEnd_);
}

TvlTextPoint TvlSyntaxMemoText::selectionLast() const {
    return std::max(selStart_, selEnd_);
}

bool TvlSyntaxMemoText::isSelected(int col, int line) const {
    if (!hasSelection()) return false;
    const TvlTextPoint p{col, line};
    return !(p < selectionFirst()) && p < selectionLast();
}

void TvlSyntaxMemoText::extendSelection(TvlTextPoint anchor) {
    if (anchor == caret_) {
        clearSelection();
        return;
    }
    selStart_ = anchor;
    selEnd_ = caret_;
}

std::string TvlSyntaxMemoText::selectedText() const {
    if (!hasSelection()) return {};
    const TvlTextPoint a = selectionFirst(), b = selectionLast();
    auto part = [this](int n, int from, int to) {
        const std::string_view text = line(n);
        const auto start = static_cast<std::size_t>(std::min(from - 1, length(text)));
        const auto end = static_cast<std::size_t>(std::clamp(to - 1, 0, length(text)));
        return std::string(text.substr(start, end > start ? end - start : 0));
    };
    if (a.line == b.line) return part(a.line, a.col, b.col);
    std::string out = part(a.line, a.col, kMaxColumn * 1024);
    for (int n = a.line + 1; n < b.line; ++n)
        out += "\r\n" + std::string(line(n));
    out += "\r\n" + part(b.line, 1, b.col);
    return out;
}

void TvlSyntaxMemoText::selectAll() {
    const int last = lineCount();
    caret_ = {std::min(kMaxColumn, length(line(last)) + 1), last};
    selStart_ = {1, 1};
    selEnd_ = caret_;
    if (selStart_ == selEnd_) clearSelection();
}

void TvlSyntaxMemoText::selectWordAtCaret() {
    const TvlTextPoint start = wordLeft();
    const std::string_view text = line(caret_.line);
    int end = start.col;
    while (end <= length(text) && IsWordChar(text[static_cast<std::size_t>(end - 1)]))
        ++end;
    caret_ = {std::min(end, kMaxColumn), caret_.line};
    extendSelection(start);
}

// ---- editing ----

void TvlSyntaxMemoText::takeSnapshot() {
    if (undo_.size() >= kMaxUndo) undo_.pop_front();
    undo_.push_back({caret_, lines_});
}

void TvlSyntaxMemoText::padLine(int n, int len) {
    std::string& text = lineRef(n);
    if (length(text) < len) text.append(static_cast<std::size_t>(len - length(text)), ' ');
}

void TvlSyntaxMemoText::shiftBookmarks(int afterIndex, int delta) {
    for (int& b : bookmarks_)
        if (b > afterIndex) b = std::max(afterIndex, b + delta);
}

void TvlSyntaxMemoText::removeRange(TvlTextPoint from, TvlTextPoint to) {
    padLine(from.line, from.col - 1);
    std::string& first = lineRef(from.line);
    const std::string_view lastText = line(to.line);
    const std::string rest(lastText.substr(
        std::min<std::size_t>(static_cast<std::size_t>(to.col - 1), lastText.size())));
    first.resize(static_cast<std::size_t>(from.col - 1));
    first += rest;
    lines_.erase(lines_.begin() + from.line, lines_.begin() + to.line);
    shiftBookmarks(from.line - 1, from.line - to.line);
    caret_ = from;
}

void TvlSyntaxMemoText::insertText(std::string_view text) {
    if (!editable()) return;
    takeSnapshot();
    if (hasSelection()) removeRange(selectionFirst(), selectionLast());
    clearSelection();
    padLine(caret_.line, caret_.col - 1);
    const StringList parts = SplitTextLines(text);
    std::string& current = lineRef(caret_.line);
    const std::string tail = current.substr(static_cast<std::size_t>(caret_.col - 1));
    current.resize(static_cast<std::size_t>(caret_.col - 1));
    current += parts.front();
    const auto at = lines_.begin() + caret_.line;
    lines_.insert(at, parts.begin() + 1, parts.end());
    const int added = static_cast<int>(parts.size()) - 1;
    const int endLine = caret_.line + added;
    const int endCol = length(lineRef(endLine)) + 1;
    lineRef(endLine) += tail;
    shiftBookmarks(caret_.line - 1, added);
    changed();
    moveCaret(endCol, endLine);
}

void TvlSyntaxMemoText::deleteSelection() {
    if (!editable() || !hasSelection()) return;
    takeSnapshot();
    removeRange(selectionFirst(), selectionLast());
    clearSelection();
    changed();
    moveCaret(caret_.col, caret_.line);
}

// The column Backspace moves to on a line's indentation: the indentation
// of the nearest non-blank line above that is less indented, else one
// column back.
int TvlSyntaxMemoText::backspaceTarget() const {
    for (int n = caret_.line - 1; n >= 1; --n) {
        const int indent = FirstNonBlankColumn(line(n));
        if (indent != 0 && indent < caret_.col) return indent;
    }
    return caret_.col - 1;
}

void TvlSyntaxMemoText::backspace() {
    if (!editable()) return;
    if (hasSelection()) {
        deleteSelection();
        return;
    }
    const std::string_view text = line(caret_.line);
    if (caret_.col == 1) {
        if (caret_.line == 1) return;
        takeSnapshot();
        const int join = length(VisibleText(line(caret_.line - 1))) + 1;
        removeRange({join, caret_.line - 1}, {1, caret_.line});
        changed();
        moveCaret(join, caret_.line);
        return;
    }
    takeSnapshot();
    const int indent = FirstNonBlankColumn(text);
    const int target = (indent == 0 || caret_.col == indent) ? backspaceTarget() : caret_.col - 1;
    std::string& current = lineRef(caret_.line);
    const auto from = static_cast<std::size_t>(std::min(target - 1, length(current)));
    const auto to = static_cast<std::size_t>(std::min(caret_.col - 1, length(current)));
    current.erase(from, to - from);
    changed();
    moveCaret(target, caret_.line);
}

void TvlSyntaxMemoText::deleteForward() {
    if (!editable()) return;
    if (hasSelection()) {
        deleteSelection();
        return;
    }
    const int visible = length(VisibleText(line(caret_.line)));
    if (caret_.col > visible && caret_.line < lineCount()) {
        takeSnapshot();
        lineRef(caret_.line).resize(static_cast<std::size_t>(visible));
        removeRange(caret_, {1, caret_.line + 1});
        changed();
        return;
    }
    std::string& current = lineRef(caret_.line);
    if (caret_.col > length(current)) return;
    takeSnapshot();
    current.erase(static_cast<std::size_t>(caret_.col - 1), 1);
    changed();
}

void TvlSyntaxMemoText::enter() {
    if (!editable()) return;
    if (hasSelection()) deleteSelection();
    std::string& current = lineRef(caret_.line);
    const auto cut =
        std::min<std::size_t>(static_cast<std::size_t>(caret_.col - 1), current.size());
    const std::string before = current.substr(0, cut);
    const int indent = FirstNonBlankColumn(before);
    const int blanks = indent == 0 ? caret_.col - 1 : indent - 1;
    // An Enter without indentation has no InsertText to record it.
    if (blanks == 0) takeSnapshot();
    std::string after = current.substr(cut);
    current.resize(cut);
    lines_.insert(lines_.begin() + caret_.line, std::move(after));
    shiftBookmarks(caret_.line - 1, 1);
    caret_ = {1, caret_.line + 1};
    changed();
    if (blanks > 0)
        insertText(std::string(static_cast<std::size_t>(blanks), ' '));
    else
        moveCaret(1, caret_.line);
}

void TvlSyntaxMemoText::smartTab() {
    if (!editable()) return;
    for (int n = caret_.line - 1; n >= 1; --n) {
        const std::string_view above = VisibleText(line(n));
        if (length(above) < caret_.col) continue;
        auto at = [&](int col) { return above[static_cast<std::size_t>(col - 1)]; };
        int col = caret_.col;
        if (isBlank(at(col))) {
            while (col <= length(above) && isBlank(at(col)))
                ++col;
        } else {
            while (col <= length(above) && !isBlank(at(col)))
                ++col;
            while (col <= length(above) && isBlank(at(col)))
                ++col;
        }
        col = std::min(col, kMaxColumn);
        if (col > caret_.col)
            insertText(std::string(static_cast<std::size_t>(col - caret_.col), ' '));
        return;
    }
}

void TvlSyntaxMemoText::unindentBlock() {
    if (!editable() || !hasSelection()) return;
    takeSnapshot();
    const TvlTextPoint a = selectionFirst(), b = selectionLast();
    const int lastLine = (b.col == 1 && b.line > a.line) ? b.line - 1 : b.line;
    int n = 2;
    for (int l = a.line; l <= lastLine; ++l)
        if (const int indent = FirstNonBlankColumn(line(l)); indent != 0)
            n = std::min(n, indent - 1);
    for (int l = a.line; l <= lastLine; ++l)
        if (FirstNonBlankColumn(line(l)) != 0) lineRef(l).erase(0, static_cast<std::size_t>(n));
    changed();
}

void TvlSyntaxMemoText::deleteLine() {
    if (!editable()) return;
    takeSnapshot();
    clearSelection();
    if (caret_.line == lineCount()) {
        lineRef(caret_.line).clear();
        changed();
        moveCaret(1, caret_.line);
        return;
    }
    const int index = caret_.line - 1;
    for (int& b : bookmarks_)
        if (b == index) b = -1;
    lines_.erase(lines_.begin() + index);
    shiftBookmarks(index, -1);
    changed();
    moveCaret(caret_.col, caret_.line);
}

void TvlSyntaxMemoText::undo() {
    if (!editable() || undo_.empty()) return;
    Snapshot s = std::move(undo_.back());
    undo_.pop_back();
    lines_ = std::move(s.lines);
    clearSelection();
    changed();
    moveCaret(s.caret.col, s.caret.line);
}

// ---- bookmarks ----

int TvlSyntaxMemoText::bookmarkOnLine(int line) const {
    for (int d = 0; d < kBookmarkCount; ++d)
        if (bookmarks_[static_cast<std::size_t>(d)] == line - 1) return d;
    return -1;
}

void TvlSyntaxMemoText::gotoBookmark(int digit) {
    const int b = bookmark(digit);
    if (b < 0) return;
    clearSelection();
    moveCaret(1, b + 1);
}

void TvlSyntaxMemoText::toggleBookmark(int digit) {
    const int here = caret_.line - 1;
    int& b = bookmarks_.at(static_cast<std::size_t>(digit));
    const int holder = bookmarkOnLine(caret_.line);
    if (holder < 0)
        b = here;
    else if (holder == digit)
        b = -1;
}

// ---- search ----

bool TvlSyntaxMemoText::search(std::string_view text) {
    lastSearch_ = std::string(text);
    const std::string wanted = upperAscii(text);
    if (!wanted.empty()) {
        for (int n = caret_.line + 1; n <= lineCount(); ++n) {
            const std::size_t pos = upperAscii(line(n)).find(wanted);
            if (pos == std::string::npos) continue;
            clearSelection();
            moveCaret(static_cast<int>(pos) + 1, n);
            return true;
        }
    }
    message_ = "Text \"" + lastSearch_ + "\" not found.";
    return false;
}

} // namespace vl
