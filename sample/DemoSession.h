// The sample played by itself: a short session on the form through the real input queue (type
// a prefix and see it completed, open the list with Alt+Down, hover and click a row, open a
// list with the button and pick with the keys, leave a control with a text that matches no
// row), with a screenshot of every step and the events in a log, all in one folder.
#pragma once

#include <string>

#include "sample/EventLog.h"
#include "sample/InputPlayer.h"
#include "sample/SampleForm.h"

namespace cp::sample {

class DemoSession {
public:
    DemoSession(SampleForm& form, EventLog& log, std::string outDir);

    // Plays the session; 0 when every step showed what it should, 1 otherwise.
    int Run();

private:
    void TypeAndComplete();
    void OpenHoverAndClick();
    void PressTheButtonAndPickWithKeys();
    void LeaveWithATextInNoRow();
    void FilterByAnyPart();

    void Step(const std::string& title);
    void Shot(const std::string& name);
    void Expect(bool ok, const std::string& what);

    SampleForm& form_;    // the form played on
    EventLog& log_;       // the events, and the steps between them
    InputPlayer user_;    // the keyboard and the mouse
    std::string outDir_;  // where the pictures go
    int step_ = 0;        // steps so far
    int shots_ = 0;       // screenshots so far
    int failures_ = 0;    // expectations not met
};

}  // namespace cp::sample
