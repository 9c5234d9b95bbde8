// ColumnPick: a drop-down selection control whose list shows several columns per row.
//
// One instance owns its state record (below), its item table and its child objects. The
// members are defined in the folder of the subsystem they belong to: control/ (state, item
// table, selection, properties, persistence), dropdown/, editing/, listview/, frame/, data/ and
// shell/.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "control/ColumnPickEvents.h"
#include "platform/Host.h"
#include "platform/basApi.h"
#include "runtime/Variant.h"

namespace cp {

class Database;

enum typAppearance : std::int32_t {
    lbFlat = 0,
    lbFlatNoBorder = 1,
    lb3D = 2,
};

enum SELECTED_STATE : std::int32_t {
    NotSelected = 0,
    IsSelected = 1,
};

// Where the focus goes when the list closes.
enum class AfterHide {
    FocusEditField,  // the edit field takes the focus
    LeaveFocus,      // the focus stays where it is (it is leaving the control, for instance)
};

class ColumnPick final : public HostedControl {
public:
    explicit ColumnPick(const ControlSite& site);
    ~ColumnPick() override;
    ColumnPick(const ColumnPick&) = delete;
    ColumnPick& operator=(const ColumnPick&) = delete;

    // The host's handler of the control's events (WithEvents); nullptr for none.
    void SetEventSink(ColumnPickEvents* events) { events_ = events; }

    // --- The published interface `_ColumnPick`, in its published order ---------------------

    void About();
    void AddItem(const std::string& strItem);
    void AddList(const std::string& strItem);
    typAppearance Appearance() const;
    void Appearance(typAppearance value);
    Variant ArrayWithItems() const;
    OLE_COLOR BackColorNormal() const;
    void BackColorNormal(OLE_COLOR value);
    OLE_COLOR BackColorSelected() const;
    void BackColorSelected(OLE_COLOR value);
    std::int16_t BoundColumn() const;
    void BoundColumn(const std::int16_t& value);
    void Clear();
    Variant Column(std::int16_t intColumn);
    std::int16_t ColumnCount() const;
    void ColumnCount(const std::int16_t& value);
    void ColumnLineForeColor(OLE_COLOR value);
    void ColumnWidths(const std::string& value);
    bool ComboBoxIsOpen() const;
    bool Enabled() const;
    void Enabled(const bool& value);
    void FillComboBoxMultiColumn(Database& dbDatabase, const std::string& strSelectQuery);
    void FillComboBoxMultiColumnRecordset(const Variant& rec);
    OLE_COLOR ForeColorNormal() const;
    void ForeColorNormal(OLE_COLOR value);
    OLE_COLOR ForeColorSelected() const;
    void ForeColorSelected(OLE_COLOR value);
    std::int32_t ListCount() const;
    std::int32_t ListIndex() const;
    void ListIndex(std::int32_t value);
    std::int16_t ListWidth() const;
    void ListWidth(const std::int16_t& value);
    std::int16_t ListRows() const;
    void ListRows(const std::int16_t& value);
    bool Locked() const;
    void Locked(bool value);
    void RemoveItem(const std::int32_t& lngIndex);
    void SelectAllTextInTextBox();
    void ShowDropDown();
    void Text(const std::string& value);
    std::string Text() const;
    // The default member.
    Variant Value();
    void Value(const Variant& value);

    // --- Called by the form watcher of the thread (not published) ---------------------------

    void HideListBox(AfterHide focus);

    // The control's message handling behind its drawing subclass; the result goes to
    // lngResult.
    void WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lngResult);

private:
    // Lets the tests read and drive the state record.
    friend class ColumnPickProbe;

