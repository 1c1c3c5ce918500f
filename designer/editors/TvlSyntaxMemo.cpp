#include "designer/editors/TvlSyntaxMemo.h"

#include "designer/editors/TSynMemoSearch.h"
#include "engine/script/CodePage.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QDataStream>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <algorithm>

namespace vl {

namespace {

using Move = TvlSyntaxMemoText::Move;

// Characters below 32 have no class and no glyph: they are drawn as a dot,
// so that a pasted tab is visible and never reaches the font engine.
QChar displayChar(char c) {
    if (static_cast<unsigned char>(c) < 32) return QChar(0x00B7);
    return CurrentCodePage().toUnicode(c);
}

QString clipboardText(const std::string& text) {
    QString out = ToQt(text);
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
}

// The digit of Ctrl+(Shift+)0..9; shifted digits arrive as the symbols of
// the keyboard's digit row.
int digitOfKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return key - Qt::Key_0;
    static const QString shifted = QStringLiteral(")!@#$%^&*(");
    const int i = key < 0x10000 ? static_cast<int>(shifted.indexOf(QChar(key))) : -1;
    return i;
}

// The text of the first item dragged from an item view, if any.
QString draggedItemText(const QMimeData& data) {
    if (data.hasText()) return data.text();
    const QString format = QStringLiteral("application/x-qabstractitemmodeldatalist");
    if (!data.hasFormat(format)) return {};
    QStandardItemModel model;
    if (!model.dropMimeData(&data, Qt::CopyAction, 0, 0, QModelIndex())) return {};
    return model.rowCount() > 0 ? model.index(0, 0).data().toString() : QString();
}

} // namespace

TvlSyntaxMemo::TvlSyntaxMemo(QWidget* parent)
    : QWidget(parent), scrollBar_(new QScrollBar(Qt::Vertical, this)), menu_(new QMenu(this)) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::IBeamCursor);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setAcceptDrops(true);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    QFont f(QStringLiteral("Courier New"), 10);
    f.setStyleHint(QFont::TypeWriter);
    setFont(f);
    blockColor = palette().color(QPalette::Highlight);
    blockFontColor = palette().color(QPalette::HighlightedText);
    const QColor navy(0, 0, 128);
    const QColor windowText = palette().color(QPalette::Text);
    commentAttr = {navy, false, true};
    keywordAttr = {windowText, true};
    stringAttr = {navy};
    textAttr = {windowText};
    scrollBar_->hide();
    scrollBar_->setSingleStep(1);
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) {
        text_.setVOffset(value);
        update();
    });
    menu_->addAction(QStringLiteral("Cut"), this, &TvlSyntaxMemo::cutToClipboard);
    menu_->addAction(QStringLiteral("Copy"), this, &TvlSyntaxMemo::copyToClipboard);
    menu_->addAction(QStringLiteral("Paste"), this, &TvlSyntaxMemo::pasteFromClipboard);
    measureFont();
}

TvlSyntaxMemo::~TvlSyntaxMemo() = default;

void TvlSyntaxMemo::setLines(const StringList& lines) {
    text_.setLines(lines);
    refresh();
}

void TvlSyntaxMemo::insertText(std::string_view text) {
    text_.insertText(text);
    refresh();
}

void TvlSyntaxMemo::moveCaret(int col, int line) {
    text_.moveCaret(col, line);
    refresh();
}

void TvlSyntaxMemo::setMessage(const std::string& text) {
    text_.setMessage(text);
    update();
}

void TvlSyntaxMemo::setSyntaxType(TSyntaxType type) {
    text_.setSyntaxType(type);
    update();
}

void TvlSyntaxMemo::setShowGutter(bool value) {
    showGutter_ = value;
    layoutArea();
}

void TvlSyntaxMemo::setShowFooter(bool value) {
    showFooter_ = value;
    layoutArea();
}

// ---- clipboard and search ----

void TvlSyntaxMemo::copyToClipboard() {
    if (text_.hasSelection())
        QApplication::clipboard()->setText(clipboardText(text_.selectedText()));
}

void TvlSyntaxMemo::cutToClipboard() {
    if (readOnly() || !text_.hasSelection()) return;
    copyToClipboard();
    text_.deleteSelection();
    refresh();
}

void TvlSyntaxMemo::pasteFromClipboard() {
    if (readOnly()) return;
    const QString clip = QApplication::clipboard()->text();
    if (clip.isEmpty()) return;
    insertText(FromQt(clip));
}

