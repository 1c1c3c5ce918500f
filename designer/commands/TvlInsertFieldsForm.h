#pragma once

#include "designer/commands/FieldBlockInserter.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QListWidget;
class QRadioButton;

namespace vl {

class TvlDataDictionary;

// "Insert DB fields": a data set of the dictionary, some of its fields, and
// how to lay them out on the page.
class TvlInsertFieldsForm : public QDialog {
    Q_OBJECT
public:
    explicit TvlInsertFieldsForm(const TvlDataDictionary& dictionary, QWidget* parent = nullptr);

    // The data set and the selected fields in list order.
    TvlFieldBlockChoice choice() const;

    QComboBox* dataSetBox() const { return dataSets_; }
    QListWidget* fieldList() const { return fields_; }
    QRadioButton* horizontal() const { return horizontal_; }
    QRadioButton* vertical() const { return vertical_; }
    QCheckBox* headers() const { return headers_; }
    QCheckBox* bands() const { return bands_; }

private:
    void fillFields();

    const TvlDataDictionary& dictionary_;
    QComboBox* dataSets_;
    QListWidget* fields_;
    QRadioButton* horizontal_;
    QRadioButton* vertical_;
    QCheckBox* headers_;
    QCheckBox* bands_;
};

} // namespace vl
