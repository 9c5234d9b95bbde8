#include "platform/sim/ListBoxClass.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/sim/BuiltInClasses.h"
#include "platform/sim/SimConstants.h"
#include "platform/sim/World.h"

namespace cp::sim {
namespace {

WindowManager& Windows() {
    return World::Current().Windows();
}

int ClientHeight(HWND hwnd) {
    return Windows().ClientRect(hwnd).bottom;
}

// Whole rows that fit in the client area (at least one), and rows that show at least in part.
int PageSize(HWND hwnd, const ListBoxState& s) {
    return std::max(1, ClientHeight(hwnd) / s.itemHeight);
}
int VisibleRows(HWND hwnd, const ListBoxState& s) {
    return (ClientHeight(hwnd) + s.itemHeight - 1) / s.itemHeight;
}

// The scroll bar shows while the rows do not fit in a page (the page does not depend on it).
void UpdateScrollBar(Window& w, const ListBoxState& s, int page) {
    if (!s.hasScrollBar) return;
    if (s.count > page)
        w.style |= WS_VSCROLL;
    else
        w.style &= ~WS_VSCROLL;
}

void UpdateScrollBar(HWND hwnd, const ListBoxState& s) {
    if (Window* w = Windows().Find(hwnd)) UpdateScrollBar(*w, s, PageSize(hwnd, s));
}

// Asks the owner to draw rows first to last (those that exist and show).
void DrawRows(HWND hwnd, int first, int last, UINT action) {
    ListBoxState* s = InspectListBox(hwnd);
    const Window* w = Windows().Find(hwnd);
    if (!s || !w || !w->owner || !(s->style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE))) return;
    const HWND owner = w->owner;
    const int id = w->id;
    Gdi& gdi = World::Current().Graphics();
    const HDC dc = gdi.CreateWindowDc(hwnd, DcKind::Window);
    if (s->font) gdi.Select(dc, s->font);
    for (int i = std::max(first, s->top);; ++i) {
        s = InspectListBox(hwnd);  // the owner may change or destroy the list as it draws
        if (!s || i > last || i >= s->count || i >= s->top + VisibleRows(hwnd, *s)) break;
        const int y = (i - s->top) * s->itemHeight;
        DRAWITEMSTRUCT dis{ODT_LISTBOX,
                           static_cast<UINT>(id),
                           static_cast<UINT>(i),
                           action,
                           i == s->selection ? ODS_SELECTED : 0,
                           hwnd,
                           dc,
                           RECT{0, y, Windows().ClientRect(hwnd).right, y + s->itemHeight},
                           0};
        Windows().Send(owner, WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&dis));
    }
    gdi.EndDc(dc, DcKind::Window);
}

// Asks the owner to paint the header band above the rows, as the frame is painted.
void PaintHeader(HWND hwnd) {
    const Window* w = Windows().Find(hwnd);
    if (!w || !w->owner || w->frameTop <= 0) return;
    const int border = (w->style & WS_BORDER) ? 2 * kBorderWidth : 0;
    Gdi& gdi = World::Current().Graphics();
    const HDC dc = gdi.CreateWindowDc(hwnd, DcKind::Frame);
    if (const ListBoxState* s = InspectListBox(hwnd); s && s->font) gdi.Select(dc, s->font);
    Windows().Send(w->owner, kSimPaintHeader, reinterpret_cast<WPARAM>(dc),
                   MakePointParam(w->Width() - border, w->frameTop));
    gdi.EndDc(dc, DcKind::Frame);
}

void PaintAll(HWND hwnd) {
    if (!Windows().IsVisible(hwnd)) return;
    PaintHeader(hwnd);
    DrawRows(hwnd, 0, INT_MAX, ODA_DRAWENTIRE);
}

void RepaintRow(HWND hwnd, int row, UINT action) {
    if (row >= 0 && Windows().IsVisible(hwnd)) DrawRows(hwnd, row, row, action);
}

void SetTop(HWND hwnd, ListBoxState& s, int row) {
    row = std::clamp(row, 0, std::max(0, s.count - PageSize(hwnd, s)));
    if (row == s.top) return;
    s.top = row;
    PaintAll(hwnd);
}

void MakeVisible(HWND hwnd, ListBoxState& s, int row) {
    if (row < s.top)
        SetTop(hwnd, s, row);
    else if (row >= s.top + PageSize(hwnd, s))
        SetTop(hwnd, s, row - PageSize(hwnd, s) + 1);
}

