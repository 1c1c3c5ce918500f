#pragma once

#include "designer/commands/PageOptionValues.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace vl {

// "Page options": paper, paper source, margins and columns of a page. It
// edits the values it was given; the commands apply them on OK.
class TvlPgoptForm : public QDialog {
    Q_OBJECT
public:
    TvlPgoptForm(const TvlPageOptionValues& values, const QStringList& paperNames,
                 const QStringList& binNames, QWidget* parent = nullptr);

    TvlPageOptionValues values() const;

    QTabWidget* tabs() const { return tabs_; }
    QComboBox* paperBox() const { return paper_; }
    QLineEdit* widthEdit() const { return width_; }
    QLineEdit* heightEdit() const { return height_; }
    QLineEdit* marginEdit(int side) const; // 0 left, 1 top, 2 right, 3 bottom
    QLineEdit* gapEdit() const { return gap_; }
    QLineEdit* columnsEdit() const { return columns_; }

private:
    QWidget* paperPage(const QStringList& paperNames);
    QWidget* sourcePage(const QStringList& binNames);
    QWidget* marginsPage();
    QWidget* otherPage();
    void load(const TvlPageOptionValues& values);

    TvlPageOptionValues initial_;
    QTabWidget* tabs_;
    QRadioButton* portrait_ = nullptr;
    QRadioButton* landscape_ = nullptr;
    QComboBox* paper_ = nullptr;
    QLineEdit* width_ = nullptr;
    QLineEdit* height_ = nullptr;
    QCheckBox* unlimited_ = nullptr;
    QComboBox* bin_ = nullptr;
    QLineEdit* margins_[4] = {};
    QLineEdit* gap_ = nullptr;
    QCheckBox* stretch_ = nullptr;
    QCheckBox* previous_ = nullptr;
    QLineEdit* columns_ = nullptr;
};

} // namespace vl
