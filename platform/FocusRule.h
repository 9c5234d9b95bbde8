// When the keyboard focus counts as leaving the control, on every host. The control is told
// (UserControl_ExitFocus) only when the focus goes from one of its parts (its window, the edit
// field, the list wherever it stands) to another window of the same form. Focus that goes to
// another top-level window or program, or to no window, leaves the control the form's active
// control, and a form that is being unloaded takes the focus with it.
#pragma once

namespace cp {

// Where the focus goes, as the host sees it.
enum class FocusGoes {
    Nowhere,
    IntoTheControl,      // to another part of the control
    ElsewhereOnTheForm,  // to another window of the control's form
    OffTheForm,          // to another top-level window, of this program or another
};

enum class FormState { Loaded, Unloading };

inline bool FocusLeavesControl(FocusGoes where, FormState form) {
    return form == FormState::Loaded && where == FocusGoes::ElsewhereOnTheForm;
}

}  // namespace cp
