// The host's list box object over a simulated list box window.
// - A put of ListIndex sends LB_SETCURSEL and then raises the click notification before it
//   returns, at every put; an index below -1 or past the last row is error 380.
// - TopIndex below 0 is error 380; above the scroll limit the list clamps it.
// - Move, Width and Height are in twips of the parent's client area; a get returns the size the
//   window really took (a list keeps whole rows).
// - A put of Visible True shows the list, which paints its rows.
// - Clear is LB_RESETCONTENT; RemoveItem is LB_DELETESTRING (error 5 for a row that does not
//   exist).
#pragma once

#include "platform/ControlDesign.h"
#include "platform/basApi.h"

namespace cp::sim {

class ControlHost;

class ListBoxObject : public cp::ListBox {
public:
    explicit ListBoxObject(ControlHost& host) : host_(host) {}

    HWND hWnd() override;
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
    void SetHeaderHeight(int pixels) override;

    // For tests: the colour last put.
    OLE_COLOR BackColor() const { return backColor_; }

private:
    HWND ListWindow() const;
    void Place(const RECT& rect);

    ControlHost& host_;                                // the form host of the control
    OLE_COLOR backColor_ = design::kWindowBackground;  // BackColor as last put
};

}  // namespace cp::sim
