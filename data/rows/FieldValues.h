// How a database's numbers become Variants. A number keeps its type where a Variant can hold
// it exactly; one that only a Double could round keeps its digits as text instead, so that a
// key of many digits is never silently changed into a neighbouring one.
#pragma once

#include <cstdint>
#include <string_view>

#include "data/FieldSink.h"
#include "runtime/Variant.h"

namespace cp::rows {

// An integer: a Long when it fits 32 bits, a Double while a Double holds it exactly (up to
// 2^53), its decimal digits as a String beyond.
Variant IntegerVariant(std::int64_t value);
// The same value handed to sink instead.
void WriteInteger(std::int64_t value, FieldSink& sink);

// A decimal number written as text by the engine ("-12.50", "1e+30"): an integer as
// IntegerVariant, any other number a Double when at most 15 significant digits make it up,
// the text itself otherwise (and for anything that is not a number at all).
Variant DecimalVariant(std::string_view text);

}  // namespace cp::rows
