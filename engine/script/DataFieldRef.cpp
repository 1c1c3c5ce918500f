#include "engine/script/DataFieldRef.h"

#include "engine/script/Errors.h"
#include "engine/script/TextUtils.h"

namespace vl {

DataFieldParts SplitDataFieldReference(std::string_view reference) {
    DataFieldParts result;
    std::size_t start = 0;
    for (std::size_t i = 0; i < reference.size(); ++i) {
        if (reference[i] == '"') {
            result.parts.emplace_back(reference.substr(start));
            return result;
        }
        if (reference[i] == '.') {
            result.parts.emplace_back(reference.substr(start, i - start));
            ++result.dots;
            start = i + 1;
        }
    }
    if (start < reference.size()) result.parts.emplace_back(reference.substr(start));
    return result;
}

namespace {

[[noreturn]] void missing(std::string_view name) {
    throw ClassNotFoundError("Missing " + std::string(name));
}

TvlComponent* require(TvlComponent* found, std::string_view name) {
    if (!found) missing(name);
    return found;
}

const std::string& partOrEmpty(const DataFieldParts& split, std::size_t i) {
    static const std::string empty;
    return i < split.parts.size() ? split.parts[i] : empty;
}

} // namespace

TvlComponent* FindComponentByPath(const ComponentDirectory& directory, const TvlComponent* owner,
                                  std::string_view name) {
    const auto dot = name.find('.');
    if (dot == std::string_view::npos)
        return require(owner ? owner->findComponent(name) : nullptr, name);
    TvlComponent* container = require(directory.find(name.substr(0, dot)), name);
    const std::string_view rest = name.substr(dot + 1);
    const auto dot2 = rest.find('.');
    if (dot2 == std::string_view::npos) return require(container->findComponent(rest), name);
    TvlComponent* inner = require(container->findComponent(rest.substr(0, dot2)), name);
    return require(inner->findComponent(rest.substr(dot2 + 1)), name);
}

std::string CheckField(const TvlComponent* dataSet, std::string_view name) {
    return dataSet && dataSet->hasField(name) ? std::string(name) : std::string();
}

void GetDataSetAndField(const ComponentDirectory& directory, const TvlComponent* reportOwner,
                        std::string_view reference, TvlComponent*& dataSet, std::string& field) {
    field.clear();
    const DataFieldParts split = SplitDataFieldReference(reference);
    switch (split.dots) {
    case 0:
        if (dataSet) field = CheckField(dataSet, RemoveQuotes(reference));
        return;
    case 1:
        dataSet = FindComponentByPath(directory, reportOwner, partOrEmpty(split, 0));
        field = CheckField(dataSet, RemoveQuotes(partOrEmpty(split, 1)));
        return;
    case 2: {
        TvlComponent* container = require(directory.find(partOrEmpty(split, 0)), reference);
        dataSet = require(container->findComponent(partOrEmpty(split, 1)), reference);
        field = CheckField(dataSet, RemoveQuotes(partOrEmpty(split, 2)));
        return;
    }
    default: {
        TvlComponent* container = require(directory.find(partOrEmpty(split, 0)), reference);
        TvlComponent* inner = require(container->findComponent(partOrEmpty(split, 1)), reference);
        dataSet = require(inner->findComponent(partOrEmpty(split, 2)), reference);
        field = CheckField(dataSet, RemoveQuotes(partOrEmpty(split, 3)));
        return;
    }
    }
}

bool IsFieldNull(const ComponentDirectory& directory, const TvlComponent* reportOwner,
                 TvlComponent* defaultDataSet, std::string_view reference) {
    TvlComponent* dataSet = defaultDataSet;
    std::string field;
    GetDataSetAndField(directory, reportOwner, reference, dataSet, field);
    if (!dataSet) return true;
    // a field the data set lacks is asked for as written, and the data set raises
    if (field.empty()) field = RemoveQuotes(reference);
    return dataSet->isFieldNull(field);
}

namespace {

void listComponents(const TvlComponent& holder, const std::string& prefix,
                    const TvlComponent* reportOwner, const ComponentFilter& filter,
                    StringList& target, const TvlComponent* skip) {
    for (const TvlComponent* c : holder.components()) {
        if (c->isFrame()) {
            listComponents(*c, prefix + c->name() + '.', reportOwner, filter, target, skip);
            continue;
        }
        if (c == skip || !filter(*c)) continue;
        const bool bare = c->owner() == reportOwner && reportOwner;
        target.push_back(bare ? c->name() : prefix + c->name());
    }
}

} // namespace

void GetComponentList(const ComponentDirectory& directory, const TvlComponent* reportOwner,
                      const ComponentFilter& filter, StringList& target, const TvlComponent* skip) {
    target.clear();
    for (const TvlComponent* container : directory.containers())
        listComponents(*container, container->name() + '.', reportOwner, filter, target, skip);
}

} // namespace vl
