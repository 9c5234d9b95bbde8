#include "platform/sim/Form.h"

#include <algorithm>

#include "platform/ControlDesign.h"
#include "platform/HostForm.h"
#include "platform/Twips.h"
#include "platform/sim/World.h"

namespace cp::sim {
namespace {

constexpr int kFieldId = 100;
constexpr int kFirstControlId = 1000;

}  // namespace

Form::Form(World& world, FormOptions options) : world_(world), ambient_(options.ambient) {
    WindowManager& windows = world_.Windows();
    window_ = windows.Create(
        "ThunderRT6FormDC", WS_VISIBLE, 0, nullptr,
        RECT{options.left, options.top, options.left + options.width, options.top + options.height},
        0);
    textField_ = windows.Create("ThunderRT6TextBox", WS_CHILD | WS_VISIBLE, 0, window_,
                                form::TextFieldRect(options.height), kFieldId);
}

Form::~Form() {
    if (World::TryCurrent() == &world_) Destroy();
}

ControlHost& Form::AddControl(const Factory& factory, const ControlPlacement& placement) {
    WindowManager& windows = world_.Windows();
    const int x = PixelsFromTwips(placement.left);
    const int y = PixelsFromTwips(placement.top);
    const int width = PixelsFromTwips(placement.width);
    const int height = PixelsFromTwips(placement.height);
    const int id = kFirstControlId + static_cast<int>(controls_.size());
    const HWND window = windows.Create("ThunderRT6UserControlDC", WS_CHILD | WS_VISIBLE, 0, window_,
                                       RECT{x, y, x + width, y + height}, id);
    const int editLeft = PixelsFromTwips(design::kEditLeft);
    const int editTop = PixelsFromTwips(design::kEditTop);
    const HWND edit = windows.Create("ThunderRT6TextBox", WS_CHILD | WS_VISIBLE, 0, window,
                                     RECT{editLeft, editTop, std::max(editLeft, width - editLeft),
                                          editTop + PixelsFromTwips(design::kEditHeight)},
                                     ControlHost::kEditId);
    controls_.push_back(std::make_unique<ControlHost>(*this, window, edit));
    ControlHost& host = *controls_.back();
    if (placement.sizing == Sizing::Exact)
        host.UserControl().KeepExactSize(placement.width, placement.height);
    host.StartUp(factory, placement.properties);
    return host;
}

ControlHost* Form::HostOf(const HostedControl& control) {
    for (const auto& host : controls_)
        if (&host->Control() == &control) return host.get();
    return nullptr;
}

void Form::RemoveControl(ControlHost& host) {
    const auto placed = [&](const auto& h) { return h.get() == &host; };
    if (std::none_of(controls_.begin(), controls_.end(), placed)) return;
    host.Frames().EndWhenIdle([this, &host] { EndControl(host); });
}

void Form::EndControl(ControlHost& host) {
    const auto it = std::find_if(controls_.begin(), controls_.end(),
                                 [&](const auto& h) { return h.get() == &host; });
    if (it == controls_.end()) return;
    host.Terminate();
    host.Release();
    controls_.erase(it);
}

void Form::Destroy() {
    if (destroyed_) return;
    destroyed_ = true;
    world_.Windows().Destroy(window_);
    // A control whose own code runs now (a handler of its event closed the form) ends once
    // that code has returned; the others end together, all terminated before any goes.
    std::vector<ControlHost*> busy;
    for (const auto& host : controls_)
        if (!host->Frames().Idle()) busy.push_back(host.get());
    const auto idle = [](const auto& host) { return host->Frames().Idle(); };
    for (const auto& host : controls_)
        if (idle(host)) host->Terminate();
    for (const auto& host : controls_)
        if (idle(host)) host->Release();
    std::erase_if(controls_, idle);
    for (ControlHost* host : busy)
        RemoveControl(*host);
}

}  // namespace cp::sim
