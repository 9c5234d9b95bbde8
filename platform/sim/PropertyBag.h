// The host's property store: an ordered table of key -> value. ReadProperty returns the stored
// value or the default; WriteProperty stores nothing (and forgets an earlier value) when the
// value equals the default, compared as the runtime's "=" compares (Long 0 equals Integer 0,
// Empty equals "" and 0; an object or an array is never equal). Keys compare without regard
// to case. Every read and write is also logged, in order, for the tests.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Host.h"

namespace cp::sim {

class PropertyBag : public cp::PropertyBag {
public:
    struct Write {
        std::string key;
        Variant value;
        Variant defaultValue;
    };

    Variant ReadProperty(std::string_view key, const Variant& defaultValue) override;
    void WriteProperty(std::string_view key, const Variant& value,
                       const Variant& defaultValue) override;

    // --- For tests ----------------------------------------------------------------------------
    // Stores a value as a saved form would hold it (no comparison with a default).
    void Set(std::string_view key, Variant value);
    std::optional<Variant> Get(std::string_view key) const;
    bool Has(std::string_view key) const { return Get(key).has_value(); }
    // The stored keys, in the order first stored.
    std::vector<std::string> Keys() const;
    const std::vector<std::string>& Reads() const { return reads_; }
    const std::vector<Write>& Writes() const { return writes_; }
    void Clear();

private:
    std::vector<std::pair<std::string, Variant>>::iterator FindKey(std::string_view key);

    std::vector<std::pair<std::string, Variant>> stored_;  // stored values, in order
    std::vector<std::string> reads_;                       // keys read, in order
    std::vector<Write> writes_;                            // writes, in order
};

// The runtime's "=" as the property store applies it: false for what cannot be compared.
bool PropertyValuesEqual(const Variant& a, const Variant& b);

}  // namespace cp::sim
