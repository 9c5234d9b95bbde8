// A container's property bag and error log in memory, on the test's stack.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/win32/Wide.h"
#include "tests/component/ComponentFixture.h"

namespace cp::test {

class MemoryBag final : public IPropertyBag, public IErrorLog {
public:
    ~MemoryBag() {
        for (auto& [key, value] : values)
            ::VariantClear(&value);
    }
    std::map<std::wstring, VARIANT> values;
    std::vector<std::string> errors;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = iid == IID_IErrorLog ? static_cast<IErrorLog*>(this) : nullptr;
        if (iid == IID_IUnknown || iid == IID_IPropertyBag) *out = static_cast<IPropertyBag*>(this);
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
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

}  // namespace cp::test
