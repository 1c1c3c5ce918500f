#include "app/OrganizerSort.h"

#include <gtest/gtest.h>

using namespace quillet;

namespace {

std::unique_ptr<TTaskRecord> task(const std::string& category, double due,
                                  const std::string& name) {
    auto t = std::make_unique<TTaskRecord>();
    t->setText(TaskOffset::Category, 256, category);
    t->setDate(TaskOffset::DueDate, due);
    t->setText(TaskOffset::Name, 256, name);
    return t;
}

std::unique_ptr<TContactRecord> contact(const std::string& category, const std::string& name) {
    auto c = std::make_unique<TContactRecord>();
    c->setText(ContactOffset::Category, 256, category);
    c->setText(ContactOffset::Name, 52, name);
    return c;
}

std::vector<std::string> names(const TTaskList& list) {
    std::vector<std::string> out;
    for (const auto& t : list)
        out.push_back(t->name());
    return out;
}

} // namespace

TEST(OrganizerSort, DueDatesWithinAMillisecondTieAndNameDecides) {
    const double halfMs = 0.5 / 86'400'000.0;
    TTaskList list;
    list.push_back(task("work", 100.0, "b"));
    list.push_back(task("WORK", 100.0 + halfMs, "A"));
    SortTasks(list);
    EXPECT_EQ(names(list), (std::vector<std::string>{"A", "b"}));
    EXPECT_EQ(CompareDates(1.0, 1.0 + 2.0 / 86'400'000.0), -1);
}

TEST(OrganizerSort, TasksByCategoryDueDateName) {
    TTaskList list;
    list.push_back(task("Home", 5, "x"));
    list.push_back(task("", 9, "unfiled"));
    list.push_back(task("home", 3, "y"));
    list.push_back(task("Business", 1, "z"));
    SortTasks(list);
    EXPECT_EQ(names(list), (std::vector<std::string>{"unfiled", "z", "y", "x"}));
}

TEST(OrganizerSort, UpperCasedKeysCompareAsBytes) {
    EXPECT_EQ(CompareKeys("apple", "APPLE"), 0);
    EXPECT_LT(CompareKeys("app", "apple"), 0);
    // '_' (0x5F) sorts after upper-case letters once both are upper-cased
    EXPECT_LT(CompareKeys("zebra", "_x"), 0);
    // Windows-1252 letters upper-case too: "é" equals "É"
    EXPECT_EQ(CompareKeys("\xE9t\xE9", "\xC9T\xC9"), 0);
}

TEST(OrganizerSort, ContactsByCategoryThenNameOrByNameAlone) {
    TContacts list;
    list.push_back(contact("Friends", "Carl"));
    list.push_back(contact("", "Zed"));
    list.push_back(contact("friends", "anna"));
    SortContactsByCategory(list);
    EXPECT_EQ(list[0]->name(), "Zed");
    EXPECT_EQ(list[1]->name(), "anna");
    EXPECT_EQ(list[2]->name(), "Carl");
    SortContactsByName(list);
    EXPECT_EQ(list[0]->name(), "anna");
    EXPECT_EQ(list[2]->name(), "Zed");
}
