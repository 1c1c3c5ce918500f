#include "engine/script/TvlVariables.h"

#include "engine/script/TextUtils.h"

#include <algorithm>

namespace vl {

std::size_t TvlVariables::lowerBound(std::string_view name) const {
    const auto it = std::lower_bound(
        entries_.begin(), entries_.end(), name,
        [](const Entry& e, std::string_view n) { return CompareText(e.name, n) < 0; });
    return static_cast<std::size_t>(it - entries_.begin());
}

int TvlVariables::IndexOf(std::string_view name) const {
    if (sorted_) {
        const std::size_t i = lowerBound(name);
        return i < entries_.size() && SameText(entries_[i].name, name) ? static_cast<int>(i) : -1;
    }
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (SameText(entries_[i].name, name)) return static_cast<int>(i);
    return -1;
}

const Variant* TvlVariables::Find(std::string_view name) const {
    const int i = IndexOf(name);
    return i < 0 ? nullptr : &entries_[static_cast<std::size_t>(i)].value;
}

void TvlVariables::SetVariable(std::string_view name, const Variant& value) {
    const int i = IndexOf(name);
    if (i >= 0) {
        entries_[static_cast<std::size_t>(i)].value = value;
        return;
    }
    const auto at =
        sorted_ ? entries_.begin() + static_cast<std::ptrdiff_t>(lowerBound(name)) : entries_.end();
    entries_.insert(at, Entry{std::string(name), value});
}

Variant TvlVariables::GetVariable(std::string_view name) const {
    const Variant* v = Find(name);
    return v ? *v : Variant();
}

Variant TvlVariables::GetValue(int index) const {
    return valid(index) ? entries_[static_cast<std::size_t>(index)].value : Variant(0);
}

void TvlVariables::SetValue(int index, const Variant& value) {
    if (valid(index)) entries_[static_cast<std::size_t>(index)].value = value;
}

std::string TvlVariables::GetName(int index) const {
    return valid(index) ? entries_[static_cast<std::size_t>(index)].name : std::string();
}

void TvlVariables::SetName(int index, std::string_view name) {
    if (!valid(index)) return;
    entries_[static_cast<std::size_t>(index)].name = name;
    if (sorted_) sortEntries();
}

void TvlVariables::Insert(int position, std::string_view name) {
    SetVariable(name, Variant(0));
    const int from = IndexOf(name);
    const int to = std::clamp(position, 0, Count() - 1);
    if (from == to) return;
    Entry moved = std::move(entries_[static_cast<std::size_t>(from)]);
    entries_.erase(entries_.begin() + from);
    entries_.insert(entries_.begin() + to, std::move(moved));
}

void TvlVariables::Delete(int index) {
    if (valid(index)) entries_.erase(entries_.begin() + index);
}

void TvlVariables::Clear() {
    entries_.clear();
}

void TvlVariables::Assign(const TvlVariables& other) {
    if (&other == this) return;
    Clear();
    for (const Entry& e : other.entries_)
        SetVariable(e.name, e.value);
}

void TvlVariables::SetSorted(bool sorted) {
    if (sorted && !sorted_) sortEntries();
    sorted_ = sorted;
}

void TvlVariables::sortEntries() {
    std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        return CompareText(a.name, b.name) < 0;
    });
}

} // namespace vl
