// The host's property store (see StoredProperties.h), which also logs every read and write, in
// order, for the tests. Its reads and writes can be made to fail ("PropertyBag.ReadProperty").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/StoredProperties.h"

namespace cp::sim {

class PropertyStore final : public StoredProperties {
public:
    struct Write {
        std::string key;
        Variant value;
        Variant defaultValue;
    };

    Variant ReadProperty(std::string_view key, const Variant& defaultValue) override;
    void WriteProperty(std::string_view key, const Variant& value,
                       const Variant& defaultValue) override;

    const std::vector<std::string>& Reads() const { return reads_; }
    const std::vector<Write>& Writes() const { return writes_; }

private:
    std::vector<std::string> reads_;  // keys read, in order
    std::vector<Write> writes_;       // writes, in order
};

}  // namespace cp::sim
