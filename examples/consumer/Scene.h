// A form with one ColumnPick on it, started as a host starts a control, on the platform the
// package was built for.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "control/ColumnPick.h"

class Scene {
public:
    Scene();
    ~Scene();

    cp::ColumnPick& Control();
    // The prompts of the message boxes the control has shown, answered at once with OK.
    std::vector<std::string> MessageBoxes() const;

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};
