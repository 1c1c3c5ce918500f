#pragma once

#include "engine/script/Component.h"
#include "engine/script/TvlField.h"

#include <string_view>

namespace vl {

// The value a report reads from a field: opens the field's table when it is
// closed; a field with a display-text handler, or a 64-bit integer field,
// gives its display text. A Null value becomes "" for text fields, false for
// Boolean fields and 0 for all others.
Variant GetFieldValue(TvlField& field);

// Resolves a data-field reference (see GetDataSetAndField) with defaultTable
// as the data set of bare field names, and answers the field's null test;
// true when no table results. Raises when the table has no such field, or
// when the reference names a component that is not a table.
bool IsFieldNull(const ComponentDirectory& directory, const TvlComponent* reportOwner,
                 TvlComponent* defaultTable, std::string_view reference);

} // namespace vl
