#pragma once

// How the designer window wires these commands in:
//
//  - The window implements TvlDesignerCommandsHost (DesignerCommandsHost.h)
//    next to TvlDesignerHost: designer() returns itself, options() the
//    program's TvlDesignerOptions, selectPage/clearUndo/refreshFields and
//    the surface calls forward to its tab row, undo lists, fields window
//    and TvlDesignerPage.
//  - It owns one TvlWidgetAsk (WidgetAsk.h, the dialogs) and one
//    TvlDesignerCommands over both, and connects its buttons, menu entries
//    and keys to the methods below: FileBtn1 New, "&New..." NewFromTemplate,
//    FileBtn2 Open, FileBtn3 SaveDocument, "Save &as..." SaveDocumentAs,
//    FileBtn4 Preview, "&Data dictionary..." DataDictionary, PgB1 AddPage,
//    PgB4 AddDialogForm, PgB2 RemovePage, PgB3 and the host's pageOptions()
//    PageOptions, "&Report options..." ReportOptions, "&Options..."
//    DesignerOptions, the "Insert DB fields" tool InsertDBFields.
//  - Closing the window with CloseQuery asks QuerySave() and closes only
//    when it returns true.

#include <QString>
#include <string>

namespace vl {

class TvlDesignerAsk;
class TvlDesignerCommandsHost;
class TvlPage;
class TvlReport;

// The designer's commands on whole files, the page list and report-wide
// settings. Each command asks its questions through the ask layer and acts
// on the report and the window through the host.
class TvlDesignerCommands {
public:
    TvlDesignerCommands(TvlDesignerCommandsHost& host, TvlDesignerAsk& ask);

    // Asks whether to save a modified report; true when the command that
    // asked may go on (No, or Yes and saved).
    bool QuerySave();
    void New();
    void NewFromTemplate();
    void Open();
    // True when the template was saved.
    bool SaveDocument();
    bool SaveDocumentAs();
    void Preview();
    void DataDictionary();
    void AddPage();
    void AddDialogForm();
    void RemovePage();
    // The page options of the current page; true for OK.
    bool PageOptions();
    void ReportOptions();
    void DesignerOptions();
    void InsertDBFields();

    // The name a document without a file has.
    static std::string UntitledName();

private:
    TvlReport& report();
    int currentIndex();
    void afterLoad(const std::string& name);
    bool editPage(TvlPage& page);
    void askPassword(bool& protect);
    bool saveAs(const QString& chosen, int filter);
    void deleteSubReportsOf(int pageIndex);
    QString templateFolder() const;

    TvlDesignerCommandsHost& host_;
    TvlDesignerAsk& ask_;
};

} // namespace vl
