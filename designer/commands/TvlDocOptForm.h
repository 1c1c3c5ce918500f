#pragma once

#include "designer/commands/ReportOptionValues.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QTabWidget;

namespace vl {

// "Report options": the printer the report is laid out on, two passes,
// password protection and the report's descriptive texts.
class TvlDocOptForm : public QDialog {
    Q_OBJECT
public:
    explicit TvlDocOptForm(const TvlReportOptionValues& values, QWidget* parent = nullptr);

    TvlReportOptionValues values() const;

    QTabWidget* tabs() const { return tabs_; }
    QListWidget* printerList() const { return printers_; }
    QCheckBox* passwordBox() const { return password_; }
    QLineEdit* nameEdit() const { return texts_[0]; }

private:
    QWidget* generalPage();
    QWidget* documentPage();

    TvlReportOptionValues initial_;
    QTabWidget* tabs_;
    QCheckBox* select_ = nullptr;
    QListWidget* printers_ = nullptr;
    QCheckBox* twoPass_ = nullptr;
    QCheckBox* password_ = nullptr;
    QLineEdit* texts_[7] = {};
};

} // namespace vl
