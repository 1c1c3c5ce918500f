#include "app/OrganizerRecord.h"

#include <gtest/gtest.h>

using namespace quillet;

TEST(OrganizerRecord, TextTakesTheStoredLengthButStopsAtTheRecordEnd) {
    TContactRecord c;
    c.setText(ContactOffset::Name, 52, "Ada Lovelace");
    EXPECT_EQ(c.name(), "Ada Lovelace");
    // a length byte larger than its field reads into the next field
    c.data()[309] = 2;
    c.data()[310] = 'D';
    c.data()[311] = 'r';
    c.data()[ContactOffset::Name] = 54;
    EXPECT_EQ(c.name().size(), 54u);
    // a length byte at the very end cannot reach past the record
    c.data()[kContactRecordSize - 2] = 255;
    EXPECT_EQ(c.text(kContactRecordSize - 2).size(), 1u);
    EXPECT_EQ(c.text(kContactRecordSize - 1), "");
    EXPECT_EQ(c.text(kContactRecordSize + 10), "");
}

TEST(OrganizerRecord, WritersCutTextToTheRoom) {
    TContactRecord c;
    c.setText(309, 21, std::string(40, 'x'));
    EXPECT_EQ(c.text(309), std::string(20, 'x'));
    EXPECT_EQ(c.byte(330), 0); // the next field is untouched
}

TEST(OrganizerRecord, NotesEndAtTheFirstZeroOrFillTheBlock) {
    TTaskRecord t;
    t.setNotes(TaskOffset::Notes, "line 1\r\nline 2");
    EXPECT_EQ(ReadNotes(t), "line 1\r\nline 2");
    std::fill(t.data() + TaskOffset::Notes, t.data() + TaskOffset::Notes + kNotesSize, 'n');
    EXPECT_EQ(ReadNotes(t).size(), 1024u);
    // the contact notes block is followed by the phones; still 1024 at most
    TContactRecord c;
    std::fill(c.data() + ContactOffset::Notes, c.data() + c.size(), 'z');
    EXPECT_EQ(ReadNotes(c).size(), 1024u);
}

TEST(OrganizerRecord, NumbersAndDatesAtFieldBoundaries) {
    TTaskRecord t;
    t.setInt32(TaskOffset::RepeatYearMonth, -7);
    t.setDate(TaskOffset::DueDate, 46000.75);
    t.setByte(TaskOffset::Progress, 200);
    EXPECT_EQ(t.int32(TaskOffset::RepeatYearMonth), -7);
    EXPECT_EQ(t.dueDate(), 46000.75);
    EXPECT_EQ(t.byte(TaskOffset::Progress), 200);
    EXPECT_EQ(t.int32(kTaskRecordSize - 3), 0); // not enough room: nothing read
    EXPECT_EQ(t.date(kTaskRecordSize - 7), 0.0);
}

TEST(RecordLayout, TablesMatchTheRecordSizes) {
    for (const auto* layout : {&TaskLayout(), &ContactLayout()}) {
        const int size = layout == &TaskLayout() ? kTaskRecordSize : kContactRecordSize;
        for (const auto& f : *layout) {
            EXPECT_GE(f.offset, 0) << f.name;
            EXPECT_LE(f.offset + f.room, size) << f.name;
        }
    }
    EXPECT_EQ(ContactLayout().size(), 19u + 22u + 36u);
    const RecordField* fax = FindField(ContactLayout(), "Fax2");
    ASSERT_NE(fax, nullptr);
    EXPECT_EQ(fax->offset, 2036 + 21 * 18);
    EXPECT_EQ(FindField(ContactLayout(), "Custom3")->offset + 21, 2498);
    EXPECT_EQ(FindField(TaskLayout(), "Nope"), nullptr);
}
