// The list window `lstListBox`: a real list box of the class "ThunderRT6ListBox", a superclass
// of LISTBOX whose procedure turns the mouse into the control's notifications (twips of the
// client area), after the list's own handling. Rows are 15 pixels high at 96 pixels per inch in
// the system's font, and grow with a larger font (SetFont). The list sends
// LBN_SELCHANGE at every release that ends a press on a row, whether the press changed the
// selection or not; the click notification is raised for it only when the press changed the
// selection (so before the release reaches the control), and for every put of ListIndex, after
// LB_SETCURSEL.
#pragma once

#include "platform/Host.h"
#include "platform/basApi.h"
#include "platform/win32/Units.h"

namespace cp::win32 {

class ControlHost;

inline constexpr const wchar_t* kListBoxClass = L"ThunderRT6ListBox";

class ListWindow final : public ListBox {
public:
    explicit ListWindow(ControlHost& host) : host_(host) {}
    // Destroys the window, which may be a top-level window of the desktop by then.
    ~ListWindow() override;

    // The list window, hidden, child of `owner`, which receives its notifications and draw
    // requests for its whole life (even while the list stands on the desktop).
    void Create(HWND owner, int widthPixels, int heightPixels);

    HWND hWnd() override { return hWnd_; }
    std::int32_t ListIndex() override;
    void SetListIndex(std::int32_t index) override;
    std::int32_t TopIndex() override;
    void SetTopIndex(std::int32_t index) override;
    void Move(float left, float top, float width, float height) override;
    float Width() override;
    void SetWidth(float twips) override;
    float Height() override;
    void SetHeight(float twips) override;
    bool Visible() override;
    void SetVisible(bool visible) override;
    void SetBackColor(OLE_COLOR color) override;
    HFONT Font() override;
    int RowHeight() override;
    void Clear() override;
    void RemoveItem(std::int32_t index) override;
    void Redraw() override;
    // The header band is part of the window's frame: the list box lays out, scrolls and hit-
    // tests its rows in the client area below it, and a press on it reaches no row.
    void SetHeaderHeight(int pixels) override;

    // Rows of text in `font` (kept alive by the caller while the window uses it), `rowPixels`
    // high.
    void SetFont(HFONT font, int rowPixels);

    // Answers the colour request of the list window.
    HBRUSH Background(HDC hdc);
    // The list reports a selection: whether the user's last press changed it.
    bool PressChangedSelection();

private:
    static void RegisterWindowClass();
    static LRESULT CP_CALLBACK Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT uMsg, WPARAM wParam, LPARAM lParam);
    LRESULT Frame(UINT uMsg, WPARAM wParam, LPARAM lParam);
    void PaintHeader();

    ControlHost& host_;                                // the control's host
    HWND hWnd_ = nullptr;                              // the list window
    OLE_COLOR backColor_ = design::kWindowBackground;  // BackColor
    HBRUSH brush_ = nullptr;                           // background brush for BackColor
    std::int32_t pressSelection_ = -1;  // the selection when the last left press began
    int headerPixels_ = 0;              // the header band above the rows; 0: none
};

}  // namespace cp::win32