    // --- Host notifications (HostedControl) ---------------------------------------------------
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(PropertyBag& PropBag) override;
    void UserControl_WriteProperties(PropertyBag& PropBag) override;
    void UserControl_Terminate() override;
    void UserControl_Resize() override;
    void UserControl_Paint() override;
    void UserControl_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void UserControl_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void UserControl_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void UserControl_ExitFocus() override;
    void txtTextBox_Change() override;
    void txtTextBox_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void txtTextBox_KeyPress(std::int16_t& KeyAscii) override;
    void txtTextBox_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void txtTextBox_DblClick() override;
    void lstListBox_Click() override;
    void lstListBox_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void lstListBox_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void lstListBox_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) override;

    // --- State and lifecycle (control/) -------------------------------------------------------
    void DetermineDesignMode();
    void SubclassControlOnce();
    void RaiseIfDesignMode() const;

    // --- Item table and selection (control/) --------------------------------------------------
    void RemoveRow(std::int32_t lngIndex);
    bool TableEndsAtListCount() const;
    bool PrepareTableForRow(const std::string& strItem);
    std::int32_t FindItemInArray(const std::string& strText);

    // --- Database fill (data/) ----------------------------------------------------------------
    void CountFilledRows(std::int32_t lngRows);

    // --- Drop-down (dropdown/) ----------------------------------------------------------------
    void ShowListBox();

    // --- Editing, navigation and commit (editing/) --------------------------------------------
    void SelectTextToEnd(std::int16_t intStart);
    void FindItemAndSelectItemInListBox();
    void SelectRowInListBox(std::int32_t lngRow);
    void SelectNextPreviousItemInListBox(std::int16_t& KeyCode);
    void UpdateTextFromRow(bool& Cancel);
    void CommitOnEnter(std::int16_t& KeyAscii);
    void ClearListSelection();
    void RestoreCommittedRow();
    void CommitEmptyText();
    void CommitFoundRow(std::int32_t lngRow);

    // --- List rendering and window plumbing (listview/) ---------------------------------------
    void DrawListRow(DRAWITEMSTRUCT dis);
    void SubclassControl();
    void UnsubclassControl();

    // --- Frame (frame/) -----------------------------------------------------------------------
    void SetButtonRect();
    void ClearButton();
    void DrawButton();
    void DrawPressedButton();
    void DrawArrow();
    bool IsOnButton(float X, float Y) const;

    // --- Events raised to the host ------------------------------------------------------------
    void RaiseAfterUpdate();
    void RaiseKeyDown(std::int16_t& KeyCode, std::int16_t& Shift);
    void RaiseKeyPress(std::int16_t& KeyAscii);
    void RaiseKeyUp(std::int16_t& KeyCode, std::int16_t& Shift);
    void RaiseChange();
    void RaiseNotInList(bool& Cancel);

    // --- Child objects supplied by the host --------------------------------------------------
    UserControlHost& UserControl;
    TextBox& txtTextBox;
    ListBox& lstListBox;
    LineObject& linOuterTop;
    LineObject& linOuterLeft;
    LineObject& linOuterRight;
    LineObject& linOuterBottom;
    LineObject& linInnerTop;
    LineObject& linInnerLeft;
    LineObject& linInnerRight;
    LineObject& linInnerBottom;
    ColumnPickEvents* events_ = nullptr;

    // --- The state record ---------------------------------------------------------------------
    // Settings behind properties; UserControl_Initialize gives them their creation values.
    std::int16_t intColumnCount = 0;       // number of columns of every row
    std::int16_t intBoundColumn = 0;       // zero-based column whose entry is the value
    std::int16_t intListRows = 0;          // most rows the open list shows, 2 to 15
    std::int16_t intListWidth = 0;         // list width in twips; -1: the control's
    bool blnLocked = false;                // the edit field refuses typing
    std::uint8_t byteAppearance = 0;       // frame style, a typAppearance value
    OLE_COLOR lngBackColorNormal = 0;      // unselected rows, edit field, control
    OLE_COLOR lngBackColorSelected = 0;    // background of the selected row
    OLE_COLOR lngForeColorNormal = 0;      // text of unselected rows and edit field
    OLE_COLOR lngForeColorSelected = 0;    // text of the selected row
    OLE_COLOR lngColumnLineForeColor = 0;  // lines between columns (not persisted)

    // Item table and selection.
    VariantArray varItems;                      // (column, row); unallocated at creation
    std::int32_t lngListCount = 0;              // number of valid rows of varItems
    std::vector<std::int32_t> lngColumnWidths;  // pixels; element 0 == 0: never set
    std::int32_t lngListIndex = -1;             // current row, -1 for none
    std::int32_t lngCommittedIndex = -1;        // row the text stood for at the last commit
    std::int32_t lngHotRow = -1;                // row last selected in the list by the control

    // Editing and commit flags.
    bool blnIgnoreListClick = false;     // one-shot: the next list click is our own
    bool blnInternalTextChange = false;  // the control writes the edit field itself
    bool blnTextChanged = false;         // the text changed since the last commit
    bool blnUserEdited = false;          // the user changed text or selection
    std::int16_t intLastKey = 0;         // last key seen by the matching pass
    bool blnLastKeyDelete = false;       // intLastKey 46 came from Delete, not from "."

    // Drop-down list, mouse and painting state.
    bool blnComboBoxIsOpen = false;      // the list is open
    HWND lngListBoxParent = nullptr;     // parent of the list while it is closed
    bool blnListShown = false;           // the list has been shown at least once
    bool blnListMouseDown = false;       // a button is held down in the open list
    RECT rctButton{};                    // the drop-down button, client pixels
    bool blnButtonDown = false;          // a press on the button is in progress
    bool blnShownPressed = false;        // drawn pressed: the pointer is over it
    bool blnShownReleased = false;       // drawn raised: the pointer has left it
    bool blnPaintedOnce = false;         // the first paint has laid the control out
    bool blnSubclassed = false;          // the drawing subclass has been installed
    WNDPROC lngOldWindowProc = nullptr;  // procedure replaced by the drawing subclass
    bool blnDesignMode = false;          // the host is in design mode

    // Resources and fixed tables.
    std::unique_ptr<Picture> picArrow;              // the drop-down arrow glyph (resource 10)
    std::array<std::int16_t, 16> varListHeights{};  // list height in twips by number of rows
    std::array<std::int16_t, 15> varRowBottoms{};   // lower band edge of each visible row
};

}  // namespace cp
