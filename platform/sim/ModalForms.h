// The forms of the component's own that the simulated host has shown, in order, for the
// tests to read. A modal form is closed at once, as if its user had closed it.
#pragma once

#include <string>
#include <vector>

#include "platform/FormDesign.h"

namespace cp::sim {

struct ShownForm {
    std::string name;
    std::string caption;
    int showsOfThisForm = 0;  // how often this form had been shown on the thread, this time too
};

// The forms shown on this thread.
std::vector<ShownForm>& ShownForms();

}  // namespace cp::sim
