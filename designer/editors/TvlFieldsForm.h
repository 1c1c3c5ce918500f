#pragma once

#include <QDialog>
#include <string>

class QListWidget;

namespace vl {

class TvlDataDictionary;
struct TvlChooserMemory;

// "Insert data field": the dictionary's data sets and the fields of the
// selected one. The result is a field reference, data set "." "field".
class TvlFieldsForm : public QDialog {
    Q_OBJECT
public:
    // Opens on the data set memory holds and leaves the chosen one there.
    TvlFieldsForm(const TvlDataDictionary& dictionary, TvlChooserMemory& memory,
                  QWidget* parent = nullptr);

    // The reference of the selected field, or empty.
    std::string result() const;
    void done(int result) override;

private:
    void listFields();

    const TvlDataDictionary& dictionary_;
    TvlChooserMemory& memory_;
    QListWidget* dataSets_;
    QListWidget* fields_;
};

} // namespace vl
