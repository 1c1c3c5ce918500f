#pragma once

#include "engine/build/TemplateFile.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vl {

// "New report template": the description of a report skeleton and the
// bitmap shown beside it in "New report".
class TvlTemplNewForm : public QDialog {
    Q_OBJECT
public:
    explicit TvlTemplNewForm(QWidget* parent = nullptr);

    // The description lines and the picture chosen.
    TvlTemplateHeader header() const;
    // Takes a bitmap file as the picture; false (picture unchanged) when it
    // is no readable bitmap.
    bool loadPicture(const QString& path);

    QPlainTextEdit* comment() const { return comment_; }
    QLabel* picture() const { return picture_; }

private:
    void choosePicture();

    QPlainTextEdit* comment_;
    QLabel* picture_;
    QPushButton* fileButton_;
    std::vector<std::uint8_t> bitmap_;
};

} // namespace vl
