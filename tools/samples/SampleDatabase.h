#pragma once

#include <QString>
#include <cstdint>

namespace samples {

// What the shop database sample holds: customers, their orders and the
// lines of each order, with an index on the lines' order number.
struct ShopOptions {
    QString file;         // the SQLite file, replaced when it exists
    int orderLines = 120; // about five lines per order
    std::uint32_t seed = 1;
};

// Writes the database into a temporary file beside the target and renames
// it, so that a failed run leaves no half-written database behind. Throws
// VlError on failure.
void WriteShopDatabase(const ShopOptions& options);

} // namespace samples
