#include "app/OrganizerBinding.h"

#include "app/RecurrenceText.h"
#include "engine/build/TvlEngine.h"

#include <gtest/gtest.h>

using namespace quillet;

namespace {

namespace T = TaskOffset;
namespace C = ContactOffset;

const QDate kToday(2026, 3, 10);

double ole(const QDate& d) {
    return static_cast<double>(QDate(1899, 12, 30).daysTo(d));
}

class BindingTest : public ::testing::Test {
protected:
    void SetUp() override {
        vl::Globals().localeService().select("en_US");
        binding.setRecordNumbers([this] { return taskNo; }, [this] { return contactNo; });
        binding.setToday([] { return kToday; });
    }
    TTaskRecord& addTask() {
        store.tasks().push_back(std::make_unique<TTaskRecord>());
        return *store.tasks().back();
    }
    TContactRecord& addContact() {
        store.contacts().push_back(std::make_unique<TContactRecord>());
        return *store.contacts().back();
    }
    vl::Variant get(std::string_view name) {
        vl::Variant v;
        binding.reportGetValue(name, v);
        return v;
    }

    OrganizerStore store;
    OrganizerBinding binding{store, vl::Globals().localeService()};
    int taskNo = 0, contactNo = 0;
};

std::string recurrence(int kind, std::initializer_list<std::pair<int, int>> ints,
                       std::initializer_list<int> days = {}) {
    TTaskRecord t;
    t.setByte(T::RepeatKind, static_cast<std::uint8_t>(kind));
    for (auto [offset, value] : ints)
        t.setInt32(offset, value);
    for (int d : days)
        t.setByte(T::RepeatWeekDays + d - 1, 1);
    return DescribeRecurrence(t, kToday, vl::Globals().localeService());
}

} // namespace

TEST_F(BindingTest, TaskFieldsAnswerOnlyForTasks) {
    TTaskRecord& t = addTask();
    t.setText(T::Name, 256, "Pay bills");
    t.setByte(T::Progress, 100);
    addContact().setText(C::Name, 52, "Ann");
    binding.setDataKind(DataKind::Tasks);
    EXPECT_TRUE(get("HomePhone").isNull());
    EXPECT_TRUE(get("name").identical(vl::Variant("Pay bills")));
    EXPECT_TRUE(get("Progress").identical(vl::Variant("100 %")));
    EXPECT_TRUE(get("DueDate").identical(vl::Variant("")));
    EXPECT_TRUE(get("StartDate").identical(vl::Variant::dateTime(0.0)));
    EXPECT_TRUE(get("Category").identical(vl::Variant("Unfiled category")));
    EXPECT_TRUE(get("Status").identical(vl::Variant("Not started")));
    t.setByte(T::Status, 9);
    EXPECT_TRUE(get("Status").isNull());
    t.setByte(T::Completed, 1);
    EXPECT_TRUE(get("Status").identical(vl::Variant("Completed")));
    taskNo = 1;
    EXPECT_TRUE(get("Name").isNull()); // past the end: no current record
}

TEST_F(BindingTest, ContactFields) {
    TContactRecord& c = addContact();
    c.setText(C::Category, 256, " ");
    c.setText(C::Phones + C::PhoneRoom * 8, C::PhoneRoom, "555-1234");
    c.setByte(C::HasBirthday, 1);
    c.setDate(C::Birthday, 30000.0);
    c.setNotes(C::Notes, "hello");
    EXPECT_TRUE(get("homephone").identical(vl::Variant("555-1234")));
    EXPECT_TRUE(get("Category").identical(vl::Variant(" ")));
    EXPECT_TRUE(get("Birthday").identical(vl::Variant::dateTime(30000.0)));
    EXPECT_TRUE(get("Anniversary").identical(vl::Variant("")));
    EXPECT_TRUE(get("Notes").identical(vl::Variant("hello")));
    EXPECT_TRUE(get("DueDate").isNull());
    c.setText(C::Category, 256, "");
    EXPECT_TRUE(get("Category").identical(vl::Variant("Unfiled category")));
    contactNo = -1;
    EXPECT_TRUE(get("HomePhone").isNull());
}

TEST_F(BindingTest, EndOfDataIsSignedAndImmediateForEmptyLists) {
    EXPECT_TRUE(binding.tasksAtEnd(0));
    addContact();
    EXPECT_FALSE(binding.contactsAtEnd(0));
    EXPECT_TRUE(binding.contactsAtEnd(1));
    EXPECT_FALSE(binding.contactsAtEnd(-1));
}

