#include "designer/inspector/TvlInspRowList.h"

#include "engine/script/CodePage.h"
#include "engine/script/ColorConstants.h"
#include "engine/script/TextUtils.h"

#include <QApplication>
#include <QColorDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>

namespace vl {

namespace {

// The divider can be grabbed this close to it.
constexpr int kDividerGrip = 2;
// Dragging keeps the divider this far from the left edge.
constexpr int kDividerMinimum = 5;
// Names start this far in; values this far right of the divider.
constexpr int kNameIndent = 5;
constexpr int kValueIndent = 2;
// The value field's buttons: width, and the room each takes at the right edge.
constexpr int kButtonWidth = 14;
constexpr int kButtonRoom = 15;
// The drop-down list shows at most this many entries at once.
constexpr int kDropDownRows = 8;
// Room beside the widest entry of the drop-down list.
constexpr int kDropDownPadding = 8;

// The colour a swatch of an engine colour is painted in.
QIcon colorSwatch(const char* name, int size) {
    const ColorConstant* constant = FindColorConstant(std::string_view(name));
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    const TvlColor color = constant ? constant->value : clNone;
    if (color == clNone) {
        painter.setBrush(Qt::white);
        painter.drawRect(0, 0, size - 1, size - 1);
        painter.setPen(Qt::red);
        painter.drawLine(1, size - 2, size - 2, 1);
    } else {
        painter.setBrush(ToQColor(color));
        painter.drawRect(0, 0, size - 1, size - 1);
    }
    return QIcon(pixmap);
}

} // namespace

TvlInspRowList::TvlInspRowList(QWidget* parent)
    : QWidget(parent), valueField_(new QLineEdit(this)), editorButton_(new QToolButton(this)),
      dropDownButton_(new QToolButton(this)), dropDownList_(new QListWidget(this)) {
    setObjectName(QStringLiteral("PropList"));
    setAccessibleName(tr("Properties"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);

    valueField_->setObjectName(QStringLiteral("ValueEdit"));
    valueField_->setAccessibleName(tr("Property value"));
    valueField_->setFrame(false);
    valueField_->installEventFilter(this);
    valueField_->hide();

    editorButton_->setObjectName(QStringLiteral("EditBtn"));
    editorButton_->setText(QStringLiteral("\u2026"));
    editorButton_->setToolTip(tr("Open the property's editor"));
    editorButton_->setAccessibleName(tr("Edit property"));
    editorButton_->setFocusPolicy(Qt::NoFocus);
    editorButton_->hide();
    connect(editorButton_, &QToolButton::clicked, this, [this] { PressEditorButton(); });

    dropDownButton_->setObjectName(QStringLiteral("DropBtn"));
    dropDownButton_->setArrowType(Qt::DownArrow);
    dropDownButton_->setToolTip(tr("Choose a value"));
    dropDownButton_->setAccessibleName(tr("Choose a value"));
    dropDownButton_->setFocusPolicy(Qt::NoFocus);
    dropDownButton_->hide();
    connect(dropDownButton_, &QToolButton::clicked, this, [this] { PressDropDownButton(); });

    dropDownList_->setObjectName(QStringLiteral("DropList"));
    dropDownList_->setWindowFlags(Qt::Popup);
    dropDownList_->setUniformItemSizes(true);
    dropDownList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A click outside only closes the list, so a click on the drop-down
    // button while it shows hides it for good.
    dropDownList_->setAttribute(Qt::WA_NoMouseReplay);
    dropDownList_->installEventFilter(this);
    dropDownList_->hide();
    connect(dropDownList_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { pickDropDownEntry(item); });
    connect(dropDownList_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { pickDropDownEntry(item); });

    chooseColor_ = [this](TvlColor start) -> std::optional<TvlColor> {
        const QColor chosen = QColorDialog::getColor(ToQColor(start), this);
        if (!chosen.isValid()) return std::nullopt;
        return FromQColor(chosen);
    };
}

TvlInspRowList::~TvlInspRowList() = default;

void TvlInspRowList::setValueChangedHandler(std::function<void(int)> handler) {
    valueChanged_ = std::move(handler);
}

void TvlInspRowList::setErrorHandler(std::function<void(const std::string&)> handler) {
    error_ = std::move(handler);
}

void TvlInspRowList::setScrollHandler(std::function<void(int, int)> handler) {
    scroll_ = std::move(handler);
}

void TvlInspRowList::setColorChooser(ColorChooser chooser) {
    chooseColor_ = std::move(chooser);
}

void TvlInspRowList::clearRows() {
    current_ = -1;
    rows_.clear();
    update();
}

void TvlInspRowList::addRow(std::unique_ptr<TvlInspRow> row) {
    rows_.push_back(std::move(row));
}

int TvlInspRowList::rowIndexOf(std::string_view name) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (SameText(rows_[i]->name(), name)) return static_cast<int>(i);
    return -1;
}

TvlInspRow* TvlInspRowList::current() const {
    if (current_ < 0 || current_ >= rowCount()) return nullptr;
    return rows_[static_cast<std::size_t>(current_)].get();
}

int TvlInspRowList::rowHeight() const {
    return fontMetrics().height() + 3;
}

void TvlInspRowList::setDivider(int x) {
    divider_ = std::max(x, kDividerMinimum + 1);
    placeEditors();
    update();
}

void TvlInspRowList::setHideProperties(bool hide) {
    hideProperties_ = hide;
    update();
}

void TvlInspRowList::setNameAliases(const TvlVariables* aliases) {
    aliases_ = aliases;
    update();
}

void TvlInspRowList::clearCurrentRow() {
    current_ = -1;
    valueField_->setModified(false);
    placeEditors();
}

void TvlInspRowList::setCurrentRow(int index) {
    if (applying_) return;
    if (valueField_->isModified() && current()) ApplyValue();
    if (rows_.empty() || hideProperties_) {
        current_ = -1;
        placeEditors();
        update();
        return;
    }
    current_ = std::clamp(index, 0, rowCount() - 1);
    dropDownList_->hide();
    const TvlInspRow& row = *current();
    valueField_->setReadOnly(row.hasEditor() && !row.is(pkText));
    valueField_->setText(ToQt(row.text()));
    valueField_->selectAll();
    valueField_->setModified(false);
    placeEditors();
    if (scroll_) scroll_(current_ * rowHeight(), rowHeight());
    lastProperty_ = row.name();
    update();
}

void TvlInspRowList::placeEditors() {
    const TvlInspRow* row = current();
    const bool shown = row && !hideProperties_;
    valueField_->setVisible(shown);
    editorButton_->setVisible(shown && row->hasEditor());
    dropDownButton_->setVisible(shown && row->hasDropDown());
    if (!shown) return;
    const int top = current_ * rowHeight();
    const int buttonHeight = rowHeight() - 2;
    int right = width();
    for (QToolButton* button : {editorButton_, dropDownButton_}) {
        if (button->isHidden()) continue;
        right -= kButtonRoom;
        button->setGeometry(right + 1, top + 1, kButtonWidth, buttonHeight);
    }
    const int left = divider_ + kValueIndent;
    valueField_->setGeometry(left, top + 1, std::max(0, right - left), rowHeight() - 2);
}

void TvlInspRowList::ApplyValue() {
    TvlInspRow* row = current();
    if (hideProperties_ || !row || applying_) return;
    const int index = current_;
    const std::string text = FromQt(valueField_->text());
    // An object always keeps a name.
    if (!(SameText(row->name(), "Name") && text.empty())) row->setText(text);
    valueField_->setModified(false);
    applying_ = true;
    try {
        if (valueChanged_) valueChanged_(index);
    } catch (const std::exception& error) {
        reportError(error);
    }
    applying_ = false;
    setCurrentRow(index < rowCount() ? index : 0);
}

void TvlInspRowList::applyText(const std::string& text) {
    valueField_->setText(ToQt(text));
    valueField_->setModified(true);
    ApplyValue();
}

void TvlInspRowList::PressEditorButton() {
    const TvlInspRow* row = current();
    if (hideProperties_ || !row || !row->hasEditor()) return;
    // The editor may refill the rows; call a copy.
    const TvlPropEditor editor = row->editor();
    try {
        editor(object_);
    } catch (const std::exception& error) {
        reportError(error);
    }
    valueField_->selectAll();
}

bool TvlInspRowList::DoubleClickValue() {
    const TvlInspRow* row = current();
    if (hideProperties_ || !row) return false;
    if (row->hasEditor()) {
        PressEditorButton();
    } else if (row->is(pkColor)) {
        chooseColor();
    } else if (row->is(pkBoolean) || row->is(pkEnum)) {
        applyText(row->toggledText());
    } else {
        return false;
    }
    return true;
}

void TvlInspRowList::chooseColor() {
    TvlColor start = clBlack;
    try {
        start = current()->value().toInt();
    } catch (const std::exception&) {
    }
    const std::optional<TvlColor> chosen = chooseColor_ ? chooseColor_(start) : std::nullopt;
    if (!chosen || !current()) return;
    TvlInspRow probe(current()->name(), current()->kinds(), {}, {}, {});
    probe.setValue(Variant(static_cast<int>(*chosen)), '.');
    applyText(probe.text());
}

void TvlInspRowList::PressDropDownButton() {
    if (dropDownList_->isVisible()) {
        dropDownList_->hide();
        valueField_->setFocus();
        return;
    }
    const TvlInspRow* row = current();
    if (hideProperties_ || !row) return;
    const StringList entries = row->dropDownEntries();
    if (!entries.empty()) showDropDown(entries, row->text());
}

void TvlInspRowList::showDropDown(const StringList& entries, const std::string& selected) {
    const bool colors = current()->is(pkColor);
    const int iconSize = fontMetrics().height() - 4;
    dropDownList_->clear();
    dropDownList_->setIconSize(QSize(iconSize, iconSize));
    int widest = 0;
    for (const std::string& entry : entries) {
        auto* item = new QListWidgetItem(ToQt(entry), dropDownList_);
        if (colors) item->setIcon(colorSwatch(entry.c_str(), iconSize));
        widest = std::max(widest, fontMetrics().horizontalAdvance(item->text()));
        if (SameText(entry, selected)) dropDownList_->setCurrentItem(item);
    }
    if (colors) widest += iconSize + 6;
    const int count = static_cast<int>(entries.size());
    const int frame = 2 * dropDownList_->frameWidth();
    int listWidth = widest + kDropDownPadding + frame + 4;
    if (count > kDropDownRows) listWidth += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int itemHeight = dropDownList_->sizeHintForRow(0);
    const int listHeight = std::min(count, kDropDownRows) * itemHeight + frame;

    // Under the value field, from the divider to the right edge when that is
    // wide enough, else right-aligned with the list's own width.
    const int room = width() - divider_ - 1;
    int left = divider_ + 1;
    if (listWidth <= room) {
        listWidth = room;
    } else {
        left = width() - listWidth;
    }
    QPoint origin = mapToGlobal(QPoint(left, valueField_->geometry().bottom() + 1));
    if (const QScreen* screen = this->screen())
        origin.setX(std::max(origin.x(), screen->availableGeometry().left()));
    dropDownList_->setGeometry(QRect(origin, QSize(listWidth, listHeight)));
    dropDownList_->show();
    if (dropDownList_->currentItem()) dropDownList_->scrollToItem(dropDownList_->currentItem());
    dropDownList_->setFocus();
}

void TvlInspRowList::pickDropDownEntry(QListWidgetItem* item) {
    if (!item || !dropDownList_->isVisible()) return;
    const std::string text = FromQt(item->text());
    dropDownList_->hide();
    valueField_->setFocus();
    applyText(text);
}

void TvlInspRowList::FocusLost() {
    dropDownList_->hide();
    const TvlInspRow* row = current();
    if (row && row->isPlain() && valueField_->isModified()) ApplyValue();
}

void TvlInspRowList::reportError(const std::exception& error) const {
    if (error_) error_(error.what());
}

bool TvlInspRowList::handleValueKey(int key) {
    switch (key) {
    case Qt::Key_Escape:
        if (const TvlInspRow* row = current()) valueField_->setText(ToQt(row->text()));
        valueField_->setModified(false);
        return true;
    case Qt::Key_Up:
        if (current_ > 0) setCurrentRow(current_ - 1);
        return true;
    case Qt::Key_Down:
        if (current_ + 1 < rowCount()) setCurrentRow(current_ + 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (const TvlInspRow* row = current(); row && row->hasEditor()) {
            PressEditorButton();
        } else if (valueField_->isModified()) {
            ApplyValue();
        }
        valueField_->selectAll();
        return true;
    default:
        return false;
    }
}

bool TvlInspRowList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dropDownList_ && event->type() == QEvent::Hide && valueField_->isVisible())
        valueField_->setFocus();
    if (watched != valueField_) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return handleValueKey(static_cast<QKeyEvent*>(event)->key());
    case QEvent::MouseButtonDblClick:
        return DoubleClickValue();
    case QEvent::MouseButtonPress:
        // The second click of a double click on a row lands on the value
        // field that the first click brought there.
        if (lastRowClick_.isValid() &&
            lastRowClick_.elapsed() < QApplication::doubleClickInterval()) {
            lastRowClick_.invalidate();
            return DoubleClickValue();
        }
        return false;
    default:
        return false;
    }
}

