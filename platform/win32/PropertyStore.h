// The form's property store for one control: keys in the order they were first written, each
// with its value. A key that is absent reads as the default given; a value written equal to
// its default is not stored (and removes what an earlier write stored).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/Host.h"

namespace cp::win32 {

class PropertyStore final : public PropertyBag {
public:
    Variant ReadProperty(std::string_view key, const Variant& defaultValue) override;
    void WriteProperty(std::string_view key, const Variant& value,
                       const Variant& defaultValue) override;

    // What is stored, in order.
    const std::vector<std::pair<std::string, Variant>>& Entries() const { return entries_; }
    bool Contains(std::string_view key) const;

private:
    std::vector<std::pair<std::string, Variant>>::iterator Find(std::string_view key);

    std::vector<std::pair<std::string, Variant>> entries_;  // key and stored value
};

}  // namespace cp::win32
