// Gives the tests the control's state record and its private procedures.
#pragma once

#include "control/ColumnPick.h"

namespace cp {

class ColumnPickProbe {
public:
    explicit ColumnPickProbe(ColumnPick& control) : c_(control) {}

    // --- The state record ---------------------------------------------------------------------
    auto& intColumnCount() { return c_.settings.intColumnCount; }
    auto& intListRows() { return c_.settings.intListRows; }
    auto& byteAppearance() { return c_.settings.byteAppearance; }
    auto& lngBackColorNormal() { return c_.settings.lngBackColorNormal; }
    auto& lngForeColorNormal() { return c_.settings.lngForeColorNormal; }
    auto& lngColumnLineForeColor() { return c_.settings.lngColumnLineForeColor; }
    // A write through this is no change the control makes itself, so its indexes of the table
    // are dropped first.
    CellTable& varItems() {
        c_.rows.indexes.Clear();
        return c_.rows.varItems;
    }
    auto& lngColumnWidths() { return c_.columns.lngColumnWidths; }
    auto& lngListIndex() { return c_.rows.lngListIndex; }
    auto& lngCommittedIndex() { return c_.rows.lngCommittedIndex; }
    auto& lngHotRow() { return c_.rows.lngHotRow; }
    auto& blnIgnoreListClick() { return c_.editing.blnIgnoreListClick; }
    auto& blnInternalTextChange() { return c_.editing.blnInternalTextChange; }
    auto& blnTextChanged() { return c_.editing.blnTextChanged; }
    auto& blnUserEdited() { return c_.editing.blnUserEdited; }
    auto& blnListShown() { return c_.dropDown.blnListShown; }
    auto& blnListMouseDown() { return c_.dropDown.blnListMouseDown; }
    auto& rctButton() { return c_.button.rctButton; }
    auto& blnButtonDown() { return c_.button.blnButtonDown; }
    auto& buttonLook() { return c_.button.look; }
    auto& blnPaintedOnce() { return c_.button.blnPaintedOnce; }
    auto& blnSubclassed() { return c_.hosting.blnSubclassed; }
    WNDPROC lngOldWindowProc() { return c_.hosting.drawing.Replaced(); }

    // --- Private procedures and host notifications ---------------------------------------------
    void UserControl_Initialize() { return c_.UserControl_Initialize(); }
    void UserControl_Resize() { return c_.UserControl_Resize(); }
    void UserControl_Paint() { return c_.UserControl_Paint(); }
    void lstListBox_Click() { return c_.lstListBox_Click(); }
    void txtTextBox_Change() { return c_.txtTextBox_Change(); }
    void lstListBox_MouseDown(std::int16_t b, std::int16_t s, float x, float y) {
        return c_.lstListBox_MouseDown(b, s, x, y);
    }
    void lstListBox_MouseMove(std::int16_t b, std::int16_t s, float x, float y) {
        return c_.lstListBox_MouseMove(b, s, x, y);
    }
    void lstListBox_MouseUp(std::int16_t b, std::int16_t s, float x, float y) {
        return c_.lstListBox_MouseUp(b, s, x, y);
    }
    void SubclassControlOnce() { return c_.SubclassControlOnce(); }
    std::int32_t FindItemInArray(const std::string& t) { return c_.FindItemInArray(t); }
    ItemIndexes& indexes() { return c_.rows.indexes; }
    // The searches of the table's indexes alone, without the selection or the error report.
    std::int32_t IndexedPrefix(std::string_view t) { return c_.rows.FindPrefix(t); }
    std::int32_t IndexedValue(const Variant& key) {
        return c_.rows.FindValue(c_.settings.intBoundColumn, key);
    }
    void ShowListBox() { return c_.ShowListBox(); }
    void FindItemAndSelectItemInListBox() { return c_.FindItemAndSelectItemInListBox(); }
    void DrawListRow(const DRAWITEMSTRUCT& d) { return c_.DrawListRow(d); }
    void SubclassControl() { return c_.SubclassControl(); }
    void UnsubclassControl() { return c_.UnsubclassControl(); }
    void ClearButton() { return c_.ClearButton(); }
    void DrawButton() { return c_.DrawButton(); }
    void DrawArrow(ButtonFace face) { return c_.DrawArrow(face); }

private:
    ColumnPick& c_;
};

}  // namespace cp
