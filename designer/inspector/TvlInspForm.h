#pragma once

#include "designer/inspector/TvlInspRow.h"
#include "designer/inspector/TvlToolWindow.h"
#include "engine/script/TvlVariables.h"

#include <string>
#include <vector>

class QScrollArea;

namespace vl {

class TvlInspectorHost;
class TvlInspRowList;
class TvlObject;
class TvlObjectBox;

// The object inspector: the properties of the selected objects (or of the
// page) as rows of name and value, edited in place, from a drop-down list,
// by double click or through the property's dialog editor. The designer
// fills the rows and applies changed values through its host interface.
class TvlInspForm : public TvlToolWindow {
public:
    static constexpr int kDefaultSplitPos = 75;
    static constexpr int kMinimumSplitPos = 20;

    explicit TvlInspForm(TvlInspectorHost& host, QWidget* parent = nullptr);
    ~TvlInspForm() override;

    void ClearRows();
    // The separator the rows added from now on show decimals with: the
    // one of the report's engine.
    void SetDecimalSeparator(char separator) { decimalSeparator_ = separator; }
    // Appends a row; its text is made from the value. The enumeration names
    // are copied.
    void AddRow(std::string name, const Variant& value, TvlPropEditor editor,
                const StringList* enumNames, std::vector<Variant> enumValues, std::uint16_t kinds);
    // The row's text as the property's value; raises ConversionError when it
    // does not convert.
    Variant GetRowValue(int index) const;
    // Lays the rows out after a refill and makes the last property's row
    // (or the first) current.
    void ShowRows();
    int RowCount() const;

    // The inspected object (nullptr when several are) and the name shown for it.
    void SetObject(std::string name, TvlObject* object);
    const std::string& ObjectName() const { return objectName_; }
    TvlObject* Object() const { return object_; }
    // While set, no rows are shown or edited.
    void SetHideProperties(bool hide);
    bool HideProperties() const;
    // Names are painted as their localized aliases where they have one.
    void SetLocalizedPropNames(bool localized);

    // The x position of the divider between names and values.
    int SplitPos() const;
    void SetSplitPos(int x);

    // Restores the position and the divider; returns the "isVisible" setting.
    bool LoadSettings();
    void SaveSettings() const;

    TvlInspRowList& rowList() const { return *rows_; }
    TvlObjectBox& objectBox() const { return *objectBox_; }

protected:
    void showContents(bool shown) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readPropertyAliases();
    void layoutRows();
    QStringList objectNames() const;

    TvlInspectorHost& host_;
    std::string objectName_;
    TvlObject* object_ = nullptr;
    TvlVariables propertyAliases_;
    QWidget* contents_;
    TvlObjectBox* objectBox_;
    QScrollArea* scrollArea_;
    TvlInspRowList* rows_;
    char decimalSeparator_ = '.';
};

} // namespace vl
