// The simulated world of one test: windows, hooks, focus, drawing objects and the drawing log,
// the screen, the locale, message boxes, pending-message processing, the clipboard and planned
// failures. A test constructs one; the constructor makes it the current world of the thread and
// the destructor clears that again. The functions of basApi.h and the host runtime act on the
// current world. Calling them with no world current ends the program with a message. A world
// hands its locale to the runtime when it is made and whenever a test changes it; the world
// that ends hands back the runtime's defaults.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/FailureInjector.h"
#include "platform/sim/Gdi.h"
#include "platform/sim/HandleAllocator.h"
#include "platform/sim/HookChain.h"
#include "platform/sim/IdleSteps.h"
#include "platform/sim/ThreadPosts.h"
#include "platform/sim/WindowManager.h"

namespace cp::sim {

struct MessageBoxRecord {
    std::string prompt;
    int buttons = 0;
    std::optional<std::string> title;  // none: the default caption
};

// A run-time error that escaped a notification of a control into the form host.
struct HostError {
    std::string notification;  // the handler that let it escape ("UserControl_Paint")
    std::int32_t number = 0;
    std::string description;
};

// The message-box answer OK.
inline constexpr int kIdOk = 1;

class World {
public:
    World();
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // The current world of the thread; ends the program when there is none.
    static World& Current();
    static World* TryCurrent();

    WindowManager& Windows() { return windows_; }
    Gdi& Graphics() { return gdi_; }
    HookChain& Hooks() { return hooks_; }
    HandleAllocator& Handles() { return handles_; }

    // --- Failure injection (FailureInjector.h, names in Operations.h) -------------------------
    void FailNext(std::string operation, std::int32_t number, int skip = 0,
                  std::string description = {}) {
        failures_.FailNext(std::move(operation), number, skip, std::move(description));
    }
    void CheckFailure(Operation operation) { failures_.Check(operation); }
    void CheckMessageFailure(UINT message) { failures_.CheckMessage(message); }
    std::size_t PendingFailures() const { return failures_.Pending(); }
    FailureInjector& Failures() { return failures_; }

    // --- Screen, locale, application ---------------------------------------------------------
    void SetScreenSize(int widthPixels, int heightPixels);
    // Plays a screen of `dpi` pixels per inch: its twips per pixel, and list rows as high as
    // the 96-DPI row scaled. Set it before the form and its controls are made.
    void SetScreenDpi(int dpi);
    int ScreenWidthPixels() const { return screenWidth_; }
    int ScreenHeightPixels() const { return screenHeight_; }
    void SetDecimalSeparator(std::string separator);
    const std::string& DecimalSeparator() const { return decimalSeparator_; }
    int MousePointer() const { return mousePointer_; }
    // Every value the mouse pointer was set to, in order.
    const std::vector<int>& MousePointerHistory() const { return mousePointerHistory_; }
    void SetMousePointer(int pointer);
    HINSTANCE AppInstance() const { return appInstance_; }
    DWORD ThreadId() const { return threadId_; }

    // --- Message boxes: recorded and answered at once ----------------------------------------
    int ShowMessageBox(std::string_view prompt, int buttons, std::optional<std::string_view> title);
    const std::vector<MessageBoxRecord>& MessageBoxes() const { return messageBoxes_; }
    void ClearMessageBoxes() { messageBoxes_.clear(); }
    // The answers of the next boxes, in order; once they are used up, boxes answer OK.
    void QueueMessageBoxAnswer(int answer) { answers_.push_back(answer); }
    // Runs while a box is shown (the box is modal, but messages are still dispatched).
    void OnMessageBox(std::function<void(const MessageBoxRecord&)> handler) {
        onMessageBox_ = std::move(handler);
    }

    // --- Pending messages and DoEvents -------------------------------------------------------
    // Queues a message, delivered by the next DoEvents (or ProcessPendingMessages).
    void PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    std::size_t PendingMessages() const { return posted_.size(); }
    // Runs when the control calls DoEvents, before the queued messages are delivered.
    void OnDoEvents(std::function<void()> handler) { onDoEvents_ = std::move(handler); }
    // What DoEvents does: the handler, then every message queued at that moment.
    void DoEvents();
    void ProcessPendingMessages();
    int DoEventsCount() const { return doEventsCount_; }
    // The post boxes of work done on other threads; DoEvents and ProcessPendingMessages
    // deliver what was posted into them, after the queued messages.
    ThreadPosts& Posts() { return posts_; }
    // The idle steps of the world's thread; DoEvents and ProcessPendingMessages run one round
    // of them last, unless the test holds them.
    IdleSteps& Steps() { return steps_; }

    // --- Input state --------------------------------------------------------------------------
    // The shift state of the keys held down (vbShiftMask, vbCtrlMask, vbAltMask).
    std::int16_t ShiftState() const { return shiftState_; }
    void SetShiftState(std::int16_t shift) { shiftState_ = shift; }
    // The mouse buttons held down (MK_LBUTTON, MK_RBUTTON, MK_MBUTTON).
    WPARAM MouseButtons() const { return mouseButtons_; }
    void SetMouseButtons(WPARAM buttons) { mouseButtons_ = buttons; }
    std::string& Clipboard() { return clipboard_; }

    // --- Errors that escaped a control's notification into the host --------------------------
    void RecordHostError(HostError error) { hostErrors_.push_back(std::move(error)); }
    const std::vector<HostError>& HostErrors() const { return hostErrors_; }
    void ClearHostErrors() { hostErrors_.clear(); }

private:
    struct PostedMessage {
        HWND hwnd;     // the window it is for
        UINT message;  // the message and its parameters
        WPARAM wParam;
        LPARAM lParam;
    };

    World* previous_;           // the world that was current before this one
    HandleAllocator handles_;   // the source of every handle
    FailureInjector failures_;  // planned failures
    Gdi gdi_;                   // drawing objects, contexts and the drawing log
    HookChain hooks_;           // the thread's hooks
    WindowManager windows_;     // the windows
    int screenWidth_ = 800;     // screen size in pixels
    int screenHeight_ = 600;
    std::string decimalSeparator_ = ".";                         // the locale's decimal separator
    int mousePointer_ = 0;                                       // Screen.MousePointer
    std::vector<int> mousePointerHistory_;                       // every value set
    HINSTANCE appInstance_;                                      // App.hInstance
    DWORD threadId_;                                             // App.ThreadID
    std::vector<MessageBoxRecord> messageBoxes_;                 // every box shown
    std::deque<int> answers_;                                    // answers of the next boxes
    std::function<void(const MessageBoxRecord&)> onMessageBox_;  // runs while a box shows
    std::deque<PostedMessage> posted_;                           // messages waiting for DoEvents
    std::function<void()> onDoEvents_;                           // runs at each DoEvents
    int doEventsCount_ = 0;                                      // DoEvents calls so far
    ThreadPosts posts_;                                          // posts from other threads
    IdleSteps steps_;                                            // work done between messages
    std::int16_t shiftState_ = 0;                                // keys held down
    WPARAM mouseButtons_ = 0;                                    // mouse buttons held down
    std::string clipboard_;                                      // the clipboard's text
    std::vector<HostError> hostErrors_;                          // errors that reached the host
};

}  // namespace cp::sim
