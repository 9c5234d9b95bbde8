// The control's own changes of its child objects. The host reports some changes back before
// they return: a put of the list's selection reaches the list's click handling, a write of the
// edit field's text reaches its change handling. While one of these guards lives, that handling
// knows the change for the control's own and not for the user's.
#pragma once

#include "control/FlagGuard.h"
#include "control/StateRecord.h"

namespace cp {

// The list's click handling takes the report of a selection change for no pick. It lowers the
// flag when it sees it, so the flag covers one report; the guard lowers it in any case when it
// ends, so that a put that failed before its report cannot swallow the user's next click.
class OwnListSelection {
public:
    explicit OwnListSelection(EditingFlags& flags) : raised_(flags.blnIgnoreListClick) {}

private:
    FlagGuard raised_;
};

// The edit field's change handling records the change but runs no matching pass and raises no
// Change.
class OwnTextWrite {
public:
    explicit OwnTextWrite(EditingFlags& flags) : raised_(flags.blnInternalTextChange) {}

private:
    FlagGuard raised_;
};

}  // namespace cp
