#pragma once

#include "designer/editors/DataSourceEntries.h"
#include "designer/editors/TvlObjEditorForm.h"

#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;

namespace vl {

class TvlEditorHost;

// "Band data source": which report data source a master, detail or
// subdetail data band walks, or how many records of a virtual source.
class TvlBandEditorForm : public TvlObjEditorForm {
    Q_OBJECT
public:
    explicit TvlBandEditorForm(TvlEditorHost& host, QWidget* parent = nullptr);
    ~TvlBandEditorForm() override;

    int ShowEditor(TvlView& view) override;

private:
    void showStored(const std::string& stored);
    void updateCountEnabled();

    TvlEditorHost& host_;
    std::unique_ptr<TvlDataSourceEntries> entries_;
    QListWidget* list_;
    QLabel* countLabel_;
    QLineEdit* count_;
};

} // namespace vl
