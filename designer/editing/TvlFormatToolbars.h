#pragma once

#include "designer/editing/Formatting.h"

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <string>

class QAbstractButton;
class QComboBox;
class QToolBar;
class QToolButton;
class QWidget;

namespace vl {

class TvlColorSelector;
class TvlDesignerEditing;
class TvlLineStylePanel;

// The controls of the "Text" and "Rectangle" toolbars: font name and size
// boxes, style, colour, alignment and frame buttons, the frame width box,
// with the colour selector and the line-style panel they drop down. Each
// control is named as the designer names it (C2, FnB1, ClB1...) and
// applies its formatting to the selection through the editing commands.
class TvlFormatToolbars : public QObject {
    Q_OBJECT
public:
    // window: the designer window the drop-downs are placed in.
    TvlFormatToolbars(TvlDesignerEditing& editing, QWidget* window);
    ~TvlFormatToolbars() override;

    // Adds the controls to the two toolbars, in their order.
    void populate(QToolBar* text, QToolBar* rectangle);
    // Enables the controls for the selection state (the TvlSelectionBits)
    // and the kind of the current page.
    void setEnabledFor(int selectionState, bool reportPage);
    // Shows the selection's formatting in the controls.
    void ShowSelectionFormat();
    // Applies the control with that tag as the controls stand. Raises
    // ConversionError for a size or width that does not convert.
    void DoClick(int tag);
    // What the controls show.
    TvlFormatState state() const;

    // The keys of the designer window: Ctrl+1..9 type a frame width,
    // Ctrl+F and Ctrl+D click FrB5 and FrB6, Ctrl+B/I/U flip a style button.
    void applyFrameWidth(const QString& text);
    void click(int tag);
    void toggle(int tag);
    // The colour selector and the line-style panel close.
    void hideDropDowns();

    // HlB1 and a double click on the font name box open these services.
    void setHighlightEditor(std::function<void()> open) { highlight_ = std::move(open); }
    void setFontEditor(std::function<void()> open) { font_ = std::move(open); }
    // The window's UpdateCommandState, run when the selection's format is shown.
    void setCommandStateUpdater(std::function<void()> update) { commandState_ = std::move(update); }
    // Errors of controls the user clicked (a size that does not convert).
    void setErrorHandler(std::function<void(const std::string&)> handler) {
        error_ = std::move(handler);
    }

    QToolButton* button(const QString& name) const;
    QComboBox* box(const QString& name) const;
    TvlColorSelector& colorSelector() const { return *colorSelector_; }
    TvlLineStylePanel& lineStylePanel() const { return *lineStylePanel_; }
    TvlColor buttonColor(int tag) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* addButton(QToolBar* bar, const QString& name, int hint, int tag, bool checkable);
    QToolButton* addColorButton(QToolBar* bar, const QString& name, int hint, int tag);
    QComboBox* addBox(QToolBar* bar, const QString& name, int hint, int tag, bool fonts);
    void clicked(int tag);
    void checkOne(std::initializer_list<const char*> group, const QString& down);
    void setButtonColor(int tag, TvlColor color);
    void openColorSelector(int tag);
    void openLineStylePanel();
    void placeUnder(QWidget& dropDown, QWidget& button);
    void showState(const TvlSelectionFormat& format);
    void setChecked(const char* name, bool down);
    void setBoxText(const char* name, const std::string& text);
    void report(const std::exception& error) const;
    // No control of the window keeps the keyboard focus.
    void releaseFocus() const;

    TvlDesignerEditing& editing_;
    QWidget* window_;
    TvlColorSelector* colorSelector_;
    TvlLineStylePanel* lineStylePanel_;
    std::map<QString, QToolButton*> buttons_;
    std::map<QString, QComboBox*> boxes_;
    // The boxes' line edits by the box's name; compared only, never used,
    // as their events also arrive while a box is being destroyed.
    std::map<const QObject*, QString> lineEdits_;
    std::map<int, TvlColor> colors_;
    int colorTarget_ = 0;
    bool updating_ = false;
    std::function<void()> highlight_;
    std::function<void()> font_;
    std::function<void()> commandState_;
    std::function<void(const std::string&)> error_;
};

} // namespace vl
