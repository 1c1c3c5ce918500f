#pragma once

#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace vl {

// The settings a program gives its designer: whether closing asks to save,
// the folders the file dialogs start in and where report skeletons live,
// and events that replace the file dialogs for loading and saving.
struct TvlDesignerOptions {
    bool CloseQuery = true;
    // The buttons that page editing cannot use are hidden rather than
    // greyed (their menu entries are greyed either way).
    bool HideDisabledButtons = true;
    QString OpenDir;
    QString SaveDir;
    // Where ".vlt" skeletons are listed and saved; empty: the program's folder.
    QString TemplateDir;
    // Loads a report instead of the open dialog: set ReportName and leave
    // Opened true, or set Opened false for nothing opened.
    std::function<void(std::string& ReportName, bool& Opened)> OnLoadReport;
    // Saves the report instead of the save dialog. ReportName comes in as
    // the document name; with SaveAs the handler may change it. Saved false
    // reports that nothing was saved.
    std::function<void(std::string& ReportName, bool& Saved, bool SaveAs)> OnSaveReport;
    // Called with the designer window whenever it is shown and after each
    // preview from it.
    std::function<void(QWidget& window)> OnShow;
};

} // namespace vl
