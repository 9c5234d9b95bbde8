#include "platform/sim/World.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "platform/Host.h"
#include "platform/sim/BuiltInClasses.h"
#include "runtime/Locale.h"
#include "runtime/ScreenUnits.h"

namespace cp::sim {
namespace {

thread_local World* current = nullptr;

// Thread identifiers of the worlds, distinct within the process, whose threads may make
// worlds at once.
constexpr DWORD kFirstThreadId = 0x1000;
DWORD NextThreadId() {
    static std::atomic<DWORD> next{kFirstThreadId};
    return next++;
}

}  // namespace

World::World()
    : previous_(current),
      gdi_(handles_),
      windows_(handles_, gdi_, hooks_),
      appInstance_(handles_.New<HINSTANCE>()),
      threadId_(NextThreadId()) {
    RegisterBuiltInClasses(windows_);
    current = this;
    SetLocale(host::Locale());
    SetScreenUnits(ScreenUnits{});
}

World::~World() {
    current = previous_;
    SetLocale(current ? host::Locale() : LocaleFacts{});
    SetScreenUnits(ScreenUnits{});
}

void World::SetScreenDpi(int dpi) {
    SetScreenUnits(ScreenUnitsFor(dpi, ScaledRowPixels(dpi)));
}

void World::SetDecimalSeparator(std::string separator) {
    decimalSeparator_ = std::move(separator);
    SetLocale(host::Locale());
}

World& World::Current() {
    if (!current) {
        std::fputs("cp::sim: a window-system or host call was made with no sim::World current\n",
                   stderr);
        std::abort();
    }
    return *current;
}

World* World::TryCurrent() {
    return current;
}

void World::SetScreenSize(int widthPixels, int heightPixels) {
    screenWidth_ = widthPixels;
    screenHeight_ = heightPixels;
}

void World::SetMousePointer(int pointer) {
    mousePointer_ = pointer;
    mousePointerHistory_.push_back(pointer);
}

int World::ShowMessageBox(std::string_view prompt, int buttons,
                          std::optional<std::string_view> title) {
    MessageBoxRecord record{std::string(prompt), buttons,
                            title ? std::optional<std::string>(std::string(*title)) : std::nullopt};
    messageBoxes_.push_back(record);
    if (onMessageBox_) onMessageBox_(record);
    if (answers_.empty()) return kIdOk;
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void World::PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    posted_.push_back(PostedMessage{hwnd, message, wParam, lParam});
}

void World::DoEvents() {
    ++doEventsCount_;
    if (onDoEvents_) onDoEvents_();
    ProcessPendingMessages();
}

void World::ProcessPendingMessages() {
    // Messages posted while these are delivered wait for the next round.
    std::size_t waiting = posted_.size();
    while (waiting-- > 0 && !posted_.empty()) {
        const PostedMessage m = posted_.front();
        posted_.pop_front();
        windows_.Send(m.hwnd, m.message, m.wParam, m.lParam);
    }
    posts_.Deliver();
    if (!steps_.Held()) steps_.RunRound();
}

}  // namespace cp::sim
