#include "component/NamedValues.h"

#include "control/PublicInterface.h"

namespace ocx {
namespace {

const NamedValue kAppearance[] = {
    {0, L"0 - lbFlat"},
    {1, L"1 - lbFlatNoBorder"},
    {2, L"2 - lb3D"},
};

const NamedValue kMatchMode[] = {
    {0, L"0 - Start of the first column"},
    {1, L"1 - Start of a word"},
    {2, L"2 - Any part"},
};

const NamedProperty kNamed[] = {
    {iface::dispid::Appearance, VT_I4, kAppearance},
    {iface::dispid::MatchMode, VT_I2, kMatchMode},
};

}  // namespace

const NamedProperty* NamedPropertyOf(DISPID dispid) {
    for (const NamedProperty& property : kNamed) {
        if (property.dispid == dispid) return &property;
    }
    return nullptr;
}

std::wstring NameOfValue(const NamedProperty& property, std::int32_t value) {
    for (const NamedValue& named : property.values) {
        if (named.value == value) return named.name;
    }
    return std::to_wstring(value);
}

VARIANT ValueVariant(const NamedProperty& property, std::int32_t value) {
    VARIANT result;
    ::VariantInit(&result);
    V_VT(&result) = property.type;
    if (property.type == VT_I2) {
        V_I2(&result) = static_cast<SHORT>(value);
    } else {
        V_I4(&result) = value;
    }
    return result;
}

}  // namespace ocx
