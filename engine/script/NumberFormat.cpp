// Number formats of FormatFloat (declared in ValueFormat.h).
#include "engine/script/ValueFormat.h"
#include "engine/script/Variant.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace vl {

namespace {

// A non-negative number as 0.d1d2d3... x 10^exponent; no digits for zero.
struct Decimal {
    std::string digits;
    int exponent = 0;

    char digitAt(int i) const {
        return i >= 0 && i < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(i)]
                                                             : '0';
    }
};

void stripTrailingZeros(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty()) d.exponent = 0;
}

// The shortest decimal digits that read back as the same double.
Decimal toDecimal(double v) {
    Decimal d;
    if (v == 0) return d;
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific);
    const std::string_view text(buffer, static_cast<std::size_t>(r.ptr - buffer));
    const std::size_t e = text.find('e');
    for (const char c : text.substr(0, e))
        if (c != '.') d.digits.push_back(c);
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);
    d.exponent = exponent + 1;
    stripTrailingZeros(d);
    return d;
}

// Keeps the first `keep` digits, rounding halves away from zero.
void roundDigits(Decimal& d, int keep) {
    if (keep < 0) {
        d = {};
        return;
    }
    if (static_cast<int>(d.digits.size()) <= keep) return;
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9')
            d.digits[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        } else {
            ++d.digits[static_cast<std::size_t>(i)];
        }
    }
    stripTrailingZeros(d);
}

// What one section of a number format asks for.
struct NumberSection {
    std::string_view text;
    int intPlaceholders = 0, minInt = 0, maxDec = 0, minDec = 0, expDigits = 0;
    bool thousands = false, scientific = false;
};

bool isExponentAt(std::string_view s, std::size_t i) {
    return (s[i] == 'E' || s[i] == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-');
}

std::size_t skipQuoted(std::string_view s, std::size_t i) {
    const std::size_t close = s.find(s[i], i + 1);
    return close == std::string_view::npos ? s.size() : close + 1;
}

NumberSection analyse(std::string_view text) {
    NumberSection sec;
    sec.text = text;
    bool point = false;
    int firstZero = -1;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '"' || c == '\'') {
            i = skipQuoted(text, i);
            continue;
        }
        if (isExponentAt(text, i) && !sec.scientific) {
            sec.scientific = true;
            i += 2;
            while (i < text.size() && text[i] == '0' && sec.expDigits < 4) {
                ++sec.expDigits;
                ++i;
            }
            continue;
        }
        if ((c == '0' || c == '#') && !point) {
            if (c == '0' && firstZero < 0) firstZero = sec.intPlaceholders;
            ++sec.intPlaceholders;
        } else if ((c == '0' || c == '#') && point) {
            ++sec.maxDec;
            if (c == '0') sec.minDec = sec.maxDec;
        } else if (c == '.' && !sec.scientific) {
            point = true;
        } else if (c == ',' && !sec.scientific) {
            sec.thousands = true;
        }
        ++i;
    }
    sec.minInt = firstZero < 0 ? 0 : sec.intPlaceholders - firstZero;
    return sec;
}

// The digits a section prints for one value.
struct Rendered {
    std::string intDigits, fracDigits;
    int exponent = 0;
    bool zero = true;
};

void trimFraction(std::string& frac, int minDec) {
    while (static_cast<int>(frac.size()) > minDec && frac.back() == '0')
        frac.pop_back();
}

Rendered digitsFor(const NumberSection& sec, double v) {
    Rendered r;
    Decimal d = toDecimal(v);
    int intCount = d.exponent;
    if (sec.scientific) {
        const int k = std::max(sec.intPlaceholders, 1);
        roundDigits(d, k + sec.maxDec);
        r.exponent = d.digits.empty() ? 0 : d.exponent - k;
        intCount = d.digits.empty() ? 0 : k;
        if (!d.digits.empty()) d.exponent = k;
    } else {
        roundDigits(d, d.exponent + sec.maxDec);
        intCount = d.exponent;
    }
    for (int i = 0; i < intCount; ++i)
        r.intDigits.push_back(d.digitAt(i));
    for (int j = 0; j < sec.maxDec; ++j)
        r.fracDigits.push_back(d.digitAt(d.exponent + j));
    trimFraction(r.fracDigits, sec.minDec);
    if (static_cast<int>(r.intDigits.size()) < sec.minInt)
        r.intDigits.insert(0, static_cast<std::size_t>(sec.minInt) - r.intDigits.size(), '0');
    r.zero = d.digits.empty();
    return r;
}

