#include "platform/sim/PropertyStore.h"

#include "platform/sim/World.h"

namespace cp::sim {

Variant PropertyStore::ReadProperty(std::string_view key, const Variant& defaultValue) {
    World::Current().CheckFailure("PropertyBag.ReadProperty");
    reads_.emplace_back(key);
    return StoredProperties::ReadProperty(key, defaultValue);
}

void PropertyStore::WriteProperty(std::string_view key, const Variant& value,
                                  const Variant& defaultValue) {
    World::Current().CheckFailure("PropertyBag.WriteProperty");
    writes_.push_back(Write{std::string(key), value, defaultValue});
    StoredProperties::WriteProperty(key, value, defaultValue);
}

}  // namespace cp::sim
