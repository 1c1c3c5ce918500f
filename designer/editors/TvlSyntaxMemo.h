#pragma once

#include "designer/editors/SyntaxMemoText.h"

#include <QColor>
#include <QFont>
#include <QWidget>

class QMenu;
class QScrollBar;

namespace vl {

// How one class of characters is drawn: the colour and style of its font;
// name and size follow the control's font.
struct TvlSyntaxAttr {
    QColor color;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// A custom-drawn code editor with syntax highlighting: a gutter with
// bookmarks, a footer with the caret position or a message, smart
// indentation, a bounded undo list and a simple search.
class TvlSyntaxMemo : public QWidget {
    Q_OBJECT
public:
    static constexpr int kGutterWidth = 20;
    static constexpr int kFooterHeight = 20;

    explicit TvlSyntaxMemo(QWidget* parent = nullptr);
    ~TvlSyntaxMemo() override;

    // The text, each line cut to its visible text.
    StringList lines() const { return text_.lines(); }
    // Replaces the text and resets caret, view, selection and undo list.
    void setLines(const StringList& lines);
    // Replaces the selection, or inserts at the caret.
    void insertText(std::string_view text);
    void moveCaret(int col, int line);
    // Shown in the footer until the caret next moves.
    void setMessage(const std::string& text);

    void cutToClipboard();
    void copyToClipboard();
    void pasteFromClipboard();
    // Opens the search box; F3 repeats the last search.
    void searchDialog();
    void searchAgain();

    bool readOnly() const { return text_.readOnly; }
    void setReadOnly(bool value) { text_.readOnly = value; }
    TSyntaxType syntaxType() const { return text_.syntaxType(); }
    void setSyntaxType(TSyntaxType type);
    bool showGutter() const { return showGutter_; }
    void setShowGutter(bool value);
    bool showFooter() const { return showFooter_; }
    void setShowFooter(bool value);

    QColor blockColor, blockFontColor;
    TvlSyntaxAttr commentAttr, keywordAttr, stringAttr, textAttr;

    // The editing state, for callers that need more than the text.
    const TvlSyntaxMemoText& text() const { return text_; }
    int cellWidth() const { return cellWidth_; }
    int cellHeight() const { return cellHeight_; }
    // The pixel position of a cell's top left corner (column and line from 1).
    QPoint cellPosition(int col, int line) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void measureFont();
    void layoutArea();
    void refresh();
    bool handleControlKey(QKeyEvent* event);
    bool handleMovementKey(QKeyEvent* event);
    bool handleEditingKey(QKeyEvent* event);
    bool handleBookmarkKey(QKeyEvent* event);
    TvlTextPoint cellAt(const QPoint& pos) const;
    QFont attrFont(const TvlSyntaxAttr& attr) const;
    const TvlSyntaxAttr& attrOf(TvlSyntaxClass cls) const;
    void paintLine(QPainter& p, int row, int line);
    void paintRun(QPainter& p, int x, int y, const QString& run, TvlSyntaxClass cls, bool selected);
    void paintGutter(QPainter& p);
    void paintFooter(QPainter& p);
    int clientWidth() const;

    TvlSyntaxMemoText text_;
    QScrollBar* scrollBar_;
    QMenu* menu_;
    bool showGutter_ = true;
    bool showFooter_ = true;
    int cellWidth_ = 8, cellHeight_ = 16;
    bool dragging_ = false;
    TvlTextPoint dragAnchor_;
};

} // namespace vl
