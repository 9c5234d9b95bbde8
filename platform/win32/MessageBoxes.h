// How the runtime's message boxes are answered. A program shows real, modal boxes; a test
// installs an answerer for its thread, which is asked instead and answers at once.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cp::win32 {

// The caption of a box shown without a title of its own.
inline constexpr std::string_view kDefaultCaption = "ColumnPick";

// The button that a box returns for OK (IDOK, the runtime's vbOK).
inline constexpr int kAnswerOK = 1;

struct MessageBoxCall {
    std::string prompt;
    int buttons = 0;                   // style: buttons and icon
    std::optional<std::string> title;  // as the caller gave it
    std::string caption;               // what the box shows: the title or the default
};

using MessageBoxAnswerer = std::function<int(const MessageBoxCall&)>;

// Installs the answerer of this thread's boxes (an empty one restores the real boxes) and
// returns the one it replaces.
MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer answerer);

// Records every box shown on this thread during its life and answers it at once.
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(int answer = kAnswerOK);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const std::vector<MessageBoxCall>& Calls() const { return calls_; }
    void Clear() { calls_.clear(); }
    void SetAnswer(int answer) { answer_ = answer; }

private:
    std::vector<MessageBoxCall> calls_;  // the boxes shown, in order
    int answer_;                         // the button every box returns
    MessageBoxAnswerer previous_;        // the answerer put back at the end
};

}  // namespace cp::win32
