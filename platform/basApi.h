// The window-system operations that the control calls: messages, styles, window procedures,
// hooks, window properties and drawing. Every function here is a thin image of the USER32/GDI32
// call of the same name; text passes as UTF-8 and is measured in Unicode code points.
//
// Two libraries implement these declarations: the in-memory window system that the unit tests
// drive (platform/sim) and the real one (platform/win32). The handle and record types are laid
// out exactly as their Win32 counterparts on 32-bit and 64-bit Windows, so that the Win32 mapping
// can pass them through unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/Host.h"

namespace cp {

using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using BOOL = std::int32_t;
using LONG = std::int32_t;
using COLORREF = std::uint32_t;
using WPARAM = std::uintptr_t;
// Windows declares the signed pointer-sized integer as long where long holds a pointer (32-bit
// Windows) and as a 64-bit integer where it does not; the function types below are the same
// types as Windows' own only when these are.
using LONG_PTR = std::conditional_t<sizeof(long) == sizeof(void*), long, long long>;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;

// The calling convention of the procedures that Windows calls back (window and hook
// procedures): stdcall on 32-bit x86, the only one elsewhere. It is part of the procedure types,
// so that a procedure without it cannot be installed.
#if defined(_WIN32) && defined(__i386__)
#define CP_CALLBACK __stdcall
#else
#define CP_CALLBACK
#endif

using WNDPROC = LRESULT(CP_CALLBACK*)(HWND, UINT, WPARAM, LPARAM);
using HOOKPROC = LRESULT(CP_CALLBACK*)(int, WPARAM, LPARAM);

struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};

struct POINT {
    LONG x = 0;
    LONG y = 0;
};

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
};

// The record that a WH_CALLWNDPROC hook receives through lParam.
struct CWPSTRUCT {
    LPARAM lParam;
    WPARAM wParam;
    UINT message;
    HWND hwnd;
};

// The creation record that WM_CREATE carries through lParam.
struct CREATESTRUCT {
    void* lpCreateParams;
    HINSTANCE hInstance;
    void* hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    const void* lpszName;
    const void* lpszClass;
    DWORD dwExStyle;
};

// The item-drawing record that WM_DRAWITEM carries through lParam.
struct DRAWITEMSTRUCT {
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    UINT itemAction;
    UINT itemState;
    HWND hwndItem;
    HDC hDC;
    RECT rcItem;
    std::uintptr_t itemData;
};

// Window messages.
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_GETTEXT = 0x000D;
inline constexpr UINT WM_GETTEXTLENGTH = 0x000E;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_ACTIVATEAPP = 0x001C;
inline constexpr UINT WM_DRAWITEM = 0x002B;
inline constexpr UINT WM_MEASUREITEM = 0x002C;
inline constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_VSCROLL = 0x0115;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;

// The buttons and keys held, as mouse messages carry them in wParam.
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;
inline constexpr WPARAM MK_MBUTTON = 0x0010;

// What a scroll bar asks of its window (the low word of WM_VSCROLL's wParam; the high word
// carries the thumb's position, 16 bits of it, with SB_THUMBTRACK and SB_THUMBPOSITION).
inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_BOTTOM = 7;
inline constexpr int SB_ENDSCROLL = 8;

// A window's scroll bar, as GetScrollInfo answers it: the range, the page, the thumb's
// position, and the position it is dragged to while a drag is on (the position otherwise).
inline constexpr int SB_VERT = 1;
inline constexpr UINT SIF_RANGE = 0x0001;
inline constexpr UINT SIF_PAGE = 0x0002;
inline constexpr UINT SIF_POS = 0x0004;
inline constexpr UINT SIF_TRACKPOS = 0x0010;
struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// Edit-field messages.
inline constexpr UINT EM_GETSEL = 0x00B0;
inline constexpr UINT EM_SETSEL = 0x00B1;

// List-box messages and notifications.
inline constexpr UINT LB_RESETCONTENT = 0x0184;
inline constexpr UINT LB_SETCURSEL = 0x0186;
inline constexpr UINT LB_GETCURSEL = 0x0188;
inline constexpr UINT LB_GETTOPINDEX = 0x018E;
inline constexpr UINT LB_DELETESTRING = 0x0182;
inline constexpr UINT LB_GETCOUNT = 0x018B;
inline constexpr UINT LB_SETTOPINDEX = 0x0197;
inline constexpr UINT LB_GETITEMRECT = 0x0198;
inline constexpr UINT LB_SETITEMHEIGHT = 0x01A0;
inline constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
inline constexpr UINT LB_SETCOUNT = 0x01A7;
inline constexpr LRESULT LB_ERR = -1;
inline constexpr UINT LBN_SELCHANGE = 1;

// Window styles and indices of GetWindowLong / SetWindowLong.
inline constexpr int GWL_WNDPROC = -4;
inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;
inline constexpr LONG_PTR WS_CHILD = 0x40000000;
inline constexpr LONG_PTR WS_VISIBLE = 0x10000000;
inline constexpr LONG_PTR WS_BORDER = 0x00800000;
inline constexpr LONG_PTR WS_VSCROLL = 0x00200000;
inline constexpr LONG_PTR WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr LONG_PTR WS_EX_APPWINDOW = 0x00040000;
inline constexpr LONG_PTR LBS_NOTIFY = 0x0001;
inline constexpr LONG_PTR LBS_OWNERDRAWFIXED = 0x0010;
inline constexpr LONG_PTR LBS_NOINTEGRALHEIGHT = 0x0100;
inline constexpr LONG_PTR LBS_NODATA = 0x2000;

// Hooks.
inline constexpr int WH_CALLWNDPROC = 4;
inline constexpr int HC_ACTION = 0;