void TvlSyntaxMemo::searchDialog() {
    TSynMemoSearch box(this);
    box.setSearchText(ToQt(text_.lastSearch()));
    const bool accepted = box.exec() == QDialog::Accepted;
    text_.setLastSearch(FromQt(box.searchText()));
    if (accepted) searchAgain();
}

void TvlSyntaxMemo::searchAgain() {
    text_.search(text_.lastSearch());
    refresh();
}

// ---- geometry ----

void TvlSyntaxMemo::measureFont() {
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    cellHeight_ = std::max(1, fm.height());
    cellWidth_ = std::max(1, fm.horizontalAdvance(QLatin1Char('W')));
    layoutArea();
}

int TvlSyntaxMemo::clientWidth() const {
    return scrollBar_->isVisible() ? width() - scrollBar_->width() - 4 : width();
}

void TvlSyntaxMemo::layoutArea() {
    const int gutter = showGutter_ ? kGutterWidth : 0;
    const int footer = showFooter_ ? kFooterHeight : 0;
    const int rows = std::max(0, (height() - footer) / cellHeight_);
    const bool bar = text_.lineCount() > rows && rows > 0;
    const int barWidth = scrollBar_->sizeHint().width();
    scrollBar_->setGeometry(width() - barWidth, 0, barWidth, std::max(0, height() - footer));
    scrollBar_->setVisible(bar);
    text_.setVisibleArea((clientWidth() - gutter) / cellWidth_, rows);
    const QSignalBlocker block(scrollBar_);
    scrollBar_->setRange(0, std::max(0, text_.lineCount() - rows + 1));
    scrollBar_->setPageStep(std::max(1, rows));
    scrollBar_->setValue(text_.vOffset());
    update();
}

void TvlSyntaxMemo::refresh() {
    layoutArea();
}

QPoint TvlSyntaxMemo::cellPosition(int col, int line) const {
    const int gutter = showGutter_ ? kGutterWidth : 0;
    return {(col - text_.hOffset() - 1) * cellWidth_ + gutter,
            (line - text_.vOffset() - 1) * cellHeight_};
}

TvlTextPoint TvlSyntaxMemo::cellAt(const QPoint& pos) const {
    const int gutter = showGutter_ ? kGutterWidth : 0;
    const int col = std::max(0, pos.x() - gutter) / cellWidth_ + text_.hOffset() + 1;
    const int line = std::max(0, pos.y()) / cellHeight_ + text_.vOffset() + 1;
    return {col, line};
}

// ---- events ----

bool TvlSyntaxMemo::event(QEvent* event) {
    // Tab belongs to the editor, not to focus navigation.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(event);
}

void TvlSyntaxMemo::resizeEvent(QResizeEvent*) {
    layoutArea();
}

void TvlSyntaxMemo::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) measureFont();
    QWidget::changeEvent(event);
}

void TvlSyntaxMemo::focusInEvent(QFocusEvent*) {
    update();
}

void TvlSyntaxMemo::focusOutEvent(QFocusEvent*) {
    update();
}

void TvlSyntaxMemo::keyPressEvent(QKeyEvent* event) {
    if (handleBookmarkKey(event) || handleControlKey(event) || handleMovementKey(event) ||
        handleEditingKey(event)) {
        refresh();
        return;
    }
    event->ignore();
}

bool TvlSyntaxMemo::handleBookmarkKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (!(mods & Qt::ControlModifier) || (mods & Qt::AltModifier)) return false;
    const int digit = digitOfKey(event->key());
    if (digit < 0) return false;
    if (mods & Qt::ShiftModifier)
        text_.toggleBookmark(digit);
    else
        text_.gotoBookmark(digit);
    return true;
}

bool TvlSyntaxMemo::handleControlKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    const bool ctrl = mods == Qt::ControlModifier;
    const bool shift = mods == Qt::ShiftModifier;
    if ((ctrl && key == Qt::Key_C) || (ctrl && key == Qt::Key_Insert)) {
        copyToClipboard();
    } else if ((ctrl && key == Qt::Key_X) || (shift && key == Qt::Key_Delete)) {
        cutToClipboard();
    } else if ((ctrl && key == Qt::Key_V) || (shift && key == Qt::Key_Insert)) {
        pasteFromClipboard();
    } else if (ctrl && key == Qt::Key_Z) {
        text_.undo();
    } else if (ctrl && key == Qt::Key_Y) {
        text_.deleteLine();
    } else if (ctrl && key == Qt::Key_U) {
        text_.unindentBlock();
    } else if (ctrl && key == Qt::Key_A) {
        text_.selectAll();
    } else if (ctrl && key == Qt::Key_F) {
        searchDialog();
    } else if (mods == Qt::NoModifier && key == Qt::Key_F3) {
        searchAgain();
    } else {
        return false;
    }
    return true;
}

