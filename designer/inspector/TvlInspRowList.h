#pragma once

#include "designer/inspector/TvlInspRow.h"
#include "engine/model/TvlColor.h"
#include "engine/script/TvlVariables.h"

#include <QElapsedTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QToolButton;

namespace vl {

class TvlObject;

// The rows of the object inspector: property names left of a movable
// divider, values right of it, and on the current row the value field with
// its editor and drop-down buttons. The list is as tall as its rows; the
// window scrolls it.
class TvlInspRowList : public QWidget {
public:
    explicit TvlInspRowList(QWidget* parent = nullptr);
    ~TvlInspRowList() override;

    // Told the index of a row whose value was applied.
    void setValueChangedHandler(std::function<void(int)> handler);
    // Told errors that applying a value or opening an editor raised.
    void setErrorHandler(std::function<void(const std::string&)> handler);
    // Asked to scroll the given vertical span into view.
    void setScrollHandler(std::function<void(int top, int height)> handler);
    // The colour dialog: the colour chosen from a start colour, or none.
    using ColorChooser = std::function<std::optional<TvlColor>(TvlColor)>;
    void setColorChooser(ColorChooser chooser);

    void clearRows();
    void addRow(std::unique_ptr<TvlInspRow> row);
    int rowCount() const { return static_cast<int>(rows_.size()); }
    TvlInspRow& row(int index) { return *rows_.at(static_cast<std::size_t>(index)); }
    int rowIndexOf(std::string_view name) const;
    // The name a row is painted with: its alias where aliases are on.
    QString rowDisplayName(int index) const;

    int currentRow() const { return current_; }
    // Makes the row current (clamped to the last row), applying a changed
    // value of the previous row first.
    void setCurrentRow(int index);
    // Forgets the current row without applying anything.
    void clearCurrentRow();
    // The name of the row that was current last; kept across refills.
    const std::string& lastProperty() const { return lastProperty_; }

    int rowHeight() const;
    int divider() const { return divider_; }
    void setDivider(int x);
    // No rows are shown or edited while set.
    void setHideProperties(bool hide);
    bool hideProperties() const { return hideProperties_; }
    void setInspectedObject(TvlObject* object) { object_ = object; }
    // Names painted as their aliases where the list has one; nullptr paints
    // the names as they are.
    void setNameAliases(const TvlVariables* aliases);

    // The value field's text becomes the current row's value.
    void ApplyValue();
    void PressEditorButton();
    void PressDropDownButton();
    // A double click on the value field: the editor, the colour dialog, or
    // the next value of a Boolean or enumeration row.
    bool DoubleClickValue();
    // The window lost the focus: the drop-down list closes and a typed value
    // of a plain row is applied.
    void FocusLost();

    QLineEdit* valueField() const { return valueField_; }
    QToolButton* editorButton() const { return editorButton_; }
    QToolButton* dropDownButton() const { return dropDownButton_; }
    QListWidget* dropDownList() const { return dropDownList_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TvlInspRow* current() const;
    bool nearDivider(int x) const;
    void placeEditors();
    void paintRow(class QPainter& painter, int index) const;
    void paintCurrentRowFrame(QPainter& painter, int top) const;
    bool handleValueKey(int key);
    void applyText(const std::string& text);
    void chooseColor();
    void pickDropDownEntry(QListWidgetItem* item);
    void showDropDown(const StringList& entries, const std::string& selected);
    void reportError(const std::exception& error) const;

    std::vector<std::unique_ptr<TvlInspRow>> rows_;
    int current_ = -1;
    int divider_ = 75;
    bool hideProperties_ = false;
    bool applying_ = false;
    bool draggingDivider_ = false;
    std::string lastProperty_;
    TvlObject* object_ = nullptr;
    const TvlVariables* aliases_ = nullptr;
    QElapsedTimer lastRowClick_;

    QLineEdit* valueField_;
    QToolButton* editorButton_;
    QToolButton* dropDownButton_;
    QListWidget* dropDownList_;

    std::function<void(int)> valueChanged_;
    std::function<void(const std::string&)> error_;
    std::function<void(int, int)> scroll_;
    ColorChooser chooseColor_;
};

} // namespace vl
