#include "component/ComPropertyBag.h"

#include "component/ComVariant.h"
#include "platform/win32/Wide.h"
#include "runtime/RuntimeError.h"

namespace ocx {
namespace {

// Objects and arrays have no equality; such a value is always written.
bool EqualsDefault(const Variant& value, const Variant& defaultValue) {
    try {
        return VariantEquals(value, defaultValue);
    } catch (...) {
        return false;
    }
}

}  // namespace

Variant ComPropertyBag::ReadProperty(std::string_view key, const Variant& defaultValue) {
    const std::wstring name = win32::Widen(key);
    VARIANT value;
    ::VariantInit(&value);
    if (FAILED(bag_.Read(name.c_str(), &value, nullptr))) return defaultValue;
    try {
        Variant result = FromVariant(value);
        ::VariantClear(&value);
        return result;
    } catch (...) {
        ::VariantClear(&value);
        throw;
    }
}

void ComPropertyBag::WriteProperty(std::string_view key, const Variant& value,
                                   const Variant& defaultValue) {
    if (EqualsDefault(value, defaultValue)) return;
    const std::wstring name = win32::Widen(key);
    VARIANT stored;
    ToVariant(value, &stored);
    const HRESULT hr = bag_.Write(name.c_str(), &stored);
    ::VariantClear(&stored);
    if (FAILED(hr))
        Raise(vberr::InvalidProcedureCall,
              "The container could not store " + std::string(key) + ".");
}

}  // namespace ocx
