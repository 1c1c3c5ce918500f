#pragma once

#include "designer/editors/DataSourceEntries.h"
#include "designer/editors/TvlObjEditorForm.h"

#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace vl {

class TvlEditorHost;

// "Band data sources": for the cross data band, the column source each
// horizontal band of the page uses.
class TvlVBandEditorForm : public TvlObjEditorForm {
    Q_OBJECT
public:
    explicit TvlVBandEditorForm(TvlEditorHost& host, QWidget* parent = nullptr);
    ~TvlVBandEditorForm() override;

    // Cancel at once when the page has no band that takes a column source.
    int ShowEditor(TvlView& view) override;

private:
    struct BandSource {
        std::string name;
        std::string source;
    };
    void listBands(const std::string& list);
    void showBand(int row);
    void storeChoice();
    void updateCountEnabled();

    TvlEditorHost& host_;
    std::unique_ptr<TvlDataSourceEntries> entries_;
    std::vector<BandSource> bands_;
    QListWidget* bandList_;
    QComboBox* sources_;
    QLabel* countLabel_;
    QLineEdit* count_;
    int shownBand_ = -1;
    bool showing_ = false;
};

} // namespace vl
