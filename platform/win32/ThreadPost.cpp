// Post boxes on Win32: a message-only window of the user-interface thread per box, to which a
// post sends one message. The window lives as long as the box; a post after the box has closed
// is dropped under the same lock that closes it, so no message is sent to a window that is gone
// (or to another window that took its handle since).
#include "platform/ThreadPost.h"

#include <memory>
#include <mutex>

#include "platform/win32/ModuleInstance.h"
#include "platform/win32/ThreadPostWindow.h"
#include "platform/win32/WindowsApi.h"

namespace cp {
namespace {

constexpr ::UINT kPosted = WM_APP + 0x28;

struct Mailbox {
    std::mutex mutex;
    HWND window = nullptr;  // null once the box has closed
    bool waiting = false;   // a message is on its way; later posts join it
    std::function<void()> deliver;
};

::LRESULT CALLBACK PostProc(HWND hWnd, ::UINT message, ::WPARAM wParam, ::LPARAM lParam) {
    if (message != kPosted) return ::DefWindowProcW(hWnd, message, wParam, lParam);
    auto* box = reinterpret_cast<Mailbox*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (box == nullptr) return 0;
    {
        const std::lock_guard lock(box->mutex);
        box->waiting = false;
    }
    // No exception crosses a window procedure. The delivery may end the box's owner, and the
    // box with it: it runs from a copy.
    try {
        const std::function<void()> deliver = box->deliver;
        deliver();
    } catch (...) {
    }
    return 0;
}

void RegisterPostClass() {
    static const bool registered = [] {
        ::WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &PostProc;
        wc.hInstance = win32::ModuleInstance();
        wc.lpszClassName = win32::kThreadPostClass;
        return ::RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

class WindowPost final : public ThreadPost {
public:
    explicit WindowPost(std::function<void()> deliver) {
        RegisterPostClass();
        box_->deliver = std::move(deliver);
        box_->window = ::CreateWindowExW(0, win32::kThreadPostClass, L"", 0, 0, 0, 0, 0,
                                         HWND_MESSAGE, nullptr, win32::ModuleInstance(), nullptr);
        if (box_->window != nullptr) {
            ::SetWindowLongPtrW(box_->window, GWLP_USERDATA,
                                reinterpret_cast<::LONG_PTR>(box_.get()));
        }
    }
    ~WindowPost() override {
        HWND window = nullptr;
        {
            const std::lock_guard lock(box_->mutex);
            window = box_->window;
            box_->window = nullptr;
        }
        if (window == nullptr) return;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        ::DestroyWindow(window);
    }
    void Post() override {
        const std::lock_guard lock(box_->mutex);
        if (box_->window == nullptr || box_->waiting) return;
        box_->waiting = ::PostMessageW(box_->window, kPosted, 0, 0) != 0;
    }

private:
    std::unique_ptr<Mailbox> box_ = std::make_unique<Mailbox>();
};

}  // namespace

namespace host {

std::unique_ptr<ThreadPost> MakeThreadPost(std::function<void()> deliver) {
    return std::make_unique<WindowPost>(std::move(deliver));
}

}  // namespace host
}  // namespace cp
