#include "engine/build/TvlGlobals.h"

namespace vl {

TvlGlobals::TvlGlobals() = default;
TvlGlobals::~TvlGlobals() = default;

TvlLocale& TvlGlobals::locale() {
    if (!locale_) locale_ = std::make_unique<TvlLocale>();
    return *locale_;
}

LocaleService& TvlGlobals::localeService() {
    if (!localeService_) localeService_ = std::make_unique<LocaleService>();
    return *localeService_;
}

TvlGlobals& Globals() {
    static TvlGlobals globals;
    return globals;
}

} // namespace vl
