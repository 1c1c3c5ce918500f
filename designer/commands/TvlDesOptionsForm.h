#pragma once

#include "designer/commands/EditorFonts.h"
#include "designer/workspace/DesignerSettings.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QFontComboBox;
class QSpinBox;
class QTabWidget;

namespace vl {

// "Designer options": grid, units, buttons, insert and band title
// behaviour, undo, the page position and syntax highlighting. It edits a
// copy of the settings; the commands apply them on OK.
class TvlDesOptionsForm : public QDialog {
    Q_OBJECT
public:
    TvlDesOptionsForm(const TvlDesignerSettings& settings, const TvlEditorFonts& fonts,
                      QWidget* parent = nullptr);

    TvlDesignerSettings settings() const;
    TvlEditorFonts fonts() const;

    QTabWidget* tabs() const { return tabs_; }
    QButtonGroup* gridGroup() const { return grid_; }
    QButtonGroup* unitsGroup() const { return units_; }
    QButtonGroup* positionGroup() const { return position_; }
    QCheckBox* coloredButtons() const { return colored_; }
    QFontComboBox* textFontBox() const { return textFont_; }
    QSpinBox* scriptSizeBox() const { return scriptSize_; }

private:
    QWidget* designerPage();
    QWidget* editorPage();
    QCheckBox* check(QWidget* parent, const QString& text, const char* name, bool checked);

    TvlDesignerSettings initial_;
    TvlEditorFonts initialFonts_;
    QTabWidget* tabs_;
    QCheckBox* showGrid_ = nullptr;
    QCheckBox* alignGrid_ = nullptr;
    QButtonGroup* grid_ = nullptr;
    QCheckBox* contents_ = nullptr;
    QButtonGroup* units_ = nullptr;
    QCheckBox* colored_ = nullptr;
    QCheckBox* editAfterInsert_ = nullptr;
    QCheckBox* bandTitles_ = nullptr;
    QCheckBox* localized_ = nullptr;
    QCheckBox* disableUndo_ = nullptr;
    QButtonGroup* position_ = nullptr;
    QCheckBox* highlight_ = nullptr;
    QFontComboBox* textFont_ = nullptr;
    QSpinBox* textSize_ = nullptr;
    QFontComboBox* scriptFont_ = nullptr;
    QSpinBox* scriptSize_ = nullptr;
};

} // namespace vl