bool TvlSyntaxMemo::handleMovementKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods & ~(Qt::ControlModifier | Qt::ShiftModifier)) return false;
    const bool ctrl = mods & Qt::ControlModifier;
    Move how;
    switch (event->key()) {
    case Qt::Key_Left:
        how = ctrl ? Move::WordLeft : Move::Left;
        break;
    case Qt::Key_Right:
        how = ctrl ? Move::WordRight : Move::Right;
        break;
    case Qt::Key_Up:
        how = Move::Up;
        break;
    case Qt::Key_Down:
        how = Move::Down;
        break;
    case Qt::Key_Home:
        how = ctrl ? Move::TextStart : Move::Home;
        break;
    case Qt::Key_End:
        how = ctrl ? Move::TextEnd : Move::End;
        break;
    case Qt::Key_PageUp:
        how = Move::PageUp;
        break;
    case Qt::Key_PageDown:
        how = Move::PageDown;
        break;
    default:
        return false;
    }
    text_.move(how, mods & Qt::ShiftModifier);
    return true;
}

bool TvlSyntaxMemo::handleEditingKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (mods == Qt::NoModifier || mods == Qt::ShiftModifier) {
        switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (mods == Qt::NoModifier) text_.enter();
            return true;
        case Qt::Key_Backspace:
            text_.backspace();
            return true;
        case Qt::Key_Delete:
            text_.deleteForward();
            return true;
        case Qt::Key_Tab:
            text_.smartTab();
            return true;
        default:
            break;
        }
    }
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    std::string typed;
    for (char c : FromQt(event->text()))
        if (static_cast<unsigned char>(c) >= 32 && c != 127) typed += c;
    if (typed.empty()) return false;
    text_.insertText(typed);
    return true;
}

void TvlSyntaxMemo::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        menu_->popup(event->globalPosition().toPoint());
        return;
    }
    const TvlTextPoint at = cellAt(event->position().toPoint());
    text_.clearSelection();
    text_.moveCaret(at.col, at.line);
    dragAnchor_ = text_.caret();
    dragging_ = true;
    refresh();
}

void TvlSyntaxMemo::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & ~Qt::RightButton)) return;
    const TvlTextPoint at = cellAt(event->position().toPoint());
    text_.moveCaret(at.col, at.line);
    text_.extendSelection(dragAnchor_);
    refresh();
}

void TvlSyntaxMemo::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) return;
    const TvlTextPoint at = cellAt(event->position().toPoint());
    text_.moveCaret(at.col, at.line);
    text_.selectWordAtCaret();
    dragging_ = false;
    refresh();
}

void TvlSyntaxMemo::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0) return;
    text_.setVOffset(text_.vOffset() - notches);
    refresh();
}

