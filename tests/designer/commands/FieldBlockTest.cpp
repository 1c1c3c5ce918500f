#include "engine/build/TvlDBDataSet.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "tests/designer/commands/CommandsFixture.h"
#include "tests/support/MemoryTable.h"

using namespace vltest;

namespace {

class FieldBlockTest : public CommandsFixture {
protected:
    FieldBlockTest() {
        for (const char* name : {"Name", "City", "Phone"})
            customers.add(name, TFieldType::ftString, Variant(std::string()));
        customers.Open();
        source.SetDataSet(&customers);
        host.settings_.gridSize = 4;
    }
    void setWidths(int chars) {
        for (const auto& field : customers.Fields())
            field->DisplayWidth = chars;
    }
    std::vector<TvlView*> insert(bool horizontal, bool headers, bool bands,
                                 StringList fields = {"Name", "City", "Phone"}) {
        ask.onFields = [=](TvlFieldBlockChoice& c) {
            c = {"Customers", fields, horizontal, headers, bands};
            return true;
        };
        const std::size_t before = page().Objects.size();
        commands.InsertDBFields();
        std::vector<TvlView*> made;
        for (std::size_t i = before; i < page().Objects.size(); ++i)
            made.push_back(page().Objects[i].get());
        return made;
    }
    TvlPage& page() { return report.Pages()[0]; }

    MemoryTable customers{"Customers", &form};
    TvlDBDataSet source{"CustomerSource", &form};
};

} // namespace

TEST_F(FieldBlockTest, AWideRowIsSqueezedIntoThePageWithNoHeaderWiderThanItsField) {
    setWidths(60);
    const auto made = insert(true, true, false);
    ASSERT_EQ(made.size(), 6u);
    const int left = page().LeftEdge(), usable = page().RightEdge() - left;
    for (std::size_t i = 0; i < 6; i += 2) {
        const TvlView& header = *made[i];
        const TvlView& data = *made[i + 1];
        EXPECT_EQ(header.Memo, StringList{customers.Fields()[i / 2]->name()});
        EXPECT_EQ(data.Memo.at(0), "[Customers.\"" + customers.Fields()[i / 2]->name() + "\"]");
        EXPECT_EQ(data.Top, header.Top + TvlFieldBlockInserter::kRowOffset);
        EXPECT_LE(header.Width, data.Width);
        EXPECT_EQ(header.Left, data.Left);
        EXPECT_TRUE(host.session_.selected.contains(data) &&
                    host.session_.selected.contains(header));
    }
    const TvlView& last = *made.back();
    EXPECT_LE(last.Left + last.Width, page().RightEdge() + 1);
    EXPECT_GT(last.Left + last.Width, page().RightEdge() - left - 3);
    EXPECT_GT(usable, 0);
    // Proportional: the three fields are equally wide.
    EXPECT_NEAR(made[1]->Width, made[3]->Width, 1);
    EXPECT_NEAR(made[3]->Left - made[1]->Left, made[5]->Left - made[3]->Left, 1);
    EXPECT_EQ(host.selection_.count, 6);
    EXPECT_EQ(host.snapshots, std::vector<TvlSnapshotKind>{skInsert});
    EXPECT_TRUE(host.modified());
}

TEST_F(FieldBlockTest, ANarrowRowKeepsGridWidthsAndNamesEachObjectOnce) {
    setWidths(0); // the default of six characters
    const auto made = insert(true, false, false, {"Name", "City"});
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made[0]->Left, page().LeftEdge());
    EXPECT_EQ(made[0]->Top, page().TopEdge());
    EXPECT_EQ(made[0]->Width % 4, 0);
    EXPECT_GT(made[0]->Width, 0);
    EXPECT_EQ(made[1]->Left, made[0]->Left + made[0]->Width + 4);
    EXPECT_NE(made[0]->Name, made[1]->Name);
    EXPECT_FALSE(made[0]->Name.empty());
}

TEST_F(FieldBlockTest, AVerticalBlockStacksFieldsAndGetsAMasterDataBand) {
    const auto made = insert(false, true, true, {"Name", "City"});
    ASSERT_EQ(made.size(), 5u);
    const TvlView &nameHeader = *made[0], &nameData = *made[1], &cityHeader = *made[2];
    EXPECT_EQ(nameData.Top, nameHeader.Top);
    EXPECT_EQ(nameData.Left, nameHeader.Left + 2 * 4 + nameHeader.Width);
    EXPECT_EQ(cityHeader.Top, nameHeader.Top + nameData.Height + 4);
    auto* band = dynamic_cast<TvlBandView*>(made[4]);
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->bandType(), 5);
    EXPECT_EQ(band->Top, page().TopEdge());
    EXPECT_EQ(band->Height, cityHeader.Top + cityHeader.Height - page().TopEdge());
    EXPECT_EQ(band->FormatStr, "CustomerSource");
}

TEST_F(FieldBlockTest, HorizontalHeadersGetAPageHeaderBandUnlessThePageHasOne) {
    auto made = insert(true, true, true, {"Name"});
    ASSERT_EQ(made.size(), 4u);
    EXPECT_EQ(static_cast<TvlBandView*>(made[2])->bandType(), 2);
    EXPECT_EQ(static_cast<TvlBandView*>(made[3])->bandType(), 5);
    EXPECT_EQ(made[3]->Top, page().TopEdge() + TvlFieldBlockInserter::kRowOffset);

    made = insert(true, true, true, {"City"});
    ASSERT_EQ(made.size(), 3u);
    EXPECT_EQ(static_cast<TvlBandView*>(made[2])->bandType(), 5);
}

TEST_F(FieldBlockTest, NothingIsInsertedWithoutFieldsOrOnADialogPage) {
    EXPECT_TRUE(insert(true, false, false, {}).empty());
    page().PageType = ptDialog;
    EXPECT_TRUE(insert(true, false, false).empty());
    EXPECT_TRUE(host.snapshots.empty());
}
