// Not built yet: the About box.
#include "control/ColumnPick.h"

namespace cp {

void ColumnPick::About() {}
}  // namespace cp
