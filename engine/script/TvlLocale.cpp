#include "engine/script/TvlLocale.h"

#include "engine/script/ScriptContext.h"
#include "engine/script/TextTable.h"

namespace vl {

namespace {
constexpr std::size_t kMaxResStringLength = 1024;
}

std::string TvlLocale::loadString(int id) const {
    if (handler_) {
        std::string text;
        handler_(id, text);
        if (!text.empty()) return text;
    }
    const std::string* entry = TextTable::builtIn().find(id);
    return entry ? entry->substr(0, kMaxResStringLength) : std::string();
}

std::string LoadResString(int id) {
    return ScriptGlobals().locale().loadString(id);
}

} // namespace vl
