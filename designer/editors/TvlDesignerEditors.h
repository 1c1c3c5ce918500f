#pragma once

#include <memory>
#include <string>
#include <string_view>

class QWidget;

namespace vl {

class TvlEditorHost;
class TvlMemoEditorForm;
class TvlView;

// The text and band editors as the designer window uses them. The window
// owns one of these for its lifetime; it keeps the one memo editor, whose
// class follows the "SyntaxHighlight" setting, and opens the other dialogs
// for each use. Each operation is one call from the window.
class TvlDesignerEditors {
public:
    TvlDesignerEditors(TvlEditorHost& host, QWidget* window, bool syntaxHighlight = true);
    ~TvlDesignerEditors();

    // Replaces the memo editor by one of the other class when the setting
    // changes; its remembered state starts afresh.
    void setSyntaxHighlight(bool on);
    bool syntaxHighlight() const { return syntaxHighlight_; }
    TvlMemoEditorForm& memoEditor() { return *memoEditor_; }

    // The memo editor on a view (text objects' editor and the script
    // editor); on OK the view is redrawn through the host.
    int editMemo(TvlView& view);
    // The object-tag dialog.
    int editTag(TvlView& view);
    // The editor of a band view by its type: data source (master, detail
    // and subdetail data), group condition (group header) or column sources
    // (cross data). Cancel, without a dialog, for other types.
    int editBand(TvlView& view);
    // Just the data source editors, as the inspector's "DataSource" opens them.
    int editDataSource(TvlView& view);
    int editCrossDataSource(TvlView& view);

    // "Insert new band" for the page on the surface: the chosen band type,
    // or -1 when the dialog is cancelled.
    int chooseBandType(bool forSubReportPage);

    // The designer window's InsertExpression and InsertDataField.
    std::string insertExpression();
    std::string insertDataField();

    // Opens the editor that serves a view property of the inspector:
    // "Memo", "Tag", "DataSource", "CrossDataSource". False when none does.
    bool editProperty(TvlView& view, std::string_view property);

private:
    int afterEdit(int result);

    TvlEditorHost& host_;
    QWidget* window_;
    bool syntaxHighlight_;
    std::unique_ptr<TvlMemoEditorForm> memoEditor_;
};

} // namespace vl
