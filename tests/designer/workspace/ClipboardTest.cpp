#include "SurfaceFixture.h"
#include "engine/script/Stream.h"
#include "engine/script/StreamIO.h"

using namespace vltest;

namespace {

class SurfaceClipboard : public SurfaceTest {
protected:
    std::vector<TvlView*> paste() {
        const std::size_t before = host.page->Objects.size();
        surface.pasteClipboard();
        std::vector<TvlView*> added;
        for (std::size_t i = before; i < host.page->Objects.size(); ++i)
            added.push_back(host.page->Objects[i].get());
        return added;
    }
};

} // namespace

TEST_F(SurfaceClipboard, PastedObjectsStartAtTheTopLeftWithNewNames) {
    host.session_.selected.select(add(100, 50, 40, 20, "Memo1"));
    host.session_.selected.select(add(150, 80, 40, 20, "Memo2"));
    add(300, 300, 40, 20, "Other");
    surface.copySelection();
    ASSERT_EQ(host.session_.clipboard.size(), 2u);
    const auto added = paste();
    ASSERT_EQ(added.size(), 2u);
    EXPECT_EQ(rect(*added[0]), QRect(0, 0, 40, 20));
    EXPECT_EQ(rect(*added[1]), QRect(50, 30, 40, 20));
    EXPECT_EQ(added[0]->Name, "Memo3");
    EXPECT_EQ(added[1]->Name, "Memo4");
    EXPECT_EQ(selected(), added);
    EXPECT_EQ(host.sel.count, 2);
    EXPECT_EQ(host.snapshots, std::vector<TvlSnapshotKind>{skInsert});

    // scrolled down, they land in view on the grid
    host.offset = QPoint(0, 303);
    const auto scrolled = paste();
    EXPECT_EQ(scrolled[0]->Top, 292); // the surface's top is 10 - 303
    EXPECT_EQ(scrolled[0]->Left, 0);
}

TEST_F(SurfaceClipboard, SelectedBandReceivesThePaste) {
    host.session_.selected.select(add(100, 50, 40, 20, "Memo1"));
    host.session_.selected.select(add(150, 80, 40, 20, "Memo2"));
    surface.copySelection();
    host.session_.selected.clear();
    TvlBandView& data = band(5, 400, 60, "MasterData1");
    host.session_.selected.select(data);
    const auto added = paste();
    ASSERT_EQ(added.size(), 2u);
    EXPECT_EQ(added[0]->Top, 400);
    EXPECT_EQ(added[1]->Top, 430);
    EXPECT_FALSE(host.session_.selected.contains(data));
}

TEST_F(SurfaceClipboard, BandsAPageHasOnceAreNotPastedTwice) {
    host.session_.selected.select(band(0, 20, 40, "ReportTitle1"));
    host.session_.selected.select(band(5, 100, 40, "MasterData1"));
    surface.copySelection();
    const auto added = paste();
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0]->FrameTyp, 5);
    EXPECT_EQ(added[0]->Name, "Band1"); // base names are not stored
    // bands go below the other objects
    EXPECT_NE(dynamic_cast<TvlBandView*>(host.page->Objects.front().get()), nullptr);
}

TEST_F(SurfaceClipboard, UnreadableRecordsAreLeftOut) {
    host.session_.selected.select(add(100, 50, 40, 20, "Memo1"));
    surface.copySelection();
    auto& clipboard = host.session_.clipboard;
    MemoryStream gone; // an add-in class that is not registered any more
    WriteByte(gone, otAddIn);
    WriteString(gone, "TvlGoneView");
    clipboard.emplace_back(reinterpret_cast<const char*>(gone.data().data()),
                           static_cast<qsizetype>(gone.data().size()));
    clipboard.push_back(clipboard.front().left(9)); // cut short
    const auto added = paste();
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0]->Name, "Memo2");
}
