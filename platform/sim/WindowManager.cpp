#include "platform/sim/WindowManager.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <unordered_set>
#include <utility>

#include "platform/sim/SimConstants.h"

namespace cp::sim {
namespace {

// The windows alive in every world of the process. A world is current on its thread from its
// making until it goes, so a call that names a window of another world would act on the wrong
// one: it ends the program instead, naming the mistake (the fuzz targets' lanes give each
// world a thread of its own).
class LiveWindows {
public:
    void Add(HWND hwnd) {
        const std::lock_guard lock(mutex_);
        windows_.insert(hwnd);
    }
    void Remove(HWND hwnd) {
        const std::lock_guard lock(mutex_);
        windows_.erase(hwnd);
    }
    void CheckNotElsewhere(HWND hwnd) {
        const std::lock_guard lock(mutex_);
        if (!windows_.contains(hwnd)) return;
        std::fputs(
            "cp::sim: a call named a window of another world; the newest world made on a thread "
            "is its current one, so a test keeps one world at a time on each thread\n",
            stderr);
        std::abort();
    }

private:
    std::mutex mutex_;
    std::unordered_set<HWND> windows_;
};

LiveWindows& AllWorldsWindows() {
    static LiveWindows windows;
    return windows;
}

}  // namespace

bool CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

WindowManager::WindowManager(HandleAllocator& handles, Gdi& gdi, HookChain& hooks)
    : handles_(handles), gdi_(gdi), hooks_(hooks) {}

WindowManager::~WindowManager() {
    for (const auto& [hwnd, window] : windows_)
        AllWorldsWindows().Remove(hwnd);
}

void WindowManager::RegisterClass(std::string name, WNDPROC proc, ClassDc dc) {
    classes_[std::move(name)] = WindowClass{proc, dc};
}

HWND WindowManager::Create(std::string_view className, LONG_PTR style, LONG_PTR exStyle,
                           HWND parent, const RECT& rect, int id) {
    const auto cls = classes_.find(std::string(className));
    if (cls == classes_.end() || (parent && !Find(parent))) return nullptr;
    auto window = std::make_unique<Window>();
    window->handle = handles_.New<HWND>();
    window->className = cls->first;
    window->proc = cls->second.proc;
    window->style = style;
    window->exStyle = exStyle;
    window->parent = window->owner = parent;
    window->id = id;
    window->rect = rect;
    if (cls->second.dc == ClassDc::Own)
        window->ownDc = gdi_.CreateWindowDc(window->handle, DcKind::Own);
    const HWND hwnd = window->handle;
    windows_.emplace(hwnd, std::move(window));
    AllWorldsWindows().Add(hwnd);
    const RECT client = ClientRect(hwnd);
    Window* created = Find(hwnd);
    created->surface.Resize(client.right, client.bottom);
    created->update = PendingPaint{client, true};

    CREATESTRUCT cs{};
    cs.hMenu = reinterpret_cast<void*>(static_cast<std::intptr_t>(id));
    cs.hwndParent = parent;
    cs.cy = rect.bottom - rect.top;
    cs.cx = rect.right - rect.left;
    cs.y = rect.top;
    cs.x = rect.left;
    cs.style = static_cast<LONG>(style);
    cs.lpszClass = cls->first.c_str();
    cs.dwExStyle = static_cast<DWORD>(exStyle);
    if (Send(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        Destroy(hwnd);
        return nullptr;
    }
    if (const Window* w = Find(hwnd))
        Send(hwnd, WM_SIZE, 0, MakePointParam(w->Width(), w->Height()));
    return Find(hwnd) ? hwnd : nullptr;
}

void WindowManager::Destroy(HWND hwnd) {
    if (!Find(hwnd)) return;
    if (focus_ == hwnd || IsDescendant(hwnd, focus_)) focus_ = nullptr;
    Send(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : Children(hwnd))
        Destroy(child);
    Remove(hwnd);
}

void WindowManager::Remove(HWND hwnd) {
    const auto it = windows_.find(hwnd);
    if (it == windows_.end()) return;
    if (it->second->ownDc) gdi_.EndDc(it->second->ownDc, DcKind::Own);
    // The class state may send messages as it goes; take it out of the table first.
    std::unique_ptr<Window> window = std::move(it->second);
    windows_.erase(it);
    AllWorldsWindows().Remove(hwnd);
    lastHandle_ = nullptr;
    lastWindow_ = nullptr;
}

Window* WindowManager::Find(HWND hwnd) {
    return const_cast<Window*>(std::as_const(*this).Find(hwnd));
}

const Window* WindowManager::Find(HWND hwnd) const {
    if (hwnd && hwnd == lastHandle_) return lastWindow_;
    const auto it = windows_.find(hwnd);
    if (it == windows_.end()) {
        if (hwnd) AllWorldsWindows().CheckNotElsewhere(hwnd);
        return nullptr;
    }
    lastHandle_ = hwnd;
    lastWindow_ = it->second.get();
    return lastWindow_;
}

LRESULT WindowManager::Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!Find(hwnd)) return 0;
    hooks_.Run(hwnd, message, wParam, lParam);
    Window* w = Find(hwnd);  // a hook may have destroyed it
    if (!w || !w->proc) return 0;
    if (message == WM_PAINT) return DeliverPaint(*w, wParam, lParam);
    return w->proc(hwnd, message, wParam, lParam);
}

