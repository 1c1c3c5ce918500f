#pragma once

#include <QCollator>
#include <QDateTime>
#include <QLocale>
#include <array>
#include <string>
#include <string_view>

namespace vl {

// The one locale the engine formats, parses and compares with. It is the
// system's locale unless a name (such as "en_US") selects another, so that
// output can be made reproducible. Text in and out is engine text; date and
// time formats are in the engine's picture-letter notation (d, mm, yyyy, h,
// nn, ss, ampm, ...).
class LocaleService {
public:
    LocaleService();
    explicit LocaleService(const QString& name);

    void select(const QString& name);
    const QLocale& qlocale() const { return locale_; }

    char decimalSeparator() const { return decimalSeparator_; }
    // Display formats switch the separator for one value and put it back.
    void setDecimalSeparator(char separator) { decimalSeparator_ = separator; }
    char thousandSeparator() const { return thousandSeparator_; }
    char dateSeparator() const { return dateSeparator_; }
    char timeSeparator() const { return timeSeparator_; }
    const std::string& shortDateFormat() const { return shortDateFormat_; }
    const std::string& longDateFormat() const { return longDateFormat_; }
    const std::string& shortTimeFormat() const { return shortTimeFormat_; }
    const std::string& longTimeFormat() const { return longTimeFormat_; }
    const std::string& amText() const { return amText_; }
    const std::string& pmText() const { return pmText_; }
    // day 1 is Sunday .. 7 Saturday; month 1..12. Out of range gives "".
    const std::string& dayName(int day, bool longForm) const;
    const std::string& monthName(int month, bool longForm) const;

    std::string upperCase(std::string_view text) const;
    std::string lowerCase(std::string_view text) const;
    // Comparison of two engine texts by the collation of the engine's
    // locale (not the process's), case-sensitive.
    int compareStrings(std::string_view a, std::string_view b) const;
    // A date-time (days since 1899-12-30) as short date and long time; the
    // time is left out at midnight.
    std::string dateTimeToString(double days) const;

private:
    void cache();

    QLocale locale_;
    QCollator collator_;
    char decimalSeparator_ = '.';
    char thousandSeparator_ = ',';
    char dateSeparator_ = '/';
    char timeSeparator_ = ':';
    std::string shortDateFormat_, longDateFormat_, shortTimeFormat_, longTimeFormat_;
    std::string amText_, pmText_;
    std::array<std::string, 7> shortDays_, longDays_;
    std::array<std::string, 12> shortMonths_, longMonths_;
};

// A Qt date or time format in picture letters: M becomes m, m (minutes) n,
// H h, AP ampm; the time-zone letter is dropped.
std::string QtFormatToPicture(const QString& format);

// OLE Automation dates: days since 1899-12-30; before that day the fraction
// still counts forward from midnight.
QDateTime OleDateToDateTime(double days);
double DateTimeToOleDate(const QDateTime& moment);
// Days that name a moment between the years 1 and 9999.
bool IsValidOleDate(double days);

} // namespace vl
