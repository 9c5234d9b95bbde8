// The fuzz targets drive the same control on a simulated form as the tests do, with its
// indexes built over every table from the first row on.
#pragma once

#include "tests/support/sim/SimControl.h"

namespace cp::fuzz {

using SessionOptions = test::SimControlOptions;

class Session : public test::SimControl {
public:
    explicit Session(SessionOptions options = {});
};

}  // namespace cp::fuzz
