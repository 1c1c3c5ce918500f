#pragma once

#include "engine/script/ScriptReportBinding.h"

#include <string>

namespace vl {

class TvlScriptContext;

// A report without pages, dictionary or event handlers, as scripts see it
// while nothing is being built: names resolve to the built-in variables (for
// page 1 of a single-pass build that started when this object was made),
// GlobalVariables, the constants and sub-expressions; functions go to the
// installed libraries, then to the report procedures and the interpreter's
// procedures. Test reports derive from it and add objects.
class EmptyReportBinding : public ScriptReportBinding {
public:
    // A report of the engine whose expression and script objects it binds.
    explicit EmptyReportBinding(TvlScriptContext& engine);
    ~EmptyReportBinding() override;
    EmptyReportBinding(const EmptyReportBinding&) = delete;
    EmptyReportBinding& operator=(const EmptyReportBinding&) = delete;

    // Makes this report the one GlobalParser and GlobalInterpretator work
    // for, until it is destroyed.
    void Attach();

    TvlScriptObject* findObject(std::string_view name) override;
    int pageCount() const override { return 0; }
    TvlScriptObject* page(int index) override;
    TvlScriptObject* findObjectOnPage(int index, std::string_view name) override;
    TvlScriptObject* runningObject() override;
    bool setDictionaryVariable(std::string_view name, const Variant& value) override;
    void setModalResult(int value) override;
    void setCurY(int value) override;
    void showProgress(const std::string& text) override;
    void resolveName(std::string_view name, Variant& value) override;
    void callFunction(std::string_view name, const Variant& p1, const Variant& p2,
                      const Variant& p3, Variant& val) override;

protected:
    TvlScriptContext& scriptEngine() const { return scriptEngine_; }
    // The built-in variables (names compared exactly); false for other names.
    virtual bool builtInValue(std::string_view name, Variant& value);
    // The names asked after the script variables (CURY, FINALPASS...).
    virtual bool systemValue(std::string_view name, Variant& value);
    // STOPREPORT, NEWPAGE, NEWCOLUMN, SHOWBAND.
    virtual void reportProcedure(std::string_view name, const Variant& p1);

private:
    void evaluateAsExpression(std::string_view name, Variant& value);

    TvlScriptContext& scriptEngine_;
    double buildMoment_ = 0;
    std::string nameUnderEvaluation_;
    bool attached_ = false;
};

} // namespace vl