void SetSelection(HWND hwnd, ListBoxState& s, int row) {
    if (row == s.selection) return;
    const int old = s.selection;
    s.selection = row;
    RepaintRow(hwnd, old, ODA_SELECT);
    RepaintRow(hwnd, row, ODA_SELECT);
}

void MoveCaret(HWND hwnd, int row) {
    if (ListBoxState* s = InspectListBox(hwnd)) {
        s->caret = row;
        SetSelection(hwnd, *s, row);
    }
    if (ListBoxState* s = InspectListBox(hwnd)) MakeVisible(hwnd, *s, row);
}

// Changes that leave the rows' positions unsettled: repaint what shows.
void RowsChanged(HWND hwnd, ListBoxState& s) {
    Window* w = Windows().Find(hwnd);
    if (!w) return;
    const int page = PageSize(hwnd, s);
    UpdateScrollBar(*w, s, page);
    s.top = std::clamp(s.top, 0, std::max(0, s.count - page));
    if (w->Visible()) PaintAll(hwnd);
}

LRESULT SetCount(HWND hwnd, ListBoxState& s, WPARAM wParam) {
    const auto count = static_cast<std::int32_t>(wParam);
    if (!(s.style & LBS_NODATA) || count < 0) return LB_ERR;
    s.count = count;
    if (s.selection >= count) s.selection = -1;
    s.caret = std::clamp(s.caret, 0, std::max(0, count - 1));
    RowsChanged(hwnd, s);
    return 0;
}

LRESULT DeleteRow(HWND hwnd, ListBoxState& s, WPARAM wParam) {
    const auto row = static_cast<std::int32_t>(wParam);
    if (row < 0 || row >= s.count) return LB_ERR;
    --s.count;
    if (row == s.selection)
        s.selection = -1;
    else if (row < s.selection)
        --s.selection;
    s.caret = std::clamp(s.caret, 0, std::max(0, s.count - 1));
    RowsChanged(hwnd, s);
    return s.count;
}

LRESULT ResetContent(HWND hwnd, ListBoxState& s) {
    s.count = 0;
    s.selection = -1;
    s.caret = 0;
    s.top = 0;
    RowsChanged(hwnd, s);
    return 0;
}

LRESULT SetCurSel(HWND hwnd, ListBoxState& s, WPARAM wParam) {
    const auto row = static_cast<std::int32_t>(wParam);
    // -1 clears the selection (and still answers LB_ERR); any other row outside the list is
    // refused and changes nothing, as on Windows.
    if (row == -1) SetSelection(hwnd, s, -1);
    if (row < 0 || row >= s.count) return LB_ERR;
    s.caret = row;
    MakeVisible(hwnd, s, row);
    if (ListBoxState* now = InspectListBox(hwnd)) SetSelection(hwnd, *now, row);
    return row;
}

LRESULT GetItemRect(HWND hwnd, const ListBoxState& s, WPARAM wParam, LPARAM lParam) {
    const auto row = static_cast<std::int32_t>(wParam);
    RECT* rect = reinterpret_cast<RECT*>(lParam);
    if (row < 0 || row >= s.count || !rect) return LB_ERR;
    const int y = (row - s.top) * s.itemHeight;
    *rect = RECT{0, y, Windows().ClientRect(hwnd).right, y + s.itemHeight};
    return 1;
}

void KeepWholeRows(HWND hwnd, ListBoxState& s) {
    if (!(s.style & (LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWVARIABLE))) {
        const int height = ClientHeight(hwnd);
        const int remaining = height % s.itemHeight;
        const Window* w = Windows().Find(hwnd);
        if (w && height > s.itemHeight && remaining) {
            RECT r = w->rect;
            r.bottom -= remaining;
            Windows().Move(hwnd, r);  // comes back here with whole rows
            return;
        }
    }
    RowsChanged(hwnd, s);
}

int RowAt(HWND hwnd, const ListBoxState& s, int y) {
    if (y < 0 || y >= ClientHeight(hwnd)) return -1;
    const int row = s.top + y / s.itemHeight;
    return row < s.count ? row : -1;
}

