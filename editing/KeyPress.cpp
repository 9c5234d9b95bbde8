#include "control/ColumnPick.h"
#include "editing/EditingCodes.h"
#include "reports/ErrorReport.h"

namespace cp {

void ColumnPick::txtTextBox_KeyPress(std::int16_t& KeyAscii) {
    TrappedSub("txtTextBox_KeyPress", [&] {
        if (KeyAscii == kCharEnter) {
            CommitOnEnter(KeyAscii);
        } else {
            editing.intLastKey = KeyAscii;
            editing.lastKeyWasDelete = false;
            // Escape belongs to the control: the field neither inserts it nor beeps.
            if (KeyAscii == kCharEscape) KeyAscii = 0;
        }
        RaiseKeyPress(KeyAscii);
    });
}

}  // namespace cp