LRESULT WindowManager::DeliverPaint(Window& window, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = window.handle;
    window.painting = window.update.Empty() ? PendingPaint{ClientRect(hwnd), false}
                                            : std::exchange(window.update, PendingPaint{});
    window.surface.Clip(window.painting.rect);
    const LRESULT result = window.proc(hwnd, WM_PAINT, wParam, lParam);
    // The procedure may have destroyed the window.
    if (Window* w = Find(hwnd)) {
        w->surface.Clip(std::nullopt);
        w->painting = PendingPaint{};
    }
    return result;
}

void WindowManager::Invalidate(HWND hwnd, const RECT* rect, Erase erase) {
    Window* w = Find(hwnd);
    if (!w) return;
    const RECT client = ClientRect(hwnd);
    RECT add = rect ? *rect : client;
    add = RECT{std::max(add.left, client.left), std::max(add.top, client.top),
               std::min(add.right, client.right), std::min(add.bottom, client.bottom)};
    if (PendingPaint{add}.Empty()) return;
    PendingPaint& update = w->update;
    update.rect = update.Empty() ? add
                                 : RECT{std::min(update.rect.left, add.left),
                                        std::min(update.rect.top, add.top),
                                        std::max(update.rect.right, add.right),
                                        std::max(update.rect.bottom, add.bottom)};
    update.erase = update.erase || erase == Erase::Background;
}

PendingPaint WindowManager::BeginPaint(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) return PendingPaint{};
    // The erase is done once, by whoever asks first.
    const PendingPaint painting = w->painting;
    w->painting.erase = false;
    return painting;
}

void WindowManager::Update(HWND hwnd) {
    const Window* w = Find(hwnd);
    if (w && !w->update.Empty() && IsVisible(hwnd)) Send(hwnd, WM_PAINT, 0, 0);
}

void WindowManager::UpdateAll() {
    std::vector<HWND> handles;
    for (const auto& entry : windows_)
        handles.push_back(entry.first);
    for (HWND hwnd : handles)
        Update(hwnd);
}

std::vector<HWND> WindowManager::Children(HWND parent) const {
    std::vector<HWND> children;
    for (const auto& [hwnd, w] : windows_)
        if (w->parent == parent && parent) children.push_back(hwnd);
    return children;
}

bool WindowManager::IsDescendant(HWND ancestor, HWND window) const {
    const Window* w = Find(window);
    while (w && w->parent) {
        if (w->parent == ancestor) return true;
        w = Find(w->parent);
    }
    return false;
}

POINT WindowManager::ClientOrigin(HWND hwnd) const {
    const RECT r = ScreenRect(hwnd);
    const Window* w = Find(hwnd);
    const int border = w && (w->style & WS_BORDER) ? kBorderWidth : 0;
    const int frameTop = w ? w->frameTop : 0;
    return POINT{r.left + border, r.top + border + frameTop};
}

RECT WindowManager::ScreenRect(HWND hwnd) const {
    const Window* w = Find(hwnd);
    if (!w) return RECT{};
    const POINT origin = w->parent ? ClientOrigin(w->parent) : POINT{};
    return RECT{origin.x + w->rect.left, origin.y + w->rect.top, origin.x + w->rect.right,
                origin.y + w->rect.bottom};
}

