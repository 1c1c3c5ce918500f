#pragma once

#include "designer/editors/SyntaxClassMap.h"
#include "engine/script/StreamIO.h"

#include <array>
#include <deque>
#include <string>
#include <string_view>

namespace vl {

// A position in the text: column and line, both from 1. A column of 0
// marks "no position" (no selection).
struct TvlTextPoint {
    int col = 0;
    int line = 0;
    bool operator==(const TvlTextPoint&) const = default;
    bool operator<(const TvlTextPoint& o) const {
        return line != o.line ? line < o.line : col < o.col;
    }
};

// The text, caret, selection, scroll offsets, undo list, bookmarks and
// search of the syntax-highlighting editor, without any drawing. Text is
// kept in the engine code page; a line may hold any bytes, but the caret
// never goes beyond column 1024. Every change re-classifies the whole text.
class TvlSyntaxMemoText {
public:
    static constexpr int kMaxColumn = 1024;
    static constexpr std::size_t kMaxUndo = 32;
    static constexpr int kBookmarkCount = 10;

    enum class Move {
        Left,
        Right,
        WordLeft,
        WordRight,
        Up,
        Down,
        Home,
        End,
        TextStart,
        TextEnd,
        PageUp,
        PageDown
    };

    TvlSyntaxMemoText();

    // Each line cut to its visible text (without trailing codes 32 and below).
    StringList lines() const;
    // Replaces the text; caret to (1, 1), view to the top left, selection,
    // undo list and message cleared.
    void setLines(const StringList& lines);
    int lineCount() const { return static_cast<int>(lines_.size()); }
    // Line n (from 1) as stored; empty beyond the text.
    std::string_view line(int n) const;
    static std::string_view VisibleText(std::string_view line);

    TSyntaxType syntaxType() const { return syntaxType_; }
    void setSyntaxType(TSyntaxType type);
    const StringList& classMap() const { return classMap_; }
    // The class of a character (from 1); plain text beyond the map.
    TvlSyntaxClass classAt(int col, int line) const;

    TvlTextPoint caret() const { return caret_; }
    int hOffset() const { return hOffset_; }
    int vOffset() const { return vOffset_; }
    int visibleCols() const { return visibleCols_; }
    int visibleLines() const { return visibleLines_; }
    void setVisibleArea(int cols, int lines);
    // Sets the vertical offset (the scroll bar), at most the line count.
    void setVOffset(int offset);
    void setHOffset(int offset);
    // Clamps to the text and scrolls the caret into view (one adjustment).
    void moveCaret(int col, int line);
    void move(Move how, bool extendSelection);

    bool hasSelection() const { return selStart_.col != 0; }
    // The selection's points in text order.
    TvlTextPoint selectionFirst() const;
    TvlTextPoint selectionLast() const;
    bool isSelected(int col, int line) const;
    void clearSelection() { selStart_ = selEnd_ = {}; }
    // Selects from anchor to the caret (none when they coincide).
    void extendSelection(TvlTextPoint anchor);
    std::string selectedText() const;
    void selectAll();
    void selectWordAtCaret();

    // Editing: each does nothing when the text is read-only.
    void insertText(std::string_view text);
    void deleteSelection();
    void backspace();
    void deleteForward();
    void enter();
    void smartTab();
    void unindentBlock();
    void deleteLine();
    void undo();
    int undoCount() const { return static_cast<int>(undo_.size()); }

    // Bookmark line index (from 0), or -1 when unset.
    int bookmark(int digit) const { return bookmarks_.at(static_cast<std::size_t>(digit)); }
    // The digit whose bookmark is on the line (from 1), or -1.
    int bookmarkOnLine(int line) const;
    void gotoBookmark(int digit);
    void toggleBookmark(int digit);

    // Searches the lines after the caret's line; the text becomes the last
    // search text. False (and a message) when nothing is found.
    bool search(std::string_view text);
    const std::string& lastSearch() const { return lastSearch_; }
    void setLastSearch(std::string text) { lastSearch_ = std::move(text); }

    // The footer message, cleared when the caret next moves.
    const std::string& message() const { return message_; }
    void setMessage(std::string text) { message_ = std::move(text); }

    bool readOnly = false;
    bool modified = false;

private:
    struct Snapshot {
        TvlTextPoint caret;
        StringList lines;
    };

    std::string& lineRef(int n) { return lines_[static_cast<std::size_t>(n - 1)]; }
    void takeSnapshot();
    void changed();
    void removeRange(TvlTextPoint from, TvlTextPoint to);
    void padLine(int n, int length);
    void shiftBookmarks(int afterIndex, int delta);
    bool editable() const { return !readOnly; }
    TvlTextPoint wordLeft() const;
    TvlTextPoint wordRight() const;
    TvlTextPoint pageUp();
    TvlTextPoint pageDown();
    int backspaceTarget() const;

    StringList lines_;
    StringList classMap_;
    TSyntaxType syntaxType_ = stPascal;
    TvlTextPoint caret_{1, 1};
    TvlTextPoint selStart_, selEnd_;
    int hOffset_ = 0, vOffset_ = 0;
    int visibleCols_ = 0, visibleLines_ = 0;
    std::deque<Snapshot> undo_;
    std::array<int, kBookmarkCount> bookmarks_;
    std::string lastSearch_;
    std::string message_;
};

// Letters A-Z and a-z, digits and "_".
bool IsWordChar(char c);
// The first non-blank column (from 1) of a line, or 0 for a blank line.
int FirstNonBlankColumn(std::string_view line);
// Cuts a text at CR LF, LF and CR.
StringList SplitTextLines(std::string_view text);

} // namespace vl
