#include "engine/script/LocaleService.h"

#include "engine/script/CodePage.h"

namespace vl {

LocaleService::LocaleService() : locale_(QLocale::system()) { cache(); }

LocaleService::LocaleService(const QString& name) : locale_(name) { cache(); }

void LocaleService::select(const QString& name) {
    locale_ = QLocale(name);
    cache();
}

void LocaleService::cache() {
    const std::string sep = FromQt(locale_.decimalPoint());
    decimalSeparator_ = sep.size() == 1 ? sep[0] : '.';
}

std::string LocaleService::upperCase(std::string_view text) const {
    return CurrentCodePage().toUpper(text);
}

std::string LocaleService::lowerCase(std::string_view text) const {
    return CurrentCodePage().toLower(text);
}

} // namespace vl
