#include "engine/build/BuildReport.h"

#include "tests/support/ReportFixture.h"

namespace vltest {
namespace {

class BuildReportTest : public ReportFixture {};

TEST_F(BuildReportTest, AGoodBuildLeavesItsPages) {
    addSource("Rows", numbered(3));
    band(btMasterData, 60, 20, "Data", "Rows");
    memo("R[N]", 20, 62);
    EXPECT_NO_THROW(BuildReport(report));
    EXPECT_EQ(texts(), (std::vector<std::string>{"R1", "R2", "R3"}));
}

// A failed build reaches the host as an exception with line feeds.
TEST_F(BuildReportTest, AnErrorInAnObjectBecomesAnException) {
    band(btReportTitle, 20, 20, "Title");
    memo("[Nothing]", 20, 22).Name = "Broken";
    try {
        BuildReport(report);
        FAIL() << "no error";
    } catch (const ReportBuildError& e) {
        const std::string text = e.what();
        EXPECT_FALSE(e.cancelled());
        EXPECT_NE(text.find("Undefined symbol \"NOTHING\""), std::string::npos) << text;
        EXPECT_NE(text.find("Object: Broken\n"), std::string::npos) << text;
        EXPECT_EQ(text.find('\r'), std::string::npos);
    }
    EXPECT_EQ(pageCount(), 0);
    // the next good build does not see the old error
    report.FindObject("Broken")->Memo = {"fine"};
    EXPECT_NO_THROW(BuildReport(report));
    EXPECT_EQ(texts(), (std::vector<std::string>{"fine"}));
}

TEST_F(BuildReportTest, ACancelledDialogIsACancellation) {
    band(btReportTitle, 20, 20, "Title");
    memo("title", 20, 22);
    TvlPage& dialog = report.Pages().Add();
    dialog.PageType = ptDialog;
    dialog.Script = {"MODALRESULT := 2"};
    memo("a label", 10, 10, 100, 18, &dialog);
    try {
        BuildReport(report);
        FAIL() << "no error";
    } catch (const ReportBuildError& e) {
        EXPECT_TRUE(e.cancelled());
    }
    EXPECT_EQ(pageCount(), 0);
}

TEST_F(BuildReportTest, ATemplateWithoutReportPagesIsNoError) {
    report.Pages().Clear();
    EXPECT_NO_THROW(BuildReport(report));
    EXPECT_EQ(pageCount(), 0);
}

TEST(LineFeedText, CarriageReturnsBecomeLineFeedsOnce) {
    EXPECT_EQ(LineFeedText("a\rb\r\nc\r"), "a\nb\nc\n");
    EXPECT_EQ(LineFeedText("\r\r"), "\n\n");
    EXPECT_EQ(LineFeedText("plain\n"), "plain\n");
    EXPECT_EQ(LineFeedText(""), "");
}

} // namespace
} // namespace vltest
