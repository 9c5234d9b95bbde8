// The host's edit field object over a simulated edit field window. A put of Text sends
// WM_SETTEXT, so the change notification runs before the put returns. SetFocus raises error 5
// when the field (or a window around it) is hidden or disabled.
#pragma once

#include "platform/ControlDesign.h"
#include "platform/Host.h"

namespace cp::sim {

class TextBoxObject : public cp::TextBox {
public:
    explicit TextBoxObject(HWND hwnd) : hwnd_(hwnd) {}

    HWND hWnd() override;
    std::string Text() override;
    void SetText(std::string_view text) override;
    std::int32_t SelStart() override;
    bool Locked() override;
    void SetLocked(bool locked) override;
    bool Enabled() override;
    void SetEnabled(bool enabled) override;
    OLE_COLOR BackColor() override;
    void SetBackColor(OLE_COLOR color) override;
    OLE_COLOR ForeColor() override;
    void SetForeColor(OLE_COLOR color) override;
    void SetWidth(float twips) override;
    void SetFocus() override;

private:
    HWND hwnd_;                                     // the edit field window
    OLE_COLOR backColor_ = design::kEditBackColor;  // BackColor as last put
    OLE_COLOR foreColor_ = design::kEditForeColor;  // ForeColor as last put
};

}  // namespace cp::sim
