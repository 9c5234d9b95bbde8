#include "platform/StoredProperties.h"

#include <algorithm>

#include "runtime/RuntimeError.h"

namespace cp {
namespace {

bool SameKey(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

bool EqualsDefault(const Variant& value, const Variant& defaultValue) {
    try {
        return VariantEquals(value, defaultValue);
    } catch (const RuntimeError&) {
        return false;  // objects and arrays cannot be compared: such a value is stored
    }
}

}  // namespace

std::vector<StoredProperties::Entry>::iterator StoredProperties::Find(std::string_view key) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&](const Entry& entry) { return SameKey(entry.first, key); });
}

Variant StoredProperties::ReadProperty(std::string_view key, const Variant& defaultValue) {
    return Get(key).value_or(defaultValue);
}

void StoredProperties::WriteProperty(std::string_view key, const Variant& value,
                                     const Variant& defaultValue) {
    if (!EqualsDefault(value, defaultValue)) {
        Set(key, value);
    } else if (const auto it = Find(key); it != entries_.end()) {
        entries_.erase(it);
    }
}

std::vector<std::string> StoredProperties::Keys() const {
    std::vector<std::string> keys;
    for (const Entry& entry : entries_)
        keys.push_back(entry.first);
    return keys;
}

std::optional<Variant> StoredProperties::Get(std::string_view key) const {
    for (const Entry& entry : entries_)
        if (SameKey(entry.first, key)) return entry.second;
    return std::nullopt;
}

void StoredProperties::Set(std::string_view key, Variant value) {
    if (const auto it = Find(key); it != entries_.end()) {
        it->second = std::move(value);
    } else {
        entries_.emplace_back(std::string(key), std::move(value));
    }
}

}  // namespace cp