// Item-drawing record values.
inline constexpr UINT ODT_LISTBOX = 2;
inline constexpr UINT ODA_DRAWENTIRE = 1;
inline constexpr UINT ODS_SELECTED = 0x0001;

// Drawing constants.
inline constexpr UINT DT_CENTER = 0x0001;
inline constexpr UINT DT_RIGHT = 0x0002;
inline constexpr UINT DT_VCENTER = 0x0004;
inline constexpr UINT DT_SINGLELINE = 0x0020;
inline constexpr UINT DT_NOPREFIX = 0x0800;
inline constexpr UINT BDR_RAISEDOUTER = 0x0001;
inline constexpr UINT BDR_SUNKENOUTER = 0x0002;
inline constexpr UINT BDR_RAISEDINNER = 0x0004;
inline constexpr UINT BDR_SUNKENINNER = 0x0008;
inline constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr UINT BF_RECT = 0x000F;
inline constexpr UINT BF_FLAT = 0x4000;
inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr int PS_SOLID = 0;

// Accessibility events (NotifyWinEvent), the objects they name and the object of a window's
// client area.
inline constexpr DWORD EVENT_OBJECT_SHOW = 0x8002;
inline constexpr DWORD EVENT_OBJECT_HIDE = 0x8003;
inline constexpr DWORD EVENT_OBJECT_FOCUS = 0x8005;
inline constexpr DWORD EVENT_OBJECT_SELECTION = 0x8006;
inline constexpr DWORD EVENT_OBJECT_VALUECHANGE = 0x800E;
inline constexpr LONG OBJID_WINDOW = 0;
inline constexpr LONG OBJID_CLIENT = -4;
inline constexpr LONG CHILDID_SELF = 0;
// Virtual-key codes and the shift state that key events carry.
inline constexpr std::int16_t vbKeyBack = 8;
inline constexpr std::int16_t vbKeyReturn = 13;
inline constexpr std::int16_t vbKeyShift = 16;
inline constexpr std::int16_t vbKeyEscape = 27;
inline constexpr std::int16_t vbKeyPageUp = 33;
inline constexpr std::int16_t vbKeyPageDown = 34;
inline constexpr std::int16_t vbKeyEnd = 35;
inline constexpr std::int16_t vbKeyHome = 36;
inline constexpr std::int16_t vbKeyLeft = 37;
inline constexpr std::int16_t vbKeyUp = 38;
inline constexpr std::int16_t vbKeyRight = 39;
inline constexpr std::int16_t vbKeyDown = 40;
inline constexpr std::int16_t vbKeyDelete = 46;
inline constexpr std::int16_t vbKeyF4 = 115;
inline constexpr std::int16_t vbShiftMask = 1;
inline constexpr std::int16_t vbCtrlMask = 2;
inline constexpr std::int16_t vbAltMask = 4;

// --- Window messages, geometry and styles --------------------------------------------------

LRESULT SendMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
HWND GetParent(HWND hWnd);
// Gives hWnd a new parent (nullptr = the desktop); the window keeps its position numerically.
HWND SetParent(HWND hWnd, HWND hWndNewParent);
BOOL GetWindowRect(HWND hWnd, RECT* lpRect);
LONG_PTR GetWindowLong(HWND hWnd, int nIndex);
LONG_PTR SetWindowLong(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
// The window's procedure (GWL_WNDPROC), and its replacement, which returns the one it replaced
// (nullptr: refused). Typed, so that only a procedure of the callback convention fits.
WNDPROC GetWindowProc(HWND hWnd);
WNDPROC SubclassWindow(HWND hWnd, WNDPROC lpfnWndProc);
LRESULT CallWindowProc(WNDPROC lpPrevWndFunc, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
// The parts of the scroll bar nBar of hWnd that lpsi->fMask names; FALSE where the window has
// no such scroll bar.
BOOL GetScrollInfo(HWND hWnd, int nBar, SCROLLINFO* lpsi);
// The window's class name, at most 128 characters (the buffer the callers use).
std::string GetClassName(HWND hWnd);

// Tells assistive technology that something of the object idObject of hWnd changed; idChild is
// a child of it (1-based) or CHILDID_SELF.
void NotifyWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild);
// --- Window properties ---------------------------------------------------------------------

BOOL SetProp(HWND hWnd, const char* lpString, HANDLE hData);
HANDLE GetProp(HWND hWnd, const char* lpString);
HANDLE RemoveProp(HWND hWnd, const char* lpString);

// --- Hooks ---------------------------------------------------------------------------------

HHOOK SetWindowsHookEx(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId);
LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam);
BOOL UnhookWindowsHookEx(HHOOK hhk);

// --- Drawing -------------------------------------------------------------------------------

HDC GetDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hDC);
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
HBRUSH CreateSolidBrush(COLORREF color);
HPEN CreatePen(int iStyle, int cWidth, COLORREF color);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
BOOL DeleteObject(HGDIOBJ ho);
int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
BOOL DrawEdge(HDC hdc, RECT* qrc, UINT edge, UINT grfFlags);
// Draws text (UTF-8) into the rectangle; returns the height of the text.
int DrawText(HDC hdc, std::string_view text, RECT* lprc, UINT format);
// Measures text (UTF-8). *lpnFit receives the number of leading characters (code points) whose
// total width is at most nMaxExtent; lpnDx, when given, receives the extent after each of them.
BOOL GetTextExtentExPoint(HDC hdc, std::string_view text, int nMaxExtent, int* lpnFit, int* lpnDx,
                          SIZE* lpSize);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF SetTextColor(HDC hdc, COLORREF color);
BOOL MoveToEx(HDC hdc, int x, int y, POINT* lppt);
BOOL LineTo(HDC hdc, int x, int y);
BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);
DWORD GetSysColor(int nIndex);

}  // namespace cp
