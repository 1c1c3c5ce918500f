#pragma once

#include "engine/script/TvlInterpretator.h"

#include <string>
#include <string_view>

namespace vl {

class ScriptReportBinding;
class TvlScriptObject;

// The object and property a script name refers to.
struct ScriptTarget {
    TvlScriptObject* object = nullptr;
    std::string property;
};

// The interpreter of report scripts (GlobalInterpretator). Names resolve and
// functions dispatch through GlobalParser's callbacks, that is through the
// report being built; assignments change script variables, dictionary
// variables, object properties and a few engine settings.
class TInterpretator : public TvlInterpretator {
public:
    using TvlInterpretator::TvlInterpretator;
    // The report scripts run against; none outside a build.
    void SetBinding(ScriptReportBinding* report) { report_ = report; }
    ScriptReportBinding* Binding() const { return report_; }

    // GlobalParser's value lookup.
    void GetValue(std::string_view name, Variant& value) override;
    // In this order: an existing script variable; a dictionary variable;
    // MODALRESULT; CURY; an object property (Memo1.Visible, Page2.Visible,
    // or a property of the object whose script runs); PROGRESS; otherwise a
    // new script variable.
    void SetValue(std::string_view name, const Variant& value) override;
    // GlobalParser's function dispatch.
    void CallFunction(std::string_view name, const Variant& p1, const Variant& p2,
                      const Variant& p3, Variant& val) override;

    // The interpreter's procedures in the report's function dispatch: INC,
    // DEC, SETARRAY, GETARRAY and object methods (Obj.Method(...)). Returns
    // whether the name was one of them.
    bool CallProcedure(std::string_view name, const Variant& p1, const Variant& p2,
                       const Variant& p3, Variant& val);

    // Splits a name into object and property. Without a '.', the object whose
    // script runs (none outside a build) and the whole name. Otherwise the text before the first
    // '.' names a page (Page2, 1-based), or an object of the report; when no object has that name
    // but the running object has a property of that name, the running object and the whole dotted
    // name (Font.Bold).
    ScriptTarget FindTarget(std::string_view name) const;

private:
    Variant lookup(std::string_view name);
    Variant evaluate(const Variant& argumentText);
    void setArray(std::string_view name, const Variant& index, const Variant& value);
    Variant getArray(std::string_view name, const Variant& index);
    ScriptTarget pageTarget(int number, std::string_view property) const;

    ScriptReportBinding* report_ = nullptr;
};

} // namespace vl
