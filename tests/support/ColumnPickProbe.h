// Gives the tests the control's state record and its private procedures.
#pragma once

#include "control/ColumnPick.h"

namespace cp {

class ColumnPickProbe {
public:
    explicit ColumnPickProbe(ColumnPick& control) : c_(control) {}

    // --- The state record ---------------------------------------------------------------------
    auto& intColumnCount() { return c_.settings.intColumnCount; }
    auto& lngColumnLineForeColor() { return c_.settings.lngColumnLineForeColor; }
    auto& lngColumnWidths() { return c_.columns.lngColumnWidths; }
    auto& lngCommittedIndex() { return c_.rows.lngCommittedIndex; }
    auto& lngHotRow() { return c_.rows.lngHotRow; }
    auto& blnIgnoreListClick() { return c_.editing.blnIgnoreListClick; }
    auto& blnInternalTextChange() { return c_.editing.blnInternalTextChange; }
    auto& blnTextChanged() { return c_.editing.blnTextChanged; }
    auto& blnListShown() { return c_.dropDown.blnListShown; }
    auto& blnListMouseDown() { return c_.dropDown.blnListMouseDown; }
    // In server mode, a question of typing is waiting for the server or its answer for taking,
    // or a filtered list's rows are being counted.
    bool ServerQuestionOutstanding() const { return c_.queries.Busy(); }
    // In server mode, rows read ahead of the open list's scrolling are on their way.
    bool ServerReadingAhead() const { return c_.queries.ReadingAhead(); }
    // The filtered list shows the first of its rows, the others still being found.
    bool ListGrowing() const { return c_.shown.Growing(c_.rows); }
    auto& blnSubclassed() { return c_.hosting.blnSubclassed; }
    WNDPROC lngOldWindowProc() { return c_.hosting.drawing.Replaced(); }

    // --- Private procedures and host notifications ---------------------------------------------
    void txtTextBox_Change() { return c_.txtTextBox_Change(); }
    void SubclassControlOnce() { return c_.SubclassControlOnce(); }
    std::int32_t FindItemInArray(const std::string& t) { return c_.FindItemInArray(t); }
    ItemIndexes& indexes() { return c_.rows.indexes; }
    // The searches of the table's indexes alone, without the selection or the error report.
    std::int32_t IndexedPrefix(std::string_view t) { return c_.rows.FindPrefix(t); }
    std::int32_t IndexedValue(const Variant& key) {
        return c_.rows.FindValue(c_.settings.intBoundColumn, key);
    }
    void SubclassControl() { return c_.SubclassControl(); }
    void UnsubclassControl() { return c_.UnsubclassControl(); }

private:
    ColumnPick& c_;
};

}  // namespace cp
