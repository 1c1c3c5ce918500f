#include "SurfaceFixture.h"
#include "designer/dictionary/DataFieldMime.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/TvlSubReportView.h"

#include <QDragEnterEvent>
#include <QDropEvent>

using namespace vltest;

namespace {

class SurfaceInsert : public SurfaceTest {
protected:
    void choose(int tool) { host.sel.tool = tool; }
    TvlView& last() { return *host.page->Objects.back(); }
};

} // namespace

TEST_F(SurfaceInsert, ClickInsertsADefaultTextObject) {
    host.settings_.editAfterInsert = true;
    host.session_.newObject.frameSides = vlftLeft | vlftTop;
    host.session_.newObject.fontName = "Courier New";
    choose(dtText);
    click({103, 57});
    ASSERT_EQ(host.page->Objects.size(), 1u);
    auto& memo = dynamic_cast<TvlMemoView&>(last());
    EXPECT_EQ(rect(memo), QRect(100, 56, 96, 20));
    EXPECT_EQ(memo.Name, "Memo1");
    EXPECT_EQ(memo.FrameTyp, vlftLeft | vlftTop);
    EXPECT_EQ(memo.Font.name, "Courier New");
    EXPECT_TRUE(host.session_.selected.contains(memo));
    EXPECT_EQ(host.sel.object, &memo);
    EXPECT_EQ(host.snapshots, std::vector<TvlSnapshotKind>{skInsert});
    EXPECT_EQ(host.edits, std::vector<bool>{false});
    EXPECT_EQ(host.sel.tool, dtSelect); // the tool was used up

    // a drag gives the dragged rectangle, and KeepTool keeps the tool
    host.sel.keepTool = true;
    choose(dtPicture);
    drag({201, 203}, {263, 250});
    EXPECT_NE(dynamic_cast<TvlPictureView*>(&last()), nullptr);
    EXPECT_EQ(rect(last()), QRect(200, 200, 60, 48));
    EXPECT_EQ(host.sel.tool, dtPicture);
    EXPECT_EQ(selected(), std::vector<TvlView*>{&last()});
}

TEST_F(SurfaceInsert, BandTakesTheChosenTypeAndGoesBelowTheObjects) {
    add(40, 40, 60, 20, "Memo1");
    choose(dtBand);
    host.bandType = -1; // Cancel
    click({20, 100});
    EXPECT_EQ(host.page->Objects.size(), 1u);
    EXPECT_TRUE(host.snapshots.empty());

    host.bandType = 5;
    click({20, 100});
    ASSERT_EQ(host.page->Objects.size(), 2u);
    TvlView& front = *host.page->Objects.front();
    EXPECT_EQ(front.Name, "MasterData1");
    EXPECT_EQ(front.FrameTyp, 5);
    EXPECT_EQ(front.Top, 100);
    EXPECT_EQ(front.Height, 20);
    EXPECT_EQ(host.bandDialogs, 2);
}

TEST_F(SurfaceInsert, SubReportAppendsThePageItShows) {
    choose(dtSubReport);
    drag({100, 100}, {300, 200});
    auto& sub = dynamic_cast<TvlSubReportView&>(last());
    EXPECT_EQ(host.report_.Pages().Count(), 2);
    EXPECT_EQ(sub.SubPage, 1);
    EXPECT_EQ(sub.Name, "SubReport1");
    EXPECT_EQ(host.pageChanges, 1);
}

TEST_F(SurfaceInsert, LinesAreDrawnWithPositiveExtent) {
    host.session_.newObject.lineWidth = 3;
    choose(dtLine);
    drag({301, 99}, {150, 110}); // leftwards, mostly horizontal
    auto& line = dynamic_cast<TvlLineView&>(last());
    EXPECT_EQ(rect(line), QRect(152, 100, 148, 0)); // whole steps from (300, 100)
    EXPECT_EQ(line.FrameWidth, 3.0f);
    EXPECT_EQ(host.snapshots, std::vector<TvlSnapshotKind>{skInsert});

    // a line starts on a nearby object corner
    drag({151, 102}, {151, 140});
    EXPECT_EQ(rect(last()), QRect(152, 100, 0, 40)); // whole steps from the corner
    EXPECT_EQ(last().Name, "Line2");
    // a click draws nothing
    click({400, 400});
    EXPECT_EQ(host.page->Objects.size(), 2u);
    EXPECT_EQ(host.sel.tool, dtLine);
}

TEST_F(SurfaceInsert, DroppedDataFieldBecomesATextObject) {
    host.settings_.editAfterInsert = true;
    const auto mime = CreateDataFieldMimeData("Tasks.\"Name\"");
    QDragEnterEvent enter(QPoint(110, 110), Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(&surface, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(123, 130), Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(&surface, &drop);
    ASSERT_EQ(host.page->Objects.size(), 1u);
    auto& memo = dynamic_cast<TvlMemoView&>(last());
    EXPECT_EQ(memo.Memo, StringList{"[Tasks.\"Name\"]"});
    EXPECT_EQ(rect(memo), QRect(116, 124, 96, 20));
    EXPECT_TRUE(host.edits.empty()); // a dropped field opens no editor
    EXPECT_EQ(host.sel.tool, dtSelect);

    // dialog pages take no fields
    host.page->PageType = ptDialog;
    QDragEnterEvent refused(QPoint(110, 110), Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(&surface, &refused);
    EXPECT_FALSE(refused.isAccepted());
}

// A text object clicked or dropped into a band stays within the band, so
// that it prints with it; one dragged across the band's edge is left where
// the user drew it, and one off the bands where it was clicked.
TEST_F(SurfaceInsert, ClickedAndDroppedObjectsKeepToTheirBand) {
    const TvlBandView& master = band(btMasterData, 100, 20, "MasterData");
    choose(dtText);
    click({203, 113}); // a 20-high object from 112 would end 12 below the band
    EXPECT_EQ(rect(last()), QRect(200, 100, 96, 20));

    const auto mime = CreateDataFieldMimeData("Tasks.\"Name\"");
    QDragEnterEvent enter(QPoint(310, 115), Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(&surface, &enter);
    QDropEvent drop(QPointF(310, 118), Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(&surface, &drop);
    EXPECT_EQ(rect(last()).top(), master.Top);

    // a band lower than the object: its top stays at the band's top
    band(btPageFooter, 300, 12, "PageFooter");
    choose(dtText);
    click({403, 305});
    EXPECT_EQ(rect(last()), QRect(400, 300, 96, 20));

    choose(dtText);
    drag({401, 113}, {463, 141});
    EXPECT_EQ(rect(last()), QRect(400, 112, 60, 28));
    choose(dtText);
    click({403, 203});
    EXPECT_EQ(rect(last()), QRect(400, 200, 96, 20));
}
