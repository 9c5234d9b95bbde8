#include "control/AccessibleRows.h"

#include <algorithm>

namespace cp {
namespace {

constexpr std::string_view kCellSeparator = ", ";

}  // namespace

bool AccessibleRows::ColumnShown(std::int32_t column) const {
    const auto& widths = columns_.lngColumnWidths;
    return static_cast<std::size_t>(column) < widths.size() &&
           widths[static_cast<std::size_t>(column)] > 0;
}

std::optional<std::string> AccessibleRows::Name(std::int32_t row) const {
    if (!Exists(row)) return std::nullopt;
    const bool filtered = server_.Active() && filter_.Active();
    row = filtered           ? filter_.Slot(row)
          : server_.Active() ? server_.Slot(row)
                             : shown_.TableRow(rows_, row);
    RowCellsAt cells;
    cells.row = row;
    // In server mode the row is read from its page, numbered there.
    if (filtered)
        cells.items = filter_.PageOf(row, cells.row);
    else if (server_.Active())
        cells.items = server_.PageOf(row, cells.row);
    else
        cells.table = &rows_.Items();
    if (!cells.Holds()) return std::nullopt;
    const std::int32_t columns = std::min<std::int32_t>(settings_.intColumnCount, cells.Columns());
    std::string name;
    for (std::int32_t c = 0; c < columns; ++c) {
        if (!ColumnShown(c)) continue;
        const std::string text = cells.Text(c);
        if (text.empty()) continue;
        if (!name.empty()) name += kCellSeparator;
        name += text;
    }
    return name;
}

std::int32_t AccessibleRows::Current() const {
    return list_.ListIndex();
}

std::int32_t AccessibleRows::Top() const {
    return list_.TopIndex();
}

std::int32_t AccessibleRows::Shown() const {
    return std::min<std::int32_t>(Count() - Top(), settings_.intListRows);
}

std::optional<RowReading> AccessibleRows::States(std::int32_t row) const {
    if (!Exists(row)) return std::nullopt;
    RowReading reading;
    reading.selected = reading.focused = row == Current();
    reading.invisible = !dropDown_.blnComboBoxIsOpen;
    const std::int32_t top = Top();
    reading.offscreen = reading.invisible || row < top || row >= top + Shown();
    return reading;
}

std::optional<RECT> AccessibleRows::Band(std::int32_t row) const {
    if (!Exists(row)) return std::nullopt;
    RECT band{};
    if (SendMessage(list_.hWnd(), LB_GETITEMRECT, static_cast<WPARAM>(row),
                    reinterpret_cast<LPARAM>(&band)) == LB_ERR) {
        return std::nullopt;
    }
    return band;
}

std::optional<std::int32_t> AccessibleRows::RowAt(POINT client) const {
    if (!dropDown_.blnComboBoxIsOpen || client.y < 0 || client.x < 0) return std::nullopt;
    const auto height = static_cast<LONG>(SendMessage(list_.hWnd(), LB_GETITEMHEIGHT, 0, 0));
    if (height <= 0) return std::nullopt;
    const std::int32_t band = client.y / height;
    if (band >= Shown()) return std::nullopt;
    const std::int32_t row = Top() + band;
    const std::optional<RECT> rect = Band(row);
    if (!rect || client.x >= rect->right) return std::nullopt;
    return row;
}

}  // namespace cp