bool TvlInspRowList::nearDivider(int x) const {
    return std::abs(x - divider_) <= kDividerGrip;
}

void TvlInspRowList::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    if (nearDivider(pos.x())) {
        draggingDivider_ = true;
        return;
    }
    const int index = pos.y() / rowHeight();
    if (index >= rowCount()) return;
    setCurrentRow(index);
    if (valueField_->isVisible()) valueField_->setFocus(Qt::MouseFocusReason);
    lastRowClick_.start();
}

void TvlInspRowList::mouseMoveEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    if (draggingDivider_) {
        if (x > kDividerMinimum) setDivider(x);
        return;
    }
    setCursor(nearDivider(x) ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void TvlInspRowList::mouseReleaseEvent(QMouseEvent*) {
    draggingDivider_ = false;
}

void TvlInspRowList::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeEditors();
}

void TvlInspRowList::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        placeEditors();
        update();
    }
}

QString TvlInspRowList::rowDisplayName(int index) const {
    const TvlInspRow& row = *rows_.at(static_cast<std::size_t>(index));
    if (aliases_) {
        const std::string alias = aliases_->GetVariable(row.name()).toString();
        if (!alias.empty()) return ToQt(alias);
    }
    return ToQt(row.name());
}

void TvlInspRowList::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    if (hideProperties_) return;
    for (int i = 0; i < rowCount(); ++i)
        if (i != current_) paintRow(painter, i);
    if (current()) paintRow(painter, current_);
}

