#include "engine/model/DisplayFormat.h"

#include "engine/script/Errors.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/ValueFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vl {

namespace {

// Texts of the predefined patterns, by category.
constexpr int kBooleanPatterns = 55170; // types 0-3
constexpr int kDatePatterns = 55175;    // types 0-2
constexpr int kTimePatterns = 55179;    // types 0-3

// The largest number of decimals a fixed format shows.
constexpr int kMaxFixedDecimals = 18;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Position of the first " #" outside quoted text, npos when there is none.
std::size_t InlineFormatStart(std::string_view text) {
    char quote = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ' ' && text[i + 1] == '#') {
            return i;
        }
    }
    return std::string_view::npos;
}

// "N" formats: N10,2 (fixed, two decimals, ',' as separator), N#,##0.00
// (custom pattern), N (plain number).
TvlDisplayFormat NumberInlineFormat(std::string f) {
    const bool digitSecond = f.size() > 1 && IsDigit(f[1]);
    char separator = 0;
    std::size_t separatorAt = std::string::npos;
    for (std::size_t i = f.size() - 1; i >= 1; --i) {
        if (f[i] == ',' || f[i] == '-' || f[i] == '.') {
            separator = f[i];
            separatorAt = i;
            f[i] = '.';
            break;
        }
    }
    if (!digitSecond)
        return {TvlDisplayFormat::Word(fcNumber, kCustomFormatType, 0, separator), f.substr(1)};
    int decimals = 0;
    if (separatorAt != std::string::npos)
        for (std::size_t i = separatorAt + 1; i < f.size() && IsDigit(f[i]); ++i)
            decimals = std::min(255, decimals * 10 + (f[i] - '0'));
    return {TvlDisplayFormat::Word(fcNumber, 1, decimals, separator), {}};
}

TvlDisplayFormat InlineFormat(std::string f, const TvlDisplayFormat& viewFormat) {
    if (f.empty()) return viewFormat;
    if (IsDigit(f[0])) f.insert(0, 1, 'N');
    switch (f[0]) {
    case 'N':
    case 'n':
        return NumberInlineFormat(std::move(f));
    case 'D':
    case 'd':
    case 'T':
    case 't':
        return {TvlDisplayFormat::Word(fcDate, kCustomFormatType, 0, 0), f.substr(1)};
    case 'B':
    case 'b':
        return {TvlDisplayFormat::Word(fcBoolean, kCustomFormatType, 0, 0), f.substr(1)};
    default:
        return viewFormat;
    }
}

// Uses the format word's decimal separator for one value.
class SeparatorOverride {
public:
    SeparatorOverride(LocaleService& locale, char separator)
        : locale_(locale), saved_(locale.decimalSeparator()) {
        if (separator) locale_.setDecimalSeparator(separator);
    }
    ~SeparatorOverride() { locale_.setDecimalSeparator(saved_); }
    SeparatorOverride(const SeparatorOverride&) = delete;
    SeparatorOverride& operator=(const SeparatorOverride&) = delete;

private:
    LocaleService& locale_;
    char saved_;
};

// Fixed notation with exactly `decimals` decimals of the value rounded to 15
// significant digits; values too large for that in general notation.
std::string FixedText(double v, int decimals, bool thousands, const LocaleService& locale) {
    if (!std::isfinite(v) || std::fabs(v) >= 1e15) return FloatToStr(v);
    char digits[40];
    std::snprintf(digits, sizeof digits, "%.14e", v);
    v = std::strtod(digits, nullptr);
    decimals = std::min(decimals, kMaxFixedDecimals);
    std::string pattern = thousands ? "#,##0" : "0";
    if (decimals > 0) pattern += "." + std::string(static_cast<std::size_t>(decimals), '0');
    return FormatFloat(pattern, v, locale);
}

std::string FormatNumber(const Variant& value, const TvlDisplayFormat& f, std::string_view pattern,
                         LocaleService& locale) {
    const double v = value.toDouble(); // text is read with the engine's separator
    const SeparatorOverride separator(locale, f.separator());
    const std::string optional(static_cast<std::size_t>(f.decimals()), '#');
    switch (f.type()) {
    case 0:
        return FormatFloat("##0." + optional, v, locale);
    case 1:
        return FixedText(v, f.decimals(), false, locale);
    case 2:
        return FormatFloat("#,##0." + optional, v, locale);
    case 3:
        return FixedText(v, f.decimals(), true, locale);
    case kCustomFormatType:
        return FormatFloat(pattern, v, locale);
    default:
        return value.toString();
    }
}

