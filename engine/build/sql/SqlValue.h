#pragma once

#include "engine/script/TvlField.h"

#include <QMetaType>
#include <QVariant>

namespace vl {

// The engine's field type for a column of this Qt type.
TFieldType FieldTypeOf(QMetaType type);

// A database value as an engine value: text in the engine's code page,
// dates as day counts, 64-bit integers as doubles when they leave the 32-bit
// range, blobs as byte strings; a null value is Null.
Variant VariantFromSql(const QVariant& value);

// An engine value as a database parameter: text from the engine's code
// page, day counts as date-times, Null as a null value.
QVariant SqlValueOf(const Variant& value);

} // namespace vl
