#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace vl {

// "Password": one hidden entry under a prompt given by its text number.
class TvlPasswForm : public QDialog {
    Q_OBJECT
public:
    explicit TvlPasswForm(int promptId, QWidget* parent = nullptr);

    QString password() const;
    QLineEdit* entry() const { return entry_; }

private:
    QLineEdit* entry_;
};

} // namespace vl
