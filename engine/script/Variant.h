#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vl {

// The value that passes between expressions, scripts, properties, variables
// and events: Null, Boolean, 32-bit integer, double, date-time (days since
// 1899-12-30, the fraction being the time of day) or 8-bit string.
//
// Conversions and arithmetic follow the rules report templates are written
// against: strings concatenate with '+', numbers of any kind compute
// numerically, Null propagates through arithmetic, Boolean true counts as -1
// in arithmetic and reads "True" as text, and a text that is no number raises
// ConversionError when a number is needed.
class Variant {
public:
    enum class Kind : std::uint8_t { Null, Boolean, Integer, Double, DateTime, String };

    Variant() = default;
    Variant(bool b) : kind_(Kind::Boolean), i_(b ? 1 : 0) {}
    Variant(int i) : kind_(Kind::Integer), i_(i) {}
    Variant(double d) : kind_(Kind::Double), d_(d) {}
    Variant(std::string s) : kind_(Kind::String), s_(std::move(s)) {}
    Variant(std::string_view s) : kind_(Kind::String), s_(s) {}
    Variant(const char* s) : kind_(Kind::String), s_(s) {}

    static Variant null() { return {}; }
    static Variant dateTime(double days);

    Kind kind() const { return kind_; }
    bool isNull() const { return kind_ == Kind::Null; }
    bool isString() const { return kind_ == Kind::String; }
    bool isNumeric() const; // integer, double or date-time
    const char* kindName() const;

    // Conversions; these throw ConversionError where the value has no such form.
    double toDouble() const;
    // Doubles and dates round to the nearest integer, halves to even.
    std::int32_t toInt() const;
    bool toBool() const;
    // Days since 1899-12-30: numbers as they are, text read by the engine
    // locale's date and time formats.
    double toDateTime() const;
    // Null is the empty text; numbers use the engine locale's separator.
    std::string toString() const;

    // Exact kind and value, as tests and change detection want it.
    bool identical(const Variant& other) const;

    Variant operator-() const;

    friend Variant operator+(const Variant& a, const Variant& b);
    friend Variant operator-(const Variant& a, const Variant& b);
    friend Variant operator*(const Variant& a, const Variant& b);
    // Always a double; the caller handles division by zero.
    friend Variant operator/(const Variant& a, const Variant& b);
    static Variant mod(const Variant& a, const Variant& b);
    // Logical on two Booleans, bitwise on integers otherwise.
    static Variant logicalOr(const Variant& a, const Variant& b);
    static Variant logicalAnd(const Variant& a, const Variant& b);

    // -1, 0 or 1. Two strings compare as text (case-sensitive, by the engine
    // locale), anything with a number numerically; Null is below everything
    // else and equal to Null.
    static int compare(const Variant& a, const Variant& b);

private:
    Kind kind_ = Kind::Null;
    std::int32_t i_ = 0;
    double d_ = 0;
    std::string s_;
};

// Turns a double into engine text as the engine prints numbers: up to 15
// significant digits, exponent form only for very large or small values.
std::string FloatToStr(double value);
// The same with a point for the decimal separator whatever the locale, for
// files that other programs read.
std::string FloatToStrInvariant(double value);
// Text to double with the engine locale's decimal separator; throws ConversionError.
double StrToFloat(std::string_view text);
// Text to integer; throws ConversionError.
std::int32_t StrToInt(std::string_view text);
// Round to the nearest integer, halves to even.
double RoundHalfEven(double value);

} // namespace vl
