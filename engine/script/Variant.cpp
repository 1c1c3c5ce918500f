#include "engine/script/Variant.h"

#include "engine/script/Errors.h"
#include "engine/script/ScriptContext.h"
#include "engine/script/TextUtils.h"
#include "engine/script/ValueFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vl {

namespace {

// A value carries no engine, so its conversions (dates and numbers to and
// from text, text comparison) follow the locale of the engine instance the
// thread works for: the one whose build, load or evaluation converts it.
LocaleService& ValueLocale() {
    return ScriptGlobals().localeService();
}

[[noreturn]] void cannotConvert(const Variant& v, const char* to) {
    std::string what = "Could not convert variant of type (";
    what += v.kindName();
    what += ") into type (";
    what += to;
    what += ")";
    if (v.isString()) what += ": '" + v.toString() + "'";
    throw ConversionError(what);
}

bool fitsInt(double d) {
    return d >= std::numeric_limits<std::int32_t>::min() &&
           d <= std::numeric_limits<std::int32_t>::max();
}

// The kind of a numeric result: integer when both are integers (and it
// fits), date-time when a date meets a number in + and -, else double.
Variant numericResult(const Variant& a, const Variant& b, double value, bool keepDate) {
    const bool ints = (a.kind() == Variant::Kind::Integer || a.kind() == Variant::Kind::Boolean) &&
                      (b.kind() == Variant::Kind::Integer || b.kind() == Variant::Kind::Boolean);
    if (ints && fitsInt(value)) return Variant(static_cast<int>(value));
    const bool date = a.kind() == Variant::Kind::DateTime || b.kind() == Variant::Kind::DateTime;
    if (keepDate && date) return Variant::dateTime(value);
    return Variant(value);
}

template <typename Op>
Variant arithmetic(const Variant& a, const Variant& b, Op op, bool keepDate) {
    if (a.isNull() || b.isNull()) return {};
    return numericResult(a, b, op(a.toDouble(), b.toDouble()), keepDate);
}

} // namespace

Variant Variant::dateTime(double days) {
    Variant v(days);
    v.kind_ = Kind::DateTime;
    return v;
}

bool Variant::isNumeric() const {
    return kind_ == Kind::Integer || kind_ == Kind::Double || kind_ == Kind::DateTime;
}

const char* Variant::kindName() const {
    switch (kind_) {
    case Kind::Null:
        return "Null";
    case Kind::Boolean:
        return "Boolean";
    case Kind::Integer:
        return "Integer";
    case Kind::Double:
        return "Double";
    case Kind::DateTime:
        return "Date";
    case Kind::String:
        return "String";
    }
    return "Unknown";
}

double Variant::toDouble() const {
    switch (kind_) {
    case Kind::Boolean:
        return i_ ? -1.0 : 0.0;
    case Kind::Integer:
        return i_;
    case Kind::Double:
    case Kind::DateTime:
        return d_;
    case Kind::String:
        try {
            return StrToFloat(s_);
        } catch (const ConversionError&) {
            cannotConvert(*this, "Double");
        }
    case Kind::Null:
        break;
    }
    cannotConvert(*this, "Double");
}

std::int32_t Variant::toInt() const {
    switch (kind_) {
    case Kind::Boolean:
        return i_ ? -1 : 0;
    case Kind::Integer:
        return i_;
    case Kind::Double:
    case Kind::DateTime: {
        const double r = RoundHalfEven(d_);
        if (!fitsInt(r)) cannotConvert(*this, "Integer");
        return static_cast<std::int32_t>(r);
    }
    case Kind::String:
        try {
            return StrToInt(s_);
        } catch (const ConversionError&) {
            cannotConvert(*this, "Integer");
        }
    case Kind::Null:
        break;
    }
    cannotConvert(*this, "Integer");
}

bool Variant::toBool() const {
    switch (kind_) {
    case Kind::Boolean:
    case Kind::Integer:
        return i_ != 0;
    case Kind::Double:
    case Kind::DateTime:
        return d_ != 0;
    case Kind::String:
        if (SameText(s_, "True")) return true;
        if (SameText(s_, "False")) return false;
        return toDouble() != 0;
    case Kind::Null:
        break;
    }
    cannotConvert(*this, "Boolean");
}

double Variant::toDateTime() const {
    if (kind_ != Kind::String) {
        if (kind_ == Kind::Null) cannotConvert(*this, "Date");
        return toDouble();
    }
    try {
        return StrToDateTime(s_, ValueLocale());
    } catch (const ConversionError&) {
        cannotConvert(*this, "Date");
    }
}

std::string Variant::toString() const {
    switch (kind_) {
    case Kind::Null:
        return {};
    case Kind::Boolean:
        return i_ ? "True" : "False";
    case Kind::Integer:
        return std::to_string(i_);
    case Kind::Double:
        return FloatToStr(d_);
    case Kind::DateTime:
        return ValueLocale().dateTimeToString(d_);
    case Kind::String:
        return s_;
    }
    return {};
}

