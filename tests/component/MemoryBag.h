// A container's property bag and error log in memory, on the test's stack; and every
// design-time setting away from its default, for the round trips through the stores.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/Wide.h"
#include "tests/component/ComponentFixture.h"

namespace cp::test {

class MemoryBag final : public StackObject<IPropertyBag, IErrorLog> {
public:
    ~MemoryBag() {
        for (auto& [key, value] : values)
            ::VariantClear(&value);
    }
    std::map<std::wstring, VARIANT> values;
    std::vector<std::string> errors;

    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        const auto found = values.find(name);
        if (found == values.end()) return E_INVALIDARG;
        return ::VariantCopy(value, &found->second);
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override {
        VARIANT& slot = values[name];
        ::VariantClear(&slot);
        return ::VariantCopy(&slot, value);
    }
    HRESULT STDMETHODCALLTYPE AddError(LPCOLESTR, EXCEPINFO* info) override {
        errors.push_back(win32::Narrow(info->bstrDescription ? info->bstrDescription : L""));
        return S_OK;
    }
};

// Every design-time setting away from its default, as it is put and as it reads back.
inline const std::vector<std::pair<const wchar_t*, std::string>>& EverySetting() {
    static const std::vector<std::pair<const wchar_t*, std::string>> settings = {
        {L"BackColorNormal", std::to_string(0x00FFEEDD)},
        {L"ForeColorNormal", std::to_string(0x00112233)},
        {L"BackColorSelected", std::to_string(0x00445566)},
        {L"ForeColorSelected", std::to_string(0x00778899)},
        {L"ListRows", "12"},
        {L"BoundColumn", "1"},
        {L"ColumnCount", "3"},
        {L"ListWidth", "4000"},
        {L"Appearance", "0"},
        {L"Locked", "True"},
        {L"Text", "Grüße"},
        {L"Enabled", "False"},
    };
    return settings;
}

inline void SetEverySetting(IDispatch* control) {
    for (const auto& [name, value] : EverySetting())
        PutOk(control, name, Var(win32::Widen(value).c_str()).v);
}

inline void ExpectEverySetting(IDispatch* control) {
    for (const auto& [name, value] : EverySetting())
        EXPECT_EQ(GetText(control, name), value) << win32::Narrow(name);
}

}  // namespace cp::test
