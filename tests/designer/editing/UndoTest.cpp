#include "engine/model/ModelContext.h"
#include "engine/model/TvlPictureView.h"
#include "tests/designer/editing/FakeDesignerHost.h"

namespace vltest {
namespace {

using UndoTest = EditingFixture;

TEST_F(UndoTest, MoveUndoRedoAndANewChangeEmptiesRedo) {
    TvlMemoView& memo = host.memo("Memo1", 10, 20);
    host.select({&memo});
    host.takeSnapshot(skChange);
    memo.Left = 50;
    ASSERT_TRUE(editing.undo().canUndo());
    EXPECT_TRUE(host.modified);

    editing.undo().Undo();
    EXPECT_EQ(memo.Left, 10);
    EXPECT_FALSE(editing.undo().canUndo());
    ASSERT_TRUE(editing.undo().canRedo());
    EXPECT_TRUE(host.session_.selected.contains(memo)) << "the object moved back stays selected";

    editing.undo().Redo();
    EXPECT_EQ(memo.Left, 50);
    EXPECT_TRUE(editing.undo().canUndo());

    editing.undo().Undo();
    host.select({&memo});
    host.takeSnapshot(skChange);
    EXPECT_FALSE(editing.undo().canRedo());
    EXPECT_GE(redraws, 3);
}

TEST_F(UndoTest, SeveralStepsOfResizeAndPropertyChangeUndoInTurn) {
    TvlMemoView& memo = host.memo("Memo1", 0, 0, 40, 20);
    host.select({&memo});
    host.takeSnapshot(skChange);
    memo.Width = 80;
    host.select({&memo});
    host.takeSnapshot(skChange);
    memo.Font.size = 14;
    memo.Memo = {"[Tasks.\"Name\"]"};
    host.select({&memo});
    host.takeSnapshot(skChange);
    memo.FrameTyp = vlftTop | vlftLeft;

    editing.undo().Undo();
    EXPECT_EQ(memo.FrameTyp, vlftNone);
    EXPECT_EQ(memo.Font.size, 14);
    editing.undo().Undo();
    EXPECT_EQ(memo.Font.size, 10);
    EXPECT_TRUE(memo.Memo.empty());
    EXPECT_EQ(memo.Width, 80);
    editing.undo().Undo();
    EXPECT_EQ(memo.Width, 40);

    editing.undo().Redo();
    editing.undo().Redo();
    editing.undo().Redo();
    EXPECT_EQ(memo.Width, 80);
    EXPECT_EQ(memo.Font.size, 14);
    EXPECT_EQ(memo.Memo, StringList{"[Tasks.\"Name\"]"});
    EXPECT_EQ(memo.FrameTyp, vlftTop | vlftLeft);
}

TEST_F(UndoTest, DeletingTwoObjectsAndUndoingPutsBothBackInTheirPlaces) {
    host.memo("A", 0, 0);
    TvlMemoView& b = host.memo("B", 0, 30);
    host.memo("C", 0, 60);
    auto& d = host.add<TvlPictureView>(otPicture, "D", 0, 90, 30, 30);
    host.select({&b, &d});
    host.takeSnapshot(skDelete);
    std::erase_if(host.page().Objects,
                  [&](const auto& v) { return host.session_.selected.contains(*v); });
    ASSERT_EQ(host.order(), "A,C");

    editing.undo().Undo();
    EXPECT_EQ(host.order(), "A,B,C,D");
    EXPECT_EQ(host.selectedNames(), "B,D") << "what came back is selected";
    auto* picture = dynamic_cast<TvlPictureView*>(host.page().Objects[3].get());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Top, 90);

