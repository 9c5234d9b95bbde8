#include "control/ShownRows.h"

#include <algorithm>

namespace cp {

std::int32_t ShownRows::TableRow(const ItemTable& table, std::int32_t listRow) const {
    if (served_ >= 0) return listRow;
    if (!Filtered(table)) return listRow;
    if (listRow < 0 || listRow >= Count(table)) return -1;
    return rows_[static_cast<std::size_t>(listRow)];
}

std::int32_t ShownRows::ListRow(const ItemTable& table, std::int32_t tableRow) const {
    if (served_ >= 0) return tableRow;
    if (!Filtered(table)) return tableRow;
    if (tableRow < 0) return -1;
    const auto at = std::ranges::lower_bound(rows_, tableRow);
    if (at == rows_.end() || *at != tableRow) return -1;
    return static_cast<std::int32_t>(at - rows_.begin());
}

const std::string& ShownRows::Text(const ItemTable& table) const {
    static const std::string kNoText;
    return Filtered(table) ? text_ : kNoText;
}

void ShownRows::Show(const ItemTable& table, std::vector<std::int32_t> rows, std::string text,
                     FilterAnswer answer) {
    filtered_ = true;
    growing_ = answer == FilterAnswer::Growing;
    tableChanges_ = table.Changes();
    rows_ = std::move(rows);
    text_ = std::move(text);
}

void ShownRows::Grow(const std::vector<std::int32_t>& more, FilterAnswer answer) {
    rows_.insert(rows_.end(), more.begin(), more.end());
    growing_ = answer == FilterAnswer::Growing;
}

void ShownRows::ShowAll() {
    filtered_ = false;
    growing_ = false;
    rows_ = {};
    text_.clear();
}

}  // namespace cp
