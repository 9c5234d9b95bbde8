#include "fuzz/com/HostObjects.h"

#include "fuzz/com/FuzzedArguments.h"

namespace cp::fuzz {
namespace {

// The answers of a host's object, as shares of a hundred.
constexpr int kAnswersValue = 70;
constexpr int kAnswersArray = 80;
constexpr int kAnswersException = 90;

}  // namespace

HRESULT PlainObject::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = iid == IID_IUnknown ? static_cast<IUnknown*>(this) : nullptr;
    if (*out == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

HRESULT HostileObject::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = iid == IID_IUnknown || iid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
    if (*out == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

HRESULT HostileObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT HostileObject::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT HostileObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (names == nullptr || ids == nullptr) return E_POINTER;
    for (UINT i = 0; i < count; ++i)
        ids[i] = static_cast<DISPID>(i + 1);
    // Now and then a member the object does not have.
    return OneIn(random_, 10) ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT HostileObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                              EXCEPINFO* exception, UINT*) {
    const int answer = Pick(random_, 100);
    if (answer < kAnswersValue) {
        if (result != nullptr) FillHostValue(random_, *result);
        return S_OK;
    }
    if (answer < kAnswersArray) {
        if (result != nullptr) FillHostArray(random_, *result);
        return S_OK;
    }
    if (answer < kAnswersException && exception != nullptr) {
        *exception = EXCEPINFO{};
        exception->scode = static_cast<SCODE>(0x800A0000 | (random_() & 0xFFFF));
        exception->bstrSource = ::SysAllocString(L"Hostile.Object");
        exception->bstrDescription = ::SysAllocString(L"The host's object failed.");
        return DISP_E_EXCEPTION;
    }
    return static_cast<HRESULT>(0x80000000u | (random_() & 0x7FFFFFFF));
}

HRESULT EventSink::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = iid == IID_IUnknown || iid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
    if (*out == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

HRESULT EventSink::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT EventSink::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                          UINT*) {
    if (onEvent) onEvent(id, params);
    return answer;
}

}  // namespace cp::fuzz
