#pragma once

#include "app/OrganizerRecord.h"

#include <memory>
#include <vector>

namespace quillet {

using TTaskList = std::vector<std::unique_ptr<TTaskRecord>>;
using TContacts = std::vector<std::unique_ptr<TContactRecord>>;

// Text keys compare upper-cased in the engine locale, then byte by byte.
int CompareKeys(const std::string& a, const std::string& b);
// Dates closer than one millisecond are equal.
int CompareDates(double a, double b);

// Category, then due date (set or not), then name.
int CompareTasks(const TTaskRecord& a, const TTaskRecord& b);
// Category, then name.
int CompareContactsByCategory(const TContactRecord& a, const TContactRecord& b);
int CompareContactsByName(const TContactRecord& a, const TContactRecord& b);

void SortTasks(TTaskList& tasks);
void SortContactsByCategory(TContacts& contacts);
void SortContactsByName(TContacts& contacts);

} // namespace quillet
