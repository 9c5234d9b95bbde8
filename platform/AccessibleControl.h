// What a control tells assistive technology, in terms free of any window system: the platform's
// accessible objects (the list with one child per row, and the control as a combo box) are thin
// wrappers around these answers. Rows are numbered from 0; the accessible objects number their
// children from 1. A row that does not exist (beyond the rows, or removed since the reader last
// asked) has no answer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/basApi.h"

namespace cp {

// The states of one row as the list shows it.
struct RowReading {
    bool selectable = true;  // every row can be picked
    bool selected = false;   // the list shows the row selected
    bool focused = false;    // the row is the list's current row
    bool offscreen = false;  // the row lies outside the rows the open list shows
    bool invisible = false;  // the list is closed
    friend bool operator==(const RowReading&, const RowReading&) = default;
};

// One column's header over the rows: the list's column headers, which are no rows.
struct ColumnHeading {
    std::string caption;  // as the header shows it
    RECT rect{};          // pixels of the list's client area: the band lies above it (top < 0)
};

class AccessibleControl {
public:
    virtual ~AccessibleControl() = default;

    virtual std::int32_t RowCount() = 0;
    // The row's shown columns left to right, joined as one reads them ("Germany, DE, DEU").
    virtual std::optional<std::string> RowName(std::int32_t row) = 0;
    virtual std::optional<RowReading> RowStates(std::int32_t row) = 0;
    // The row's band in pixels of the list's client area.
    virtual std::optional<RECT> RowRect(std::int32_t row) = 0;
    // The row under a point in pixels of the list's client area, among the rows shown.
    virtual std::optional<std::int32_t> RowAt(POINT client) = 0;
    // The list's current row; -1 for none.
    virtual std::int32_t CurrentRow() = 0;
    // Picks the row as a click in the list does; false when there is no such row or the pick
    // failed (the failure has gone to the error report).
    virtual bool PickRow(std::int32_t row) = 0;
    // Makes the row current as the arrow keys do, without a commit; false when there is none or
    // the move failed.
    virtual bool SelectRow(std::int32_t row) = 0;

    // The header's visible columns left to right; none while the list shows no header.
    virtual std::vector<ColumnHeading> ColumnHeadings() = 0;

    // The name the host gave the control; empty: none (the label before it names it).
    virtual std::string ControlName() = 0;
    // The control's value as a reader hears it: the edit field's text.
    virtual std::string ControlValue() = 0;
    virtual bool ListOpen() = 0;
    // Opens the list, or closes it when it is open. Raises a run-time error, with nothing
    // changed, when the list cannot open: the control is locked, or cannot take the focus.
    virtual void ToggleList() = 0;
};

}  // namespace cp
