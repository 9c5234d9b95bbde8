// Window-system values that only the simulator needs (basApi.h declares the ones the control
// uses), and the simulator's private messages between its window classes and the form host.
#pragma once

#include <cstdint>

#include "platform/basApi.h"

namespace cp::sim {

// Messages, styles and notifications of the window system beyond basApi.h.
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_SETFONT = 0x0030;
inline constexpr UINT WM_GETFONT = 0x0031;
inline constexpr UINT WM_CUT = 0x0300;
inline constexpr UINT WM_COPY = 0x0301;
inline constexpr UINT WM_PASTE = 0x0302;
inline constexpr UINT WM_CLEAR = 0x0303;
inline constexpr UINT EM_SETREADONLY = 0x00CF;
inline constexpr UINT EN_CHANGE = 0x0300;
inline constexpr UINT ODA_SELECT = 2;
inline constexpr UINT HTNOWHERE = 0;
inline constexpr UINT HTCAPTION = 2;
inline constexpr UINT WM_NCLBUTTONUP = 0x00A2;
inline constexpr int GWL_ID = -12;
inline constexpr LONG_PTR WS_DISABLED = 0x08000000;
inline constexpr LONG_PTR ES_READONLY = 0x0800;
inline constexpr LONG_PTR LBS_OWNERDRAWVARIABLE = 0x0020;
inline constexpr std::int16_t VK_TAB = 9;
inline constexpr std::int16_t VK_SPACE = 32;
inline constexpr std::int16_t VK_PACKET = 0xE7;

// Private messages of the simulator (in the WM_APP range, which the control never uses).
// The edit field asks its owner, the form host, about a key before it handles it itself;
// wParam points to an EditKeyEvent that the host may change.
inline constexpr UINT kSimEditKey = 0x8000 + 0x101;
// The edit field tells its owner of a double click, after selecting the word under it.
inline constexpr UINT kSimEditDblClick = 0x8000 + 0x102;
// A list box passes a mouse message on to its owner after its own processing; wParam is the
// mouse message, lParam the position in client pixels as the mouse message carries it.
inline constexpr UINT kSimChildMouse = 0x8000 + 0x103;
// A child window that loses the focus tells its owner; wParam is the window that gains it.
inline constexpr UINT kSimChildFocusLost = 0x8000 + 0x104;
// A list box with a header band asks its owner to paint it; wParam is a context of the list's
// frame with the band's top left corner as its origin, lParam the band's width and height.
inline constexpr UINT kSimPaintHeader = 0x8000 + 0x105;
// A list box tells its owner what its scroll bar asks (WM_VSCROLL's wParam) before it scrolls;
// an owner that answers nonzero has placed the list itself.
inline constexpr UINT kSimChildScroll = 0x8000 + 0x106;

// A key as the edit field hands it to the host: the key (or character) code and the shift state
// (vbShiftMask, vbCtrlMask, vbAltMask). A key code of 0 tells the field to ignore the key.
struct EditKeyEvent {
    UINT message = 0;  // WM_KEYDOWN, WM_SYSKEYDOWN, WM_CHAR, WM_KEYUP or WM_SYSKEYUP
    std::int32_t code = 0;
    std::int16_t shift = 0;
};

// Packing of positions and notification codes into message parameters.
inline LPARAM MakePointParam(int x, int y) {
    return static_cast<LPARAM>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(x)) |
                               (static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16));
}
inline int PointX(LPARAM l) {
    return static_cast<std::int16_t>(l & 0xFFFF);
}
inline int PointY(LPARAM l) {
    return static_cast<std::int16_t>((l >> 16) & 0xFFFF);
}
inline WPARAM MakeCommandParam(int id, UINT code) {
    return (static_cast<WPARAM>(code & 0xFFFF) << 16) | static_cast<WPARAM>(id & 0xFFFF);
}
inline UINT CommandCode(WPARAM w) {
    return static_cast<UINT>((w >> 16) & 0xFFFF);
}

}  // namespace cp::sim
