#pragma once

#include "designer/dictionary/TvlAliasTab.h"

#include <functional>

class QCheckBox;

namespace vl {

// The "Field aliases" tab: the data sets chosen for the dictionary with
// their aliases; expanding one lists its fields, each with an alias or
// excluded from the designer's field lists. A field's key in the working
// list is the data set name, "." and the bare field name, as the dictionary
// looks it up.
class TvlFieldAliasTab : public TvlAliasTab {
public:
    // The field names of a data set (empty when it has none or cannot tell).
    using FieldLister = std::function<StringList(const std::string&)>;

    TvlFieldAliasTab(TvlVariables& aliases, FieldLister fields, QWidget* parent = nullptr);

    static std::string FieldKey(const std::string& dataSet, const std::string& field);

    QCheckBox* excludeBox() const { return excludeBox_; }
    // Lists the fields of a data-set node that has not listed them yet.
    void ExpandDataSet(QTreeWidgetItem* item);

protected:
    DictNode* createComponentNode(const std::string& name, const std::string& alias) override;
    void forgetComponent(const std::string& name) override;
    void storeAlias(DictNode& node, const std::string& alias) override;
    void showNode(DictNode* node) override;
    void toggleNode() override;

private:
    static bool isField(const DictNode* node);
    std::string keyOf(const DictNode& field) const;
    void excludeToggled(bool excluded);

    FieldLister fields_;
    QCheckBox* excludeBox_;
};

// The "Band datasources" tab: the report's data sources chosen for the
// dictionary, with their aliases.
class TvlDataSourceAliasTab : public TvlAliasTab {
public:
    explicit TvlDataSourceAliasTab(TvlVariables& aliases, QWidget* parent = nullptr);

protected:
    DictNode* createComponentNode(const std::string& name, const std::string& alias) override;
};

} // namespace vl
