#pragma once

#include "engine/build/TvlDataset.h"
#include "engine/build/TvlTableSource.h"
#include "engine/script/ComponentRef.h"
#include "engine/script/TvlTable.h"

#include <optional>

namespace vl {

// A data source that walks a database table itself, either the table given
// directly (DataSet) or the one of a table source (DataSource).
class TvlDBDataSet : public TvlDataset {
public:
    using TvlDataset::TvlDataset;

    TvlTable* DataSet() const { return dataSet_.get(); }
    // Setting a table clears the table source.
    void SetDataSet(TvlTable* table);
    TvlTableSource* DataSource() const { return dataSource_.get(); }
    // Setting a table source clears the table.
    void SetDataSource(TvlTableSource* source);

    bool OpenDataSource = true;
    bool CloseDataSource = false;
    TNotifyEvent OnOpen;
    TNotifyEvent OnClose;

    // The table to walk; raises "Unable to open dataset <Name>" when there is
    // none.
    TvlTable& ResolveTable() const;

    void Open() override;
    void Close() override;
    void First() override;
    void Next() override;
    void Prior() override;
    bool Eof() override;

    std::string className() const override { return "TvlDBDataSet"; }

private:
    ComponentRef<TvlTable> dataSet_;
    ComponentRef<TvlTableSource> dataSource_;
    std::optional<TBookmark> startPosition_;
    bool endReached_ = false;
};

} // namespace vl
