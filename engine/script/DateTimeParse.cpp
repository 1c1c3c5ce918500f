// Date and time parsing of StrToDate, StrToTime and StrToDateTime (declared
// in ValueFormat.h).
#include "engine/script/EngineText.h"
#include "engine/script/Errors.h"
#include "engine/script/TextUtils.h"
#include "engine/script/ValueFormat.h"

#include <charconv>
#include <vector>

namespace vl {

namespace {

struct Token {
    std::string_view text;
    bool number;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Runs of digits and runs of letters; everything else separates.
std::vector<Token> tokenize(std::string_view text) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        const bool digit = isDigit(text[i]);
        if (!digit && !text::IsLetterAt(text, i)) {
            i += text::CharSize(text, i);
            continue;
        }
        std::size_t j = i;
        while (j < text.size() && (digit ? isDigit(text[j]) : text::IsLetterAt(text, j)))
            j += digit ? 1 : text::CharSize(text, j);
        tokens.push_back({text.substr(i, j - i), digit});
        i = j;
    }
    return tokens;
}

int toNumber(std::string_view digits) {
    int value = -1;
    if (digits.size() > 6) return -1;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

// The order of day, month and year in the short date format, as "DMY" etc.
std::string dateOrder(std::string_view format) {
    std::string order;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = static_cast<char>(format[i] & ~0x20);
        if (format[i] == '"' || format[i] == '\'') {
            const std::size_t close = format.find(format[i], i + 1);
            if (close == std::string_view::npos) break;
            i = close;
        } else if ((c == 'D' || c == 'M' || c == 'Y') && order.find(c) == std::string::npos) {
            order.push_back(c);
        }
    }
    return order.size() == 3 ? order : "MDY";
}

int monthByName(std::string_view name, const LocaleService& locale) {
    for (int m = 1; m <= 12; ++m)
        if (SameText(name, locale.monthName(m, true)) || SameText(name, locale.monthName(m, false)))
            return m;
    return -1;
}

// A two-digit year lands within fifty years of the current one.
int expandYear(int year, std::size_t digits) {
    if (digits > 2) return year;
    const int current = QDate::currentDate().year();
    int full = current / 100 * 100 + year;
    if (full < current - 50)
        full += 100;
    else if (full >= current + 50)
        full -= 100;
    return full;
}

[[noreturn]] void notA(std::string_view what, std::string_view text) {
    throw ConversionError("'" + std::string(text) + "' is not a valid " + std::string(what));
}

QDate parseDate(std::string_view text, const LocaleService& locale) {
    const std::vector<Token> tokens = tokenize(text);
    if (tokens.size() < 2 || tokens.size() > 3) notA("date", text);
    std::string order = dateOrder(locale.shortDateFormat());
    int day = -1, month = -1, year = QDate::currentDate().year();
    std::vector<Token> numbers;
    for (const Token& t : tokens) {
        if (t.number) {
            numbers.push_back(t);
            continue;
        }
        if (month >= 0 || (month = monthByName(t.text, locale)) < 0) notA("date", text);
    }
    if (month >= 0) order.erase(order.find('M'), 1);
    if (numbers.size() == 3 && numbers[0].text.size() > 2) order = "YMD";
    if (numbers.size() + 1 == order.size()) order.erase(order.find('Y'), 1);
    if (numbers.size() != order.size()) notA("date", text);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const int v = toNumber(numbers[i].text);
        if (order[i] == 'D')
            day = v;
        else if (order[i] == 'M')
            month = v;
        else
            year = expandYear(v, numbers[i].text.size());
    }
    const QDate date(year, month, day);
    if (year < 1 || year > 9999 || !date.isValid()) notA("date", text);
    return date;
}

// Removes an am/pm marker at the start or end; returns 0 none, 1 am, 2 pm.
int takeMarker(std::string_view& text, const LocaleService& locale) {
    const std::string_view markers[] = {locale.amText(), locale.pmText(), "AM", "PM", "A", "P"};
    for (int k = 0; k < 6; ++k) {
        const std::string_view m = markers[k];
        if (m.empty() || text.size() < m.size()) continue;
        if (SameText(text.substr(text.size() - m.size()), m)) {
            text = TrimBlanks(text.substr(0, text.size() - m.size()));
            return k % 2 + 1;
        }
        if (SameText(text.substr(0, m.size()), m) && text.size() > m.size() &&
            !text::IsLetterAt(text, m.size())) {
            text = TrimBlanks(text.substr(m.size()));
            return k % 2 + 1;
        }
    }
    return 0;
}

QTime parseTime(std::string_view original, const LocaleService& locale) {
    std::string_view text = TrimBlanks(original);
    const int marker = takeMarker(text, locale);
    int parts[4] = {0, 0, 0, 0};
    int count = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t j = i;
        while (j < text.size() && isDigit(text[j]))
            ++j;
        if (j == i || count == 4) notA("time", original);
        parts[count++] = toNumber(text.substr(i, j - i));
        if (j == text.size()) break;
        const char sep = text[j];
        const bool fraction = sep == '.' && count == 3;
        if (sep != locale.timeSeparator() && sep != ':' && !fraction) notA("time", original);
        i = j + 1;
        if (i == text.size()) notA("time", original);
    }
    if (count == 0) notA("time", original);
    int hour = parts[0];
    if (marker) {
        if (hour < 1 || hour > 12) notA("time", original);
        hour = hour % 12 + (marker == 2 ? 12 : 0);
    }
    const QTime time(hour, parts[1], parts[2], parts[3]);
    if (!time.isValid()) notA("time", original);
    return time;
}

double toOle(const QDate& date, const QTime& time) {
    return DateTimeToOleDate(QDateTime(date, time));
}

} // namespace

double StrToDate(std::string_view text, const LocaleService& locale) {
    return toOle(parseDate(text, locale), QTime(0, 0));
}

double StrToTime(std::string_view text, const LocaleService& locale) {
    return parseTime(text, locale).msecsSinceStartOfDay() / 86'400'000.0;
}

double StrToDateTime(std::string_view text, const LocaleService& locale) {
    const std::string_view t = TrimBlanks(text);
    // the time begins with the first blank-separated word that holds a time separator
    std::size_t wordStart = 0;
    for (std::size_t i = 0; i <= t.size(); ++i) {
        if (i < t.size() && t[i] != ' ') continue;
        const std::string_view word = t.substr(wordStart, i - wordStart);
        if (word.find(locale.timeSeparator()) != std::string_view::npos ||
            word.find(':') != std::string_view::npos) {
            const std::string_view datePart = TrimBlanks(t.substr(0, wordStart));
            const QTime time = parseTime(t.substr(wordStart), locale);
            if (datePart.empty()) return time.msecsSinceStartOfDay() / 86'400'000.0;
            return toOle(parseDate(datePart, locale), time);
        }
        wordStart = i + 1;
    }
    return StrToDate(t, locale);
}

} // namespace vl
