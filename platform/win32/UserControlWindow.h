// The control's own window, and the host object (`UserControl`) that the control reads and
// sets. The window class keeps one device context for the window's life (CS_OWNDC), so that
// hDC stays valid. Its messages become the control's notifications: size (resize), paint
// (after which the line objects are drawn), mouse (in twips), the edit field's change and the
// list window's click, and the focus leaving.
#pragma once

#include <string_view>

#include "platform/Host.h"
#include "platform/basApi.h"
#include "platform/win32/Units.h"

namespace cp::win32 {

class ControlHost;
struct Placement;

inline constexpr const wchar_t* kUserControlClass = L"ThunderRT6UserControlDC";

class UserControlWindow final : public UserControlHost {
public:
    explicit UserControlWindow(ControlHost& host) : host_(host) {}
    ~UserControlWindow() override;

    // A hidden child of the form, at its place.
    void Create(HWND form, const Placement& at);
    // Destroys the window and the edit field inside it, if the host has not already.
    void Destroy();
    // From now on size changes run the resize notification.
    void StartResizing() { resizing_ = true; }

    float Width() override;
    void SetWidth(float twips) override;
    float Height() override;
    void SetHeight(float twips) override;
    HWND hWnd() override { return hWnd_; }
    HDC hDC() override { return hDC_; }
    bool Enabled() override;
    void SetEnabled(bool enabled) override;
    void SetBackColor(OLE_COLOR color) override;
    OLE_COLOR BackColor() const { return backColor_; }
    HWND ParentHwnd() override;
    void PropertyChanged(std::string_view key) override;
    // The container's, when one holds the control; a form of the host's own is at run time.
    bool AmbientUserMode() override;
    std::unique_ptr<ThreadPost> MakeThreadPost(std::function<void()> deliver) override;
    std::unique_ptr<IdleStep> MakeIdleStep(std::function<void()> step) override;

private:
    static LRESULT CP_CALLBACK Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT uMsg, WPARAM wParam, LPARAM lParam);
    bool HandleMouse(UINT uMsg, WPARAM wParam, LPARAM lParam);
    void Command(WPARAM wParam, LPARAM lParam);
    void Paint();
    void EraseBackground(HDC hdc);

    ControlHost& host_;                          // the control's host
    HWND hWnd_ = nullptr;                        // the window
    HDC hDC_ = nullptr;                          // its own device context
    OLE_COLOR backColor_ = design::kButtonFace;  // BackColor
    bool resizing_ = false;                      // size changes notify the control
};

}  // namespace cp::win32
