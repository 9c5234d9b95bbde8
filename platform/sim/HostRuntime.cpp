// The host runtime's global facilities (cp::host) on the current world.
#include <memory>

#include "platform/Host.h"
#include "platform/HostErrors.h"
#include "platform/IdleStep.h"
#include "platform/ThreadPost.h"
#include "platform/Twips.h"
#include "platform/sim/Resources.h"
#include "platform/sim/UpperCase.h"
#include "platform/sim/World.h"
#include "runtime/Conversions.h"

namespace cp {
namespace {

sim::World& Checked(sim::Operation operation) {
    sim::World& world = sim::World::Current();
    world.CheckFailure(operation);
    return world;
}

// A bitmap loaded from the resources; releasing the picture deletes the bitmap (when its
// world is still the current one).
class ResourcePicture : public Picture {
public:
    ResourcePicture(sim::World& world, HBITMAP bitmap) : world_(world), bitmap_(bitmap) {}
    ~ResourcePicture() override {
        if (sim::World::TryCurrent() == &world_) world_.Graphics().DeleteObject(bitmap_);
    }
    HBITMAP Handle() const override { return bitmap_; }

private:
    sim::World& world_;  // the world the bitmap lives in
    HBITMAP bitmap_;     // the bitmap
};

}  // namespace

namespace host {

int MsgBox(std::string_view prompt, int buttons, std::optional<std::string_view> title) {
    return Checked("MsgBox").ShowMessageBox(prompt, buttons, title);
}

void DoEvents() {
    Checked("DoEvents").DoEvents();
}

std::unique_ptr<ThreadPost> MakeThreadPost(std::function<void()> deliver) {
    return sim::World::Current().Posts().Open(std::move(deliver));
}

std::unique_ptr<IdleStep> MakeIdleStep(std::function<void()> step) {
    return sim::World::Current().Steps().Make(std::move(step));
}

float ScreenWidth() {
    return TwipsFromPixels(Checked("Screen.Width").ScreenWidthPixels());
}

float ScreenHeight() {
    return TwipsFromPixels(Checked("Screen.Height").ScreenHeightPixels());
}

int ScreenMousePointer() {
    return Checked("Screen.MousePointer").MousePointer();
}

void SetScreenMousePointer(int pointer) {
    Checked("Screen.SetMousePointer").SetMousePointer(pointer);
}

HINSTANCE AppHInstance() {
    return Checked("App.hInstance").AppInstance();
}

std::uint32_t AppThreadID() {
    return Checked("App.ThreadID").ThreadId();
}

std::unique_ptr<Picture> LoadResPicture(int id, int type) {
    sim::World& world = Checked("LoadResPicture");
    CheckResourceKind(type);
    const sim::ResourceBitmap* bitmap = sim::FindResourceBitmap(id);
    if (!bitmap) RaiseResourceNotFound(id);
    const HBITMAP handle =
        world.Graphics().CreateBitmap(bitmap->width, bitmap->height, bitmap->pixels, id);
    return std::make_unique<ResourcePicture>(world, handle);
}

LocaleFacts Locale() {
    const sim::World* world = sim::World::TryCurrent();
    return {world ? world->DecimalSeparator() : ".", &sim::UpperCaseChar};
}

}  // namespace host
}  // namespace cp