void PressLeft(HWND hwnd, LPARAM lParam) {
    if (Windows().Focus() != hwnd) Windows().SetFocus(hwnd);
    ListBoxState* s = InspectListBox(hwnd);
    if (!s) return;
    const int row = RowAt(hwnd, *s, PointY(lParam));
    if (row == -1) return;
    s->captured = true;
    s->pressSelection = s->selection;
    MoveCaret(hwnd, row);
}

// A move while the press is held: the row under the pointer, or one row past the top or
// bottom row when the pointer is above or below the list.
void Track(HWND hwnd, LPARAM lParam) {
    ListBoxState* s = InspectListBox(hwnd);
    if (!s || !s->captured || s->count == 0) return;
    const int y = PointY(lParam);
    int row;
    if (y < 0) {
        row = s->top > 0 ? s->top - 1 : 0;
    } else if (y >= ClientHeight(hwnd)) {
        row = s->top + PageSize(hwnd, *s);
        if (row == s->caret) ++row;
        row = std::min(row, s->count - 1);
    } else {
        row = RowAt(hwnd, *s, y);
        if (row == -1) row = s->caret;
    }
    if (row != s->caret) MoveCaret(hwnd, row);
}

void ReleaseLeft(HWND hwnd) {
    ListBoxState* s = InspectListBox(hwnd);
    const Window* w = Windows().Find(hwnd);
    if (!s || !w || !s->captured) return;
    s->captured = false;
    if ((s->style & LBS_NOTIFY) && s->count > 0 && w->owner)
        Windows().Send(w->owner, WM_COMMAND, MakeCommandParam(w->id, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(hwnd));
}

LRESULT Mouse(HWND hwnd, UINT message, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) PressLeft(hwnd, lParam);
    if (message == WM_MOUSEMOVE) Track(hwnd, lParam);
    if (message == WM_LBUTTONUP) ReleaseLeft(hwnd);
    if (const Window* w = Windows().Find(hwnd); w && w->owner)
        Windows().Send(w->owner, kSimChildMouse, message, lParam);
    return 0;
}

// The scroll bar's request, told to the owner first: it may change the rows meanwhile, or
// place the list itself (answering nonzero), and the list then leaves it where it is.
LRESULT Scroll(HWND hwnd, WPARAM wParam) {
    const int request = static_cast<int>(wParam & 0xFFFF);
    const int position = static_cast<int>((wParam >> 16) & 0xFFFF);
    if (const Window* w = Windows().Find(hwnd);
        w && w->owner && Windows().Send(w->owner, kSimChildScroll, wParam, 0) != 0)
        return 0;
    ListBoxState* s = InspectListBox(hwnd);
    if (!s) return 0;
    const int page = PageSize(hwnd, *s);
    switch (request) {
        case SB_LINEUP:
            SetTop(hwnd, *s, s->top - 1);
            break;
        case SB_LINEDOWN:
            SetTop(hwnd, *s, s->top + 1);
            break;
        case SB_PAGEUP:
            SetTop(hwnd, *s, s->top - page);
            break;
        case SB_PAGEDOWN:
            SetTop(hwnd, *s, s->top + page);
            break;
        case SB_THUMBPOSITION:
            SetTop(hwnd, *s, position);
            break;
        case SB_THUMBTRACK:
            if (s->trackPos >= 0) SetTop(hwnd, *s, s->trackPos);
            break;
        case SB_TOP:
            SetTop(hwnd, *s, 0);
            break;
        case SB_BOTTOM:
            SetTop(hwnd, *s, s->count);
            break;
        default:
            break;
    }
    return 0;
}

bool ShowsScrollBar(HWND hwnd) {
    const Window* w = Windows().Find(hwnd);
    return w && w->Visible() && (w->style & WS_VSCROLL) && InspectListBox(hwnd);
}

WPARAM ScrollParam(int request, int position) {
    return static_cast<WPARAM>(request) | (static_cast<WPARAM>(position & 0xFFFF) << 16);
}

LRESULT Create(HWND hwnd) {
    Window* w = Windows().Find(hwnd);
    auto state = std::make_unique<ListBoxState>();
    state->style = w->style;
    state->hasScrollBar = (w->style & WS_VSCROLL) != 0;
    w->state = std::move(state);
    UpdateScrollBar(hwnd, *InspectListBox(hwnd));
    return 0;
}

