// A press on the drop-down button: the button's three looks while the press lasts, and the
// list that the press opens or closes.
#include "control/ColumnPick.h"
#include "control/ErrorReport.h"
#include "runtime/Conversions.h"

namespace cp {
namespace {

// A button edge in twips; the product is a Long of the host, so it must fit 32 bits.
double EdgeTwips(LONG pixels) {
    return CLng(static_cast<double>(pixels) * kTwipsPerPixel);
}

}  // namespace

bool ColumnPick::IsOnButton(float X, float Y) const {
    // Right and Bottom are exclusive: the last pixel column and row start one pixel before.
    return EdgeTwips(rctButton.left) <= X && X <= EdgeTwips(rctButton.right - 1) &&
           EdgeTwips(rctButton.top) <= Y && Y <= EdgeTwips(rctButton.bottom - 1);
}

// Any mouse button counts; Button and Shift are not examined.
void ColumnPick::UserControl_MouseDown(std::int16_t, std::int16_t, float X, float Y) {
    TrappedSub("UserControl_MouseDown", [&] {
        if (blnLocked) return;
        if (!IsOnButton(X, Y) || blnButtonDown) return;
        if (blnComboBoxIsOpen) {
            // Closing also lowers the press, so the release only redraws the button raised.
            HideListBox(AfterHide::FocusEditField);
            return;
        }
        ClearButton();
        DrawPressedButton();
        blnButtonDown = true;
        DrawArrow();
        blnShownPressed = true;
        // The pressed look is on screen now, whatever an earlier press left behind.
        blnShownReleased = false;
        txtTextBox.SetFocus();
        // The pressed face is painted before the list opens over the form.
        host::DoEvents();
        FindItemAndSelectItemInListBox();
        ShowListBox();
    });
}

void ColumnPick::UserControl_MouseMove(std::int16_t, std::int16_t, float X, float Y) {
    if (!blnButtonDown) return;
    const bool blnOnButton = IsOnButton(X, Y);
    if (blnOnButton && !blnShownPressed) {
        ClearButton();
        DrawPressedButton();
        DrawArrow();
        blnShownPressed = true;
        blnShownReleased = false;
    } else if (!blnOnButton && !blnShownReleased) {
        ClearButton();
        DrawButton();
        // The glyph goes where a raised button has it; the press itself goes on.
        blnButtonDown = false;
        DrawArrow();
        blnButtonDown = true;
        blnShownPressed = false;
        blnShownReleased = true;
    }
}

void ColumnPick::UserControl_MouseUp(std::int16_t, std::int16_t, float X, float Y) {
    if (blnLocked) return;
    blnButtonDown = false;
    // Off the button it already stands raised: the pointer left it during the press.
    if (!IsOnButton(X, Y)) return;
    ClearButton();
    DrawButton();
    DrawArrow();
    blnShownPressed = false;
    blnShownReleased = false;
}

}  // namespace cp