RECT WindowManager::ClientRect(HWND hwnd) const {
    const Window* w = Find(hwnd);
    if (!w) return RECT{};
    const int border = (w->style & WS_BORDER) ? 2 * kBorderWidth : 0;
    const int scroll = (w->style & WS_VSCROLL) ? kScrollBarWidth : 0;
    return RECT{0, 0, std::max(0, w->Width() - border - scroll),
                std::max(0, w->Height() - border - w->frameTop)};
}

void WindowManager::SetFrameTop(HWND hwnd, int pixels) {
    Window* w = Find(hwnd);
    if (!w || w->frameTop == pixels) return;
    w->frameTop = pixels;
    const RECT client = ClientRect(hwnd);
    w->surface.Resize(client.right, client.bottom);
    Invalidate(hwnd, nullptr, Erase::Background);
    Send(hwnd, WM_SIZE, 0, MakePointParam(w->Width(), w->Height()));
}

void WindowManager::Move(HWND hwnd, const RECT& rect) {
    Window* w = Find(hwnd);
    if (!w) return;
    const bool resized =
        rect.right - rect.left != w->Width() || rect.bottom - rect.top != w->Height();
    const RECT before = ClientRect(hwnd);
    w->rect = rect;
    if (!resized) return;
    // What the window gains waits to be erased and painted; what it keeps stays as drawn.
    const RECT after = ClientRect(hwnd);
    w->surface.Resize(after.right, after.bottom);
    if (after.right > before.right) {
        const RECT gained{before.right, 0, after.right, after.bottom};
        Invalidate(hwnd, &gained, Erase::Background);
    }
    if (after.bottom > before.bottom) {
        const RECT gained{0, before.bottom, after.right, after.bottom};
        Invalidate(hwnd, &gained, Erase::Background);
    }
    Send(hwnd, WM_SIZE, 0, MakePointParam(w->Width(), w->Height()));
}

HWND WindowManager::SetParent(HWND hwnd, HWND parent) {
    Window* w = Find(hwnd);
    if (!w || (parent && (!Find(parent) || parent == hwnd || IsDescendant(hwnd, parent))))
        return nullptr;
    const HWND previous = w->parent;
    w->parent = parent;
    return previous;
}

void WindowManager::Show(HWND hwnd, bool visible) {
    Window* w = Find(hwnd);
    if (!w || w->Visible() == visible) return;
    if (!visible) {
        w->style &= ~WS_VISIBLE;
        return;
    }
    w->style |= WS_VISIBLE;
    Invalidate(hwnd, nullptr, Erase::Background);
    if (IsVisible(hwnd)) Paint(hwnd);
}

void WindowManager::Paint(HWND hwnd) {
    Send(hwnd, WM_PAINT, 0, 0);
    for (HWND child : Children(hwnd)) {
        const Window* c = Find(child);
        if (c && c->Visible()) Paint(child);
    }
}

bool WindowManager::IsVisible(HWND hwnd) const {
    for (const Window* w = Find(hwnd); w; w = w->parent ? Find(w->parent) : nullptr)
        if (!w->Visible()) return false;
    return Find(hwnd) != nullptr;
}

bool WindowManager::IsEnabled(HWND hwnd) const {
    for (const Window* w = Find(hwnd); w; w = w->parent ? Find(w->parent) : nullptr)
        if (w->style & WS_DISABLED) return false;
    return Find(hwnd) != nullptr;
}

void WindowManager::Enable(HWND hwnd, bool enabled) {
    Window* w = Find(hwnd);
    if (!w) return;
    if (enabled) {
        w->style &= ~WS_DISABLED;
        return;
    }
    w->style |= WS_DISABLED;
    if (focus_ && (focus_ == hwnd || IsDescendant(hwnd, focus_))) SetFocus(nullptr);
}

void WindowManager::SetFocus(HWND hwnd) {
    const Window* w = hwnd ? Find(hwnd) : nullptr;
    if (hwnd && !w) return;
    // A child window given to the desktop has no top-level window to activate: it cannot take
    // the focus, as on Windows.
    if (w && (w->style & WS_CHILD) && !w->parent) return;
    if (hwnd == focus_) return;
    const HWND previous = focus_;
    focus_ = hwnd;
    if (previous) Send(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (hwnd && focus_ == hwnd) Send(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
}

}  // namespace cp::sim