void TvlSyntaxMemo::dragEnterEvent(QDragEnterEvent* event) {
    if (!readOnly() && !draggedItemText(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TvlSyntaxMemo::dropEvent(QDropEvent* event) {
    const QString dropped = draggedItemText(*event->mimeData());
    if (dropped.isEmpty()) return;
    const TvlTextPoint at = cellAt(event->position().toPoint());
    text_.clearSelection();
    text_.moveCaret(at.col, at.line);
    insertText(FromQt(dropped));
    event->acceptProposedAction();
}

// ---- drawing ----

QFont TvlSyntaxMemo::attrFont(const TvlSyntaxAttr& attr) const {
    QFont f = font();
    f.setBold(attr.bold);
    f.setItalic(attr.italic);
    f.setUnderline(attr.underline);
    return f;
}

const TvlSyntaxAttr& TvlSyntaxMemo::attrOf(TvlSyntaxClass cls) const {
    switch (cls) {
    case scComment:
        return commentAttr;
    case scKeyword:
        return keywordAttr;
    case scString:
        return stringAttr;
    case scText:
        break;
    }
    return textAttr;
}

void TvlSyntaxMemo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int footer = showFooter_ ? kFooterHeight : 0;
    p.setClipRect(0, 0, clientWidth(), height() - footer);
    for (int row = 0; row <= text_.visibleLines(); ++row) {
        const int line = text_.vOffset() + row + 1;
        if (line > text_.lineCount()) break;
        paintLine(p, row, line);
    }
    if (hasFocus()) {
        const QPoint at = cellPosition(text_.caret().col, text_.caret().line);
        p.fillRect(at.x(), at.y(), 2, cellHeight_, textAttr.color);
    }
    p.setClipping(false);
    paintGutter(p);
    paintFooter(p);
}

void TvlSyntaxMemo::paintLine(QPainter& p, int row, int line) {
    const std::string_view text = text_.line(line);
    const int gutter = showGutter_ ? kGutterWidth : 0;
    const int y = row * cellHeight_;
    const int first = text_.hOffset() + 1;
    const int last = std::min(static_cast<int>(text.size()), first + text_.visibleCols());
    int col = first;
    while (col <= last) {
        const TvlSyntaxClass cls = text_.classAt(col, line);
        const bool selected = text_.isSelected(col, line);
        QString run;
        const int start = col;
        while (col <= last && text_.classAt(col, line) == cls &&
               text_.isSelected(col, line) == selected) {
            run += displayChar(text[static_cast<std::size_t>(col - 1)]);
            ++col;
        }
        paintRun(p, gutter + (start - first) * cellWidth_, y, run, cls, selected);
    }
    // A selection that goes on past this line fills the rest of the row.
    if (text_.hasSelection() && text_.selectionFirst().line <= line &&
        text_.selectionLast().line > line) {
        int from = std::max(first, static_cast<int>(text.size()) + 1);
        if (text_.selectionFirst().line == line) from = std::max(from, text_.selectionFirst().col);
        const int x = gutter + (from - first) * cellWidth_;
        p.fillRect(x, y, width() - x, cellHeight_, blockColor);
    }
}

void TvlSyntaxMemo::paintRun(QPainter& p, int x, int y, const QString& run, TvlSyntaxClass cls,
                             bool selected) {
    const TvlSyntaxAttr& attr = attrOf(cls);
    const QRect cells(x, y, static_cast<int>(run.size()) * cellWidth_, cellHeight_);
    if (selected) p.fillRect(cells, blockColor);
    p.setFont(attrFont(attr));
    p.setPen(selected ? blockFontColor : attr.color);
    const int baseline = y + QFontMetrics(p.font()).ascent();
    // Each character sits in its own cell: fractional advances of even a
    // fixed-pitch font would otherwise drift away from the caret columns.
    for (int i = 0; i < run.size(); ++i)
        p.drawText(x + i * cellWidth_, baseline, QString(run[i]));
}

void TvlSyntaxMemo::paintGutter(QPainter& p) {
    if (!showGutter_) return;
    const int footer = showFooter_ ? kFooterHeight : 0;
    const QPalette& pal = palette();
    p.fillRect(0, 0, kGutterWidth - 3, height() - footer, pal.color(QPalette::Button));
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(kGutterWidth - 4, 0, kGutterWidth - 4, height() - footer);
    QFont digitFont(QStringLiteral("Tahoma"), 7);
    digitFont.setBold(true);
    p.setFont(digitFont);
    for (int row = 0; row < text_.visibleLines(); ++row) {
        const int digit = text_.bookmarkOnLine(text_.vOffset() + row + 1);
        if (digit < 0) continue;
        const int size = std::min(12, cellHeight_ - 2);
        const QRect box(3, row * cellHeight_ + (cellHeight_ - size) / 2, size, size);
        p.fillRect(box.translated(1, 1), Qt::black);
        p.fillRect(box, QColor(0, 128, 0));
        p.setPen(Qt::white);
        p.drawText(box, Qt::AlignCenter, QString::number(digit));
    }
}

void TvlSyntaxMemo::paintFooter(QPainter& p) {
    if (!showFooter_ && text_.message().empty()) return;
    QFont f(QStringLiteral("Tahoma"), 8);
    const int textHeight = QFontMetrics(f).height();
    if (!text_.message().empty()) {
        const int strip = textHeight + 6;
        f.setBold(true);
        p.setFont(f);
        p.fillRect(0, height() - strip, width(), strip, QColor(128, 0, 0));
        p.setPen(Qt::white);
        p.drawText(QRect(6, height() - strip, width() - 6, strip), Qt::AlignVCenter,
                   ToQt(text_.message()));
        return;
    }
    const QPalette& pal = palette();
    p.fillRect(0, height() - kFooterHeight, width(), kFooterHeight, pal.color(QPalette::Button));
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(0, height() - kFooterHeight, width(), height() - kFooterHeight);
    p.setFont(f);
    p.setPen(Qt::black);
    const int gutter = showGutter_ ? kGutterWidth : 0;
    const QString pos =
        QStringLiteral("%1 : %2    ").arg(text_.caret().line).arg(text_.caret().col);
    p.drawText(QRect(gutter + 4, height() - kFooterHeight, width(), kFooterHeight),
               Qt::AlignVCenter, pos);
}

} // namespace vl
