// The list box class. It reads its style from the window (GWL_STYLE) when it handles WM_CREATE,
// as Wine's list box does, and keeps it: LBS_NODATA and LBS_OWNERDRAWFIXED count only when they
// are in place by then (a creation hook may add them).
//
// - Rows are 15 pixels high (LB_GETITEMHEIGHT). A data-less list (LBS_NODATA) takes its row
//   count from LB_SETCOUNT (answering 0; any other list answers LB_ERR). LB_GETCOUNT,
//   LB_RESETCONTENT and LB_DELETESTRING work as on Windows.
// - LB_SETCURSEL selects a row and scrolls it into view, without notification; -1 clears the
//   selection and answers LB_ERR; any other index out of range answers LB_ERR and changes
//   nothing (as Windows and Wine do). LB_GETCURSEL.
// - LB_SETTOPINDEX scrolls within the limits of a real list: the top row is at most
//   count - (whole rows visible), never below 0. LB_GETTOPINDEX, LB_GETITEMRECT.
// - Unless LBS_NOINTEGRALHEIGHT is set, the window's height shrinks to whole rows (when it is
//   taller than one row). The vertical scroll bar (WS_VSCROLL, when created with it) shows
//   while there are more rows than whole rows visible.
// - An owner-drawn list paints by sending WM_DRAWITEM to its owner (the parent at creation,
//   whatever its parent is now) for every visible row that exists: on WM_PAINT (PaintWindow),
//   when it becomes visible and when it scrolls or its rows change while visible (all visible
//   rows, ODA_DRAWENTIRE), and for the old and the new row when its selection changes while
//   visible (ODA_SELECT). The item record carries a context of the list's window with the
//   list's font selected, released after the rows are drawn.
// - The mouse, as Wine's list box handles it: a left press takes the focus (which a list given
//   to the desktop cannot take) and, on a row,
//   selects it without notification and captures the mouse; while captured, moves select the
//   row under the pointer, and above or below the list move the selection one row past the
//   top or bottom row (scrolling the list); the release sends LBN_SELCHANGE to the owner
//   (LBS_NOTIFY, a list with rows), even when the selection did not change. After its own
//   processing, the list passes every mouse message on to its owner (kSimChildMouse).
// - The scroll bar's requests (WM_VSCROLL), as Wine's list box handles them, told to the owner
//   first (kSimChildScroll): the arrows scroll by a row, the trough by a page, SB_TOP and
//   SB_BOTTOM to either end, SB_THUMBPOSITION to the position in the message's high word, and
//   SB_THUMBTRACK to the thumb's position while it is dragged (the scroll bar's tracking
//   position, all 32 bits of it; with no drag on, the list stays). The position of the thumb
//   is the top row, its range the rows less a page. An owner that answers the request
//   nonzero has placed the list itself, and the list does nothing more. The user plays the
//   scroll bar with PressScrollBar and DragScrollThumb; GetScrollInfo reads it
//   (ListScrollInfo), the tracking position being the thumb's until the drag's last message.
#pragma once

#include "platform/basApi.h"
#include "platform/sim/Window.h"
#include "runtime/ScreenUnits.h"

namespace cp::sim {

inline constexpr int kListRowHeight = 15;

// What a list box keeps; tests read it through InspectListBox.
struct ListBoxState : ClassState {
    ListBoxState() : ClassState(Kind::ListBox) {}

    LONG_PTR style = 0;                               // the style read at creation
    bool hasScrollBar = false;                        // created with WS_VSCROLL
    int count = 0;                                    // rows
    int selection = -1;                               // the selected row, -1 for none
    int caret = 0;                                    // the row with the focus rectangle
    int top = 0;                                      // the top visible row
    int itemHeight = CurrentScreenUnits().rowPixels;  // row height in pixels
    HFONT font = nullptr;                             // the font set with WM_SETFONT
    bool captured = false;                            // a left press on a row is held
    int pressSelection = -1;  // the selection when the last left press on a row began
    int trackPos = -1;        // the thumb's position while it is dragged, -1 otherwise
};

LRESULT ListBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The state of a list box window; nullptr when hwnd is not one (or not created yet).
ListBoxState* InspectListBox(HWND hwnd);

// The user's press on the list's scroll bar, as the scroll bar sends it: the request (an
// arrow: SB_LINEUP, SB_LINEDOWN; the trough above or below the thumb: SB_PAGEUP,
// SB_PAGEDOWN), then SB_ENDSCROLL. Nothing happens while the list shows no scroll bar.
void PressScrollBar(HWND hwnd, int request);
// The user drags the scroll bar's thumb from where it is to position in `steps` moves
// (SB_THUMBTRACK each), and lets go there (SB_THUMBPOSITION, SB_ENDSCROLL).
void DragScrollThumb(HWND hwnd, int position, int steps = 4);
// The list's vertical scroll bar as GetScrollInfo answers it (info.fMask says what); false
// when hwnd is not a list box created with one.
bool ListScrollInfo(HWND hwnd, SCROLLINFO& info);

}  // namespace cp::sim
