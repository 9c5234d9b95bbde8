// Not built yet: this platform's window system and host runtime.
#include "platform/basApi.h"

namespace cp {

LRESULT SendMessage(HWND, UINT, WPARAM, LPARAM) { return 0; }
HWND GetParent(HWND) { return nullptr; }
HWND SetParent(HWND, HWND) { return nullptr; }
BOOL GetWindowRect(HWND, RECT*) { return 0; }
LONG_PTR GetWindowLong(HWND, int) { return 0; }
LONG_PTR SetWindowLong(HWND, int, LONG_PTR) { return 0; }
LRESULT CallWindowProc(WNDPROC, HWND, UINT, WPARAM, LPARAM) { return 0; }
std::string GetClassName(HWND) { return {}; }
BOOL SetProp(HWND, const char*, HANDLE) { return 0; }
HANDLE GetProp(HWND, const char*) { return nullptr; }
HANDLE RemoveProp(HWND, const char*) { return nullptr; }
HHOOK SetWindowsHookEx(int, HOOKPROC, HINSTANCE, DWORD) { return nullptr; }
LRESULT CallNextHookEx(HHOOK, int, WPARAM, LPARAM) { return 0; }
BOOL UnhookWindowsHookEx(HHOOK) { return 0; }
HDC GetDC(HWND) { return nullptr; }
int ReleaseDC(HWND, HDC) { return 0; }
HDC CreateCompatibleDC(HDC) { return nullptr; }
BOOL DeleteDC(HDC) { return 0; }
HBRUSH CreateSolidBrush(COLORREF) { return nullptr; }
HPEN CreatePen(int, int, COLORREF) { return nullptr; }
HGDIOBJ SelectObject(HDC, HGDIOBJ) { return nullptr; }
BOOL DeleteObject(HGDIOBJ) { return 0; }
int FillRect(HDC, const RECT*, HBRUSH) { return 0; }
BOOL DrawEdge(HDC, RECT*, UINT, UINT) { return 0; }
int DrawText(HDC, std::string_view, RECT*, UINT) { return 0; }
BOOL GetTextExtentExPoint(HDC, std::string_view, int, int*, int*, SIZE*) { return 0; }
COLORREF SetBkColor(HDC, COLORREF) { return 0; }
COLORREF SetTextColor(HDC, COLORREF) { return 0; }
BOOL MoveToEx(HDC, int, int, POINT*) { return 0; }
BOOL LineTo(HDC, int, int) { return 0; }
BOOL BitBlt(HDC, int, int, int, int, HDC, int, int, DWORD) { return 0; }
DWORD GetSysColor(int) { return 0; }

namespace host {

int MsgBox(std::string_view, int, std::optional<std::string_view>) { return 1; }
void DoEvents() {}
float ScreenWidth() { return 12000; }
float ScreenHeight() { return 9000; }
int ScreenMousePointer() { return 0; }
void SetScreenMousePointer(int) {}
HINSTANCE AppHInstance() { return nullptr; }
std::uint32_t AppThreadID() { return 0; }
std::unique_ptr<Picture> LoadResPicture(int, int) { return nullptr; }
std::string DecimalSeparator() { return "."; }
char32_t UpperCaseChar(char32_t c) { return c; }
std::string UpperCase(std::string_view text) { return std::string(text); }

}  // namespace host
}  // namespace cp
