#include "tests/support/ReportFixture.h"

namespace vltest {
namespace {

class PageRunTest : public ReportFixture {};

TEST_F(PageRunTest, HeaderRecordsAndFooterOfAMasterBand) {
    addSource("Rows", numbered(3));
    band(btMasterHeader, 20, 20);
    memo("Head", 20, 22);
    band(btMasterData, 60, 20, "Data", "Rows");
    memo("Row [N]", 20, 62);
    band(btMasterFooter, 100, 20);
    memo("Foot", 20, 102);
    ASSERT_TRUE(build()) << report.LastBuildError();
    EXPECT_EQ(texts(), (std::vector<std::string>{"Head", "Row 1", "Row 2", "Row 3", "Foot"}));
}

} // namespace
} // namespace vltest
