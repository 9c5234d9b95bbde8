#include "control/ServerPage.h"

#include <algorithm>

#include "runtime/Conversions.h"

namespace cp {
bool SameKey(const Variant& a, const Variant& b) {
    return a.Type() == b.Type() && CStr(a) == CStr(b);
}

ServerPage ServerPage::Of(const std::vector<KeyedRow>& rows, std::size_t from,
                          std::int32_t fields) {
    ServerPage page;
    const auto count = static_cast<std::int32_t>(rows.size() - std::min(from, rows.size()));
    page.cells = VariantArray({std::max(fields, 1), count});
    for (std::int32_t r = 0; r < count; ++r) {
        const KeyedRow& row = rows[from + static_cast<std::size_t>(r)];
        page.keys.push_back(row.key);
        for (std::int32_t c = 0; c < fields && static_cast<std::size_t>(c) < row.fields.size(); ++c)
            page.cells.At(c, r) = row.fields[static_cast<std::size_t>(c)];
    }
    return page;
}

KeyedRow ServerPage::Row(std::int32_t at) const {
    KeyedRow row;
    for (std::int32_t c = 0; c < cells.Extent(0); ++c)
        row.fields.push_back(cells.At(c, at));
    row.key = keys[static_cast<std::size_t>(at)];
    return row;
}

std::optional<std::int32_t> NumberOfKey(const ServerPages& pages, const Variant& unique) {
    for (const auto& [first, page] : pages) {
        for (std::int32_t r = 0; r < page.Rows(); ++r) {
            if (SameKey(page.keys[static_cast<std::size_t>(r)].unique, unique)) return first + r;
        }
    }
    return std::nullopt;
}

}  // namespace cp
