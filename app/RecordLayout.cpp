#include "app/RecordLayout.h"

#include <algorithm>
#include <array>

namespace quillet {

namespace {

using enum FieldType;

std::vector<RecordField> makeTaskLayout() {
    namespace O = TaskOffset;
    return {
        {"Completed", Flag, O::Completed, 1},
        {"Name", Text, O::Name, 256},
        {"Category", Text, O::Category, 256},
        {"HasDueDate", Flag, O::HasDueDate, 1},
        {"DueDate", Date, O::DueDate, 8},
        {"StartDate", Date, O::StartDate, 8},
        {"Alarm", Date, O::Alarm, 8},
        {"Contacts", Text, O::Contacts, 256},
        {"Progress", Byte, O::Progress, 1},
        {"Status", Byte, O::Status, 1},
        {"RepeatKind", Byte, O::RepeatKind, 1},
        {"RepeatInterval", Int32, O::RepeatInterval, 4},
        {"RepeatAfter", Int32, O::RepeatAfter, 4},
        {"RepeatEnd", Int32, O::RepeatEnd, 4},
        {"RepeatUntil", Date, O::RepeatUntil, 8},
        {"RepeatTimes", Int32, O::RepeatTimes, 4},
        {"RepeatWeekDays", WeekDays, O::RepeatWeekDays, 7},
        {"RepeatDayOfMonth", Int32, O::RepeatDayOfMonth, 4},
        {"RepeatMonthWeek", Int32, O::RepeatMonthWeek, 4},
        {"RepeatMonthWeekDay", Int32, O::RepeatMonthWeekDay, 4},
        {"RepeatMonthInterval", Int32, O::RepeatMonthInterval, 4},
        {"RepeatYearWeek", Int32, O::RepeatYearWeek, 4},
        {"RepeatYearWeekDay", Int32, O::RepeatYearWeekDay, 4},
        {"RepeatYearMonth", Int32, O::RepeatYearMonth, 4},
        {"Notes", Notes, O::Notes, kNotesSize},
    };
}

constexpr std::array<std::string_view, ContactOffset::PhoneCount> kPhones = {
    "Mobile",        "Pager",          "CarPhone",       "PrimaryPhone", "RadioPhone",
    "CallbackPhone", "CompanyPhone",   "AssistantPhone", "HomePhone",    "HomePhone2",
    "BusinessPhone", "BusinessPhone2", "OtherPhone",     "Telex",        "Isdn",
    "TTY",           "HomeFax",        "BusinessFax",    "Fax2",         "Custom1",
    "Custom2",       "Custom3"};

std::vector<RecordField> makeContactLayout() {
    namespace O = ContactOffset;
    std::vector<RecordField> fields = {
        {"Category", Text, O::Category, 256},
        {"Name", Text, O::Name, 52},
        {"Title", Text, 309, 21},
        {"Suffix", Text, 330, 21},
        {"LastName", Text, 351, 21},
        {"FirstName", Text, 372, 21},
        {"MiddleName", Text, 393, 21},
        {"Nickname", Text, 414, 26},
        {"Spouse", Text, 440, 21},
        {"Children", Text, 461, 256},
        {"Hobby", Text, 717, 256},
        {"HasBirthday", Flag, O::HasBirthday, 1},
        {"Birthday", Date, O::Birthday, 8},
        {"HasAnniversary", Flag, O::HasAnniversary, 1},
        {"Anniversary", Date, O::Anniversary, 8},
        {"HasPhoto", Flag, O::HasPhoto, 1},
        {"PhotoOffset", Int32, O::PhotoOffset, 4},
        {"PhotoSize", Int32, O::PhotoSize, 4},
        {"Notes", Notes, O::Notes, kNotesSize},
    };
    for (int k = 0; k < O::PhoneCount; ++k)
        fields.push_back({kPhones[k], Text, O::Phones + O::PhoneRoom * k, O::PhoneRoom});
    const std::vector<RecordField> rest = {
        {"Email", Text, 2498, 51},
        {"Email2", Text, 2549, 51},
        {"Email3", Text, 2600, 51},
        {"WebPage", Text, 2651, 51},
        {"HomePage", Text, 2702, 102},
        {"ICQ", Text, 2804, 21},
        {"AIM", Text, 2825, 21},
        {"YAHOO", Text, 2846, 21},
        {"MSN", Text, 2867, 21},
        {"Internet1", Text, 2888, 51},
        {"Internet2", Text, 2939, 51},
        {"Internet3", Text, 2990, 55},
        {"HomeStreet", Text, 3045, 256},
        {"HomeCity", Text, 3301, 21},
        {"HomeState", Text, 3322, 21},
        {"HomePostalCode", Text, 3343, 21},
        {"HomeCountry", Text, 3364, 21},
        {"Home1", Text, 3385, 51},
        {"Home2", Text, 3436, 51},
        {"Home3", Text, 3487, 51},
        {"Home4", Text, 3538, 51},
        {"JobTitle", Text, 3589, 21},
        {"Company", Text, 3610, 21},
        {"Department", Text, 3631, 21},
        {"Office", Text, 3652, 21},
        {"Manager", Text, 3673, 21},
        {"Assistant", Text, 3694, 21},
        {"BusinessStreet", Text, 3715, 256},
        {"BusinessCity", Text, 3971, 21},
        {"BusinessState", Text, 3992, 21},
        {"BusinessPostalCode", Text, 4013, 21},
        {"BusinessCountry", Text, 4034, 21},
        {"Business1", Text, 4395, 51},
        {"Business2", Text, 4446, 51},
        {"Business3", Text, 4497, 51},
        {"Business4", Text, 4548, 51},
    };
    fields.insert(fields.end(), rest.begin(), rest.end());
    return fields;
}

} // namespace

const std::vector<RecordField>& TaskLayout() {
    static const auto layout = makeTaskLayout();
    return layout;
}

const std::vector<RecordField>& ContactLayout() {
    static const auto layout = makeContactLayout();
    return layout;
}

const RecordField* FindField(const std::vector<RecordField>& layout, std::string_view name) {
    const auto it = std::find_if(layout.begin(), layout.end(),
                                 [&](const RecordField& f) { return f.name == name; });
    return it == layout.end() ? nullptr : &*it;
}

} // namespace quillet
