#include "engine/script/EmptyReportBinding.h"

#include "engine/script/Aggregates.h"
#include "engine/script/Errors.h"
#include "engine/script/FunctionLibrary.h"
#include "engine/script/LocaleService.h"
#include "engine/script/ScriptContext.h"
#include "engine/script/TInterpretator.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/TvlVariables.h"

#include <QDateTime>
#include <cmath>

namespace vl {

namespace {

constexpr int kUndefinedSymbol = 55439;

// Clears the name under evaluation however the evaluation ends.
class EvaluationGuard {
public:
    EvaluationGuard(std::string& slot, std::string_view name) : slot_(slot) { slot_ = name; }
    ~EvaluationGuard() { slot_.clear(); }
    EvaluationGuard(const EvaluationGuard&) = delete;
    EvaluationGuard& operator=(const EvaluationGuard&) = delete;

private:
    std::string& slot_;
};

} // namespace

EmptyReportBinding::EmptyReportBinding(TvlScriptContext& engine)
    : scriptEngine_(engine), buildMoment_(DateTimeToOleDate(QDateTime::currentDateTime())) {}

EmptyReportBinding::~EmptyReportBinding() {
    if (!attached_) return;
    TvlScriptContext& g = scriptEngine_;
    if (g.globalInterpretator().Binding() == this) g.globalInterpretator().SetBinding(nullptr);
    UnbindParser(g.globalParser(), *this);
}

void EmptyReportBinding::Attach() {
    BindParser(scriptEngine_.globalParser(), *this);
    scriptEngine_.globalInterpretator().SetBinding(this);
    attached_ = true;
}

TvlScriptObject* EmptyReportBinding::findObject(std::string_view) {
    return nullptr;
}

TvlScriptObject* EmptyReportBinding::page(int) {
    return nullptr;
}

TvlScriptObject* EmptyReportBinding::findObjectOnPage(int, std::string_view) {
    return nullptr;
}

// Without pages no report object runs a script.
TvlScriptObject* EmptyReportBinding::runningObject() {
    return nullptr;
}

bool EmptyReportBinding::setDictionaryVariable(std::string_view, const Variant&) {
    return false;
}

// No page is being built: there is no dialog page and no vertical position.
void EmptyReportBinding::setModalResult(int) {}

void EmptyReportBinding::setCurY(int) {}

void EmptyReportBinding::showProgress(const std::string&) {}

bool EmptyReportBinding::builtInValue(std::string_view name, Variant& value) {
    if (name == "VALUE" || name == "LINE#" || name == "LINETHROUGH#" || name == "COLUMN#" ||
        name == "CURRENT#" || name == "TOTALPAGES" || name == "CALCWIDTH") {
        value = Variant(0);
    } else if (name == "PAGE#") {
        value = Variant(1);
    } else if (name == "DATE") {
        value = Variant::dateTime(std::floor(buildMoment_));
    } else if (name == "TIME") {
        value = Variant::dateTime(buildMoment_ - std::floor(buildMoment_));
    } else if (name == "REPORTCOMMENT" || name == "REPORTNAME" || name == "REPORTAUTOR" ||
               name == "VMAJOR" || name == "VMINOR" || name == "VRELEASE" || name == "VBUILD") {
        value = Variant(std::string());
    } else if (name == "REPORTDATE" || name == "REPORTLASTCHANGE") {
        value = Variant::dateTime(buildMoment_);
    } else {
        return false;
    }
    return true;
}

bool EmptyReportBinding::systemValue(std::string_view name, Variant& value) {
    if (name == "CURY" || name == "FREESPACE" || name == "PAGEHEIGHT" || name == "PAGEWIDTH") {
        value = Variant(0);
    } else if (name == "FINALPASS") {
        value = Variant(true);
    } else {
        return false;
    }
    return true;
}

void EmptyReportBinding::resolveName(std::string_view name, Variant& value) {
    value = Variant(0);
    if (builtInValue(name, value)) return;
    TvlScriptContext& g = scriptEngine_;
    if (const Variant* v = g.globalVariables().Find(name)) {
        value = *v;
        return;
    }
    value = Variant();
    if (systemValue(name, value)) return;
    const ScriptTarget target = g.globalInterpretator().FindTarget(name);
    if (name.find('.') != std::string_view::npos && target.object &&
        target.object->HasProperty(target.property)) {
        value = target.object->GetProperty(target.property);
    } else if (const Variant* c = g.constantList().Find(name)) {
        value = *c;
        return; // also the constant Null
    }
    if (value.isNull()) evaluateAsExpression(name, value);
}

// A name nothing knows is read as an expression; one that leads back to
// itself is undefined.
void EmptyReportBinding::evaluateAsExpression(std::string_view name, Variant& value) {
    if (name != nameUnderEvaluation_) {
        const EvaluationGuard guard(nameUnderEvaluation_, name);
        value = scriptEngine_.globalParser().Evaluate(name);
    } else if (!scriptEngine_.aggregateContext().PreparingAggregates) {
        throw ParserError(LoadResString(kUndefinedSymbol) + " \"" + std::string(name) + "\"");
    }
}

void EmptyReportBinding::reportProcedure(std::string_view name, const Variant&) {
    // without pages there is no band to break or show
    if (name == "STOPREPORT") scriptEngine_.stopRequested() = true;
}

void EmptyReportBinding::callFunction(std::string_view name, const Variant& p1, const Variant& p2,
                                      const Variant& p3, Variant& val) {
    if (CallFunctionLibraries(scriptEngine_.functionLibraries(), name, p1, p2, p3, val)) return;
    reportProcedure(name, p1);
    scriptEngine_.globalInterpretator().CallProcedure(name, p1, p2, p3, val);
}

} // namespace vl
