#pragma once

#include "engine/script/LocaleService.h"

#include <string>
#include <string_view>

namespace vl {

// The format languages of report values, shared by the format functions of
// expressions and the display formats of text objects, by the engine's locale.

// Picture-letter date-time formats: d dd ddd dddd ddddd dddddd, m mm mmm mmmm
// (m after h is minutes), yy yyyy, h hh, n nn, s ss, z zzz, t tt, c, am/pm,
// a/p, ampm, '/' and ':' as the locale's separators, text in single or double
// quotes as it stands. An empty format is "c". Throws ConversionError for a
// value that is no date.
std::string FormatDateTime(std::string_view format, double dateTime, const LocaleService& locale);

// Number formats: up to three sections (positive;negative;zero) of '0' (digit)
// and '#' (optional digit) placeholders, '.' (decimal separator), ',' (thousand
// separators wanted), E+ E- e+ e- (scientific), quoted literals. Halves round
// away from zero. An empty format is the general number form.
std::string FormatFloat(std::string_view format, double value, const LocaleService& locale);

// Edit masks: "mask;save literals;blank character". Data positions L l A a C c
// 0 9 # take the value's characters in turn (a blank where it runs out), '>'
// and '<' switch upper and lower case ("<>" neither), '\' makes the next
// character literal, '_' is a space, ':' and '/' the locale's separators, '!'
// aligns a short value to the right. With literals saved the value already
// holds them, position for position.
std::string FormatMaskText(std::string_view editMask, std::string_view value,
                           const LocaleService& locale);

// Text to date-time by the locale's short date order and separators, month
// names allowed; a two-digit year falls within fifty years of this one.
// Throws ConversionError.
double StrToDate(std::string_view text, const LocaleService& locale);
// h[:n[:s[.z]]] with an optional am/pm marker.
double StrToTime(std::string_view text, const LocaleService& locale);
// A date, a time, or a date followed by a time.
double StrToDateTime(std::string_view text, const LocaleService& locale);

} // namespace vl
