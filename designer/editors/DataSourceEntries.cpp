#include "designer/editors/DataSourceEntries.h"

#include "engine/script/TextUtils.h"
#include "engine/script/TvlDataDictionary.h"
#include "engine/script/TvlLocale.h"

namespace vl {

TvlDataSourceEntries::TvlDataSourceEntries(const TvlDataDictionary& dictionary)
    : dictionary_(dictionary) {
    texts_.push_back(LoadResString(55076));
    texts_.push_back(LoadResString(55333));
    StringList sources;
    dictionary_.GetDataSourceList(sources);
    texts_.insert(texts_.end(), sources.begin(), sources.end());
}

bool TvlDataSourceEntries::IsRecordCount(std::string_view text) {
    return !text.empty() && text.front() >= '1' && text.front() <= '9';
}

int TvlDataSourceEntries::entryOf(std::string_view stored) const {
    if (IsRecordCount(stored)) return kVirtual;
    const std::string alias = dictionary_.GetAliasName(stored);
    if (alias == texts_[kNone]) return kNone;
    for (int i = kVirtual + 1; i < count(); ++i)
        if (SameText(texts_[static_cast<std::size_t>(i)], alias)) return i;
    return kNone;
}

std::string TvlDataSourceEntries::storedText(int entry, std::string_view recordCount) const {
    if (entry == kVirtual) return std::string(recordCount);
    if (entry <= kNone || entry >= count()) return texts_[kNone];
    return dictionary_.RealDataSourceName(texts_[static_cast<std::size_t>(entry)]);
}

std::string TvlCrossSources::SourceOf(std::string_view list, std::string_view bandName) {
    if (list.find(';') == std::string_view::npos) return std::string(list);
    StringList pairs;
    SplitBySemicolon(list, pairs);
    for (const std::string& pair : pairs) {
        const std::size_t eq = pair.find('=');
        if (eq != std::string::npos && SameText(std::string_view(pair).substr(0, eq), bandName))
            return pair.substr(eq + 1);
    }
    return "0";
}

std::string
TvlCrossSources::Compose(const std::vector<std::pair<std::string, std::string>>& bands) {
    std::string list;
    for (const auto& [name, source] : bands)
        list += name + "=" + source + ";";
    return list;
}

} // namespace vl
