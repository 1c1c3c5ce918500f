#include "engine/script/LocaleService.h"

#include "engine/script/CodePage.h"
#include "engine/script/EngineText.h"
#include "engine/script/ValueFormat.h"

#include <cmath>

namespace vl {

namespace {

// One engine character for a locale's separator; blanks of any width become
// a space and characters the code page lacks the fallback.
char separatorChar(const QString& text, char fallback) {
    if (text.size() != 1) return fallback;
    if (text[0].isSpace()) return ' ';
    const std::string s = FromQt(text);
    return s.size() == 1 && s[0] != '?' ? s[0] : fallback;
}

// The first character of a picture format that separates its fields.
char formatSeparator(std::string_view picture, char fallback) {
    for (const char c : picture) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && c != '"' && c != '\'') return c;
    }
    return fallback;
}

void appendRun(std::string& out, char letter, qsizetype count) {
    out.append(static_cast<std::size_t>(count), letter);
}

std::string trimmed(std::string s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    while (!s.empty() && s.front() == ' ')
        s.erase(0, 1);
    return s;
}

} // namespace

std::string QtFormatToPicture(const QString& format) {
    std::string out;
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = format[i];
        qsizetype run = 1;
        while (i + run < n && format[i + run] == c)
            ++run;
        switch (c.unicode()) {
        case '\'': {
            const qsizetype close = format.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype end = close < 0 ? n : close;
            const QString literal = format.mid(i + 1, end - i - 1);
            out += literal.isEmpty() ? "'" : "\"" + FromQt(literal) + "\"";
            i = end + 1;
            continue;
        }
        case 'd':
            appendRun(out, 'd', std::min<qsizetype>(run, 4));
            break;
        case 'M':
            appendRun(out, 'm', std::min<qsizetype>(run, 4));
            break;
        case 'y':
            appendRun(out, 'y', run <= 2 ? 2 : 4);
            break;
        case 'h':
        case 'H':
            appendRun(out, 'h', std::min<qsizetype>(run, 2));
            break;
        case 'm':
            appendRun(out, 'n', std::min<qsizetype>(run, 2));
            break;
        case 's':
            appendRun(out, 's', std::min<qsizetype>(run, 2));
            break;
        case 'z':
            appendRun(out, 'z', run >= 3 ? 3 : 1);
            break;
        case 'A':
        case 'a':
            out += "ampm";
            if (i + 1 < n &&
                (format[i + 1] == QLatin1Char('P') || format[i + 1] == QLatin1Char('p')))
                run = 2;
            else
                run = 1;
            break;
        case 't':
            break;
        default:
            if (c.isLetter())
                out += "\"" + FromQt(QString(run, c)) + "\"";
            else if (c.isSpace())
                appendRun(out, ' ', run);
            else
                out += FromQt(QString(run, c));
        }
        i += run;
    }
    return trimmed(out);
}

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
    collator_ = QCollator(locale_);
    decimalSeparator_ = separatorChar(locale_.decimalPoint(), '.');
    thousandSeparator_ = separatorChar(locale_.groupSeparator(), ',');
    shortDateFormat_ = QtFormatToPicture(locale_.dateFormat(QLocale::ShortFormat));
    longDateFormat_ = QtFormatToPicture(locale_.dateFormat(QLocale::LongFormat));
    shortTimeFormat_ = QtFormatToPicture(locale_.timeFormat(QLocale::ShortFormat));
    longTimeFormat_ = QtFormatToPicture(locale_.timeFormat(QLocale::LongFormat));
    dateSeparator_ = formatSeparator(shortDateFormat_, '/');
    timeSeparator_ = formatSeparator(shortTimeFormat_, ':');
    amText_ = FromQt(locale_.amText());
    pmText_ = FromQt(locale_.pmText());
    for (int day = 1; day <= 7; ++day) {
        // Qt counts from Monday, the engine from Sunday
        const int qtDay = day == 1 ? 7 : day - 1;
        shortDays_[static_cast<std::size_t>(day - 1)] =
            FromQt(locale_.dayName(qtDay, QLocale::ShortFormat));
        longDays_[static_cast<std::size_t>(day - 1)] =
            FromQt(locale_.dayName(qtDay, QLocale::LongFormat));
    }
    for (int month = 1; month <= 12; ++month) {
        shortMonths_[static_cast<std::size_t>(month - 1)] =
            FromQt(locale_.monthName(month, QLocale::ShortFormat));
        longMonths_[static_cast<std::size_t>(month - 1)] =
            FromQt(locale_.monthName(month, QLocale::LongFormat));
    }
}

const std::string& LocaleService::dayName(int day, bool longForm) const {
    static const std::string none;
    if (day < 1 || day > 7) return none;
    return (longForm ? longDays_ : shortDays_)[static_cast<std::size_t>(day - 1)];
}

const std::string& LocaleService::monthName(int month, bool longForm) const {
    static const std::string none;
    if (month < 1 || month > 12) return none;
    return (longForm ? longMonths_ : shortMonths_)[static_cast<std::size_t>(month - 1)];
}

std::string LocaleService::upperCase(std::string_view text) const {
    return text::Upper(text);
}

std::string LocaleService::lowerCase(std::string_view text) const {
    return text::Lower(text);
}

int LocaleService::compareStrings(std::string_view a, std::string_view b) const {
    return collator_.compare(ToQt(a), ToQt(b));
}

std::string LocaleService::dateTimeToString(double days) const {
    return FormatDateTime("c", days, *this);
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

bool IsValidOleDate(double days) {
    // 0001-01-01 .. 9999-12-31 23:59:59.999
    return days >= -693593.0 && days < 2958466.0;
}

} // namespace vl
