#include "platform/win32/PropertyStore.h"

#include <algorithm>

namespace cp::win32 {
namespace {

// Property names compare without regard to case, as the runtime's names do.
bool SameKey(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// Objects and arrays have no equality; such a value is always stored.
bool EqualsDefault(const Variant& value, const Variant& defaultValue) {
    try {
        return VariantEquals(value, defaultValue);
    } catch (...) {
        return false;
    }
}

}  // namespace

std::vector<std::pair<std::string, Variant>>::iterator PropertyStore::Find(std::string_view key) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&](const auto& entry) { return SameKey(entry.first, key); });
}

bool PropertyStore::Contains(std::string_view key) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const auto& entry) { return SameKey(entry.first, key); });
}

Variant PropertyStore::ReadProperty(std::string_view key, const Variant& defaultValue) {
    const auto it = Find(key);
    return it == entries_.end() ? defaultValue : it->second;
}

void PropertyStore::WriteProperty(std::string_view key, const Variant& value,
                                  const Variant& defaultValue) {
    const auto it = Find(key);
    if (EqualsDefault(value, defaultValue)) {
        if (it != entries_.end()) entries_.erase(it);
    } else if (it != entries_.end()) {
        it->second = value;
    } else {
        entries_.emplace_back(std::string(key), value);
    }
}

}  // namespace cp::win32
