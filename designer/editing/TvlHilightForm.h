#pragma once

#include "designer/editing/ObjectAttributes.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace vl {

// "Hilight attributes": the font colour and style and the background a
// text object takes while its condition holds.
class TvlHilightForm : public QDialog {
    Q_OBJECT
public:
    explicit TvlHilightForm(QWidget* parent = nullptr);

    void setHighlight(const TvlHighlight& highlight);
    TvlHighlight highlight() const;

    // The colour dialog: true with the chosen colour.
    using ChooseColor = std::function<bool(TvlColor& color)>;
    void setColorChooser(ChooseColor choose) { choose_ = std::move(choose); }

    QToolButton* fontColorButton() const { return fontColorButton_; }
    QToolButton* fillColorButton() const { return fillColorButton_; }
    QRadioButton* transparentButton() const { return transparent_; }
    QRadioButton* otherButton() const { return other_; }
    QCheckBox* styleBox(int bit) const;
    QLineEdit* conditionEdit() const { return condition_; }

private:
    void chooseFontColor();
    void chooseFillColor();
    void showColors();

    TvlColor fontColor_ = clBlack;
    TvlColor fillColor_ = clWhite;
    QToolButton* fontColorButton_;
    QToolButton* fillColorButton_;
    QCheckBox* bold_;
    QCheckBox* italic_;
    QCheckBox* underline_;
    QRadioButton* transparent_;
    QRadioButton* other_;
    QLineEdit* condition_;
    ChooseColor choose_;
};

} // namespace vl
