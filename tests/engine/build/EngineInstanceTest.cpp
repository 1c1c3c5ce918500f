#include "engine/build/TvlGlobals.h"
#include "engine/build/TvlReport.h"
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
    TvlGlobals engine; // made and used while the thread works for the default engine
    EXPECT_EQ(engine.installedFunctions().Entries().size(), defaultDescriptions);
    EXPECT_EQ(Globals().installedFunctions().Entries().size(), defaultDescriptions)
        << "the new engine's libraries described themselves in the default engine";
    EXPECT_NE(&engine.functionLibraries(), &Globals().functionLibraries());
}

TEST(EngineInstance, AReportReleasedElsewhereUnbindsItsOwnEnginesParser) {
    TvlGlobals engine;
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

} // namespace
} // namespace vltest
