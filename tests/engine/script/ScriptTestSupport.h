#pragma once

#include "engine/build/TvlEngine.h"
#include "engine/model/TvlObject.h"
#include "engine/script/EmptyReportBinding.h"
#include "engine/script/TInterpretator.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlVariables.h"
#include "tests/support/ThreadEngine.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vl::test {

// An object that records what scripts do to it. Its properties are the
// names it is given, plus Font.
class RecordingObject : public TvlObject {
public:
    explicit RecordingObject(std::string name, std::vector<std::string> properties = {"Visible"})
        : Name(std::move(name)), names_(std::move(properties)) {}

    void RegisterProperties() override {
        ClearProperties();
        for (const std::string& n : names_)
            AddProperty(n, 0);
    }
    void SetProperty(std::string_view name, const Variant& value) override {
        values[UpperName(name)] = value;
    }
    Variant GetProperty(std::string_view name) override {
        const auto it = values.find(UpperName(name));
        return it == values.end() ? Variant() : it->second;
    }
    Variant CallMethod(std::string_view name, const Variant& p1, const Variant& p2,
                       const Variant& p3) override {
        calls.push_back({std::string(name), p1, p2, p3});
        return Variant("result of " + std::string(name));
    }

    struct Call {
        std::string name;
        Variant p1, p2, p3;
    };
    std::string Name;
    std::map<std::string, Variant> values;
    std::vector<Call> calls;

private:
    std::vector<std::string> names_;
};

// A report with pages of recording objects, a data dictionary of plain
// values and recorded engine settings. Attached for its lifetime; script
// variables and the stop flag start empty and are cleared afterwards.
class ScriptTestReport : public EmptyReportBinding {
public:
    ScriptTestReport() : EmptyReportBinding(ScriptGlobals()) {
        reset();
        Attach();
    }
    ~ScriptTestReport() override {
        reset();
        ViewState().currentView = nullptr;
    }

    RecordingObject& addPage() {
        pages.push_back(std::make_unique<RecordingObject>("Page"));
        objects.emplace_back();
        return *pages.back();
    }
    RecordingObject& addObject(int page, const std::string& name,
                               std::vector<std::string> properties = {"Visible"}) {
        auto& list = objects[static_cast<std::size_t>(page)];
        list.push_back(std::make_unique<RecordingObject>(name, std::move(properties)));
        return *list.back();
    }

    TvlObject* findObject(std::string_view name) override {
        for (int i = 0; i < pageCount(); ++i)
            if (TvlObject* o = findObjectOnPage(i, name)) return o;
        return nullptr;
    }
    int pageCount() const override { return static_cast<int>(pages.size()); }
    // Tests make an object current through the engine's current view.
    TvlScriptObject* runningObject() override { return ViewState().currentView; }
    TvlObject* page(int index) override { return pages.at(static_cast<std::size_t>(index)).get(); }
    TvlObject* findObjectOnPage(int index, std::string_view name) override {
        for (const auto& o : objects.at(static_cast<std::size_t>(index)))
            if (SameText(o->Name, name)) return o.get();
        return nullptr;
    }
    bool setDictionaryVariable(std::string_view name, const Variant& value) override {
        for (auto& [n, v] : dictionary)
            if (SameText(n, name)) {
                v = value;
                return true;
            }
        return false;
    }
    void setModalResult(int value) override { modalResult = value; }
    void setCurY(int value) override { curY = value; }
    void showProgress(const std::string& text) override { progress.push_back(text); }

    std::vector<std::unique_ptr<RecordingObject>> pages;
    std::vector<std::vector<std::unique_ptr<RecordingObject>>> objects;
    std::map<std::string, Variant> dictionary;
    int modalResult = -1;
    int curY = -1;
    std::vector<std::string> progress;

private:
    static void reset() {
        Globals().globalVariables().Clear();
        Globals().stopRequested() = false;
    }
};

} // namespace vl::test
