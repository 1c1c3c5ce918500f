#pragma once

#include "app/OrganizerRecord.h"
#include "engine/script/LocaleService.h"

#include <QDate>
#include <string>

namespace quillet {

// The English sentence for a task's recurrence rule, with day and month
// names from the engine locale. `today` decides "Today", "Tomorrow" and
// "Yesterday" in the end date.
std::string DescribeRecurrence(const TTaskRecord& task, const QDate& today,
                               const vl::LocaleService& locale);

// "Today", "Tomorrow" or "Yesterday" for dates next to `today`, else the date
// in the engine's date format notation (for example "mmmm d, yyyy").
std::string DescribeDate(const std::string& format, double date, const QDate& today,
                         const vl::LocaleService& locale);

} // namespace quillet
