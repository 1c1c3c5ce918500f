#include "designer/window/PageCommands.h"

#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/ObjectSelection.h"
#include "tests/designer/window/DesignerTestReport.h"

namespace vltest {
namespace {

class PageCommandsTest : public DesignerTestReport {
protected:
    TvlObjectSelection selection;
};

TEST_F(PageCommandsTest, MovingAPageKeepsEverySubReportOnItsPage) {
    TvlPage& first = addPage();
    TvlPage& second = addPage();
    TvlPage& third = addPage();
    TvlPage& fourth = addPage();
    auto& showsThird = subReport(first, "SubReport1", 2);
    auto& showsSecond = subReport(first, "SubReport2", 1);
    auto& showsFourth = subReport(second, "SubReport3", 3);

    MoveReportPage(report, 2, 0);
    EXPECT_EQ(&report.Pages()[0], &third);
    EXPECT_EQ(&report.Pages()[1], &first);
    EXPECT_EQ(&report.Pages()[2], &second);
    EXPECT_EQ(showsThird.SubPage, 0);
    EXPECT_EQ(showsSecond.SubPage, 2);
    EXPECT_EQ(showsFourth.SubPage, 3);

    // and forward: the first page to the end
    MoveReportPage(report, 0, 3);
    EXPECT_EQ(&report.Pages()[3], &third);
    EXPECT_EQ(&report.Pages()[0], &first);
    EXPECT_EQ(showsThird.SubPage, 3);
    EXPECT_EQ(showsSecond.SubPage, 1);
    EXPECT_EQ(showsFourth.SubPage, 2);
    EXPECT_EQ(&report.Pages()[2], &fourth);

    // an index outside the list changes nothing
    MoveReportPage(report, 0, 4);
    MoveReportPage(report, -1, 0);
    EXPECT_EQ(&report.Pages()[0], &first);
    EXPECT_EQ(showsSecond.SubPage, 1);
}

TEST_F(PageCommandsTest, TabTitlesNameTheSubReportThatShowsThePage) {
    TvlPage& first = addPage();
    addPage();
    EXPECT_EQ(PageTitle(report, 0), "Page1");
    EXPECT_EQ(PageTitle(report, 1), "Page2");
    addPage();
    subReport(first, "SubReport1", 2);
    EXPECT_EQ(PageTitle(report, 2), "SubReport1");
    EXPECT_EQ(PageTitle(report, 1), "Page2");
}

TEST_F(PageCommandsTest, DeleteKeepsUndeletableObjectsAndUnlinksDeletedChildBands) {
    TvlPage& page = addPage();
    auto& data = band(page, "MasterData1", btMasterData, 40);
    auto& child = band(page, "Child1", btChild, 80);
    auto& other = band(page, "Header1", btPageHeader, 0);
    data.ChildBand = "Child1";
    other.ChildBand = "ChildX";
    auto& kept = memo(page, "Kept", 10, 10);
    kept.Restrictions = rsNoDelete;
    memo(page, "Gone", 10, 40);
    memo(page, "Unselected", 10, 80);
    for (TvlView* view : std::initializer_list<TvlView*>{&child, &kept, page.FindObject("Gone")})
        selection.select(*view);

    EXPECT_EQ(DeleteSelectedObjects(page, selection), 2);
    EXPECT_EQ(selection.in(page), std::vector<TvlView*>{&kept}) << "only what stays is selected";
    EXPECT_EQ(names(page),
              (std::vector<std::string>{"MasterData1", "Header1", "Kept", "Unselected"}));
    EXPECT_EQ(data.ChildBand, "");
    EXPECT_EQ(other.ChildBand, "ChildX");
}

TEST_F(PageCommandsTest, ZOrderMovesSelectedMovableObjectsKeepingTheirOrder) {
    TvlPage& page = addPage();
    for (const char* name : {"A", "B", "C", "D", "E"})
        memo(page, name, 0, 0);
    selection.select(*page.FindObject("B"));
    selection.select(*page.FindObject("D"));
    selection.select(*page.FindObject("A"));
    page.FindObject("A")->Restrictions = rsNoMove;

    BringSelectionToFront(page, selection);
    EXPECT_EQ(names(page), (std::vector<std::string>{"A", "C", "E", "B", "D"}));
    SendSelectionToBack(page, selection);
    EXPECT_EQ(names(page), (std::vector<std::string>{"B", "D", "A", "C", "E"}));
}

TEST_F(PageCommandsTest, SelectionStateBits) {
    TvlPage& page = addPage();
    auto& text = memo(page, "Text", 0, 0);
    auto& data = band(page, "Data", btMasterData, 40);
    auto& sub = subReport(page, "Sub", 0);
    EXPECT_EQ(SelectionState(&page, selection, false), 0);
    EXPECT_EQ(SelectionState(nullptr, selection, false), 0);
    selection.select(text);
    EXPECT_EQ(SelectionState(&page, selection, false), ssText);
    selection.deselect(text);
    selection.select(data);
    EXPECT_EQ(SelectionState(&page, selection, false), ssBand);
    selection.deselect(data);
    selection.select(sub);
    EXPECT_EQ(SelectionState(&page, selection, false), ssOther);
    selection.select(text);
    EXPECT_EQ(SelectionState(&page, selection, false), ssSeveral);
    EXPECT_EQ(SelectionState(&page, selection, true), ssSeveral | ssClipboard);
    EXPECT_EQ(SelectionState(nullptr, selection, true), ssClipboard);
}

} // namespace
} // namespace vltest
