// Answers the real message boxes of the test's own thread as a user would: a window hook sees
// each box once it has its texts, reads its caption, its text and its icon, and presses OK. The
// boxes shown while a watch lives are kept in order.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace cp::test {

struct ShownMessageBox {
    std::string caption;  // the box's title bar
    std::string prompt;   // its message text
    int style = 0;        // its icon as a message-box style: 0, 16 (critical) or 48 (exclamation)
};

class MessageBoxWatch {
public:
    MessageBoxWatch();
    ~MessageBoxWatch();
    MessageBoxWatch(const MessageBoxWatch&) = delete;
    MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;

    const std::vector<ShownMessageBox>& Calls() const { return shown_; }
    void Clear() { shown_.clear(); }
    // Called by the hook for each box it answers.
    void Record(ShownMessageBox box) { shown_.push_back(std::move(box)); }

private:
    std::vector<ShownMessageBox> shown_;  // the boxes answered, in order
    MessageBoxWatch* previous_;           // the watch that this one hides, restored at the end
};

// Reads a box window of the dialog class: caption, message text and icon.
ShownMessageBox ReadMessageBox(void* window);

}  // namespace cp::test
