#include "control/ColumnPick.h"
#include "hosting/MVirtualList.h"
#include "reports/ErrorReport.h"
#include "reports/Startup.h"

namespace cp {
namespace {

constexpr int kArrowResource = 10;

}  // namespace

void ColumnPick::UserControl_Initialize() {
    // The state record holds its creation values from the start; what is left is to take the
    // glyph, to ask for the list's conversion and to empty the edit field.
    TrappedSub("UserControl_Initialize", [&] {
        picArrow = host::LoadResPicture(kArrowResource, vbResBitmap);
        if (gblnStarted) HookListBoxCreation(UserControl.hWnd());
        txtTextBox.SetText(std::string(kTextAtCreation));
        // Emptying the new edit field is no edit: the first focus loss must not commit.
        editing.blnTextChanged = false;
    });
}

void ColumnPick::UserControl_InitProperties() {
    TrappedSub("UserControl_InitProperties", [&] {
        DetermineDesignMode();
        if (!hosting.blnDesignMode) SubclassControlOnce();
    });
}

void ColumnPick::UserControl_Terminate() {
    // A list still open would leave the thread's form watcher pointing at this control.
    if (dropDown.blnComboBoxIsOpen) HideListBox(AfterHide::LeaveFocus);
    // No answer of the server reaches a control that is ending.
    queries.Stop();
    // Nor does a step of the filtered list: its window goes with it.
    listSteps.reset();
    foldSteps.reset();
    picArrow.reset();
    UnsubclassControl();
}

void ColumnPick::DetermineDesignMode() {
    try {
        hosting.blnDesignMode = !UserControl.AmbientUserMode();
    } catch (...) {
        // A host that cannot say counts as the designer.
        hosting.blnDesignMode = true;
    }
}

void ColumnPick::UserModeChanged() {
    DetermineDesignMode();
    if (!hosting.blnDesignMode) {
        SubclassControlOnce();
    } else if (dropDown.blnComboBoxIsOpen) {
        // The designer shows no open list.
        HideListBox(AfterHide::LeaveFocus);
    }
}

void ColumnPick::SubclassControlOnce() {
    if (hosting.blnSubclassed) return;
    hosting.blnSubclassed = true;
    SubclassControl();
}

void ColumnPick::SubclassControl() {
    hosting.drawing.Install(UserControl.hWnd(), *this);
}

void ColumnPick::UnsubclassControl() {
    if (hosting.drawing.Replaced() == nullptr) return;
    hosting.drawing.Remove(UserControl.hWnd());
}

void ColumnPick::RaiseIfDesignMode() const {
    if (hosting.blnDesignMode) Raise(vberr::WriteOnlyProperty);
}

}  // namespace cp
