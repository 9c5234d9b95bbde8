// A press on the drop-down button: the button's three looks while the press lasts, and the
// list that the press opens or closes.
#include "control/ColumnPick.h"
#include "reports/ErrorReport.h"
#include "runtime/Conversions.h"
#include "runtime/ScreenUnits.h"

namespace cp {
namespace {

// A button edge in twips; the product is a Long of the host, so it must fit 32 bits.
double EdgeTwips(LONG pixels) {
    return CLng(static_cast<double>(pixels) * TwipsPerPixel());
}

}  // namespace

bool ColumnPick::IsOnButton(float X, float Y) const {
    // Right and Bottom are exclusive: the last pixel column and row start one pixel before.
    return EdgeTwips(button.rctButton.left) <= X && X <= EdgeTwips(button.rctButton.right - 1) &&
           EdgeTwips(button.rctButton.top) <= Y && Y <= EdgeTwips(button.rctButton.bottom - 1);
}

// Any mouse button counts; Button and Shift are not examined.
void ColumnPick::UserControl_MouseDown(std::int16_t, std::int16_t, float X, float Y) {
    TrappedSub("UserControl_MouseDown", [&] {
        if (settings.blnLocked) return;
        if (!IsOnButton(X, Y) || button.blnButtonDown) return;
        if (dropDown.blnComboBoxIsOpen) {
            // Closing also lowers the press, so the release only redraws the button raised.
            HideListBox(AfterHide::FocusEditField);
            return;
        }
        ClearButton();
        DrawPressedButton();
        button.blnButtonDown = true;
        DrawArrow(ButtonFace::Pressed);
        // The pressed look is on screen now, whatever an earlier press left behind.
        button.look = ButtonLook::Pressed;
        txtTextBox.SetFocus();
        // The pressed face is painted before the list opens over the form.
        host::DoEvents();
        FindItemAndSelectItemInListBox();
        ShowListBox();
    });
}

void ColumnPick::UserControl_MouseMove(std::int16_t, std::int16_t, float X, float Y) {
    if (!button.blnButtonDown) return;
    // Each crossing of the button's edge redraws it once; the press itself goes on.
    const ButtonLook look = IsOnButton(X, Y) ? ButtonLook::Pressed : ButtonLook::Released;
    if (look == button.look) return;
    RedrawButton(look == ButtonLook::Pressed ? ButtonFace::Pressed : ButtonFace::Raised);
    button.look = look;
}

void ColumnPick::UserControl_MouseUp(std::int16_t, std::int16_t, float X, float Y) {
    if (settings.blnLocked) return;
    button.blnButtonDown = false;
    // Off the button it already stands raised: the pointer left it during the press.
    if (!IsOnButton(X, Y)) return;
    RedrawButton(ButtonFace::Raised);
    button.look = ButtonLook::Neither;
}

}  // namespace cp
