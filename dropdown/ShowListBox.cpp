// Opening the list: sized from the number of rows, placed on the screen under (or above) the
// control, handed to the desktop as a tool window, shown, and watched over by the form watcher;
// and the published ways to open it and to ask whether it is open.
#include "control/ColumnPick.h"
#include "dropdown/ListPlacement.h"
#include "dropdown/ListTables.h"
#include "frame/GdiScope.h"
#include "hosting/basHookListBox.h"
#include "platform/OleColor.h"
#include "reports/ErrorReport.h"
#include "runtime/Conversions.h"
#include "runtime/ScreenUnits.h"

namespace cp {
namespace {

// Moves the list to its place on the screen beside the control, for the size it has.
void PlaceOnScreen(ListBox& list, UserControlHost& control) {
    ListPlacementInput in;
    GetWindowRect(control.hWnd(), &in.control);
    in.listHeight = list.Height();
    in.listWidth = list.Width();
    in.screenHeight = host::ScreenHeight();
    in.screenWidth = host::ScreenWidth();
    const ListPosition at = PlaceList(in);
    list.Move(at.left, at.top, in.listWidth, in.listHeight);
}

// Moves the list, still a child of the control's window, to its place on the screen and then
// gives it to the desktop, where the same numbers become screen coordinates.
void PlaceOnDesktop(ListBox& list, UserControlHost& control) {
    PlaceOnScreen(list, control);
    SetParent(list.hWnd(), nullptr);
    // A floating list gets no button of its own on the task bar.
    const LONG_PTR exStyle = GetWindowLong(list.hWnd(), GWL_EXSTYLE);
    SetWindowLong(list.hWnd(), GWL_EXSTYLE, (exStyle & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);
}

// Pixels of the list's client area from a size in twips.
LONG Pixels(float twips) {
    return CLng(static_cast<double>(twips) / TwipsPerPixel());
}

}  // namespace

void ColumnPick::ShowListBox() {
    TrappedSub("ShowListBox", [&] {
        MatchListWindowCount();
        dropDown.lngListBoxParent = GetParent(lstListBox.hWnd());
        const std::int32_t count = shown.Count(rows);
        lstListBox.SetHeaderHeight(HeaderPixels());
        lstListBox.SetHeight(ListHeightFor(count));
        lstListBox.SetWidth(settings.intListWidth == -1 ? UserControl.Width()
                                                        : settings.intListWidth);
        dropDown.blnComboBoxIsOpen = true;
        PlaceOnDesktop(lstListBox, UserControl);
        dropDown.blnListShown = true;
        if (count > 0) {
            ShowListWindow();
        } else {
            // A list without rows draws nothing itself: its one row is painted in the normal
            // background once the list has come up.
            const RECT rect{0, 0, Pixels(lstListBox.Width()), Pixels(lstListBox.Height())};
            SolidBrush brush(TranslateColor(settings.lngBackColorNormal));
            ShowListWindow();
            host::DoEvents();
            // What ran meanwhile may have closed the list again; it is then left closed, and
            // the form watcher is not put on a form whose list is gone.
            if (!dropDown.blnComboBoxIsOpen) return;
            const HWND list = lstListBox.hWnd();
            const HDC dc = GetDC(list);
            FillRect(dc, &rect, brush.Handle());
            brush.Delete();
            ReleaseDC(list, dc);
        }
        SetDropDownOwner(this);
        SubclassForm(UserControl.ParentHwnd());
        if (shown.Growing(rows)) ScheduleListSteps();
        // A reader hears where the list opened.
        AnnounceCurrentRow(rows.ListIndex());
    });
}

// The header band sits above the rows, so the list grows by it and is placed with it.
float ColumnPick::ListHeightFor(std::int32_t count) {
    const std::int64_t shownRows = count < settings.intListRows ? count : settings.intListRows;
    return TableEntry(ListHeights(lstListBox.RowHeight()), shownRows) +
           static_cast<float>(HeaderPixels() * TwipsPerPixel());
}

// A filtered list that shows fewer rows than ListRows is as short as its rows, and grows back
// with them; a list above the control keeps its lower edge on the control.
void ColumnPick::FitOpenListToRows() {
    if (!dropDown.blnComboBoxIsOpen || !dropDown.blnListShown) return;
    const float height = ListHeightFor(shown.Count(rows));
    if (height == lstListBox.Height()) return;
    lstListBox.SetHeight(height);
    PlaceOnScreen(lstListBox, UserControl);
}

// The window system does not tell assistive technology of a window that a program shows, on
// every system: the list says so itself.
void ColumnPick::ShowListWindow() {
    lstListBox.SetVisible(true);
    AnnounceList(EVENT_OBJECT_SHOW);
}

void ColumnPick::ShowDropDown() {
    if (settings.blnLocked || dropDown.blnComboBoxIsOpen) return;
    FindItemAndSelectItemInListBox();
    ShowListBox();
    txtTextBox.SetFocus();
}

bool ColumnPick::ComboBoxIsOpen() const {
    return dropDown.blnComboBoxIsOpen;
}

}  // namespace cp
