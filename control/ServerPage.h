// A run of rows read from the server, as server mode keeps it: the cells the list draws and the
// key of each row, so that reads can go on from it. The whole list and a filtered list keep their
// runs alike, by the first row's number.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "data/KeyedRows.h"
#include "runtime/Variant.h"

namespace cp {

struct ServerPage {
    VariantArray cells;        // (column, row)
    std::vector<RowKey> keys;  // where each row stands

    // The rows from the from-th on, with the first fields cells of each.
    static ServerPage Of(const std::vector<KeyedRow>& rows, std::size_t from, std::int32_t fields);
    std::int32_t Rows() const { return static_cast<std::int32_t>(keys.size()); }
    // The at-th row, its cells and its key.
    KeyedRow Row(std::int32_t at) const;
};

// Runs by the number of their first row.
using ServerPages = std::map<std::int32_t, ServerPage>;

// Two unique keys name the same row: of one type and one text.
bool SameKey(const Variant& a, const Variant& b);

// The number of the row with this unique key among the runs; none when it was not read.
std::optional<std::int32_t> NumberOfKey(const ServerPages& pages, const Variant& unique);

}  // namespace cp
