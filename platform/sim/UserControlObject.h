// The control's host object over the simulated control window. Width and Height are in twips;
// a put resizes the window, which runs UserControl_Resize before the put returns (when the size
// changes). Kept at an exact size, it answers with the twips last put rather than the window's
// whole pixels, and any other size put runs UserControl_Resize. hDC is the window's own persistent
// context. A put of BackColor has the window erased in it at its next paint. AmbientUserMode
// answers as the form's ambient mode says, and raises error 398 when the form offers no ambient
// properties.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ControlDesign.h"
#include "platform/Host.h"

namespace cp::sim {

class ControlHost;

class UserControlObject : public cp::UserControlHost {
public:
    explicit UserControlObject(ControlHost& host) : host_(host) {}

    float Width() override;
    void SetWidth(float twips) override;
    float Height() override;
    void SetHeight(float twips) override;
    HWND hWnd() override;
    HDC hDC() override;
    bool Enabled() override;
    void SetEnabled(bool enabled) override;
    void SetBackColor(OLE_COLOR color) override;
    HWND ParentHwnd() override;
    void PropertyChanged(std::string_view key) override;
    bool AmbientUserMode() override;
    std::unique_ptr<ThreadPost> MakeThreadPost(std::function<void()> deliver) override;
    std::unique_ptr<IdleStep> MakeIdleStep(std::function<void()> step) override;

    // Keeps the size in twips as put from now on, starting from width and height.
    void KeepExactSize(float width, float height);

    // For tests.
    OLE_COLOR BackColor() const { return backColor_; }
    const std::vector<std::string>& PropertyChangedKeys() const { return changed_; }
    const std::vector<float>& WidthPuts() const { return widthPuts_; }
    const std::vector<float>& HeightPuts() const { return heightPuts_; }

private:
    void Resize(int widthPixels, int heightPixels);
    void ResizeExactly(float& kept, float twips);

    ControlHost& host_;                          // the form host
    OLE_COLOR backColor_ = design::kButtonFace;  // BackColor as last put
    std::vector<std::string> changed_;           // PropertyChanged keys, in order
    std::vector<float> widthPuts_;               // every put of Width, in order
    std::vector<float> heightPuts_;              // every put of Height, in order
    std::optional<float> exactWidth_;            // the size as put, when kept exactly
    std::optional<float> exactHeight_;
};

}  // namespace cp::sim
