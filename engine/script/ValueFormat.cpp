#include "engine/script/ValueFormat.h"

#include "engine/script/Errors.h"
#include "engine/script/Variant.h"

#include <cmath>
#include <cstdio>

namespace vl {

namespace {

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

bool startsWithNoCase(std::string_view text, std::size_t pos, std::string_view word) {
    if (pos + word.size() > text.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (upper(text[pos + i]) != upper(word[i])) return false;
    return true;
}

std::string twoDigits(int v) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d", v);
    return b;
}

std::string padded(int v, int width) {
    char b[16];
    std::snprintf(b, sizeof b, "%0*d", width, v);
    return b;
}

// The broken-down moment a date-time format prints.
struct Moment {
    int year, month, day, dayOfWeek; // dayOfWeek 1 = Sunday
    int hour, minute, second, msec;
    bool hasTime() const { return hour || minute || second || msec; }
};

Moment decode(double days) {
    if (!std::isfinite(days) || !IsValidOleDate(days))
        throw ConversionError("Invalid argument to date encode");
    const QDateTime m = OleDateToDateTime(days);
    const QDate d = m.date();
    const QTime t = m.time();
    return {d.year(), d.month(),  d.day(),    d.dayOfWeek() % 7 + 1,
            t.hour(), t.minute(), t.second(), t.msec()};
}

// Writes one date-time picture into out.
class DateTimeWriter {
public:
    DateTimeWriter(const LocaleService& locale, const Moment& m) : locale_(locale), m_(m) {}

    void write(std::string_view format, std::string& out, int depth = 0) {
        if (depth > 2) return; // nested standard formats cannot loop
        const bool outerTwelveHour = twelveHour_;
        twelveHour_ = hasAmPm(format);
        char lastLetter = 0;
        std::size_t i = 0;
        while (i < format.size()) {
            const char c = format[i];
            if (c == '"' || c == '\'') {
                const std::size_t close = format.find(c, i + 1);
                const std::size_t end = close == std::string_view::npos ? format.size() : close;
                out.append(format.substr(i + 1, end - i - 1));
                i = end + 1;
                continue;
            }
            const char token = upper(c);
            std::size_t run = 1;
            while (i + run < format.size() && upper(format[i + run]) == token)
                ++run;
            if (token >= 'A' && token <= 'Z') {
                const bool minutes = token == 'M' && lastLetter == 'H';
                lastLetter = token;
                i += writeLetter(minutes ? 'N' : token, run, format, i, out, depth);
            } else {
                out.push_back(c == '/'   ? locale_.dateSeparator()
                              : c == ':' ? locale_.timeSeparator()
                                         : c);
                ++i;
            }
        }
        twelveHour_ = outerTwelveHour;
    }

private:
    static bool hasAmPm(std::string_view f) {
        for (std::size_t i = 0; i < f.size(); ++i)
            if (startsWithNoCase(f, i, "am/pm") || startsWithNoCase(f, i, "a/p") ||
                startsWithNoCase(f, i, "ampm"))
                return true;
        return false;
    }

    int hour() const {
        if (!twelveHour_) return m_.hour;
        const int h = m_.hour % 12;
        return h == 0 ? 12 : h;
    }

    // Returns how many format characters the token took.
    std::size_t writeLetter(char token, std::size_t run, std::string_view format, std::size_t i,
                            std::string& out, int depth) {
        switch (token) {
        case 'D':
            writeDay(run, out, depth);
            return run;
        case 'M':
            writeMonth(run, out);
            return run;
        case 'Y':
            out += run <= 2 ? twoDigits(m_.year % 100) : padded(m_.year, 4);
            return run;
        case 'H':
            out += run == 1 ? std::to_string(hour()) : twoDigits(hour());
            return run;
        case 'N':
            out += run == 1 ? std::to_string(m_.minute) : twoDigits(m_.minute);
            return run;
        case 'S':
            out += run == 1 ? std::to_string(m_.second) : twoDigits(m_.second);
            return run;
        case 'Z':
            out += run >= 3 ? padded(m_.msec, 3) : std::to_string(m_.msec);
            return run >= 3 ? 3 : 1;
        case 'T':
            write(run == 1 ? locale_.shortTimeFormat() : locale_.longTimeFormat(), out, depth + 1);
            return run >= 2 ? 2 : 1;
        case 'C':
            writeGeneral(out, depth);
            return 1;
        case 'A':
            return writeAmPm(format, i, out);
        default:
            out.append(format.substr(i, run));
            return run;
        }
    }

    void writeDay(std::size_t run, std::string& out, int depth) {
        switch (run) {
        case 1:
            out += std::to_string(m_.day);
            break;
        case 2:
            out += twoDigits(m_.day);
            break;
        case 3:
            out += locale_.dayName(m_.dayOfWeek, false);
            break;
        case 4:
            out += locale_.dayName(m_.dayOfWeek, true);
            break;
        case 5:
            write(locale_.shortDateFormat(), out, depth + 1);
            break;
        default:
            write(locale_.longDateFormat(), out, depth + 1);
        }
    }

    void writeMonth(std::size_t run, std::string& out) {
        if (run == 1)
            out += std::to_string(m_.month);
        else if (run == 2)
            out += twoDigits(m_.month);
        else
            out += locale_.monthName(m_.month, run >= 4);
    }

    void writeGeneral(std::string& out, int depth) {
        write(locale_.shortDateFormat(), out, depth + 1);
        if (m_.hasTime()) {
            out.push_back(' ');
            write(locale_.longTimeFormat(), out, depth + 1);
        }
    }

    std::size_t writeAmPm(std::string_view format, std::size_t i, std::string& out) {
        const bool pm = m_.hour >= 12;
        if (startsWithNoCase(format, i, "am/pm")) {
            out.append(format.substr(pm ? i + 3 : i, 2));
            return 5;
        }
        if (startsWithNoCase(format, i, "a/p")) {
            out.push_back(format[pm ? i + 2 : i]);
            return 3;
        }
        if (startsWithNoCase(format, i, "ampm")) {
            out += pm ? locale_.pmText() : locale_.amText();
            return 4;
        }
        out.push_back(format[i]);
        return 1;
    }

    const LocaleService& locale_;
    const Moment& m_;
    bool twelveHour_ = false;
};

} // namespace

std::string FormatDateTime(std::string_view format, double dateTime, const LocaleService& locale) {
    const Moment m = decode(dateTime);
    std::string out;
    DateTimeWriter(locale, m).write(format.empty() ? std::string_view("c") : format, out);
    return out;
}

} // namespace vl
