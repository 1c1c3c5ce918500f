#include "engine/script/FunctionDescriptions.h"

#include "engine/script/FunctionLibrary.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlLocale.h"

#include <algorithm>

namespace vl {

namespace {

constexpr int kAllFunctionsText = 55348;

// Sorted without regard to case, duplicates (ignoring case) dropped.
void sortUnique(StringList& list) {
    std::stable_sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
        return CompareText(a, b) < 0;
    });
    list.erase(
        std::unique(list.begin(), list.end(),
                    [](const std::string& a, const std::string& b) { return SameText(a, b); }),
        list.end());
}

} // namespace

void TvlInstalledFunctions::Add(const TvlFunctionLibrary& library, std::string_view name,
                                std::string_view category, std::string_view description) {
    if (category.empty()) return;
    if (std::any_of(entries_.begin(), entries_.end(),
                    [&](const TvlFunctionDesc& d) { return d.Name == name; }))
        return;
    entries_.push_back({&library, library.ClassName(), std::string(name), std::string(category),
                        std::string(description)});
}

std::string TvlInstalledFunctions::GetDescription(std::string_view name) const {
    for (const TvlFunctionDesc& d : entries_)
        if (SameText(d.Name, name)) return d.Description;
    return {};
}

void TvlInstalledFunctions::GetCategories(StringList& target) const {
    target.clear();
    for (const TvlFunctionDesc& d : entries_)
        target.push_back(d.Category);
    sortUnique(target);
}

void TvlInstalledFunctions::GetFunctionsOfCategory(std::string_view category,
                                                   StringList& target) const {
    target.clear();
    const bool all = category == LoadResString(kAllFunctionsText);
    for (const TvlFunctionDesc& d : entries_)
        if (all || SameText(d.Category, category)) target.push_back(d.Name);
    sortUnique(target);
}

void TvlInstalledFunctions::RemoveLibrary(const TvlFunctionLibrary& library) {
    const std::string className = library.ClassName();
    std::erase_if(entries_, [&](const TvlFunctionDesc& d) { return d.LibraryClass == className; });
}

} // namespace vl
