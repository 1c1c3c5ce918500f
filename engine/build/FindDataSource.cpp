#include "engine/build/FindDataSource.h"

#include "engine/build/TvlGlobals.h"
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
        result.source = dynamic_cast<TvlDataset*>(found);
        if (!result.source) throw InvalidTypeCastError();
    }
    if (result.source) result.source->Open();
    return result;
}

DataSourceLookup FindDataSource(const TvlComponent* reportOwner, std::string_view name) {
    return FindDataSource(Globals().components(), reportOwner, name);
}

} // namespace vl
