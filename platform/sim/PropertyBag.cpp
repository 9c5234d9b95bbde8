#include "platform/sim/PropertyBag.h"

#include <algorithm>
#include <cctype>

#include "platform/sim/World.h"
#include "runtime/RuntimeError.h"

namespace cp::sim {
namespace {

bool SameKey(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

bool PropertyValuesEqual(const Variant& a, const Variant& b) {
    try {
        return VariantEquals(a, b);
    } catch (const RuntimeError&) {
        return false;
    }
}

std::vector<std::pair<std::string, Variant>>::iterator PropertyBag::FindKey(std::string_view key) {
    return std::find_if(stored_.begin(), stored_.end(),
                        [&](const auto& entry) { return SameKey(entry.first, key); });
}

Variant PropertyBag::ReadProperty(std::string_view key, const Variant& defaultValue) {
    World::Current().CheckFailure("PropertyBag.ReadProperty");
    reads_.emplace_back(key);
    const auto it = FindKey(key);
    return it == stored_.end() ? defaultValue : it->second;
}

void PropertyBag::WriteProperty(std::string_view key, const Variant& value,
                                const Variant& defaultValue) {
    World::Current().CheckFailure("PropertyBag.WriteProperty");
    writes_.push_back(Write{std::string(key), value, defaultValue});
    const auto it = FindKey(key);
    if (PropertyValuesEqual(value, defaultValue)) {
        if (it != stored_.end()) stored_.erase(it);
        return;
    }
    if (it != stored_.end())
        it->second = value;
    else
        stored_.emplace_back(std::string(key), value);
}

void PropertyBag::Set(std::string_view key, Variant value) {
    const auto it = FindKey(key);
    if (it != stored_.end())
        it->second = std::move(value);
    else
        stored_.emplace_back(std::string(key), std::move(value));
}

std::optional<Variant> PropertyBag::Get(std::string_view key) const {
    for (const auto& [k, v] : stored_)
        if (SameKey(k, key)) return v;
    return std::nullopt;
}

std::vector<std::string> PropertyBag::Keys() const {
    std::vector<std::string> keys;
    for (const auto& entry : stored_)
        keys.push_back(entry.first);
    return keys;
}

void PropertyBag::Clear() {
    stored_.clear();
    reads_.clear();
    writes_.clear();
}

}  // namespace cp::sim
