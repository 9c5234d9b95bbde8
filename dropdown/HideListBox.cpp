// Closing the list: it goes back into the control's window, and the form watcher stops.
#include "control/ColumnPick.h"
#include "hosting/basHookListBox.h"
#include "reports/ErrorReport.h"

namespace cp {

void ColumnPick::HideListBox(AfterHide focus) {
    TrappedSub("HideListBox", [&] {
        lstListBox.SetVisible(false);
        // The extended style stays: it matters only while the list floats.
        SetParent(lstListBox.hWnd(), dropDown.lngListBoxParent);
        dropDown.blnComboBoxIsOpen = false;
        // A reader that reads the control when it hears of the hide finds the list closed.
        AnnounceList(EVENT_OBJECT_HIDE);
        // A closed list grows no further; it is found again when it opens.
        if (listSteps) listSteps->Cancel();
        const auto finish = [&] {
            button.blnButtonDown = false;
            button.look = ButtonLook::Neither;
            rows.SetHotRow(-1);
            ForgetAnnouncedRow();
            // Another control whose list the host opened meanwhile keeps the watcher.
            ForgetDropDownOwner(this);
        };
        try {
            if (focus == AfterHide::FocusEditField) txtTextBox.SetFocus();
        } catch (...) {
            // An edit field that cannot take the focus must not leave the watcher on the form:
            // every later click there would close the closed list and fail once more.
            finish();
            throw;
        }
        finish();
    });
}

void ColumnPick::CloseDropDown() {
    HideListBox(AfterHide::FocusEditField);
}

}  // namespace cp
