#pragma once

#include "designer/inspector/TvlToolWindow.h"

#include <QMimeData>
#include <memory>
#include <string>

class QListWidget;
class QSplitter;

namespace vl {

class TvlDataDictionary;

// The database fields window: the data sets the report's dictionary offers
// and the fields of the chosen one. A field dragged from it carries its
// data-field reference (DataFieldMime.h) to the designer's surface. The
// data set chosen last is remembered for the process, so a new window opens
// on it. Closing the window destroys it.
class TvlInsFieldsForm : public TvlToolWindow {
public:
    static constexpr int kDefaultSplitterPos = 120;

    // Opens on the data set lastDataSet names and leaves the chosen one there.
    TvlInsFieldsForm(const TvlDataDictionary& dictionary, std::string& lastDataSet,
                     QWidget* parent = nullptr);
    ~TvlInsFieldsForm() override;

    // Remembers the chosen data set and fills the lists again (after changes
    // of the dictionary or of the report).
    void Refresh();
    // The reference of the field chosen last for dragging.
    const std::string& DBField() const { return dbField_; }
    // Takes the chosen data set as the last one and, with a field chosen,
    // the drag payload of that field (none without one).
    std::unique_ptr<QMimeData> StartFieldDrag();

    QListWidget* dataSetList() const { return dataSets_; }
    QListWidget* fieldList() const { return fields_; }
    QSplitter* splitter() const { return splitter_; }

protected:
    void showContents(bool shown) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void fillLists();
    void fillFields();
    void rememberChoice();
    void saveSettings() const;

    const TvlDataDictionary& dictionary_;
    std::string& lastDataSet_;
    std::string dbField_;
    QSplitter* splitter_;
    QListWidget* dataSets_;
    QListWidget* fields_;
};

} // namespace vl
