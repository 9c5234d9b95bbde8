// Gives the tests the control's state record and its private procedures.
#pragma once

#include "control/ColumnPick.h"

namespace cp {

class ColumnPickProbe {
public:
    explicit ColumnPickProbe(ColumnPick& control) : c_(control) {}

    // --- The state record ---------------------------------------------------------------------
    auto& intColumnCount() { return c_.intColumnCount; }
    auto& intBoundColumn() { return c_.intBoundColumn; }
    auto& intListRows() { return c_.intListRows; }
    auto& intListWidth() { return c_.intListWidth; }
    auto& blnLocked() { return c_.blnLocked; }
    auto& byteAppearance() { return c_.byteAppearance; }
    auto& lngBackColorNormal() { return c_.lngBackColorNormal; }
    auto& lngBackColorSelected() { return c_.lngBackColorSelected; }
    auto& lngForeColorNormal() { return c_.lngForeColorNormal; }
    auto& lngForeColorSelected() { return c_.lngForeColorSelected; }
    auto& lngColumnLineForeColor() { return c_.lngColumnLineForeColor; }
    auto& varItems() { return c_.varItems; }
    auto& lngListCount() { return c_.lngListCount; }
    auto& lngColumnWidths() { return c_.lngColumnWidths; }
    auto& lngListIndex() { return c_.lngListIndex; }
    auto& lngCommittedIndex() { return c_.lngCommittedIndex; }
    auto& lngHotRow() { return c_.lngHotRow; }
    auto& blnIgnoreListClick() { return c_.blnIgnoreListClick; }
    auto& blnInternalTextChange() { return c_.blnInternalTextChange; }
    auto& blnTextChanged() { return c_.blnTextChanged; }
    auto& blnUserEdited() { return c_.blnUserEdited; }
    auto& intLastKey() { return c_.intLastKey; }
    auto& blnLastKeyDelete() { return c_.blnLastKeyDelete; }
    auto& blnComboBoxIsOpen() { return c_.blnComboBoxIsOpen; }
    auto& lngListBoxParent() { return c_.lngListBoxParent; }
    auto& blnListShown() { return c_.blnListShown; }
    auto& blnListMouseDown() { return c_.blnListMouseDown; }
    auto& rctButton() { return c_.rctButton; }
    auto& blnButtonDown() { return c_.blnButtonDown; }
    auto& blnShownPressed() { return c_.blnShownPressed; }
    auto& blnShownReleased() { return c_.blnShownReleased; }
    auto& blnPaintedOnce() { return c_.blnPaintedOnce; }
    auto& blnSubclassed() { return c_.blnSubclassed; }
    auto& lngOldWindowProc() { return c_.lngOldWindowProc; }
    auto& blnDesignMode() { return c_.blnDesignMode; }
    auto& picArrow() { return c_.picArrow; }
    auto& varListHeights() { return c_.varListHeights; }
    auto& varRowBottoms() { return c_.varRowBottoms; }

    // --- Private procedures and host notifications ---------------------------------------------
    void UserControl_Initialize() { return c_.UserControl_Initialize(); }
    void UserControl_InitProperties() { return c_.UserControl_InitProperties(); }
    void UserControl_ReadProperties(PropertyBag& b) { return c_.UserControl_ReadProperties(b); }
    void UserControl_WriteProperties(PropertyBag& b) { return c_.UserControl_WriteProperties(b); }
    void UserControl_Terminate() { return c_.UserControl_Terminate(); }
    void UserControl_Resize() { return c_.UserControl_Resize(); }
    void UserControl_Paint() { return c_.UserControl_Paint(); }
    void UserControl_MouseDown(std::int16_t b, std::int16_t s, float x, float y) {
        return c_.UserControl_MouseDown(b, s, x, y);
    }
    void UserControl_MouseMove(std::int16_t b, std::int16_t s, float x, float y) {
        return c_.UserControl_MouseMove(b, s, x, y);
    }
    void UserControl_MouseUp(std::int16_t b, std::int16_t s, float x, float y) {
        return c_.UserControl_MouseUp(b, s, x, y);
    }
    void UserControl_ExitFocus() { return c_.UserControl_ExitFocus(); }
    void txtTextBox_Change() { return c_.txtTextBox_Change(); }
    void txtTextBox_KeyDown(std::int16_t& k, std::int16_t& s) {
        return c_.txtTextBox_KeyDown(k, s);
    }
    void txtTextBox_KeyPress(std::int16_t& k) { return c_.txtTextBox_KeyPress(k); }
    void txtTextBox_KeyUp(std::int16_t& k, std::int16_t& s) { return c_.txtTextBox_KeyUp(k, s); }
    void txtTextBox_DblClick() { return c_.txtTextBox_DblClick(); }
    void lstListBox_Click() { return c_.lstListBox_Click(); }
    void lstListBox_MouseDown(std::int16_t b, std::int16_t s, float x, float y) {
        return c_.lstListBox_MouseDown(b, s, x, y);
    }
    void lstListBox_MouseMove(std::int16_t b, std::int16_t s, float x, float y) {
        return c_.lstListBox_MouseMove(b, s, x, y);
    }
    void lstListBox_MouseUp(std::int16_t b, std::int16_t s, float x, float y) {
        return c_.lstListBox_MouseUp(b, s, x, y);
    }
    void DetermineDesignMode() { return c_.DetermineDesignMode(); }
    void SubclassControlOnce() { return c_.SubclassControlOnce(); }
    void RaiseIfDesignMode() { return c_.RaiseIfDesignMode(); }
    void RemoveRow(std::int32_t i) { return c_.RemoveRow(i); }
    std::int32_t FindItemInArray(const std::string& t) { return c_.FindItemInArray(t); }
    void ShowListBox() { return c_.ShowListBox(); }
    void SelectTextToEnd(std::int16_t i) { return c_.SelectTextToEnd(i); }
    void FindItemAndSelectItemInListBox() { return c_.FindItemAndSelectItemInListBox(); }
    void SelectNextPreviousItemInListBox(std::int16_t& k) {
        return c_.SelectNextPreviousItemInListBox(k);
    }
    void UpdateTextFromRow(bool& c) { return c_.UpdateTextFromRow(c); }
    void DrawListRow(const DRAWITEMSTRUCT& d) { return c_.DrawListRow(d); }
    void SubclassControl() { return c_.SubclassControl(); }
    void UnsubclassControl() { return c_.UnsubclassControl(); }
    void SetButtonRect() { return c_.SetButtonRect(); }
    void ClearButton() { return c_.ClearButton(); }
    void DrawButton() { return c_.DrawButton(); }
    void DrawPressedButton() { return c_.DrawPressedButton(); }
    void DrawArrow() { return c_.DrawArrow(); }

private:
    ColumnPick& c_;
};

}  // namespace cp