// Walks the section's text and puts the digits at their placeholders.
class SectionWriter {
public:
    SectionWriter(const NumberSection& sec, const Rendered& r, const LocaleService& locale)
        : sec_(sec), r_(r), locale_(locale) {}

    std::string write() {
        const std::string_view s = sec_.text;
        for (std::size_t i = 0; i < s.size();) {
            const char c = s[i];
            if (c == '"' || c == '\'') {
                const std::size_t close = s.find(c, i + 1);
                const std::size_t end = close == std::string_view::npos ? s.size() : close;
                out_.append(s.substr(i + 1, end - i - 1));
                i = end + 1;
            } else if (isExponentAt(s, i) && sec_.scientific && !exponentDone_) {
                i = writeExponent(s, i);
            } else if (c == '0' || c == '#') {
                placeholder();
                ++i;
            } else if (c == '.' && !pointSeen_ && !exponentDone_) {
                pointSeen_ = true;
                if (!r_.fracDigits.empty()) out_.push_back(locale_.decimalSeparator());
                ++i;
            } else if (c == ',' || c == '.') {
                ++i;
            } else {
                out_.push_back(c);
                ++i;
            }
        }
        return out_;
    }

private:
    void placeholder() {
        if (exponentDone_) return;
        if (pointSeen_) {
            if (fracIndex_ < r_.fracDigits.size()) out_.push_back(r_.fracDigits[fracIndex_]);
            ++fracIndex_;
            return;
        }
        const int length = static_cast<int>(r_.intDigits.size());
        const int remaining = sec_.intPlaceholders - intIndex_;
        const int from = intIndex_ == 0 ? 0 : length - remaining;
        const int to = length - remaining + 1;
        for (int p = std::max(from, 0); p < to; ++p)
            integerDigit(p, length);
        ++intIndex_;
    }

    void integerDigit(int p, int length) {
        out_.push_back(r_.intDigits[static_cast<std::size_t>(p)]);
        const int after = length - 1 - p;
        if (sec_.thousands && after > 0 && after % 3 == 0)
            out_.push_back(locale_.thousandSeparator());
    }

    std::size_t writeExponent(std::string_view s, std::size_t i) {
        exponentDone_ = true;
        out_.push_back(s[i]);
        if (r_.exponent < 0)
            out_.push_back('-');
        else if (s[i + 1] == '+')
            out_.push_back('+');
        std::string digits = std::to_string(std::abs(r_.exponent));
        if (static_cast<int>(digits.size()) < sec_.expDigits)
            digits.insert(0, static_cast<std::size_t>(sec_.expDigits) - digits.size(), '0');
        out_ += digits;
        i += 2;
        while (i < s.size() && s[i] == '0')
            ++i;
        return i;
    }

    const NumberSection& sec_;
    const Rendered& r_;
    const LocaleService& locale_;
    std::string out_;
    int intIndex_ = 0;
    std::size_t fracIndex_ = 0;
    bool pointSeen_ = false, exponentDone_ = false;
};

std::vector<std::string_view> splitSections(std::string_view format) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    for (std::size_t i = 0; i < format.size();) {
        if (format[i] == '"' || format[i] == '\'') {
            i = skipQuoted(format, i);
        } else if (format[i] == ';') {
            sections.push_back(format.substr(start, i - start));
            start = ++i;
        } else {
            ++i;
        }
    }
    sections.push_back(format.substr(std::min(start, format.size())));
    return sections;
}

std::string renderSection(std::string_view text, double magnitude, const LocaleService& locale,
                          bool& zero) {
    const NumberSection sec = analyse(text);
    const Rendered r = digitsFor(sec, magnitude);
    zero = r.zero;
    return SectionWriter(sec, r, locale).write();
}

} // namespace

std::string FormatFloat(std::string_view format, double value, const LocaleService& locale) {
    if (format.empty() || !std::isfinite(value) || std::fabs(value) >= 1e18)
        return FloatToStr(value);
    const std::vector<std::string_view> sections = splitSections(format);
    auto usable = [&](std::size_t i) { return sections.size() > i && !sections[i].empty(); };
    std::size_t index = 0;
    if (value < 0 && usable(1)) index = 1;
    if (value == 0 && usable(2)) index = 2;
    bool zero = false;
    std::string text = renderSection(sections[index], std::fabs(value), locale, zero);
    if (zero && value != 0 && usable(2)) return renderSection(sections[2], 0, locale, zero);
    const bool minus = value < 0 && index == 0 && !zero;
    return minus ? "-" + text : text;
}

} // namespace vl
