#include "control/ColumnPick.h"
#include "control/ErrorReport.h"
#include "control/Startup.h"
#include "listview/MVirtualList.h"
#include "runtime/Conversions.h"

namespace cp {
namespace {

constexpr int kArrowResource = 10;
constexpr int kRowTwips = 225;            // one list row: 15 pixels
constexpr int kListBorderTwips = 30;      // the list window's border, top and bottom
constexpr int kRowBandOffsetTwips = 210;  // one pixel above the lower edge of the first row

constexpr OLE_COLOR kWhite = 0xFFFFFF;
constexpr OLE_COLOR kNavy = 0x800000;
constexpr OLE_COLOR kBlack = 0x000000;
constexpr OLE_COLOR kSilver = 0xC0C0C0;

}  // namespace

void ColumnPick::UserControl_Initialize() {
    TrappedSub("UserControl_Initialize", [&] {
        picArrow = host::LoadResPicture(kArrowResource, vbResBitmap);
        intBoundColumn = 0;
        intListRows = 8;
        // The height that shows n rows plus the border; no rows get the height of one.
        for (std::size_t n = 1; n < varListHeights.size(); ++n) {
            varListHeights[n] = static_cast<std::int16_t>(kListBorderTwips + kRowTwips * n);
        }
        varListHeights[0] = varListHeights[1];
        for (std::size_t k = 0; k < varRowBottoms.size(); ++k) {
            varRowBottoms[k] = static_cast<std::int16_t>(kRowBandOffsetTwips + kRowTwips * k);
        }
        intListWidth = -1;
        intColumnCount = 1;
        byteAppearance = lb3D;
        lngColumnWidths.assign(1, 0);
        lngHotRow = -1;
        lngCommittedIndex = -1;
        lngListIndex = -1;
        lngBackColorNormal = kWhite;
        lngBackColorSelected = kNavy;
        lngForeColorNormal = kBlack;
        lngForeColorSelected = kWhite;
        lngColumnLineForeColor = kSilver;
        blnShownPressed = false;
        blnShownReleased = false;
        if (gblnStarted) HookListBoxCreation(UserControl.hWnd());
        txtTextBox.SetText("");
        // Emptying the new edit field is no edit: the first focus loss must not commit.
        blnTextChanged = false;
    });
}

void ColumnPick::UserControl_InitProperties() {
    TrappedSub("UserControl_InitProperties", [&] {
        DetermineDesignMode();
        if (!blnDesignMode) SubclassControlOnce();
    });
}

void ColumnPick::UserControl_Terminate() {
    // A list still open would leave the thread's form watcher pointing at this control.
    if (blnComboBoxIsOpen) HideListBox(AfterHide::LeaveFocus);
    picArrow.reset();
    UnsubclassControl();
}

void ColumnPick::DetermineDesignMode() {
    try {
        blnDesignMode = !UserControl.AmbientUserMode();
    } catch (...) {
        // A host that cannot say counts as the designer.
        blnDesignMode = true;
    }
}

void ColumnPick::SubclassControlOnce() {
    if (blnSubclassed) return;
    blnSubclassed = true;
    SubclassControl();
}

void ColumnPick::RaiseIfDesignMode() const {
    if (blnDesignMode) Raise(vberr::WriteOnlyProperty);
}

}  // namespace cp
