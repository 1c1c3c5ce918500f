#include "engine/build/FindDataSource.h"

#include "engine/build/TvlDBDataSet.h"
#include "engine/build/TvlUserDataset.h"
#include "engine/script/DataFieldRef.h"
#include "engine/script/Variant.h"

namespace vl {

namespace {

bool namesVirtualSource(std::string_view name) {
    return !name.empty() && name[0] >= '1' && name[0] <= '9';
}

// A source that yields the given number of records and fires no events.
std::unique_ptr<TvlDataset> makeVirtualSource(std::string_view name) {
    auto source = std::make_unique<TvlUserDataset>();
    source->RangeEnd = reCount;
    source->RangeEndCount = StrToInt(name);
    return source;
}

// A band that names a table walks it through a data source of its own, so
// that a table needs no separate data source component to be printed.
std::unique_ptr<TvlDataset> makeTableSource(TvlTable& table) {
    auto source = std::make_unique<TvlDBDataSet>(table.name());
    source->SetDataSet(&table);
    return source;
}

TvlComponent* findNamed(const ComponentDirectory& directory, const TvlComponent* owner,
                        std::string_view name) {
    try {
        return FindComponentByPath(directory, owner, name);
    } catch (const ClassNotFoundError&) {
        return nullptr; // a missing data source is not an error
    }
}

} // namespace

DataSourceLookup FindDataSource(const ComponentDirectory& directory,
                                const TvlComponent* reportOwner, std::string_view name) {
    DataSourceLookup result;
    if (namesVirtualSource(name)) {
        result.owned = makeVirtualSource(name);
        result.source = result.owned.get();
    } else if (TvlComponent* found = findNamed(directory, reportOwner, name)) {
        if (auto* table = dynamic_cast<TvlTable*>(found)) {
            result.owned = makeTableSource(*table);
            result.source = result.owned.get();
        } else {
            result.source = dynamic_cast<TvlDataset*>(found);
            if (!result.source) throw InvalidTypeCastError();
        }
    }
    if (result.source) result.source->Open();
    return result;
}

bool DataSourceExists(const ComponentDirectory& directory, const TvlComponent* reportOwner,
                      std::string_view name) {
    if (namesVirtualSource(name)) return true;
    try {
        const TvlComponent* found = findNamed(directory, reportOwner, name);
        return dynamic_cast<const TvlTable*>(found) || dynamic_cast<const TvlDataset*>(found);
    } catch (const VlError&) {
        return false;
    }
}

} // namespace vl
