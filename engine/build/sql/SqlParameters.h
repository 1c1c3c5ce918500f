#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

// A query parameter that takes a field of the current record of another
// table: ":Orders.id" or ":Orders."Order id"".
struct SqlFieldParameter {
    std::string table;
    std::string field;
};

// A query text with its field parameters replaced by positional
// placeholders ("?"), in the order they appear.
struct SqlParameterizedText {
    QString text;
    std::vector<SqlFieldParameter> parameters;
};

// Finds the field parameters of a query. Text inside quotes and comments is
// left alone, as are the driver's own placeholders (":name" without a dot)
// and PostgreSQL's "::" casts.
SqlParameterizedText ParseFieldParameters(std::string_view sql);

} // namespace vl
