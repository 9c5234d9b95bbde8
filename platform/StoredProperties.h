// The form's store of one control's properties as every host keeps it: keys in the order they
// were first stored, each with its value. A key that is absent reads as the default given. A
// value written equal to its default, as the runtime's "=" compares (Long 0 equals Integer 0,
// Empty equals "" and 0; an object or an array equals nothing), is not stored, and forgets what
// an earlier write stored. Keys compare without regard to case, as the runtime's names do.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Host.h"

namespace cp {

class StoredProperties : public PropertyBag {
public:
    using Entry = std::pair<std::string, Variant>;

    Variant ReadProperty(std::string_view key, const Variant& defaultValue) override;
    void WriteProperty(std::string_view key, const Variant& value,
                       const Variant& defaultValue) override;

    // What is stored, in order.
    const std::vector<Entry>& Entries() const { return entries_; }
    std::vector<std::string> Keys() const;
    bool Has(std::string_view key) const { return Get(key).has_value(); }
    std::optional<Variant> Get(std::string_view key) const;
    // Stores a value as a saved form holds it, without comparing it with a default.
    void Set(std::string_view key, Variant value);

private:
    std::vector<Entry>::iterator Find(std::string_view key);

    std::vector<Entry> entries_;  // key and stored value, in the order first stored
};

}  // namespace cp
