// The fuzz targets drive the same control on a simulated form as the tests do.
#pragma once

#include "tests/support/sim/SimControl.h"

namespace cp::fuzz {

using Session = test::SimControl;
using SessionOptions = test::SimControlOptions;

}  // namespace cp::fuzz