    // Redo deletes the same two objects again, found by their sequence.
    editing.undo().Redo();
    EXPECT_EQ(host.order(), "A,C");
    editing.undo().Undo();
    EXPECT_EQ(host.order(), "A,B,C,D");
}

TEST_F(UndoTest, UndoingAnInsertRemovesTheObjectAndRedoBringsItBack) {
    host.memo("A", 0, 0);
    TvlMemoView& inserted = host.memo("B", 5, 6, 70, 20);
    inserted.Memo = {"hello"};
    host.select({&inserted});
    host.selection().object = &inserted;
    host.takeSnapshot(skInsert);

    editing.undo().Undo();
    EXPECT_EQ(host.order(), "A");
    EXPECT_EQ(host.selection().object, nullptr);

    editing.undo().Redo();
    ASSERT_EQ(host.order(), "A,B");
    const TvlView& back = *host.page().Objects[1];
    EXPECT_EQ(back.Memo, StringList{"hello"});
    EXPECT_EQ(back.Width, 70);
}

TEST_F(UndoTest, AnOrderStepRestoresTheDrawingOrder) {
    TvlMemoView& a = host.memo("A", 0, 0);
    host.memo("B", 0, 0);
    host.memo("C", 0, 0);
    host.select({&a});
    host.takeSnapshot(skOrder);
    auto moved = std::move(host.page().Objects.front());
    host.page().Objects.erase(host.page().Objects.begin());
    host.page().Objects.push_back(std::move(moved));
    ASSERT_EQ(host.order(), "B,C,A");

    editing.undo().Undo();
    EXPECT_EQ(host.order(), "A,B,C");
    EXPECT_EQ(host.selectedNames(), "A") << "an order step keeps the selection";
    editing.undo().Redo();
    EXPECT_EQ(host.order(), "B,C,A");
}

TEST_F(UndoTest, AHundredAndOneChangesKeepTheLastHundred) {
    TvlMemoView& memo = host.memo("Memo1", 0, 0);
    for (int i = 1; i <= 101; ++i) {
        host.select({&memo});
        host.takeSnapshot(skChange);
        memo.Left = i;
    }
    EXPECT_EQ(editing.undo().undoList().size(), TvlUndoList::kMaxEntries);
    while (editing.undo().canUndo())
        editing.undo().Undo();
    // The first change can no longer be undone.
    EXPECT_EQ(memo.Left, 1);
    EXPECT_EQ(editing.undo().redoList().size(), TvlUndoList::kMaxEntries);
}

TEST_F(UndoTest, AStepWaitsUntilItsPageIsCurrentAgain) {
    TvlMemoView& memo = host.memo("Memo1", 10, 0);
    host.select({&memo});
    host.takeSnapshot(skChange);
    memo.Left = 99;

    host.pageIndex = 1;
    host.memo("Other", 10, 0);
    editing.undo().Undo();
    EXPECT_EQ(memo.Left, 99);
    EXPECT_TRUE(editing.undo().canUndo());
    EXPECT_EQ(host.order(), "Other");

    host.pageIndex = 0;
    editing.undo().Undo();
    EXPECT_EQ(memo.Left, 10);
}

TEST_F(UndoTest, WithUndoDisabledChangesStillMarkTheTemplateModified) {
    host.settings_.disableUndo = true;
    TvlMemoView& memo = host.memo("Memo1", 0, 0);
    host.select({&memo});
    host.takeSnapshot(skChange);
    EXPECT_TRUE(host.modified);
    EXPECT_FALSE(editing.undo().canUndo());

    // A snapshot of nothing records no step but still marks the change.
    host.settings_.disableUndo = false;
    host.modified = false;
    host.select({});
    host.takeSnapshot(skChange);
    EXPECT_TRUE(host.modified);
    EXPECT_FALSE(editing.undo().canUndo());
}

TEST_F(UndoTest, ObjectsOutsideUndoAndUndeletableObjectsAreLeftOut) {
    TvlMemoView& kept = host.memo("Kept", 0, 0);
    kept.Restrictions = rsNoDelete;
    TvlMemoView& gone = host.memo("Gone", 0, 30);
    TvlMemoView& helper = host.memo("Helper", 0, 60);
    helper.Flags |= ofNoUndo;
    host.select({&kept, &gone, &helper});
    host.takeSnapshot(skDelete);
    ASSERT_EQ(editing.undo().undoList().last().nodes.size(), 1u);
    // The delete leaves the locked object; undo must not add a second one.
    std::erase_if(host.page().Objects, [](const auto& v) { return v->Name == "Gone"; });
    editing.undo().Undo();
    EXPECT_EQ(host.order(), "Kept,Gone,Helper");
}

TEST_F(UndoTest, AChangeStepFindsItsObjectWhenOthersMovedWithoutAStep) {
    TvlMemoView& memo = host.memo("Memo1", 10, 0);
    host.select({&memo});
    host.takeSnapshot(skChange);
    memo.Left = 50;
    // An object outside undo inserted in front shifts every index.
    auto helper = CreateObject(ModelGlobals(), otPicture);
    helper->Name = "Helper";
    helper->Flags |= ofNoUndo;
    host.page().Objects.insert(host.page().Objects.begin(), std::move(helper));

    editing.undo().Undo();
    EXPECT_EQ(memo.Left, 10);
    EXPECT_EQ(host.order(), "Helper,Memo1");
    EXPECT_EQ(host.page().Objects.front()->Typ, otPicture);
}

TEST_F(UndoTest, TheButtonsAreToldWhenTheListsChange) {
    int told = 0;
    editing.undo().setChangedHandler([&told] { ++told; });
    TvlMemoView& memo = host.memo("Memo1", 0, 0);
    host.select({&memo});
    host.takeSnapshot(skChange);
    EXPECT_EQ(told, 1);
    editing.undo().Undo();
    EXPECT_GE(told, 2);
    const int before = told;
    editing.undo().clear();
    EXPECT_GT(told, before);
    EXPECT_FALSE(editing.undo().canUndo());
    EXPECT_FALSE(editing.undo().canRedo());
}

} // namespace
} // namespace vltest
