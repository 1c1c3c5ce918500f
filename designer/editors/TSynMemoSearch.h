#pragma once

#include <QDialog>

class QLineEdit;

namespace vl {

// The search box of the syntax-highlighting editor: one text to find.
class TSynMemoSearch : public QDialog {
    Q_OBJECT
public:
    explicit TSynMemoSearch(QWidget* parent = nullptr);

    QString searchText() const;
    void setSearchText(const QString& text);

private:
    QLineEdit* edit_;
};

} // namespace vl
