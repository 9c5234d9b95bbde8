// Selection and commit: the one seam through which the control changes the row it stands on.
// It moves the list's selection as the control's own change (SelectQuietly and the moves built
// on it), shows the current row's text in the edit field (ShowCurrentRowText, WriteOwnText) and
// commits the current row, with or without AfterUpdate (CommitCurrentRow). The operations are
// members of the control, declared together in control/ColumnPick.h and written in
// editing/SelectionCommit.cpp; the handlers of a click in the list, Enter, the focus leaving,
// Value, Escape, the navigation keys and the typing go through them.
//
// The list window and the edit field report the control's own changes back before the call that
// makes them returns: a put of the list's selection reaches the list's click handling, a write
// of the text the field's change handling. The guards below mark those reports while the seam's
// calls run, and the checks beside them are how the two handlers recognise them; nothing else
// raises or reads the two flags.
#pragma once

#include "control/FlagGuard.h"
#include "control/StateRecord.h"

namespace cp {

// Raised around the seam's put of the list's selection. The list's click handling takes the
// report for no pick and lowers the flag when it sees it, so the flag covers one report; the
// guard lowers it in any case when it ends, so that a put that failed before its report cannot
// swallow the user's next click.
class OwnListSelection {
public:
    explicit OwnListSelection(EditingFlags& flags) : raised_(flags.blnIgnoreListClick) {}

private:
    FlagGuard raised_;
};

// The list's report of a selection change is the echo of the seam's own put; true once for each
// put that an OwnListSelection covered.
inline bool TakeOwnSelectionReport(EditingFlags& flags) {
    if (!flags.blnIgnoreListClick) return false;
    flags.blnIgnoreListClick = false;
    return true;
}

// Raised around the seam's writes of the edit field's text: the field's change handling records
// the change but runs no matching pass and raises no Change.
class OwnTextWrite {
public:
    explicit OwnTextWrite(EditingFlags& flags) : raised_(flags.blnInternalTextChange) {}

private:
    FlagGuard raised_;
};

// The edit field's report of a text change is the echo of one of the seam's writes.
inline bool IsOwnTextChange(const EditingFlags& flags) {
    return flags.blnInternalTextChange;
}

}  // namespace cp