bool Variant::identical(const Variant& other) const {
    if (kind_ != other.kind_) return false;
    switch (kind_) {
    case Kind::Null:
        return true;
    case Kind::Boolean:
    case Kind::Integer:
        return i_ == other.i_;
    case Kind::Double:
    case Kind::DateTime:
        return d_ == other.d_ || (std::isnan(d_) && std::isnan(other.d_));
    case Kind::String:
        return s_ == other.s_;
    }
    return false;
}

Variant Variant::operator-() const {
    switch (kind_) {
    case Kind::Null:
        return {};
    case Kind::Integer:
        return i_ == std::numeric_limits<std::int32_t>::min() ? Variant(-static_cast<double>(i_))
                                                              : Variant(-i_);
    case Kind::DateTime:
        return dateTime(-d_);
    default:
        return numericResult(*this, 0, -toDouble(), false);
    }
}

Variant operator+(const Variant& a, const Variant& b) {
    if (a.isString() && b.isString()) return Variant(a.s_ + b.s_);
    return arithmetic(a, b, std::plus<double>(), true);
}

Variant operator-(const Variant& a, const Variant& b) {
    if (a.kind() == Variant::Kind::DateTime && b.kind() == Variant::Kind::DateTime)
        return Variant(a.toDouble() - b.toDouble());
    return arithmetic(a, b, std::minus<double>(), true);
}

Variant operator*(const Variant& a, const Variant& b) {
    return arithmetic(a, b, std::multiplies<double>(), false);
}

Variant operator/(const Variant& a, const Variant& b) {
    if (a.isNull() || b.isNull()) return {};
    return Variant(a.toDouble() / b.toDouble());
}

Variant Variant::mod(const Variant& a, const Variant& b) {
    if (a.isNull() || b.isNull()) return {};
    const std::int32_t x = a.toInt(), y = b.toInt();
    if (y == 0) return Variant(0);
    if (y == -1) return Variant(0); // avoids INT_MIN % -1
    return Variant(x % y);
}

Variant Variant::logicalOr(const Variant& a, const Variant& b) {
    if (a.isNull() || b.isNull()) return {};
    if (a.kind() == Kind::Boolean && b.kind() == Kind::Boolean) return Variant(a.i_ || b.i_);
    return Variant(static_cast<int>(a.toInt() | b.toInt()));
}

Variant Variant::logicalAnd(const Variant& a, const Variant& b) {
    if (a.isNull() || b.isNull()) return {};
    if (a.kind() == Kind::Boolean && b.kind() == Kind::Boolean) return Variant(a.i_ && b.i_);
    return Variant(static_cast<int>(a.toInt() & b.toInt()));
}

int Variant::compare(const Variant& a, const Variant& b) {
    if (a.isNull() || b.isNull()) return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
    if (a.isString() && b.isString()) {
        const int c = ValueLocale().compareStrings(a.s_, b.s_);
        return (c > 0) - (c < 0);
    }
    const double x = a.toDouble(), y = b.toDouble();
    return (x > y) - (x < y);
}

double RoundHalfEven(double value) {
    return std::nearbyint(value);
}

std::string FloatToStr(double value) {
    std::string text = FloatToStrInvariant(value);
    const char sep = ValueLocale().decimalSeparator();
    for (char& c : text)
        if (c == '.') c = sep;
    return text;
}

std::string FloatToStrInvariant(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text(buffer);
    // exponent as the engine writes it: "1E-5", "1.5E20"
    if (const auto e = text.find('E'); e != std::string::npos) {
        std::string mantissa = text.substr(0, e), exponent = text.substr(e + 1);
        const bool negative = exponent[0] == '-';
        exponent.erase(0, 1);
        exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
        text = mantissa + 'E' + (negative ? "-" : "") + exponent;
    }
    return text;
}

double StrToFloat(std::string_view text) {
    const char sep = ValueLocale().decimalSeparator();
    std::string normal(TrimBlanks(text));
    // only the locale's separator counts as one
    if (sep != '.' && normal.find('.') != std::string::npos)
        throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
    for (char& c : normal)
        if (c == sep) c = '.';
    return StrToFloatAny(normal);
}

std::int32_t StrToInt(std::string_view text) {
    const std::string_view t = TrimBlanks(text);
    const char* first = t.data();
    const char* last = first + t.size();
    if (first != last && *first == '+') ++first;
    std::int32_t value = 0;
    auto [end, ec] = std::from_chars(first, last, value);
    if (t.empty() || ec != std::errc() || end != last) {
        // hexadecimal as "$FF"
        if (t.size() > 1 && t[0] == '$') {
            std::uint32_t hex = 0;
            auto r = std::from_chars(t.data() + 1, last, hex, 16);
            if (r.ec == std::errc() && r.ptr == last) return static_cast<std::int32_t>(hex);
        }
        throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
    }
    return value;
}

} // namespace vl