TEST_F(BindingTest, SortFunctionsReorderTheContacts) {
    addContact().setText(C::Name, 52, "b");
    addContact().setText(C::Name, 52, "A");
    store.contacts()[0]->setText(C::Category, 256, "a");
    EXPECT_TRUE(binding.runSortFunction("sortbyname"));
    EXPECT_EQ(store.contacts()[0]->name(), "A");
    EXPECT_TRUE(binding.runSortFunction("SortByCategory"));
    EXPECT_EQ(store.contacts()[0]->name(), "A"); // empty category first
    EXPECT_FALSE(binding.runSortFunction("LoadPhotos"));
}

TEST(Recurrence, Sentences) {
    vl::Globals().localeService().select("en_US");
    EXPECT_EQ(recurrence(4, {{T::RepeatInterval, 3}}, {1, 7}), "Every 3rd week on Sun and Sat");
    EXPECT_EQ(recurrence(4, {{T::RepeatInterval, 3}}), "Every 3rd week");
    EXPECT_EQ(recurrence(4, {{T::RepeatInterval, 1}}, {2, 4, 6}), "Every week on Mon, Wed and Fri");
    EXPECT_EQ(recurrence(4, {{T::RepeatInterval, 2}}, {3}), "Every other week on Tuesday");
    EXPECT_EQ(
        recurrence(
            7, {{T::RepeatMonthWeek, 5}, {T::RepeatMonthWeekDay, 2}, {T::RepeatMonthInterval, 2}}),
        "The last Monday of every other month");
    EXPECT_EQ(recurrence(9, {{T::RepeatInterval, 4}}), "Every 4th year");
    EXPECT_EQ(
        recurrence(10,
                   {{T::RepeatYearWeek, 2}, {T::RepeatYearWeekDay, 6}, {T::RepeatYearMonth, 11}}),
        "The 2nd Friday of November");
    EXPECT_EQ(recurrence(6, {{T::RepeatDayOfMonth, 22}, {T::RepeatInterval, 1}}),
              "The 22nd of every month");
    EXPECT_EQ(recurrence(6, {{T::RepeatDayOfMonth, 11}, {T::RepeatInterval, 3}}),
              "The 11th of every 3rd month");
    EXPECT_EQ(recurrence(6, {{T::RepeatDayOfMonth, 1}, {T::RepeatInterval, 21}}),
              "The 1st of every 21st month");
    EXPECT_EQ(recurrence(1, {{T::RepeatInterval, 2}}), "Every other day");
    EXPECT_EQ(recurrence(1, {{T::RepeatInterval, 7}}), "Every 7th day");
    EXPECT_EQ(recurrence(2, {}), "Every work day");
    EXPECT_EQ(recurrence(3, {{T::RepeatAfter, 4}}),
              "Make new task after 4 day(s) of the completion date");
    EXPECT_EQ(recurrence(11, {{T::RepeatAfter, 1}}),
              "Make new task after 1 year(s) of the completion date");
    EXPECT_EQ(recurrence(0, {}), "");
    EXPECT_EQ(recurrence(12, {{T::RepeatEnd, 2}, {T::RepeatTimes, 3}}), " - 3 time(s)");
}

TEST(Recurrence, EndClauseAndDates) {
    vl::Globals().localeService().select("en_US");
    TTaskRecord t;
    t.setByte(T::RepeatKind, 1);
    t.setInt32(T::RepeatInterval, 1);
    t.setInt32(T::RepeatEnd, 1);
    t.setDate(T::RepeatUntil, ole(kToday.addDays(1)));
    EXPECT_EQ(DescribeRecurrence(t, kToday, vl::Globals().localeService()),
              "Every day until Tomorrow");
    t.setInt32(T::RepeatEnd, 2);
    t.setInt32(T::RepeatTimes, 5);
    EXPECT_EQ(DescribeRecurrence(t, kToday, vl::Globals().localeService()),
              "Every day - 5 time(s)");
    EXPECT_EQ(
        DescribeDate("mmmm d, yyyy", ole(kToday) + 0.75, kToday, vl::Globals().localeService()),
        "Today");
    EXPECT_EQ(DescribeDate("mmmm d, yyyy", ole(kToday) - 1, kToday, vl::Globals().localeService()),
              "Yesterday");
    EXPECT_EQ(
        DescribeDate("mmmm d, yyyy", ole(QDate(2006, 3, 5)), kToday, vl::Globals().localeService()),
        "March 5, 2006");
}
