#include "platform/sim/UserControlObject.h"

#include "platform/Twips.h"
#include "platform/sim/ControlHost.h"
#include "platform/sim/Form.h"
#include "platform/sim/SimConstants.h"
#include "platform/sim/World.h"
#include "runtime/RuntimeError.h"

namespace cp::sim {
namespace {

constexpr std::int32_t kClientSiteNotAvailable = 398;

WindowManager& Checked(Operation operation) {
    World& world = World::Current();
    world.CheckFailure(operation);
    return world.Windows();
}

}  // namespace

void UserControlObject::KeepExactSize(float width, float height) {
    exactWidth_ = width;
    exactHeight_ = height;
}

float UserControlObject::Width() {
    const Window* w = Checked("UserControl.Width").Find(host_.Hwnd());
    if (exactWidth_) return *exactWidth_;
    return w ? TwipsFromPixels(w->Width()) : 0;
}

float UserControlObject::Height() {
    const Window* w = Checked("UserControl.Height").Find(host_.Hwnd());
    if (exactHeight_) return *exactHeight_;
    return w ? TwipsFromPixels(w->Height()) : 0;
}

void UserControlObject::Resize(int widthPixels, int heightPixels) {
    WindowManager& windows = World::Current().Windows();
    if (const Window* w = windows.Find(host_.Hwnd())) {
        RECT r = w->rect;
        r.right = r.left + (widthPixels < 0 ? w->Width() : widthPixels);
        r.bottom = r.top + (heightPixels < 0 ? w->Height() : heightPixels);
        windows.Move(host_.Hwnd(), r);
    }
}

// A size within the window's pixel moves no window, so the resize notification is sent here.
void UserControlObject::ResizeExactly(float& kept, float twips) {
    if (twips == kept) return;
    kept = twips;
    WindowManager& windows = World::Current().Windows();
    const Window* w = windows.Find(host_.Hwnd());
    if (!w) return;
    const int width = PixelsFromTwips(*exactWidth_);
    const int height = PixelsFromTwips(*exactHeight_);
    if (width != w->Width() || height != w->Height())
        Resize(width, height);
    else
        windows.Send(host_.Hwnd(), WM_SIZE, 0, MakePointParam(width, height));
}

void UserControlObject::SetWidth(float twips) {
    Checked("UserControl.SetWidth");
    widthPuts_.push_back(twips);
    if (exactWidth_)
        ResizeExactly(*exactWidth_, twips);
    else
        Resize(PixelsFromTwips(twips), -1);
}

void UserControlObject::SetHeight(float twips) {
    Checked("UserControl.SetHeight");
    heightPuts_.push_back(twips);
    if (exactHeight_)
        ResizeExactly(*exactHeight_, twips);
    else
        Resize(-1, PixelsFromTwips(twips));
}

HWND UserControlObject::hWnd() {
    Checked("UserControl.hWnd");
    return host_.Hwnd();
}

HDC UserControlObject::hDC() {
    const Window* w = Checked("UserControl.hDC").Find(host_.Hwnd());
    return w ? w->ownDc : nullptr;
}

bool UserControlObject::Enabled() {
    const Window* w = Checked("UserControl.Enabled").Find(host_.Hwnd());
    return w && !(w->style & WS_DISABLED);
}

void UserControlObject::SetEnabled(bool enabled) {
    Checked("UserControl.SetEnabled").Enable(host_.Hwnd(), enabled);
}

void UserControlObject::SetBackColor(OLE_COLOR color) {
    Checked("UserControl.SetBackColor").Invalidate(host_.Hwnd(), nullptr, Erase::Background);
    backColor_ = color;
}

HWND UserControlObject::ParentHwnd() {
    Checked("UserControl.ParentHwnd");
    return host_.HostForm().Hwnd();
}

void UserControlObject::PropertyChanged(std::string_view key) {
    Checked("UserControl.PropertyChanged");
    changed_.emplace_back(key);
}

std::unique_ptr<ThreadPost> UserControlObject::MakeThreadPost(std::function<void()> deliver) {
    // A delivery is one more way into the control: a host that lets go of it meanwhile ends it
    // once the delivery is over.
    return host::MakeThreadPost([this, deliver = std::move(deliver)] {
        const CallFrames::Frame frame(host_.Frames());
        deliver();
    });
}

std::unique_ptr<IdleStep> UserControlObject::MakeIdleStep(std::function<void()> step) {
    // A step is one more way into the control, kept whole as a delivery is.
    return host::MakeIdleStep([this, step = std::move(step)] {
        const CallFrames::Frame frame(host_.Frames());
        step();
    });
}

bool UserControlObject::AmbientUserMode() {
    Checked("UserControl.AmbientUserMode");
    switch (host_.HostForm().Ambient()) {
        case AmbientMode::RunTime:
            return true;
        case AmbientMode::Design:
            return false;
        case AmbientMode::Unavailable:
            break;
    }
    throw RuntimeError(kClientSiteNotAvailable, "Client Site not available");
}

}  // namespace cp::sim
