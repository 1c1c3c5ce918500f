#include "engine/build/TvlBand.h"
#include "tests/support/ReportFixture.h"

namespace vltest {
namespace {

class BuildCancelTest : public ReportFixture {
protected:
    // Builds with the stop flag set from outside once that many bands or
    // page counts have gone by, as the progress window's Cancel button would.
    void buildStoppingAfter(int steps) {
        int count = 0;
        const auto step = [&count, steps] {
            if (++count >= steps) Globals().stopRequested() = true;
        };
        report.Events.OnBeginBand = [step](TvlBand&) { step(); };
        report.Events.OnProgress = [step](int) { step(); };
        EXPECT_FALSE(build());
        EXPECT_TRUE(report.LastOutcome().cancelled()) << report.LastBuildError();
        EXPECT_GE(count, steps);
    }
};

// No band event comes while a script loops: the engine's step limit ends it.
TEST_F(BuildCancelTest, AScriptThatNeverEnds) {
    Globals().script().limits().scriptSteps = 100000;
    band(btReportTitle, 20, 20, "Title").Script = {"while 1 = 1 do i := 1"};
    memo("never", 20, 22);
    EXPECT_FALSE(build());
    EXPECT_TRUE(report.LastOutcome().failed());
}

TEST_F(BuildCancelTest, ADataSourceThatNeverEnds) {
    RowSource& endless = addSource("Endless", {});
    endless.OnCheckEOF = [](TvlDataset&, bool& eof) { eof = false; };
    band(btMasterData, 60, 20, "Data", "Endless");
    memo("row [LINE#]", 20, 62);
    buildStoppingAfter(500);
    EXPECT_GT(pageCount(), 0); // the pages built so far stay
}

TEST_F(BuildCancelTest, AnObjectTallerThanAnyPageInASplitBand) {
    addSource("Rows", numbered(2));
    TvlBandView& data = band(btMasterData, 60, 40, "Data", "Rows");
    data.Flags = TvlBandView::bfBreaked;
    memo("tall", 20, 62, 100, 5000).Flags = 0;
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_LT(pageCount(), 20);
}

TEST_F(BuildCancelTest, AHeaderThatFitsNoPageDoesNotOpenPageAfterPage) {
    addSource("Rows", numbered(100));
    band(btPageHeader, 10, 2000, "Header");
    memo("head", 20, 12);
    band(btMasterData, 2100, 20, "Data", "Rows");
    memo("R[N]", 20, 2102);
    // the records run out before the steps do, unless each opens pages
    report.Events.OnProgress = nullptr;
    int bands = 0;
    report.Events.OnBeginBand = [&bands](TvlBand&) {
        if (++bands >= 5000) Globals().stopRequested() = true;
    };
    build();
    EXPECT_LT(pageCount(), 200);
}

TEST_F(BuildCancelTest, ABandNamingNoDataSourceFailsWithAMessage) {
    band(btMasterData, 60, 20, "Data", "TestReport");
    memo("row", 20, 62);
    EXPECT_FALSE(build());
    EXPECT_EQ(pageCount(), 0);
    EXPECT_NE(report.LastBuildError().find("Invalid class typecast"), std::string::npos)
        << report.LastBuildError();
    // the template is intact: mended, it builds
    addSource("Rows", numbered(2));
    static_cast<TvlBandView*>(report.FindObject("Data"))->FormatStr = "Rows";
    ASSERT_TRUE(build());
    EXPECT_TRUE(report.LastBuildError().empty());
    EXPECT_EQ(texts(), (std::vector<std::string>{"row", "row"}));
}

TEST_F(BuildCancelTest, ADataSourceThatFailsWhileWalked) {
    RowSource& rows = addSource("Rows", numbered(5));
    rows.OnNext = [](TvlDataset& source) {
        if (source.RecordNo() == 3) throw VlError("connection lost");
    };
    band(btMasterData, 60, 20, "Data", "Rows");
    memo("row", 20, 62);
    EXPECT_FALSE(build());
    EXPECT_EQ(pageCount(), 0);
    EXPECT_NE(report.LastBuildError().find("connection lost"), std::string::npos);
}

// Positions and sizes near the ends of the integer range, as damaged files
// hold them, build without overflowing.
TEST_F(BuildCancelTest, GeometryNearTheIntegerLimits) {
    addSource("Rows", numbered(3));
    band(btMasterData, 2000000000, 2000000000, "Data", "Rows");
    memo("[N]", 2000000000, 2000000000, 2000000000, 2000000000);
    band(btPageFooter, -2000000000, 2000000000, "Footer");
    page->ColumnGap = 2000000000;
    page->Columns = 2000000000;
    int bands = 0;
    report.Events.OnBeginBand = [&bands](TvlBand&) {
        if (++bands >= 1000) Globals().stopRequested() = true;
    };
    build(); // the sanitizers catch an overflow
}

} // namespace
} // namespace vltest
