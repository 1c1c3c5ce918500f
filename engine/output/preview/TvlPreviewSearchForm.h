#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace vl {

// The find dialog: the text, case sensitivity and where the search starts.
class TvlPreviewSearchForm : public QDialog {
public:
    explicit TvlPreviewSearchForm(QWidget* parent = nullptr);

    QString SearchText() const;
    bool CaseSensitive() const;
    bool FromFirstPage() const;

    QLineEdit* Edit1 = nullptr;
    QCheckBox* CB1 = nullptr;
    QRadioButton* RB1 = nullptr;
    QRadioButton* RB2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace vl
