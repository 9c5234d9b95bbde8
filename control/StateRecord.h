// The state record of one control, in parts that each belong to the subsystem that changes
// them. Every field starts with the value written at its declaration, which is its value in a
// new instance. Names follow the key at the top of control/ColumnPick.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "control/Enumerations.h"
#include "hosting/MVirtualList.h"
#include "platform/basApi.h"
#include "runtime/Variant.h"
#include "table/RowSearch.h"

namespace cp {

// The settings behind the properties. The property store is given these same values as its
// defaults, so a setting saved with its creation value stores nothing and loads back as it was.
struct Settings {
    std::int16_t intColumnCount = 1;              // number of columns of every row
    std::int16_t intBoundColumn = 0;              // zero-based column holding a row's value
    std::int16_t intListRows = 8;                 // most rows the open list shows, 2 to 15
    std::int16_t intListWidth = -1;               // open list's width in twips; -1: the control's
    bool blnLocked = false;                       // the edit field refuses typing
    std::uint8_t byteAppearance = lb3D;           // frame style, a typAppearance value
    OLE_COLOR lngBackColorNormal = 0xFFFFFF;      // white: unselected rows, edit field, control
    OLE_COLOR lngBackColorSelected = 0x800000;    // navy: background of the selected row
    OLE_COLOR lngForeColorNormal = 0x000000;      // black: text of unselected rows and edit field
    OLE_COLOR lngForeColorSelected = 0xFFFFFF;    // white: text of the selected row
    OLE_COLOR lngColumnLineForeColor = 0xC0C0C0;  // silver: lines between columns; not persisted
};

inline constexpr Settings kCreationSettings{};

// The least width of the control in twips: the layout pass widens a narrower one, and a list
// given a width of its own (ListWidth) is never narrower either.
inline constexpr std::int16_t kMinimumWidth = 390;

// The creation values of the two persisted settings that the host's objects hold: Enabled is
// the control's host object's, Text the edit field's.
inline constexpr bool kEnabledAtCreation = true;
inline constexpr std::string_view kTextAtCreation = "";

// What typing looks for, behind MatchMode, SearchColumns and FilterList. The columns keep the
// host's order; a column that a later, lower ColumnCount leaves out is not searched until the
// count grows again.
struct SearchSettings {
    SearchRule rule;             // the mode and the searched columns
    bool blnFilterList = false;  // the list shows only the rows that match the text
};

// Where a column's text stands in its cells and in its header.
enum class ColumnAlignment : std::uint8_t { Left, Right, Centre };

// The list's columns as the rows and the header are drawn in them.
struct ColumnState {
    std::vector<std::int32_t> lngColumnWidths = {0};  // pixels; a first width of 0: never set
    bool blnColumnHeads = false;                      // the open list shows a header row
    std::string strColumnCaptions;                    // the header's captions as the host gave them
    std::vector<std::string> fieldCaptions;           // the last database fill's field names
    std::string strColumnAlignments;                  // the alignments as the host gave them
    std::vector<ColumnAlignment> alignments;          // per column; a column past the end: Left
};

// The flags of typing, navigation and the commits. The first two mark the control's own changes
// of the list's selection and of the text, and only the seam of selection and commit
// (editing/SelectionCommit.h) raises and reads them.
struct EditingFlags {
    bool blnIgnoreListClick = false;     // one-shot: the list's next click is the control's own
    bool blnInternalTextChange = false;  // the control itself is writing the edit field's text
    bool blnTextChanged = false;         // the text changed since the last commit or Escape
    bool blnUserEdited = false;          // the user changed the text or the row since then
    std::int16_t intLastKey = 0;         // last key seen: a character code, or 46 for Delete
    bool lastKeyWasDelete = false;       // intLastKey 46 came from the Delete key, not from "."
};

// The open list and the mouse in it.
struct DropDownState {
    bool blnComboBoxIsOpen = false;   // the list is open
    HWND lngListBoxParent = nullptr;  // the list's parent, given back when the list closes
    bool blnListShown = false;        // the list has been shown at least once
    bool blnListMouseDown = false;    // a mouse button is held down in the open list
};

// What a press on the drop-down button shows while it lasts.
enum class ButtonLook : std::uint8_t {
    Neither,   // no press has drawn the button
    Pressed,   // drawn pressed: the pointer is over the button
    Released,  // drawn raised: the pointer has left the button
};

// The drop-down button, which the control paints itself.
struct ButtonState {
    RECT rctButton{};                       // client pixels, right and bottom exclusive
    bool blnButtonDown = false;             // a press on the button is in progress
    ButtonLook look = ButtonLook::Neither;  // what the press in progress shows
    bool blnPaintedOnce = false;            // the first paint has laid the control out
};

// The control in its host: design mode and the drawing subclass of its window.
struct HostingState {
    bool blnDesignMode = false;  // the host is in design mode
    bool blnSubclassed = false;  // the drawing subclass has been installed once
    DrawingSubclass drawing;     // the drawing subclass of the control's window
};

// What assistive technology reads of the control beyond its published state.
struct AccessibilityState {
    std::string name;                    // the name the host gave the control; empty: its label's
    std::int32_t announcedRow = -1;      // the row last announced as current in the open list
    std::int32_t announcedListRow = -1;  // the list row it stood at (the reader's child less 1)
};

}  // namespace cp
