// Values of every kind that a host, a stored form or a database can hand the control, read
// from a fuzzer's input: Variants of every type (the numbers' edge values included: NaN, the
// infinities, the largest doubles, the limits of each integer, the first and last days of a
// Date), item strings and arbitrary texts.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Variant.h"

namespace cp::fuzz {

double ConsumeDouble(FuzzedDataProvider& in);
// A text of up to maxBytes bytes, UTF-8 or not, often built from the separators, numbers and
// words that the control's parsers look for.
std::string ConsumeText(FuzzedDataProvider& in, std::size_t maxBytes = 64);
// A Variant of any type; arrays hold Variants themselves, nested up to `depth` levels.
Variant ConsumeVariant(FuzzedDataProvider& in, int depth = 1);
// A table of (field, row) Variants with up to `maxFields` x `maxRows` entries.
std::shared_ptr<VariantArray> ConsumeTable(FuzzedDataProvider& in, int maxFields, int maxRows,
                                           int depth);

// The fields of an item string or width string (one more than its semicolons), counted here
// rather than by the control, so that the messages it shows can be checked against it.
std::size_t FieldCount(std::string_view text);

// A short description of a value for traces: its type and its text.
std::string Describe(const Variant& v);

// Two values are the same value: the same type and the same bits, the same text, or the same
// object or array.
bool SameValue(const Variant& a, const Variant& b);

}  // namespace cp::fuzz