std::string FormatDate(const Variant& value, int type, std::string_view pattern,
                       const LocaleService& locale) {
    const double v = value.toDateTime();
    if (type == kCustomFormatType) return FormatDateTime(pattern, v, locale);
    if (type == 3) return FormatDateTime(locale.longDateFormat(), v, locale);
    if (type >= 0 && type < 3)
        return FormatDateTime(LoadResString(kDatePatterns + type), v, locale);
    return value.toString();
}

std::string FormatTime(const Variant& value, int type, std::string_view pattern,
                       const LocaleService& locale) {
    const double v = value.toDateTime();
    if (type == kCustomFormatType) return FormatDateTime(pattern, v, locale);
    if (type >= 0 && type < 4)
        return FormatDateTime(LoadResString(kTimePatterns + type), v, locale);
    return value.toString();
}

// "No;Yes": zero shows the part before the first ';', anything else the
// part after it (the whole text when there is no ';').
std::string FormatBoolean(const Variant& value, int type, std::string_view pattern) {
    std::string texts;
    if (type == kCustomFormatType)
        texts = std::string(pattern);
    else if (type >= 0 && type < 4)
        texts = LoadResString(kBooleanPatterns + type);
    else
        return value.toString();
    const bool nonZero = Variant::compare(value, Variant(0)) != 0;
    const std::size_t semicolon = texts.find(';');
    if (semicolon == std::string::npos) return nonZero ? texts : std::string();
    return nonZero ? texts.substr(semicolon + 1) : texts.substr(0, semicolon);
}

bool IsEmptyValue(const Variant& value) {
    if (value.isNull()) return true;
    return value.isString() && TrimBlanks(value.toString()).empty();
}

} // namespace

std::int32_t TvlDisplayFormat::Word(int category, int type, int decimals, char separator) {
    const auto word = (static_cast<std::uint32_t>(category & 0x0F) << 24) |
                      (static_cast<std::uint32_t>(type & 0xFF) << 16) |
                      (static_cast<std::uint32_t>(decimals & 0xFF) << 8) |
                      static_cast<std::uint8_t>(separator);
    return static_cast<std::int32_t>(word);
}

std::int32_t FormatDialogWord(int category, int type, int decimals, std::string_view separator) {
    return TvlDisplayFormat::Word(category, type, decimals,
                                  separator.empty() ? ',' : separator.front());
}

TvlBracketSpec SplitInlineFormat(std::string_view bracketText, const TvlDisplayFormat& viewFormat) {
    const std::size_t at = InlineFormatStart(bracketText);
    if (at == std::string_view::npos) return {std::string(bracketText), viewFormat};
    return {std::string(bracketText.substr(0, at)),
            InlineFormat(std::string(bracketText.substr(at + 2)), viewFormat)};
}

void HideZero(Variant& value) {
    if (value.isString() || value.isNull()) return;
    try {
        if (Variant::compare(value, Variant(0)) == 0) value = Variant(std::string());
    } catch (const VlError&) {
    }
}

std::string FormatValue(const Variant& value, std::int32_t word, std::string_view pattern,
                        LocaleService& locale) {
    if (IsEmptyValue(value)) return {};
    const TvlDisplayFormat f{word, {}};
    try {
        switch (f.category()) {
        case fcNumber:
            return FormatNumber(value, f, pattern, locale);
        case fcDate:
            return FormatDate(value, f.type(), pattern, locale);
        case fcTime:
            return FormatTime(value, f.type(), pattern, locale);
        case fcBoolean:
            return FormatBoolean(value, f.type(), pattern);
        default:
            return value.toString();
        }
    } catch (const VlError&) {
        return value.toString();
    }
}

std::string EvaluateBracket(std::string_view bracketText, const TvlDisplayFormat& viewFormat,
                            bool hideZeros, const TvlEvaluator& evaluate, LocaleService& locale,
                            bool rawValue) {
    const TvlBracketSpec spec = SplitInlineFormat(bracketText, viewFormat);
    Variant value = evaluate(spec.expression);
    if (hideZeros) HideZero(value);
    if (rawValue) return value.toString();
    return FormatValue(value, spec.format.word, spec.format.pattern, locale);
}

} // namespace vl
