#include "designer/workspace/ObjectRecord.h"
#include "designer/workspace/ObjectSelection.h"
#include "designer/workspace/SessionHooks.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/model/ModelContext.h"
#include "engine/model/ObjectFactory.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/ViewServices.h"
#include "engine/model/ViewState.h"

#include <gtest/gtest.h>

using namespace vl;

namespace {

TvlView& AddMemo(TvlPage& page, const char* name) {
    auto view = CreateObject(page.Engine().model(), otMemo);
    view->Name = name;
    return page.AddObject(std::move(view));
}

struct NoHooks : TvlDesignerHooks {
    void editProperty(TvlView&, std::string_view) override {}
};

} // namespace

TEST(ObjectSelection, FollowsTheObjectsNumberNotItsAddress) {
    TvlEngine engine;
    TvlPage page{engine};
    TvlView& a = AddMemo(page, "A");
    TvlView& b = AddMemo(page, "B");
    TvlView& c = AddMemo(page, "C");
    TvlObjectSelection selection;
    selection.select(c);
    selection.select(a);
    EXPECT_EQ(selection.in(page), (std::vector<TvlView*>{&a, &c})) << "in page order";
    EXPECT_EQ(selection.topmostIn(page), &c);
    EXPECT_EQ(selection.onlyIn(page), nullptr);
    selection.toggle(c);
    EXPECT_EQ(selection.onlyIn(page), &a);
    EXPECT_EQ(selection.countIn(page), 1);

    // Undo puts back a copy of a deleted object under its number: the copy
    // is selected as the original was.
    const TvlObjectRecord record(a);
    page.Objects.erase(page.Objects.begin());
    // An object made now may take the freed memory; it is not selected.
    TvlView& fresh = AddMemo(page, "D");
    EXPECT_FALSE(selection.contains(fresh));
    page.Objects.push_back(record.create(engine.model()));
    TvlView& copy = *page.Objects.back();
    EXPECT_TRUE(selection.contains(copy));
    EXPECT_EQ(selection.in(page), std::vector<TvlView*>{&copy});
    EXPECT_FALSE(selection.contains(b));
}

TEST(ObjectSelection, AnObjectWithoutANumberGetsOneWhenSelected) {
    TvlEngine engine;
    TvlPage page{engine};
    TvlView& made = page.AddObject(std::make_unique<TvlMemoView>());
    TvlView& other = page.AddObject(std::make_unique<TvlMemoView>());
    ASSERT_EQ(made.ID, 0);
    TvlObjectSelection selection;
    EXPECT_FALSE(selection.contains(other)) << "number 0 is nobody";
    selection.select(made);
    EXPECT_NE(made.ID, 0);
    EXPECT_TRUE(selection.contains(made));
    EXPECT_FALSE(selection.contains(other));
    selection.selectAllOf(page);
    EXPECT_EQ(selection.countIn(page), 2);
    selection.clear();
    EXPECT_EQ(selection.countIn(page), 0);
}

TEST(SessionHooks, TheLastPushedAnswerAndTheEngineGetsItsOwnBackAtTheEnd) {
    TvlViewState first, second;
    NoHooks host, window, services, other;
    first.designer = &host;
    {
        TvlSessionHooks hooks;
        hooks.push(first, window);
        hooks.push(first, services);
        hooks.push(second, other);
        EXPECT_EQ(first.designer, &services);
        EXPECT_EQ(second.designer, &other);

        hooks.remove(window); // taken out from below: the top stays
        EXPECT_EQ(first.designer, &services);
        first.designer = nullptr; // a preview put its own in place
        hooks.reinstall();
        EXPECT_EQ(first.designer, &services);
        hooks.remove(services);
        EXPECT_EQ(first.designer, &host) << "the hooks from before the session";

        hooks.push(first, window);
        EXPECT_EQ(first.designer, &window);
    }
    EXPECT_EQ(first.designer, &host);
    EXPECT_EQ(second.designer, nullptr);
}
