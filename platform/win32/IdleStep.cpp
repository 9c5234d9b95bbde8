// Idle steps on Win32: a message-only window of the user-interface thread per step, with a timer
// of the shortest period while a run is asked for. The window system hands out a timer's message
// only when no input, posted message or paint waits, so a step never comes before the keys and
// the painting of the moment; the timer is killed when the step runs, and the step sets it
// again when work remains.
#include "platform/IdleStep.h"

#include "platform/win32/IdleStepWindow.h"
#include "platform/win32/ModuleInstance.h"
#include "platform/win32/WindowsApi.h"

namespace cp {
namespace {

struct StepState {
    HWND window = nullptr;  // null once the step has gone
    bool scheduled = false;
    std::function<void()> step;
};

::LRESULT CALLBACK StepProc(HWND hWnd, ::UINT message, ::WPARAM wParam, ::LPARAM lParam) {
    if (message != WM_TIMER || wParam != win32::kIdleStepTimer)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    auto* state = reinterpret_cast<StepState*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    ::KillTimer(hWnd, win32::kIdleStepTimer);
    if (state == nullptr || !state->scheduled) return 0;
    state->scheduled = false;
    // No exception crosses a window procedure. The step may end its owner, and this state with
    // it: it runs from a copy.
    try {
        const std::function<void()> step = state->step;
        step();
    } catch (...) {
    }
    return 0;
}

void RegisterStepClass() {
    static const bool registered = [] {
        ::WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &StepProc;
        wc.hInstance = win32::ModuleInstance();
        wc.lpszClassName = win32::kIdleStepClass;
        return ::RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

class TimerStep final : public IdleStep {
public:
    explicit TimerStep(std::function<void()> step) {
        RegisterStepClass();
        state_->step = std::move(step);
        state_->window = ::CreateWindowExW(0, win32::kIdleStepClass, L"", 0, 0, 0, 0, 0,
                                           HWND_MESSAGE, nullptr, win32::ModuleInstance(), nullptr);
        if (state_->window != nullptr) {
            ::SetWindowLongPtrW(state_->window, GWLP_USERDATA,
                                reinterpret_cast<::LONG_PTR>(state_.get()));
        }
    }
    ~TimerStep() override {
        HWND window = state_->window;
        state_->window = nullptr;
        state_->scheduled = false;
        if (window == nullptr) return;
        ::KillTimer(window, win32::kIdleStepTimer);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        ::DestroyWindow(window);
    }
    void Schedule() override {
        if (state_->window == nullptr || state_->scheduled) return;
        state_->scheduled =
            ::SetTimer(state_->window, win32::kIdleStepTimer, USER_TIMER_MINIMUM, nullptr) != 0;
    }
    void Cancel() override {
        if (!state_->scheduled) return;
        state_->scheduled = false;
        ::KillTimer(state_->window, win32::kIdleStepTimer);
    }
    bool Scheduled() const override { return state_->scheduled; }

private:
    std::unique_ptr<StepState> state_ = std::make_unique<StepState>();
};

}  // namespace

namespace host {

std::unique_ptr<IdleStep> MakeIdleStep(std::function<void()> step) {
    return std::make_unique<TimerStep>(std::move(step));
}

}  // namespace host
}  // namespace cp
