#pragma once

#include <QMimeData>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vl {

// What a data field dragged from the database fields window carries: the
// data-field reference (data set, ".", the field in double quotes) as
// engine text. The designer's surface turns a drop into a text object that
// shows "[" + reference + "]".
inline constexpr char kDataFieldMimeType[] = "application/x-vellum-data-field";

std::unique_ptr<QMimeData> CreateDataFieldMimeData(std::string_view reference);
// The reference a drag carries, or none when it carries no data field.
std::optional<std::string> DataFieldFromMimeData(const QMimeData& data);

} // namespace vl
