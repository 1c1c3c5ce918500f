#pragma once

#include <QDateTime>
#include <QLocale>
#include <string>
#include <string_view>

namespace vl {

// The one locale the engine formats, parses and compares with. It is the
// system's locale unless a name (such as "en_US") selects another, so that
// output can be made reproducible. Text in and out is engine text.
class LocaleService {
public:
    LocaleService();
    explicit LocaleService(const QString& name);

    void select(const QString& name);
    const QLocale& qlocale() const { return locale_; }

    char decimalSeparator() const { return decimalSeparator_; }
    std::string upperCase(std::string_view text) const;
    std::string lowerCase(std::string_view text) const;
    // Locale-aware, case-sensitive comparison of two engine texts.
    int compareStrings(std::string_view a, std::string_view b) const;
    // A date-time (days since 1899-12-30) as short date and long time; the
    // time is left out at midnight.
    std::string dateTimeToString(double days) const;

private:
    void cache();

    QLocale locale_;
    char decimalSeparator_ = '.';
};

// OLE Automation dates: days since 1899-12-30; before that day the fraction
// still counts forward from midnight.
QDateTime OleDateToDateTime(double days);
double DateTimeToOleDate(const QDateTime& moment);

} // namespace vl
