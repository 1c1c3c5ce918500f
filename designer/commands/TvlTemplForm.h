#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace vl {

// "New report": a blank report first, then the report skeletons (".vlt")
// of a folder by name, with the description and picture of the one
// selected. The blank report starts selected, so that OK always leads on.
class TvlTemplForm : public QDialog {
    Q_OBJECT
public:
    // folder ends with a folder separator.
    explicit TvlTemplForm(const QString& folder, QWidget* parent = nullptr);

    // The chosen file: folder + name + ".vlt"; empty for the blank report or
    // without a selection.
    QString chosenFile() const;
    bool blankChosen() const;

    QListWidget* templateList() const { return list_; }
    QPlainTextEdit* description() const { return description_; }
    QLabel* picture() const { return picture_; }
    QPushButton* okButton() const { return ok_; }

private:
    void fill();
    void showSelected();

    QString folder_;
    QListWidget* list_;
    QPlainTextEdit* description_;
    QLabel* picture_;
    QPushButton* ok_;
};

} // namespace vl
