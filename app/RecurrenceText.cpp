#include "app/RecurrenceText.h"

#include "engine/script/CodePage.h"
#include "engine/script/LocaleService.h"
#include "engine/script/ValueFormat.h"

#include <cmath>
#include <vector>

namespace quillet {

namespace {

namespace T = TaskOffset;

// Weekday 1 = Sunday ... 7 = Saturday; empty outside that range.
std::string dayName(const QLocale& locale, int weekday, QLocale::FormatType format) {
    if (weekday < 1 || weekday > 7) return {};
    const int qtDay = weekday == 1 ? 7 : weekday - 1;
    return vl::FromQt(locale.dayName(qtDay, format));
}

std::string monthName(const QLocale& locale, int month) {
    if (month < 1 || month > 12) return {};
    return vl::FromQt(locale.monthName(month, QLocale::LongFormat));
}

std::string number(int n) {
    return std::to_string(n);
}

// "1st", "2nd", "3rd", "4th", "11th", "12th", "13th", "21st", "22nd"...
std::string ordinalNumber(int n) {
    const int lastTwo = std::abs(n) % 100;
    const char* suffix = "th";
    if (lastTwo < 11 || lastTwo > 13) {
        switch (lastTwo % 10) {
        case 1:
            suffix = "st";
            break;
        case 2:
            suffix = "nd";
            break;
        case 3:
            suffix = "rd";
            break;
        default:
            break;
        }
    }
    return number(n) + suffix;
}

// "Every day", "Every other day", "Every 3rd day" (and week, year).
std::string every(int n, const char* unit) {
    if (n == 1) return std::string("Every ") + unit;
    if (n == 2) return std::string("Every other ") + unit;
    return "Every " + ordinalNumber(n) + " " + unit;
}

// " every month", " every other month", " every 4th month".
std::string everyMonth(int n) {
    if (n == 1) return " every month";
    if (n == 2) return " every other month";
    return " every " + ordinalNumber(n) + " month";
}

std::string afterCompletion(const TTaskRecord& task, const char* unit) {
    return "Make new task after " + number(task.int32(T::RepeatAfter)) + " " + unit +
           "(s) of the completion date";
}

// "The 2nd ", "The last " or nothing.
std::string ordinal(int week) {
    if (week >= 1 && week <= 4) return "The " + ordinalNumber(week) + " ";
    if (week == 5) return "The last ";
    return {};
}

std::string weekdayList(const QLocale& locale, const TTaskRecord& task) {
    std::vector<int> days;
    for (int d = 0; d < 7; ++d)
        if (task.flag(T::RepeatWeekDays + d)) days.push_back(d + 1);
    if (days.empty()) return {};
    if (days.size() == 1) return " on " + dayName(locale, days[0], QLocale::LongFormat);
    std::string text = " on " + dayName(locale, days[0], QLocale::ShortFormat);
    for (std::size_t i = 1; i < days.size(); ++i)
        text += (i + 1 == days.size() ? " and " : ", ") +
                dayName(locale, days[i], QLocale::ShortFormat);
    return text;
}

std::string ruleText(const TTaskRecord& task, const vl::LocaleService& locale) {
    const int interval = task.int32(T::RepeatInterval);
    switch (task.byte(T::RepeatKind)) {
    case 1:
        return every(interval, "day");
    case 2:
        return "Every work day";
    case 3:
        return afterCompletion(task, "day");
    case 4:
        return every(interval, "week") + weekdayList(locale.qlocale(), task);
    case 5:
        return afterCompletion(task, "week");
    case 6:
        return "The " + ordinalNumber(task.int32(T::RepeatDayOfMonth)) + " of" +
               everyMonth(interval);
    case 7:
        return ordinal(task.int32(T::RepeatMonthWeek)) +
               dayName(locale.qlocale(), task.int32(T::RepeatMonthWeekDay), QLocale::LongFormat) +
               " of" + everyMonth(task.int32(T::RepeatMonthInterval));
    case 8:
        return afterCompletion(task, "month");
    case 9:
        return every(interval, "year");
    case 10:
        return ordinal(task.int32(T::RepeatYearWeek)) +
               dayName(locale.qlocale(), task.int32(T::RepeatYearWeekDay), QLocale::LongFormat) +
               " of " + monthName(locale.qlocale(), task.int32(T::RepeatYearMonth));
    case 11:
        return afterCompletion(task, "year");
    default:
        return {};
    }
}

std::string endClause(const TTaskRecord& task, const QDate& today,
                      const vl::LocaleService& locale) {
    switch (task.int32(T::RepeatEnd)) {
    case 1:
        return " until " + DescribeDate("mmmm d, yyyy", task.date(T::RepeatUntil), today, locale);
    case 2:
        return " - " + number(task.int32(T::RepeatTimes)) + " time(s)";
    default:
        return {};
    }
}

} // namespace

std::string DescribeRecurrence(const TTaskRecord& task, const QDate& today,
                               const vl::LocaleService& locale) {
    return ruleText(task, locale) + endClause(task, today, locale);
}

std::string DescribeDate(const std::string& format, double date, const QDate& today,
                         const vl::LocaleService& locale) {
    const double day = std::trunc(date);
    const double todayDays = static_cast<double>(QDate(1899, 12, 30).daysTo(today));
    const double diff = day - todayDays;
    if (diff == 0) return "Today";
    if (diff == 1) return "Tomorrow";
    if (diff == -1) return "Yesterday";
    return vl::FormatDateTime(format, date, locale);
}

} // namespace quillet
