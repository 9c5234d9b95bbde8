// The edit field class "ThunderRT6TextBox", a single-line edit as Windows (and Wine) has it.
// Text, caret and selection count characters (code points).
//
// - EM_SETSEL(start, end): the selection runs from start to end, the caret at end; an end past
//   the text (or -1) means the end of the text; a start of -1 removes the selection and leaves
//   the caret where it is. EM_GETSEL answers MAKELONG(first, last) and writes both to the
//   DWORDs that wParam and lParam point to, when given.
// - WM_SETTEXT replaces the text, puts the caret at 0 and sends EN_CHANGE before it returns,
//   even when the text is the same. WM_GETTEXT, WM_GETTEXTLENGTH (in UTF-8 bytes).
// - A typed character (WM_CHAR) replaces the selection; Backspace (WM_CHAR 8) and Delete
//   (WM_KEYDOWN VK_DELETE) remove the selection or the character before or after the caret;
//   Ctrl+X, Ctrl+C and Ctrl+V (characters 24, 3, 22) cut, copy and paste through the world's
//   clipboard. Each change of the text sends EN_CHANGE to the owner before the message
//   returns; an edit that changes nothing sends none. Left, Right (and Up, Down, as in a
//   single-line edit), Home and End move the caret, extending the selection with Shift.
// - A read-only field (ES_READONLY, EM_SETREADONLY) refuses typing, Backspace, Delete, cut and
//   paste, but accepts WM_SETTEXT.
// - Before it handles a key message (WM_KEYDOWN, WM_SYSKEYDOWN, WM_CHAR, WM_KEYUP,
//   WM_SYSKEYUP) the field hands it to its owner (kSimEditKey), which may change the key or
//   character code; 0 makes the field ignore it. Keys held with Alt do nothing in the field.
// - A double click selects the word under the caret, then tells the owner (kSimEditDblClick).
//   A left press takes the focus and puts the caret at the character nearest the pointer.
//   Losing the focus tells the owner (kSimChildFocusLost).
#pragma once

#include <string>

#include "platform/basApi.h"
#include "platform/sim/Window.h"

namespace cp::sim {

struct EditState : ClassState {
    EditState() : ClassState(Kind::Edit) {}

    std::u32string text;     // the characters
    std::size_t anchor = 0;  // where the selection starts (EM_SETSEL start)
    std::size_t caret = 0;   // where it ends: the caret (EM_SETSEL end)

    std::size_t First() const { return anchor < caret ? anchor : caret; }
    std::size_t Last() const { return anchor < caret ? caret : anchor; }
};

LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The state of an edit field window; nullptr when hwnd is not one.
EditState* InspectEdit(HWND hwnd);
// The field's text as UTF-8.
std::string EditText(HWND hwnd);

}  // namespace cp::sim