void TvlInspRowList::paintRow(QPainter& painter, int index) const {
    const TvlInspRow& row = *rows_[static_cast<std::size_t>(index)];
    const int h = rowHeight();
    const int top = index * h;
    const QColor grid = palette().color(QPalette::Midlight).darker(112);
    painter.setPen(palette().color(QPalette::ButtonText));
    const QRect nameRect(kNameIndent, top, divider_ - kNameIndent - 1, h - 1);
    painter.drawText(
        nameRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
        fontMetrics().elidedText(rowDisplayName(index), Qt::ElideRight, nameRect.width()));
    painter.setPen(grid);
    painter.drawLine(0, top + h - 1, width(), top + h - 1);
    painter.drawLine(divider_, top, divider_, top + h - 1);
    if (index == current_) {
        paintCurrentRowFrame(painter, top);
        return;
    }
    // Values of other rows in navy (a light blue on dark palettes).
    const bool dark = palette().color(QPalette::Button).lightness() < 128;
    painter.setPen(dark ? palette().color(QPalette::Link) : QColor(0, 0, 0x80));
    const QRect valueRect(divider_ + kValueIndent + 1, top, width() - divider_ - kValueIndent - 1,
                          h - 1);
    painter.drawText(valueRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     ToQt(row.text()));
}

void TvlInspRowList::paintCurrentRowFrame(QPainter& painter, int top) const {
    const int h = rowHeight();
    const int bottom = top + h - 1;
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(0, top - 1, width(), top - 1);
    painter.drawLine(divider_ - 1, top, divider_ - 1, bottom);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawLine(0, top, width(), top);
    painter.drawLine(0, top, 0, bottom);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, bottom, width(), bottom);
    painter.drawLine(divider_, top + 1, divider_, bottom);
}

} // namespace vl
