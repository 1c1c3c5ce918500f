#pragma once

#include "engine/script/Variant.h"

#include <string>
#include <string_view>
#include <vector>

namespace vl {

// An ordered list of named values. Names compare without regard to case in
// every lookup. Unsorted lists keep insertion order; a sorted list keeps the
// names in case-insensitive order, finds them by bisection and ignores a
// second entry of the same name.
class TvlVariables {
public:
    explicit TvlVariables(bool sorted = false) : sorted_(sorted) {}

    // Replaces the value of an existing name or adds a new entry (in order
    // when sorted).
    void SetVariable(std::string_view name, const Variant& value);
    // Null when the name is absent.
    Variant GetVariable(std::string_view name) const;
    // By index; outside 0..Count()-1 a read gives integer 0 and a write does nothing.
    Variant GetValue(int index) const;
    void SetValue(int index, const Variant& value);
    // The address of a value for in-place use, or nullptr when absent.
    const Variant* Find(std::string_view name) const;
    // By index; outside the range a read gives the empty text and a rename
    // does nothing. A sorted list moves the renamed entry into place.
    std::string GetName(int index) const;
    void SetName(int index, std::string_view name);
    // Position of the name, -1 when absent.
    int IndexOf(std::string_view name) const;
    // Sets the name to integer 0 and moves its entry to the position.
    void Insert(int position, std::string_view name);
    void Delete(int index);
    void Clear();
    // Clear, then every entry of the other list in its order.
    void Assign(const TvlVariables& other);
    int Count() const { return static_cast<int>(entries_.size()); }
    // Switching sorting on orders the present entries.
    void SetSorted(bool sorted);
    bool IsSorted() const { return sorted_; }

private:
    struct Entry {
        std::string name;
        Variant value;
    };
    bool valid(int index) const { return index >= 0 && index < Count(); }
    // Sorted lists: the first position whose name is not below the name.
    std::size_t lowerBound(std::string_view name) const;
    void sortEntries();

    std::vector<Entry> entries_;
    bool sorted_;
};

} // namespace vl
