#pragma once

#include "designer/dictionary/TvlDictVariablesTab.h"
#include "engine/script/TvlVariables.h"

#include <QDialog>

class QTabWidget;

namespace vl {

class TvlDataDictionary;
class TvlDictionaryContext;
class TvlFieldAliasTab;
class TvlDataSourceAliasTab;

// The data dictionary editor: the categories and variables of a report's
// dictionary with their values, the aliases of data sets and fields with the
// fields hidden from users, and the aliases of the report's data sources.
// It edits working copies made when it is shown; OK copies them back into
// the dictionary, Cancel discards them.
class TvlDictForm : public QDialog {
public:
    // The context tells where the data sets and data sources are found (the
    // report that owns the dictionary).
    TvlDictForm(TvlDataDictionary& dictionary, const TvlDictionaryContext& context,
                QWidget* parent = nullptr);
    ~TvlDictForm() override;

    // Enables the button that opens the expression builder for a value.
    void setExpressionBuilder(TvlExpressionBuilder builder);

    const TvlVariables& workingVariables() const { return variables_; }
    const TvlVariables& workingFieldAliases() const { return fieldAliases_; }
    const TvlVariables& workingDataSourceAliases() const { return dataSourceAliases_; }

    QTabWidget* tabs() const { return tabs_; }
    TvlDictVariablesTab& variablesTab() const { return *variablesTab_; }
    TvlFieldAliasTab& fieldAliasTab() const { return *fieldAliasTab_; }
    TvlDataSourceAliasTab& dataSourceTab() const { return *dataSourceTab_; }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void loadWorkingState();
    StringList dataSets() const;
    StringList dataSources() const;
    StringList fieldsOf(const std::string& dataSet) const;

    TvlDataDictionary& dictionary_;
    const TvlDictionaryContext& context_;
    TvlVariables variables_;
    TvlVariables fieldAliases_;
    TvlVariables dataSourceAliases_;
    QTabWidget* tabs_;
    TvlDictVariablesTab* variablesTab_;
    TvlFieldAliasTab* fieldAliasTab_;
    TvlDataSourceAliasTab* dataSourceTab_;
};

} // namespace vl