LRESULT Messages(HWND hwnd, ListBoxState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            KeepWholeRows(hwnd, s);
            return 0;
        case WM_PAINT:
            PaintHeader(hwnd);
            DrawRows(hwnd, 0, INT_MAX, ODA_DRAWENTIRE);
            return 0;
        case WM_SETFONT:
            s.font = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s.font);
        case LB_SETCOUNT:
            return SetCount(hwnd, s, wParam);
        case LB_GETCOUNT:
            return s.count;
        case LB_RESETCONTENT:
            return ResetContent(hwnd, s);
        case LB_DELETESTRING:
            return DeleteRow(hwnd, s, wParam);
        case LB_SETCURSEL:
            return SetCurSel(hwnd, s, wParam);
        case LB_GETCURSEL:
            return s.selection;
        case LB_SETTOPINDEX:
            SetTop(hwnd, s, static_cast<std::int32_t>(wParam));
            return 0;
        case LB_GETTOPINDEX:
            return s.top;
        case LB_GETITEMHEIGHT:
            return s.itemHeight;
        case LB_GETITEMRECT:
            return GetItemRect(hwnd, s, wParam, lParam);
        case WM_VSCROLL:
            return Scroll(hwnd, wParam);
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

ListBoxState* InspectListBox(HWND hwnd) {
    World* world = World::TryCurrent();
    Window* w = world ? world->Windows().Find(hwnd) : nullptr;
    ClassState* state = w ? w->state.get() : nullptr;
    return state && state->ClassKind() == ClassState::Kind::ListBox
               ? static_cast<ListBoxState*>(state)
               : nullptr;
}

LRESULT ListBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) return Create(hwnd);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            return Mouse(hwnd, message, lParam);
        case WM_KILLFOCUS:
            if (const Window* w = Windows().Find(hwnd); w && w->owner)
                Windows().Send(w->owner, kSimChildFocusLost, wParam, 0);
            return 0;
        default:
            break;
    }
    ListBoxState* s = InspectListBox(hwnd);
    return s ? Messages(hwnd, *s, message, wParam, lParam)
             : DefWindowProc(hwnd, message, wParam, lParam);
}

void PressScrollBar(HWND hwnd, int request) {
    if (!ShowsScrollBar(hwnd)) return;
    Windows().Send(hwnd, WM_VSCROLL, ScrollParam(request, 0), 0);
    Windows().Send(hwnd, WM_VSCROLL, ScrollParam(SB_ENDSCROLL, 0), 0);
}

void DragScrollThumb(HWND hwnd, int position, int steps) {
    if (!ShowsScrollBar(hwnd)) return;
    const int from = InspectListBox(hwnd)->top;
    steps = std::max(steps, 1);
    for (int step = 1; step <= steps; ++step) {
        ListBoxState* s = InspectListBox(hwnd);
        if (!s) return;
        const int at = from + static_cast<int>(std::int64_t{position - from} * step / steps);
        s->trackPos = at;
        Windows().Send(hwnd, WM_VSCROLL, ScrollParam(SB_THUMBTRACK, at), 0);
    }
    // The drag is on until the release's messages are sent, as the tracking position says.
    if (ListBoxState* s = InspectListBox(hwnd)) s->trackPos = position;
    Windows().Send(hwnd, WM_VSCROLL, ScrollParam(SB_THUMBPOSITION, position), 0);
    Windows().Send(hwnd, WM_VSCROLL, ScrollParam(SB_ENDSCROLL, 0), 0);
    if (ListBoxState* s = InspectListBox(hwnd)) s->trackPos = -1;
}

bool ListScrollInfo(HWND hwnd, SCROLLINFO& info) {
    const Window* w = Windows().Find(hwnd);
    const ListBoxState* s = InspectListBox(hwnd);
    if (!w || !s || !s->hasScrollBar) return false;
    const int page = PageSize(hwnd, *s);
    if (info.fMask & SIF_RANGE) {
        info.nMin = 0;
        info.nMax = std::max(0, s->count - 1);
    }
    if (info.fMask & SIF_PAGE) info.nPage = static_cast<UINT>(page);
    if (info.fMask & SIF_POS) info.nPos = s->top;
    if (info.fMask & SIF_TRACKPOS) info.nTrackPos = s->trackPos >= 0 ? s->trackPos : s->top;
    return true;
}

}  // namespace cp::sim
