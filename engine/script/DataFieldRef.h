#pragma once

#include "engine/script/Component.h"
#include "engine/script/StreamIO.h"

#include <functional>
#include <string>
#include <string_view>

namespace vl {

// A dotted data-field reference cut into its parts: Field, DataSet.Field,
// Container.DataSet.Field or Container.Sub.DataSet.Field. Everything from the
// first double quote on is the last part, dots included.
struct DataFieldParts {
    StringList parts;
    int dots = 0;
};
DataFieldParts SplitDataFieldReference(std::string_view reference);

// Finds a component by name: without a dot among the owner's components;
// with dots, starting from a top-level container of the directory.
// Throws ClassNotFoundError("Missing <name>") when a step finds nothing.
TvlComponent* FindComponentByPath(const ComponentDirectory& directory, const TvlComponent* owner,
                                  std::string_view name);

// Resolves a reference to a data set and a field name. dataSet comes in as
// the default data set (or nullptr) and goes out as the resolved one; field
// is empty when the data set has no such field.
void GetDataSetAndField(const ComponentDirectory& directory, const TvlComponent* reportOwner,
                        std::string_view reference, TvlComponent*& dataSet, std::string& field);


// The name when the data set has that field (case ignored), else empty.
std::string CheckField(const TvlComponent* dataSet, std::string_view name);

// Lists every component that the filter accepts, except skip, from every
// container (components inside embedded frames included): by bare name when
// the report's owner owns it, as form.frame.name inside a frame, else as
// container.name.
using ComponentFilter = std::function<bool(const TvlComponent&)>;
void GetComponentList(const ComponentDirectory& directory, const TvlComponent* reportOwner,
                      const ComponentFilter& filter, StringList& target,
                      const TvlComponent* skip = nullptr);

} // namespace vl
