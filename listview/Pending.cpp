// Not built yet: row drawing, the creation hook, the drawing subclass and the form watcher.
#include "control/ColumnPick.h"
#include "listview/MVirtualList.h"
#include "listview/basHookListBox.h"

namespace cp {

void ColumnPick::DrawListRow(DRAWITEMSTRUCT) {}
void ColumnPick::SubclassControl() {}
void ColumnPick::UnsubclassControl() {}
void ColumnPick::WindowProc(HWND, UINT, WPARAM, LPARAM, LRESULT& lngResult) { lngResult = 0; }
void HookListBoxCreation(HWND) {}
LRESULT ListBoxCreateHookProc(int, WPARAM, LPARAM) { return 0; }
LRESULT ListBoxCreateWindowProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
LRESULT VirtualListWindowProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
ColumnPick* ControlFromWindow(HWND) { return nullptr; }
void SetDropDownOwner(ColumnPick*) {}
void SubclassForm(HWND) {}
void UnsubclassForm(HWND) {}
LRESULT FormWindowProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
}  // namespace cp
