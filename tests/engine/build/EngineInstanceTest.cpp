#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/ModelContext.h"
#include "engine/model/ObjectFactory.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/ViewState.h"
#include "engine/script/FunctionDescriptions.h"
#include "engine/script/FunctionLibrary.h"
#include "engine/script/ScriptReportBinding.h"
#include "engine/script/TInterpretator.h"
#include "engine/script/TvlParser.h"

#include <gtest/gtest.h>

namespace vltest {
namespace {

using namespace vl;

// What an engine instance makes of its own (function libraries, the
// parser binding of its reports) stays in that instance, whichever engine
// the calling thread works for when it is made or released.
TEST(EngineInstance, FunctionLibrariesAndTheirDescriptionsBelongToTheirEngine) {
    const std::size_t defaultDescriptions = Globals().installedFunctions().Entries().size();
    ASSERT_GT(defaultDescriptions, 0u);
    TvlEngine engine; // made and used while the thread works for the default engine
    EXPECT_EQ(engine.installedFunctions().Entries().size(), defaultDescriptions);
    EXPECT_EQ(Globals().installedFunctions().Entries().size(), defaultDescriptions)
        << "the new engine's libraries described themselves in the default engine";
    EXPECT_NE(&engine.functionLibraries(), &Globals().functionLibraries());
}

TEST(EngineInstance, AReportReleasedElsewhereUnbindsItsOwnEnginesParser) {
    TvlEngine engine;
    const void* defaultBinding = Globals().globalParser().BoundTo;
    {
        TvlReport report(engine, "Bound");
        report.Pages().Add();
        report.ShowProgress = false;
        ASSERT_TRUE(report.PrepareReport());
        EXPECT_EQ(engine.globalParser().BoundTo, static_cast<const ScriptReportBinding*>(&report));
        EXPECT_EQ(Globals().globalParser().BoundTo, defaultBinding);
    }
    EXPECT_EQ(engine.globalParser().BoundTo, nullptr);
    EXPECT_EQ(engine.globalInterpretator().Binding(), nullptr);
    // nothing dangles: the engine evaluates without a report
    EXPECT_EQ(engine.globalParser().Evaluate("1 + 2").toInt(), 3);
}

// A report object belongs to the engine of the page that holds it, even when
// a host makes it while another engine's build calls back; its picture
// handle moves with it, so scripts of either engine reach only their own.
TEST(EngineInstance, AnObjectBelongsToTheEngineOfItsPage) {
    TvlEngine other;
    TvlReport report(other, "Other");
    TvlPage& page = report.Pages().Add();
    auto made = std::make_unique<TvlPictureView>(); // the thread works for the default engine
    ASSERT_EQ(&made->viewState(), &Globals().views());
    const std::int32_t defaultHandle = made->Picture.handle();
    auto& picture = static_cast<TvlPictureView&>(page.AddObject(std::move(made)));
    EXPECT_EQ(&picture.viewState(), &other.views());
    EXPECT_EQ(TvlPicture::fromHandle(Globals().views(), defaultHandle), nullptr);
    EXPECT_EQ(TvlPicture::fromHandle(other.views(), picture.Picture.handle()), &picture.Picture);

    const std::int32_t sequence = other.views().sequence;
    auto created = CreateObject(other.model(), otMemo);
    EXPECT_EQ(&created->viewState(), &other.views());
    EXPECT_EQ(created->ID, sequence + 1) << "numbered by its own engine";
}

} // namespace
} // namespace vltest
