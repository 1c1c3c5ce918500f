#pragma once

#include "engine/script/StreamIO.h"

#include <string>
#include <string_view>
#include <vector>

namespace vl {

class TvlFunctionLibrary;

// The description of one function as the expression builder lists it. The
// library is referenced, not owned.
struct TvlFunctionDesc {
    const TvlFunctionLibrary* Library = nullptr;
    std::string LibraryClass;
    std::string Name, Category, Description;
};

// Every described function, by category. Descriptions are "syntax/explanation".
class TvlInstalledFunctions {
public:
    // Ignored when the category is empty or the exact name is already there.
    void Add(const TvlFunctionLibrary& library, std::string_view name, std::string_view category,
             std::string_view description);
    // The first entry whose name matches ignoring case; empty when none.
    std::string GetDescription(std::string_view name) const;
    // Distinct categories, sorted.
    void GetCategories(StringList& target) const;
    // Sorted names of one category (case ignored); the "All functions" text
    // (id 55348) selects every entry.
    void GetFunctionsOfCategory(std::string_view category, StringList& target) const;
    // Drops every entry of a library of the same class.
    void RemoveLibrary(const TvlFunctionLibrary& library);

    const std::vector<TvlFunctionDesc>& Entries() const { return entries_; }

private:
    std::vector<TvlFunctionDesc> entries_;
};

} // namespace vl
