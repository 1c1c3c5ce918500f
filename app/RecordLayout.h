#pragma once

#include <string_view>
#include <vector>

namespace quillet {

// The organizer keeps tasks and contacts as fixed-size records. Bytes that
// no field lists belong to the organizer and are never read.
constexpr int kTaskRecordSize = 2848;
constexpr int kContactRecordSize = 5480;
constexpr int kNotesSize = 1024;

enum class FieldType {
    Text,     // length byte then characters; room counts the length byte
    Date,     // 8-byte OLE Automation date
    Byte,     // unsigned byte
    Flag,     // byte, 0 = no
    Int32,    // little-endian signed
    Notes,    // 1024 bytes of text ending at the first zero byte
    WeekDays, // 7 flags, Sunday first
};

struct RecordField {
    std::string_view name;
    FieldType type;
    int offset;
    int room; // bytes the field occupies
};

const std::vector<RecordField>& TaskLayout();
const std::vector<RecordField>& ContactLayout();
// The field of that exact name, or nullptr.
const RecordField* FindField(const std::vector<RecordField>& layout, std::string_view name);

// Offsets of the fields the program reads by name.
namespace TaskOffset {
constexpr int Completed = 0, Name = 1, Category = 257, HasDueDate = 513, DueDate = 520,
              StartDate = 536, Alarm = 560, Contacts = 572, Progress = 829, Status = 830,
              RepeatKind = 834, RepeatInterval = 836, RepeatAfter = 840, RepeatEnd = 844,
              RepeatUntil = 848, RepeatTimes = 856, RepeatWeekDays = 860, RepeatDayOfMonth = 868,
              RepeatMonthWeek = 872, RepeatMonthWeekDay = 876, RepeatMonthInterval = 880,
              RepeatYearWeek = 884, RepeatYearWeekDay = 888, RepeatYearMonth = 892, Notes = 1152;
}

namespace ContactOffset {
constexpr int Category = 1, Name = 257, HasBirthday = 973, Birthday = 976, HasAnniversary = 984,
              Anniversary = 992, HasPhoto = 1002, PhotoOffset = 1004, PhotoSize = 1008,
              Notes = 1012, Phones = 2036, PhoneRoom = 21, PhoneCount = 22;
}

} // namespace quillet
