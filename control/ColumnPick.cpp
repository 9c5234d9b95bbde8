#include "control/ColumnPick.h"

#include "hosting/basHookListBox.h"

namespace cp {

ColumnPick::ColumnPick(const ControlSite& site)
    : UserControl(site.UserControl),
      txtTextBox(site.txtTextBox),
      lstListBox(site.lstListBox),
      linOuterTop(site.linOuterTop),
      linOuterLeft(site.linOuterLeft),
      linOuterRight(site.linOuterRight),
      linOuterBottom(site.linOuterBottom),
      linInnerTop(site.linInnerTop),
      linInnerLeft(site.linInnerLeft),
      linInnerRight(site.linInnerRight),
      linInnerBottom(site.linInnerBottom) {}

ColumnPick::~ColumnPick() {
    // A closing that failed half-way may have left the form watcher working for this control;
    // the form's next click must not reach a control that is gone.
    try {
        ForgetDropDownOwner(this);
    } catch (...) {
        // The watcher has let go of the control already; only the form's procedure stays.
    }
}

void ColumnPick::RaiseAfterUpdate() {
    if (eventSink) eventSink->AfterUpdate();
}

void ColumnPick::RaiseKeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
    if (eventSink) eventSink->KeyDown(KeyCode, Shift);
}

void ColumnPick::RaiseKeyPress(std::int16_t& KeyAscii) {
    if (eventSink) eventSink->KeyPress(KeyAscii);
}

void ColumnPick::RaiseKeyUp(std::int16_t& KeyCode, std::int16_t& Shift) {
    if (eventSink) eventSink->KeyUp(KeyCode, Shift);
}

void ColumnPick::RaiseChange() {
    if (eventSink) eventSink->Change();
}

void ColumnPick::RaiseNotInList(bool& Cancel) {
    if (eventSink) eventSink->NotInList(Cancel);
}

}  // namespace cp
