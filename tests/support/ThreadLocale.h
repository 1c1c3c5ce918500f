#pragma once

#include "engine/build/TvlEngine.h"
#include "engine/model/DisplayFormat.h"
#include "engine/script/ValueFormat.h"

// The formatting functions take the locale they format by. Tests that check
// the format languages themselves format by the locale of the engine the
// thread works for, which their fixtures select.
namespace vltest {

inline vl::LocaleService& ThreadLocale() {
    return vl::Globals().localeService();
}

inline std::string FormatDateTime(std::string_view format, double dateTime) {
    return vl::FormatDateTime(format, dateTime, ThreadLocale());
}
inline std::string FormatFloat(std::string_view format, double value) {
    return vl::FormatFloat(format, value, ThreadLocale());
}
inline std::string FormatMaskText(std::string_view mask, std::string_view value) {
    return vl::FormatMaskText(mask, value, ThreadLocale());
}
inline double StrToDate(std::string_view text) {
    return vl::StrToDate(text, ThreadLocale());
}
inline double StrToTime(std::string_view text) {
    return vl::StrToTime(text, ThreadLocale());
}
inline double StrToDateTime(std::string_view text) {
    return vl::StrToDateTime(text, ThreadLocale());
}
inline std::string FormatValue(const vl::Variant& value, std::int32_t word,
                               std::string_view pattern) {
    return vl::FormatValue(value, word, pattern, ThreadLocale());
}

} // namespace vltest
