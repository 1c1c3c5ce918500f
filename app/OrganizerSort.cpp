#include "app/OrganizerSort.h"

#include "engine/build/TvlEngine.h"

#include <algorithm>
#include <cmath>

namespace quillet {

int CompareKeys(const std::string& a, const std::string& b) {
    const auto& locale = vl::Globals().localeService();
    const int c = locale.upperCase(a).compare(locale.upperCase(b));
    return (c > 0) - (c < 0);
}

int CompareDates(double a, double b) {
    constexpr double kMillisecond = 1.0 / 86'400'000.0;
    if (std::fabs(a - b) < kMillisecond) return 0;
    return a < b ? -1 : 1;
}

int CompareTasks(const TTaskRecord& a, const TTaskRecord& b) {
    if (const int c = CompareKeys(a.category(), b.category())) return c;
    if (const int c = CompareDates(a.dueDate(), b.dueDate())) return c;
    return CompareKeys(a.name(), b.name());
}

int CompareContactsByCategory(const TContactRecord& a, const TContactRecord& b) {
    if (const int c = CompareKeys(a.category(), b.category())) return c;
    return CompareKeys(a.name(), b.name());
}

int CompareContactsByName(const TContactRecord& a, const TContactRecord& b) {
    return CompareKeys(a.name(), b.name());
}

namespace {

template <typename List, typename Compare> void sortBy(List& list, Compare compare) {
    std::sort(list.begin(), list.end(),
              [&](const auto& a, const auto& b) { return compare(*a, *b) < 0; });
}

} // namespace

void SortTasks(TTaskList& tasks) {
    sortBy(tasks, CompareTasks);
}
void SortContactsByCategory(TContacts& contacts) {
    sortBy(contacts, CompareContactsByCategory);
}
void SortContactsByName(TContacts& contacts) {
    sortBy(contacts, CompareContactsByName);
}

} // namespace quillet
