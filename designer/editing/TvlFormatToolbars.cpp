#include "designer/editing/TvlFormatToolbars.h"

#include "designer/editing/FormatIcons.h"
#include "designer/editing/TvlColorSelector.h"
#include "designer/editing/TvlDesignerEditing.h"
#include "designer/editing/TvlLineStylePanel.h"
#include "engine/script/CodePage.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/TvlLocale.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QToolBar>
#include <QToolButton>

namespace vl {

namespace {

// The colour selector stands this far below the top of its button.
constexpr int kDropDownOffset = 26;
constexpr int kStyleButtonTag = 0;

const QStringList& fontSizes() {
    static const QStringList sizes = {
        QStringLiteral("5"),  QStringLiteral("6"),  QStringLiteral("7"),  QStringLiteral("8"),
        QStringLiteral("9"),  QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12"),
        QStringLiteral("14"), QStringLiteral("16"), QStringLiteral("18"), QStringLiteral("20"),
        QStringLiteral("22"), QStringLiteral("24"), QStringLiteral("26"), QStringLiteral("28"),
        QStringLiteral("36"), QStringLiteral("48"), QStringLiteral("72")};
    return sizes;
}

// Frame widths are listed with a decimal comma, as the box reads either.
const QStringList& frameWidths() {
    static const QStringList widths = {
        QStringLiteral("0,1"), QStringLiteral("0,5"), QStringLiteral("1"), QStringLiteral("1,5"),
        QStringLiteral("2"),   QStringLiteral("3"),   QStringLiteral("4"), QStringLiteral("5"),
        QStringLiteral("6"),   QStringLiteral("7"),   QStringLiteral("8"), QStringLiteral("9"),
        QStringLiteral("10")};
    return widths;
}

QString colorButtonName(int tag) {
    if (tag == ftFontColor) return QStringLiteral("ClB2");
    return tag == ftFillColor ? QStringLiteral("ClB1") : QStringLiteral("ClB3");
}

const char* const kHorizontalButtons[] = {"AlB1", "AlB2", "AlB3", "AlB8"};

} // namespace

TvlFormatToolbars::TvlFormatToolbars(TvlDesignerEditing& editing, QWidget* window)
    : QObject(window), editing_(editing), window_(window),
      colorSelector_(new TvlColorSelector(window)), lineStylePanel_(new TvlLineStylePanel(window)) {
    colors_ = {{ftFillColor, clBlack}, {ftFontColor, clBlack}, {ftFrameColor, clBlack}};
    connect(colorSelector_, &TvlColorSelector::colorPicked, this, [this](TvlColor color) {
        setButtonColor(colorTarget_, color);
        clicked(colorTarget_);
    });
    connect(lineStylePanel_, &TvlLineStylePanel::styleClicked, this,
            [this](int tag) { clicked(tag); });
    error_ = [this](const std::string& message) {
        QMessageBox::critical(window_, ToQt(LoadResString(55206)), ToQt(message));
    };
}

TvlFormatToolbars::~TvlFormatToolbars() = default;

QToolButton* TvlFormatToolbars::addButton(QToolBar* bar, const QString& name, int hint, int tag,
                                          bool checkable) {
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setToolTip(ToQt(LoadResString(hint)));
    button->setAccessibleName(button->toolTip());
    button->setIcon(FormatIcon(name));
    button->setAutoRaise(true);
    button->setCheckable(checkable);
    button->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(button);
    buttons_[name] = button;
    connect(button, &QToolButton::clicked, this, [this, name, tag] {
        if (name.startsWith(QLatin1String("AlB")) && name != QLatin1String("AlB4")) {
            const bool horizontal = tag != ftVerticalPosition;
            if (horizontal)
                checkOne({"AlB1", "AlB2", "AlB3", "AlB8"}, name);
            else
                checkOne({"AlB5", "AlB6", "AlB7"}, name);
        }
        if (tag == ftHighlight) {
            if (highlight_) highlight_();
        } else if (tag == kStyleButtonTag) {
            openLineStylePanel();
        } else {
            clicked(tag);
        }
    });
    return button;
}

QToolButton* TvlFormatToolbars::addColorButton(QToolBar* bar, const QString& name, int hint,
                                               int tag) {
    QToolButton* button = addButton(bar, name, hint, -1, false);
    button->disconnect(this);
    button->setIcon(ColorButtonIcon(name, colors_[tag]));
    connect(button, &QToolButton::clicked, this, [this, tag] { openColorSelector(tag); });
    return button;
}

QComboBox* TvlFormatToolbars::addBox(QToolBar* bar, const QString& name, int hint, int tag,
                                     bool fonts) {
    QComboBox* box = fonts ? new QFontComboBox(bar) : new QComboBox(bar);
    box->setObjectName(name);
    box->setToolTip(ToQt(LoadResString(hint)));
    box->setAccessibleName(box->toolTip());
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    if (!fonts) {
        box->addItems(name == QLatin1String("C3") ? fontSizes() : frameWidths());
        box->setMinimumContentsLength(name == QLatin1String("C3") ? 3 : 4);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    box->lineEdit()->installEventFilter(this);
    bar->addWidget(box);
    boxes_[name] = box;
    lineEdits_[box->lineEdit()] = name;
    connect(box, &QComboBox::activated, this, [this, tag] { clicked(tag); });
    return box;
}

void TvlFormatToolbars::populate(QToolBar* text, QToolBar* rectangle) {
    addBox(text, QStringLiteral("C2"), 53121, ftFontName, true);
    addBox(text, QStringLiteral("C3"), 53120, ftFontSize, false);
    addButton(text, QStringLiteral("FnB1"), 53115, ftBold, true);
    addButton(text, QStringLiteral("FnB2"), 53116, ftItalic, true);
    addButton(text, QStringLiteral("FnB3"), 53117, ftUnderline, true);
    text->addSeparator();
    addColorButton(text, QStringLiteral("ClB2"), 53118, ftFontColor);
    addButton(text, QStringLiteral("HlB1"), 53119, ftHighlight, false);
    text->addSeparator();
    addButton(text, QStringLiteral("AlB1"), 53107, ftAlignLeft, true);
    addButton(text, QStringLiteral("AlB3"), 53109, ftAlignCenter, true);
    addButton(text, QStringLiteral("AlB2"), 53108, ftAlignRight, true);
    addButton(text, QStringLiteral("AlB8"), 53114, ftJustify, true);
    text->addSeparator();
    addButton(text, QStringLiteral("AlB6"), 53112, ftVerticalPosition, true);
    addButton(text, QStringLiteral("AlB5"), 53111, ftVerticalPosition, true);
    addButton(text, QStringLiteral("AlB7"), 53113, ftVerticalPosition, true);
    addButton(text, QStringLiteral("AlB4"), 53110, ftVertical, true);

    addButton(rectangle, QStringLiteral("FrB1"), 53122, ftFrameTop, true);
    addButton(rectangle, QStringLiteral("FrB2"), 53123, ftFrameLeft, true);
    addButton(rectangle, QStringLiteral("FrB3"), 53124, ftFrameBottom, true);
    addButton(rectangle, QStringLiteral("FrB4"), 53125, ftFrameRight, true);
    addButton(rectangle, QStringLiteral("FrB5"), 53126, ftAllFrames, false);
    addButton(rectangle, QStringLiteral("FrB6"), 53127, ftNoFrame, false);
    rectangle->addSeparator();
    addColorButton(rectangle, QStringLiteral("ClB1"), 53128, ftFillColor);
    addColorButton(rectangle, QStringLiteral("ClB3"), 53129, ftFrameColor);
    addButton(rectangle, QStringLiteral("StB1"), 53191, kStyleButtonTag, false);
    addBox(rectangle, QStringLiteral("C4"), 53130, ftFrameWidth, false);
    setChecked("AlB1", true);
    setChecked("AlB6", true);
}

QToolButton* TvlFormatToolbars::button(const QString& name) const {
    const auto found = buttons_.find(name);
    return found == buttons_.end() ? nullptr : found->second;
}

QComboBox* TvlFormatToolbars::box(const QString& name) const {
    const auto found = boxes_.find(name);
    return found == boxes_.end() ? nullptr : found->second;
}

TvlColor TvlFormatToolbars::buttonColor(int tag) const {
    const auto found = colors_.find(tag);
    return found == colors_.end() ? clBlack : found->second;
}

void TvlFormatToolbars::setEnabledFor(int selectionState, bool reportPage) {
    const bool rectangle = (selectionState & (2 | 4 | 8)) && reportPage;
    const bool text = (selectionState & (2 | 8)) != 0;
    for (auto& [name, button] : buttons_) {
        const bool onRectangle = name.startsWith(QLatin1String("FrB")) ||
                                 name == QLatin1String("ClB1") || name == QLatin1String("ClB3") ||
                                 name == QLatin1String("StB1");
        button->setEnabled(onRectangle ? rectangle : text);
    }
    for (auto& [name, box] : boxes_)
        box->setEnabled(name == QLatin1String("C4") ? rectangle : text);
}

TvlFormatState TvlFormatToolbars::state() const {
    TvlFormatState s;
    const auto down = [this](const char* name) {
        const QToolButton* b = button(QLatin1String(name));
        return b && b->isChecked();
    };
    if (down("FrB1")) s.frameSides |= vlftTop;
    if (down("FrB2")) s.frameSides |= vlftLeft;
    if (down("FrB3")) s.frameSides |= vlftBottom;
    if (down("FrB4")) s.frameSides |= vlftRight;
    if (const QComboBox* b = box(QStringLiteral("C4"))) s.frameWidth = FromQt(b->currentText());
    if (const QComboBox* b = box(QStringLiteral("C2"))) s.fontName = FromQt(b->currentText());
    if (const QComboBox* b = box(QStringLiteral("C3"))) s.fontSize = FromQt(b->currentText());
    s.fillColor = buttonColor(ftFillColor);
    s.fontColor = buttonColor(ftFontColor);
    s.frameColor = buttonColor(ftFrameColor);
    s.bold = down("FnB1");
    s.italic = down("FnB2");
    s.underline = down("FnB3");
    for (int i = 0; i < 4; ++i)
        if (down(kHorizontalButtons[i])) s.horizontal = i;
    s.vertical = down("AlB4");
    s.middle = down("AlB5");
    s.bottom = down("AlB7");
    return s;
}

void TvlFormatToolbars::DoClick(int tag) {
    if (updating_) return;
    if (tag >= ftLineStyle) lineStylePanel_->hide();
    editing_.DoClick(tag, state());
    releaseFocus();
}

void TvlFormatToolbars::clicked(int tag) {
    try {
        DoClick(tag);
    } catch (const std::exception& error) {
        report(error);
    }
}

void TvlFormatToolbars::report(const std::exception& error) const {
    if (error_) error_(error.what());
}

void TvlFormatToolbars::checkOne(std::initializer_list<const char*> group, const QString& down) {
    for (const char* name : group)
        setChecked(name, down == QLatin1String(name));
}

void TvlFormatToolbars::setChecked(const char* name, bool down) {
    if (QToolButton* b = button(QLatin1String(name))) b->setChecked(down);
}

void TvlFormatToolbars::setBoxText(const char* name, const std::string& text) {
    QComboBox* b = box(QLatin1String(name));
    if (b && b->currentText() != ToQt(text)) b->setEditText(ToQt(text));
}

void TvlFormatToolbars::setButtonColor(int tag, TvlColor color) {
    colors_[tag] = color;
    if (QToolButton* b = button(colorButtonName(tag)))
        b->setIcon(ColorButtonIcon(colorButtonName(tag), color));
}

void TvlFormatToolbars::releaseFocus() const {
    QWidget* focus = QApplication::focusWidget();
    if (focus && window_ && window_->isAncestorOf(focus)) focus->clearFocus();
}

void TvlFormatToolbars::placeUnder(QWidget& dropDown, QWidget& anchor) {
    QWidget* window = dropDown.parentWidget() ? dropDown.parentWidget() : anchor.window();
    // Through the screen, so that buttons of floating toolbars place it too.
    const QPoint at =
        window->mapFromGlobal(anchor.mapToGlobal(QPoint(0, 0))) + QPoint(0, kDropDownOffset);
    if (dropDown.isVisible() && dropDown.x() == at.x()) {
        dropDown.hide();
        return;
    }
    dropDown.move(at);
    dropDown.show();
    dropDown.raise();
}

void TvlFormatToolbars::openColorSelector(int tag) {
    lineStylePanel_->hide();
    QToolButton* anchor = button(colorButtonName(tag));
    if (!anchor) return;
    colorTarget_ = tag;
    colorSelector_->setColor(buttonColor(tag));
    placeUnder(*colorSelector_, *anchor);
}

void TvlFormatToolbars::openLineStylePanel() {
    colorSelector_->hide();
    QToolButton* anchor = button(QStringLiteral("StB1"));
    if (!anchor) return;
    if (lineStylePanel_->isVisible()) {
        lineStylePanel_->hide();
        return;
    }
    placeUnder(*lineStylePanel_, *anchor);
}

void TvlFormatToolbars::hideDropDowns() {
    colorSelector_->hide();
    lineStylePanel_->hide();
}

void TvlFormatToolbars::ShowSelectionFormat() {
    const ScopedValue guard(updating_, true);
    hideDropDowns();
    if (commandState_) commandState_();
    showState(editing_.selectionFormat());
    releaseFocus();
}

void TvlFormatToolbars::showState(const TvlSelectionFormat& format) {
    const TvlFormatState& s = format.state;
    switch (format.kind) {
    case TvlSelectionFormat::None:
        return;
    case TvlSelectionFormat::Several:
        for (const char* name : {"FrB1", "FrB2", "FrB3", "FrB4", "FnB1", "FnB2", "FnB3", "AlB4"})
            setChecked(name, false);
        setButtonColor(ftFillColor, clBlack);
        setBoxText("C4", "1");
        setBoxText("C2", "");
        setBoxText("C3", "");
        checkOne({"AlB1", "AlB2", "AlB3", "AlB8"}, QStringLiteral("AlB1"));
        setChecked("AlB5", false);
        return;
    default:
        break;
    }
    setChecked("FrB1", s.frameSides & vlftTop);
    setChecked("FrB2", s.frameSides & vlftLeft);
    setChecked("FrB3", s.frameSides & vlftBottom);
    setChecked("FrB4", s.frameSides & vlftRight);
    setBoxText("C4", s.frameWidth);
    setButtonColor(ftFillColor, s.fillColor);
    setButtonColor(ftFrameColor, s.frameColor);
    if (format.kind != TvlSelectionFormat::SingleText) return;
    setButtonColor(ftFontColor, s.fontColor);
    setBoxText("C2", s.fontName);
    setBoxText("C3", s.fontSize);
    setChecked("FnB1", s.bold);
    setChecked("FnB2", s.italic);
    setChecked("FnB3", s.underline);
    setChecked("AlB4", s.vertical);
    checkOne({"AlB5", "AlB6", "AlB7"}, s.middle   ? QStringLiteral("AlB5")
                                       : s.bottom ? QStringLiteral("AlB7")
                                                  : QStringLiteral("AlB6"));
    checkOne({"AlB1", "AlB2", "AlB3", "AlB8"}, QLatin1String(kHorizontalButtons[s.horizontal & 3]));
}

void TvlFormatToolbars::applyFrameWidth(const QString& text) {
    if (QComboBox* b = box(QStringLiteral("C4"))) b->setEditText(text);
    DoClick(ftFrameWidth);
}

void TvlFormatToolbars::click(int tag) {
    DoClick(tag);
}

void TvlFormatToolbars::toggle(int tag) {
    const char* name = tag == ftBold ? "FnB1" : tag == ftItalic ? "FnB2" : "FnB3";
    if (QToolButton* b = button(QLatin1String(name))) b->setChecked(!b->isChecked());
    DoClick(tag);
}

bool TvlFormatToolbars::eventFilter(QObject* watched, QEvent* event) {
    const auto found = lineEdits_.find(watched);
    if (found == lineEdits_.end()) return QObject::eventFilter(watched, event);
    const QString& name = found->second;
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        clicked(name == QLatin1String("C2")   ? ftFontName
                : name == QLatin1String("C3") ? ftFontSize
                                              : ftFrameWidth);
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick && name == QLatin1String("C2") && font_) {
        font_();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vl
