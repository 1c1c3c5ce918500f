#pragma once

#include "engine/script/StreamIO.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vl {

class TvlDataDictionary;

// The choices of a data band's data source: "[None]", "Virtual Dataset"
// (a record count) and the report's data sources by their aliases, and
// how a choice is stored in the band's text and read back from it.
class TvlDataSourceEntries {
public:
    static constexpr int kNone = 0;
    static constexpr int kVirtual = 1;

    explicit TvlDataSourceEntries(const TvlDataDictionary& dictionary);

    const StringList& texts() const { return texts_; }
    int count() const { return static_cast<int>(texts_.size()); }

    // The entry a stored text selects: a text starting with a digit 1-9 is
    // a record count, any other names a data source by its alias; none
    // selects "[None]".
    int entryOf(std::string_view stored) const;
    // The text an entry stores: the record count for "Virtual Dataset",
    // the component name behind a data source's alias, "[None]" itself.
    std::string storedText(int entry, std::string_view recordCount) const;

    // Whether a stored text is a virtual source's record count.
    static bool IsRecordCount(std::string_view text);

private:
    const TvlDataDictionary& dictionary_;
    StringList texts_;
};

// A cross data band's sources: one source text for every band (a text
// without ";"), or "band=source;" pairs.
class TvlCrossSources {
public:
    // The source text of a band: its pair's text (band names compared
    // without case), the whole text when it has no ";", else "0".
    static std::string SourceOf(std::string_view list, std::string_view bandName);
    // "name=source;" for every band in order.
    static std::string Compose(const std::vector<std::pair<std::string, std::string>>& bands);
};

} // namespace vl
