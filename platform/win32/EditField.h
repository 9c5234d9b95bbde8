// The edit field `txtTextBox`: a real EDIT window inside the control's window, subclassed so
// that its keys reach the control first. KeyDown (Alt arrives as WM_SYSKEYDOWN), KeyPress and
// KeyUp hand their arguments by reference: a key code or character given back as 0 is not
// processed by the edit, another value is processed in its place. A character beyond 16 bits
// comes as two WM_CHAR units, is handed to KeyPress once, as "?", and changes the text once. Its
// change notification (EN_CHANGE, sent before WM_SETTEXT returns) is delivered by the control's
// window.
#pragma once

#include "platform/Host.h"
#include "platform/basApi.h"
#include "platform/win32/Units.h"

namespace cp::win32 {

class ControlHost;

class EditField final : public TextBox {
public:
    explicit EditField(ControlHost& host) : host_(host) {}
    ~EditField() override;

    // The edit window, child of the control's window at Left 45, Top 45, Height 240 twips.
    void Create(HWND parent);

    HWND hWnd() override { return hWnd_; }
    std::string Text() override;
    void SetText(std::string_view text) override;
    std::int32_t SelStart() override;
    bool Locked() override;
    void SetLocked(bool locked) override;
    bool Enabled() override;
    void SetEnabled(bool enabled) override;
    OLE_COLOR BackColor() override { return backColor_; }
    void SetBackColor(OLE_COLOR color) override;
    OLE_COLOR ForeColor() override { return foreColor_; }
    void SetForeColor(OLE_COLOR color) override;
    void SetWidth(float twips) override;
    // Raises error 5 when the edit field cannot take the focus (hidden or disabled); does
    // nothing while the form is being unloaded or the control leaves the screen.
    void SetFocus() override;

    // Text in `font`, kept alive by the caller while the window uses it.
    void SetFont(HFONT font);

    // Answers the colour request of the edit window: sets the colours, returns the brush.
    HBRUSH Colors(HDC hdc);
    // The edit is taking the first half of a character beyond 16 bits.
    bool TakingHalfCharacter() const { return halfCharacter_; }

private:
    static LRESULT CP_CALLBACK Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT uMsg, WPARAM wParam, LPARAM lParam);
    LRESULT KeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam);
    LRESULT KeyUp(UINT uMsg, WPARAM wParam, LPARAM lParam);
    LRESULT KeyPress(UINT uMsg, WPARAM wParam, LPARAM lParam);
    LRESULT Forward(UINT uMsg, WPARAM wParam, LPARAM lParam);

    ControlHost& host_;                             // the control's host
    HWND hWnd_ = nullptr;                           // the EDIT window
    WNDPROC editProc_ = nullptr;                    // the EDIT class's procedure
    OLE_COLOR backColor_ = design::kEditBackColor;  // BackColor
    OLE_COLOR foreColor_ = design::kEditForeColor;  // ForeColor
    HBRUSH brush_ = nullptr;                        // background brush for BackColor
    // What becomes of the second unit of a character beyond 16 bits, once KeyPress has run.
    enum class LowSurrogate { None, Pass, Drop };
    LowSurrogate lowSurrogate_ = LowSurrogate::None;
    bool halfCharacter_ = false;  // the first unit of such a character is going in
};

}  // namespace cp::win32
