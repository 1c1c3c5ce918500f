#include "engine/script/TInterpretator.h"

#include "engine/script/EngineText.h"
#include "engine/script/ScriptContext.h"
#include "engine/script/ScriptReportBinding.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlVariables.h"

namespace vl {

namespace {

// Page2 -> 2; 0 for any name that is not PAGE followed by digits only.
int pageNumber(std::string_view name) {
    if (name.size() < 5 || name.size() > 12 || !SameText(name.substr(0, 4), "PAGE")) return 0;
    int number = 0;
    for (char c : name.substr(4)) {
        if (c < '0' || c > '9') return 0;
        number = number * 10 + (c - '0');
    }
    return number;
}

// The element name of an array entry: Arr_<name>_<index>, the index as text
// when it is one and as an integer otherwise.
std::string arrayElement(std::string_view name, const Variant& index) {
    const std::string key = index.isString() ? index.toString() : std::to_string(index.toInt());
    return "Arr_" + std::string(name) + "_" + key;
}

} // namespace

void TInterpretator::GetValue(std::string_view name, Variant& value) {
    const TvlParser& global = scriptEngine().globalParser();
    if (global.OnGetValue) global.OnGetValue(name, value);
}

void TInterpretator::CallFunction(std::string_view name, const Variant& p1, const Variant& p2,
                                  const Variant& p3, Variant& val) {
    const TvlParser& global = scriptEngine().globalParser();
    if (global.OnCallFunction) global.OnCallFunction(name, p1, p2, p3, val);
}

void TInterpretator::SetValue(std::string_view name, const Variant& value) {
    TvlVariables& variables = scriptEngine().globalVariables();
    if (variables.IndexOf(name) >= 0) {
        variables.SetVariable(name, value);
    } else if (report_ && report_->setDictionaryVariable(name, value)) {
        // the dictionary variable now holds the value
    } else if (SameText(name, "MODALRESULT")) {
        if (report_) report_->setModalResult(value.toInt());
    } else if (SameText(name, "CURY")) {
        if (report_) report_->setCurY(value.toInt());
    } else if (SameText(name, "PROGRESS")) {
        if (report_) report_->showProgress(value.toString());
    } else if (const ScriptTarget target = FindTarget(name);
               target.object && target.object->HasProperty(target.property)) {
        target.object->SetProperty(target.property, value);
    } else {
        variables.SetVariable(name, value);
    }
}

ScriptTarget TInterpretator::pageTarget(int number, std::string_view property) const {
    if (!report_ || number < 1 || number > report_->pageCount()) return {nullptr, {}};
    // Page2.Memo1.Visible: an object of that page
    if (const std::size_t dot = property.find('.'); dot != std::string_view::npos)
        if (TvlScriptObject* object =
                report_->findObjectOnPage(number - 1, property.substr(0, dot)))
            return {object, std::string(property.substr(dot + 1))};
    return {report_->page(number - 1), std::string(property)};
}

ScriptTarget TInterpretator::FindTarget(std::string_view name) const {
    TvlScriptObject* running = report_ ? report_->runningObject() : nullptr;
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos) return {running, std::string(name)};
    const std::string_view objectName = name.substr(0, dot);
    const std::string_view property = name.substr(dot + 1);
    if (const int number = pageNumber(objectName)) return pageTarget(number, property);
    TvlScriptObject* object = report_ ? report_->findObject(objectName) : nullptr;
    if (!object && running && running->HasProperty(objectName)) return {running, std::string(name)};
    return {object, std::string(property)};
}

Variant TInterpretator::lookup(std::string_view name) {
    Variant value;
    GetValue(name, value);
    return value;
}

Variant TInterpretator::evaluate(const Variant& argumentText) {
    return scriptEngine().globalParser().Evaluate(argumentText.toString());
}

void TInterpretator::setArray(std::string_view name, const Variant& index, const Variant& value) {
    if (name.find('.') != std::string_view::npos) {
        if (const ScriptTarget t = FindTarget(name); t.object) {
            t.object->CallMethod("SETINDEXPROPERTY", Variant(UpperName(t.property)), index, value);
            return;
        }
    }
    scriptEngine().globalVariables().SetVariable(arrayElement(name, index), value);
}

Variant TInterpretator::getArray(std::string_view name, const Variant& index) {
    if (name.find('.') != std::string_view::npos) {
        if (const ScriptTarget t = FindTarget(name); t.object)
            return t.object->CallMethod("GETINDEXPROPERTY", Variant(UpperName(t.property)), index,
                                        Variant());
    }
    return scriptEngine().globalVariables().GetVariable(arrayElement(name, index));
}

bool TInterpretator::CallProcedure(std::string_view name, const Variant& p1, const Variant& p2,
                                   const Variant& p3, Variant& val) {
    const std::string upper = text::Upper(name);
    if (upper == "INC" || upper == "DEC") {
        const std::string target(TrimBlanks(p1.toString()));
        const Variant current = lookup(target);
        SetValue(target, upper == "INC" ? current + Variant(1) : current - Variant(1));
        return true;
    }
    if (upper == "SETARRAY") {
        const std::string array(TrimBlanks(p1.toString()));
        const Variant index = evaluate(p2);
        setArray(array, index, evaluate(p3));
        return true;
    }
    if (upper == "GETARRAY") {
        val = getArray(TrimBlanks(p1.toString()), evaluate(p2));
        return true;
    }
    if (upper.find('.') == std::string::npos) return false;
    const ScriptTarget target = FindTarget(name);
    if (!target.object) return false;
    val = target.object->CallMethod(UpperName(target.property), p1, p2, p3);
    return true;
}

} // namespace vl
