#pragma once

#include "engine/build/TvlDataset.h"
#include "engine/script/Errors.h"

#include <memory>
#include <string_view>

namespace vl {

// The data source a band names. A virtual source (made from a number) is
// owned by the result; a named one belongs to its form or data module.
struct DataSourceLookup {
    TvlDataset* source = nullptr;
    std::unique_ptr<TvlDataset> owned;
    bool isVirtual() const { return owned != nullptr; }
};

// Resolves a band's DataSource name and opens what it finds:
// - a name starting with a digit 1-9 makes a virtual source of that many
//   records (ConversionError when the whole name is not an integer);
// - otherwise the component of that path (see FindComponentByPath),
//   starting from the report's owner; none when the path leads nowhere,
//   InvalidTypeCastError when it names something that is not a data source;
// - a table component is walked through a database data source made for
//   it, which the result owns (a virtual source, too).
DataSourceLookup FindDataSource(const ComponentDirectory& directory,
                                const TvlComponent* reportOwner, std::string_view name);

// Whether a band's DataSource name leads to records: a virtual source, a
// data source or a table the lookup would find. Opens nothing.
bool DataSourceExists(const ComponentDirectory& directory, const TvlComponent* reportOwner,
                      std::string_view name);

} // namespace vl
