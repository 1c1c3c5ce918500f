#include "engine/script/LocaleService.h"

#include "engine/script/CodePage.h"

#include <cmath>

namespace vl {

LocaleService::LocaleService() : locale_(QLocale::system()) {
    cache();
}

LocaleService::LocaleService(const QString& name) : locale_(name) {
    cache();
}

void LocaleService::select(const QString& name) {
    locale_ = QLocale(name);
    cache();
}

void LocaleService::cache() {
    const std::string sep = FromQt(locale_.decimalPoint());
    decimalSeparator_ = sep.size() == 1 ? sep[0] : '.';
}

std::string LocaleService::upperCase(std::string_view text) const {
    return CurrentCodePage().toUpper(text);
}

std::string LocaleService::lowerCase(std::string_view text) const {
    return CurrentCodePage().toLower(text);
}

} // namespace vl

namespace vl {

int LocaleService::compareStrings(std::string_view a, std::string_view b) const {
    return ToQt(a).localeAwareCompare(ToQt(b));
}

std::string LocaleService::dateTimeToString(double days) const {
    const QDateTime moment = OleDateToDateTime(days);
    QString text = locale_.toString(moment.date(), QLocale::ShortFormat);
    if (moment.time() != QTime(0, 0))
        text += QLatin1Char(' ') + locale_.toString(moment.time(), QLocale::LongFormat);
    return FromQt(text);
}

QDateTime OleDateToDateTime(double days) {
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    const qint64 ms = std::llround(fraction * 86'400'000.0);
    const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(whole));
    return QDateTime(date, QTime(0, 0)).addMSecs(ms);
}

double DateTimeToOleDate(const QDateTime& moment) {
    const double whole = static_cast<double>(QDate(1899, 12, 30).daysTo(moment.date()));
    const double fraction = moment.time().msecsSinceStartOfDay() / 86'400'000.0;
    return whole >= 0 ? whole + fraction : whole - fraction;
}

} // namespace vl
