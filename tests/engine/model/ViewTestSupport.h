#pragma once

#include "engine/model/TvlBandView.h"
#include "engine/model/TvlView.h"
#include "engine/model/ViewState.h"
#include "engine/script/TextUtils.h"
#include "tests/support/ThreadEngine.h"

#include <map>
#include <memory>
#include <vector>

namespace vl::test {

// A page holding views, with a usable area from left to right.
class FakePage : public TvlViewPage {
public:
    FakePage(int left = 38, int right = 756, int width = 794, int height = 1123)
        : left_(left), right_(right), width_(width), height_(height) {}

    template <class T> T& add(std::unique_ptr<T> view) {
        T& ref = *view;
        views_.push_back(std::move(view));
        return ref;
    }
    template <class T = TvlView> T& add(int left, int top, int width, int height) {
        auto v = std::make_unique<T>();
        v->SetBounds(left, top, width, height);
        return add(std::move(v));
    }

    int viewCount() const override { return static_cast<int>(views_.size()); }
    TvlView* viewAt(int i) const override { return views_[static_cast<std::size_t>(i)].get(); }
    int leftEdge() const override { return left_; }
    int rightEdge() const override { return right_; }
    int pixelWidth() const override { return width_; }
    int pixelHeight() const override { return height_; }

private:
    std::vector<std::unique_ptr<TvlView>> views_;
    int left_, right_, width_, height_;
};

// A report that finds objects on its pages, evaluates expressions as
// literal text (or through a table) and records what the views ask for.
class FakeHost : public TvlViewHost {
public:
    std::vector<const FakePage*> pages;
    std::map<std::string, Variant> values;
    int scriptRuns = 0;
    int hookRuns = 0;

    std::string componentName() const override { return "Report1"; }
    TvlView* findObject(std::string_view name) const override {
        for (const FakePage* p : pages)
            for (int i = 0; i < p->viewCount(); ++i)
                if (SameText(p->viewAt(i)->Name, name)) return p->viewAt(i);
        return nullptr;
    }
    Variant evaluate(std::string_view expression) override {
        const auto it = values.find(std::string(expression));
        return it == values.end() ? Variant(std::string(expression)) : it->second;
    }
    std::string expandBracket(std::string_view text, TvlView&) override {
        return evaluate(text).toString();
    }
    void runScript(TvlView&, const StringList&) override { ++scriptRuns; }
    void beforeObjectOutput(TvlView&) override { ++hookRuns; }
    bool resolveDataField(std::string_view, TvlComponent*&, std::string&) override { return false; }
};

// Puts the engine's view state back as it was when the test ends.
class ViewStateGuard {
public:
    ViewStateGuard() {
        TvlViewState& s = ViewState();
        building_ = s.building;
        version_ = s.templateVersion;
        s.errorFlag = false;
        s.errorText.clear();
    }
    ~ViewStateGuard() {
        TvlViewState& s = ViewState();
        s.building = building_;
        s.templateVersion = version_;
        s.noDrawing = false;
        s.currentView = nullptr;
        s.currentBand = nullptr;
        s.currentPage = nullptr;
        s.designerPage = nullptr;
        s.host = nullptr;
        s.exportFilter = nullptr;
        s.designer = nullptr;
        s.showBandTitles = true;
        s.errorFlag = false;
        s.errorText.clear();
        s.addIns.clear();
    }

private:
    bool building_;
    int version_;
};

} // namespace vl::test
