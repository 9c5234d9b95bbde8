// A form of the host: a top-level window holding controls and one plain text field that can
// take the focus away from them. Like the runtime's forms, it gives the focus back to the
// window that had it when it is activated again.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/win32/ControlHost.h"

namespace cp::win32 {

inline constexpr const wchar_t* kFormClass = L"ThunderRT6FormDC";

class Form {
public:
    // Creates, shows and activates the form.
    explicit Form(std::string_view caption = "Form1");
    // Destroys the form's windows, then terminates every control.
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND hWnd() const { return hWnd_; }
    // The form's plain text field.
    HWND TextField() const { return textField_; }
    // The window of the form that has the focus: while another window is active, the one that
    // will have it again when the form is activated.
    HWND FocusedWindow() const;

    // Places a control at `at` and runs its start-up (see ControlHost::Load): with `saved`,
    // its properties are read from that store; without, it starts as a new instance.
    ControlHost& AddControl(const ControlFactory& factory, const Placement& at,
                            PropertyBag* saved = nullptr);
    const std::vector<std::unique_ptr<ControlHost>>& Controls() const { return controls_; }

private:
    static LRESULT CP_CALLBACK Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT uMsg, WPARAM wParam, LPARAM lParam);
    LRESULT Activate(WPARAM wParam, LPARAM lParam);

    HWND hWnd_ = nullptr;                                 // the form window
    HWND textField_ = nullptr;                            // the plain text field
    HWND lastFocus_ = nullptr;                            // focus when last deactivated
    std::vector<std::unique_ptr<ControlHost>> controls_;  // in the order placed
};

}  // namespace cp::win32
