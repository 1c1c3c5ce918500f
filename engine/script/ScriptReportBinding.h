#pragma once

#include "engine/script/ScriptObject.h"
#include "engine/script/TvlParser.h"
#include "engine/script/Variant.h"

#include <string>
#include <string_view>

namespace vl {

// What the report-bound script interpreter needs of the report being built.
// The report implements it and binds the engine's interpreter to itself for
// the build.
class ScriptReportBinding {
public:
    virtual ~ScriptReportBinding() = default;

    // The first object of that name (case ignored) in page order, or none.
    virtual TvlScriptObject* findObject(std::string_view name) = 0;
    // The report's pages, by 0-based index.
    virtual int pageCount() const = 0;
    virtual TvlScriptObject* page(int index) = 0;
    // The object of that name on one page, or none.
    virtual TvlScriptObject* findObjectOnPage(int index, std::string_view name) = 0;
    // The object whose script runs (the engine's current view), or none.
    virtual TvlScriptObject* runningObject() = 0;

    // Sets a variable of the report's data dictionary to a value; false when
    // the dictionary has no variable of that name.
    virtual bool setDictionaryVariable(std::string_view name, const Variant& value) = 0;

    // MODALRESULT: when the page being built is a dialog page, its form's
    // modal result becomes the value; otherwise nothing happens.
    virtual void setModalResult(int value) = 0;
    // CURY: the vertical position on the page being built (a band with a
    // pending new page or column keeps it for after the break).
    virtual void setCurY(int value) = 0;
    // PROGRESS: shows the text in the progress window and lets it repaint.
    virtual void showProgress(const std::string& text) = 0;

    // The report's value lookup and function dispatch, which a build installs
    // as the callbacks of GlobalParser.
    virtual void resolveName(std::string_view name, Variant& value) = 0;
    virtual void callFunction(std::string_view name, const Variant& p1, const Variant& p2,
                              const Variant& p3, Variant& val) = 0;
};

// Binds a parser's callbacks to a report's value lookup and function dispatch.
inline void BindParser(TvlParser& parser, ScriptReportBinding& report) {
    parser.OnGetValue = [&report](std::string_view name, Variant& value) {
        report.resolveName(name, value);
    };
    parser.OnCallFunction = [&report](std::string_view name, const Variant& p1, const Variant& p2,
                                      const Variant& p3,
                                      Variant& val) { report.callFunction(name, p1, p2, p3, val); };
    parser.BoundTo = &report;
}

// Clears the callbacks when they are bound to that report: another report
// bound since keeps its binding.
inline void UnbindParser(TvlParser& parser, const ScriptReportBinding& report) {
    if (parser.BoundTo != &report) return;
    parser.OnGetValue = nullptr;
    parser.OnCallFunction = nullptr;
    parser.BoundTo = nullptr;
}

} // namespace vl
