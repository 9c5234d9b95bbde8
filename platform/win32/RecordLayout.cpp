// The handle and record types of the platform declarations are the Win32 ones, so that window
// procedures, hook procedures and the records that messages point to pass through unchanged.
#include <cstddef>
#include <type_traits>

#include "platform/win32/WindowsApi.h"

namespace cp {
namespace {

template <class Ours, class Theirs>
constexpr bool kSameType = std::is_same_v<Ours, Theirs>;

static_assert(kSameType<HWND, ::HWND> && kSameType<HDC, ::HDC> && kSameType<HBRUSH, ::HBRUSH> &&
              kSameType<HPEN, ::HPEN> && kSameType<HFONT, ::HFONT> &&
              kSameType<HBITMAP, ::HBITMAP> && kSameType<HHOOK, ::HHOOK> &&
              kSameType<HINSTANCE, ::HINSTANCE> && kSameType<HGDIOBJ, ::HGDIOBJ> &&
              kSameType<HANDLE, ::HANDLE>);
static_assert(kSameType<WPARAM, ::WPARAM> && kSameType<LPARAM, ::LPARAM> &&
              kSameType<LRESULT, ::LRESULT> && kSameType<LONG_PTR, ::LONG_PTR>);
static_assert(sizeof(UINT) == sizeof(::UINT) && sizeof(DWORD) == sizeof(::DWORD) &&
              sizeof(LONG) == sizeof(::LONG) && sizeof(COLORREF) == sizeof(::COLORREF));
static_assert(kSameType<WNDPROC, ::WNDPROC> && kSameType<HOOKPROC, ::HOOKPROC>);

#define CP_SAME_FIELD(record, field)                             \
    (offsetof(cp::record, field) == offsetof(::record, field) && \
     sizeof(cp::record::field) == sizeof(::record::field))

static_assert(sizeof(RECT) == sizeof(::RECT) && CP_SAME_FIELD(RECT, left) &&
              CP_SAME_FIELD(RECT, top) && CP_SAME_FIELD(RECT, right) &&
              CP_SAME_FIELD(RECT, bottom));
static_assert(sizeof(POINT) == sizeof(::POINT) && CP_SAME_FIELD(POINT, x) &&
              CP_SAME_FIELD(POINT, y));
static_assert(sizeof(SIZE) == sizeof(::SIZE) && CP_SAME_FIELD(SIZE, cx) && CP_SAME_FIELD(SIZE, cy));
static_assert(sizeof(SCROLLINFO) == sizeof(::SCROLLINFO) && CP_SAME_FIELD(SCROLLINFO, cbSize) &&
              CP_SAME_FIELD(SCROLLINFO, fMask) && CP_SAME_FIELD(SCROLLINFO, nMin) &&
              CP_SAME_FIELD(SCROLLINFO, nMax) && CP_SAME_FIELD(SCROLLINFO, nPage) &&
              CP_SAME_FIELD(SCROLLINFO, nPos) && CP_SAME_FIELD(SCROLLINFO, nTrackPos));
static_assert(sizeof(CWPSTRUCT) == sizeof(::CWPSTRUCT) && CP_SAME_FIELD(CWPSTRUCT, lParam) &&
              CP_SAME_FIELD(CWPSTRUCT, wParam) && CP_SAME_FIELD(CWPSTRUCT, message) &&
              CP_SAME_FIELD(CWPSTRUCT, hwnd));
static_assert(sizeof(CREATESTRUCT) == sizeof(::CREATESTRUCTW) &&
              offsetof(CREATESTRUCT, lpCreateParams) == offsetof(::CREATESTRUCTW, lpCreateParams) &&
              offsetof(CREATESTRUCT, hInstance) == offsetof(::CREATESTRUCTW, hInstance) &&
              offsetof(CREATESTRUCT, hMenu) == offsetof(::CREATESTRUCTW, hMenu) &&
              offsetof(CREATESTRUCT, hwndParent) == offsetof(::CREATESTRUCTW, hwndParent) &&
              offsetof(CREATESTRUCT, cy) == offsetof(::CREATESTRUCTW, cy) &&
              offsetof(CREATESTRUCT, cx) == offsetof(::CREATESTRUCTW, cx) &&
              offsetof(CREATESTRUCT, y) == offsetof(::CREATESTRUCTW, y) &&
              offsetof(CREATESTRUCT, x) == offsetof(::CREATESTRUCTW, x) &&
              offsetof(CREATESTRUCT, style) == offsetof(::CREATESTRUCTW, style) &&
              offsetof(CREATESTRUCT, lpszName) == offsetof(::CREATESTRUCTW, lpszName) &&
              offsetof(CREATESTRUCT, lpszClass) == offsetof(::CREATESTRUCTW, lpszClass) &&
              offsetof(CREATESTRUCT, dwExStyle) == offsetof(::CREATESTRUCTW, dwExStyle) &&
              sizeof(CREATESTRUCT::style) == sizeof(::CREATESTRUCTW::style));
static_assert(sizeof(DRAWITEMSTRUCT) == sizeof(::DRAWITEMSTRUCT) &&
              CP_SAME_FIELD(DRAWITEMSTRUCT, CtlType) && CP_SAME_FIELD(DRAWITEMSTRUCT, CtlID) &&
              CP_SAME_FIELD(DRAWITEMSTRUCT, itemID) && CP_SAME_FIELD(DRAWITEMSTRUCT, itemAction) &&
              CP_SAME_FIELD(DRAWITEMSTRUCT, itemState) && CP_SAME_FIELD(DRAWITEMSTRUCT, hwndItem) &&
              CP_SAME_FIELD(DRAWITEMSTRUCT, hDC) && CP_SAME_FIELD(DRAWITEMSTRUCT, rcItem) &&
              CP_SAME_FIELD(DRAWITEMSTRUCT, itemData));

#undef CP_SAME_FIELD

}  // namespace
}  // namespace cp
