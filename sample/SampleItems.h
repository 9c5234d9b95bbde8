// The sample's rows, from Debian's iso-codes package, as item strings for AddList (fields
// separated by ";", rows sorted by name). Generated at build time by make_sample_items.py.
#pragma once

namespace cp::sample {

// name; alpha-2 code; alpha-3 code; numeric code (ISO 3166-1)
extern const char* const kCountryItems;
// name; code; numeric code (ISO 4217)
extern const char* const kCurrencyItems;
// name; code; type (living, extinct, ...); scope (ISO 639-3)
extern const char* const kLanguageItems;

}  // namespace cp::sample
