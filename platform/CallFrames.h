// What keeps a control whole while its own code runs, on every host. A host may let go of a
// control inside any of its events: a handler that closes the dialog, a script that drops its
// last reference, a container that deactivates and releases it. Every way into the control's
// code (a window procedure, a call of the host, an event raised) opens a frame, and the nested
// message loops (pending messages, modal boxes) run inside the frame of the call that reached
// them. An end asked for while a frame is open is carried out when the outermost frame closes,
// when nothing of the control's is left on the stack.
#pragma once

#include <functional>
#include <utility>

namespace cp {

class CallFrames {
public:
    CallFrames() = default;
    CallFrames(const CallFrames&) = delete;
    CallFrames& operator=(const CallFrames&) = delete;

    // One way into the control's code, open for the frame's life.
    class Frame {
    public:
        explicit Frame(CallFrames& frames) : frames_(frames) { ++frames_.depth_; }
        // Closing the outermost frame carries out the end that waits: the frames (and the
        // control that owns them) may be gone when it returns.
        ~Frame() { frames_.Close(); }
        Frame(const Frame&) = delete;
        Frame& operator=(const Frame&) = delete;

    private:
        CallFrames& frames_;
    };

    // Carries out `end` now when no frame is open, else when the outermost one closes. While
    // an end waits, another one asked for is not taken: the first decides. `end` must not
    // throw.
    void EndWhenIdle(std::function<void()> end) {
        if (pendingEnd_) return;
        if (depth_ == 0) {
            end();
            return;
        }
        pendingEnd_ = std::move(end);
    }
    // No code of the control's runs now.
    bool Idle() const { return depth_ == 0; }

private:
    void Close() noexcept {
        if (--depth_ != 0 || !pendingEnd_) return;
        // The end may destroy these frames: it is taken out of them first.
        const std::function<void()> end = std::exchange(pendingEnd_, nullptr);
        end();
    }

    int depth_ = 0;                     // frames open now
    std::function<void()> pendingEnd_;  // the end that waits for the outermost frame
};

}  // namespace cp
