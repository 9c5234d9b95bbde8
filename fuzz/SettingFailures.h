// Failures that the control's settings and table explain, whatever the step that meets them:
// settings that only a stored form or a host's odd values give (a ListRows beyond the height
// table, column widths fewer than the columns or adding up past 16 bits, a disabled control)
// and entries without a text form. The control reports them where the drawing, the opening or
// the keys run into them, as it always has.
#pragma once

#include <cstdint>
#include <optional>

#include "fuzz/Outcome.h"

namespace cp::fuzz {

// Adds the reports that the present settings explain; `widthsShortBefore` tells whether the
// widths ran short before the step.
void AddReportsOfSettings(Session& s, bool widthsShortBefore, Outcome& allowed);
bool WidthsShort(Session& s);

// The errors of converting an entry without a text form: an object or an array (13), a Date
// the host cannot show (6).
bool IsConversionError(std::optional<std::int32_t> number);
// The table holds such an entry.
bool HoldsEntryWithoutText(Session& s);

}  // namespace cp::fuzz
