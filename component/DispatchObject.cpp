#include "component/DispatchObject.h"

#include "component/ComError.h"

namespace ocx {

DispatchObject::DispatchObject(const IID& iid, DispatchTable table) : iid_(iid), table_(table) {}

HRESULT DispatchObject::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == iid_) {
        *out = static_cast<IDispatch*>(this);
    } else if (iid == IID_ISupportErrorInfo) {
        *out = static_cast<ISupportErrorInfo*>(this);
    } else if (iid == kNativeObjectIid) {
        *out = static_cast<NativeObject*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG DispatchObject::AddRef() {
    return ++refs_;
}

ULONG DispatchObject::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT index, LCID, ITypeInfo** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    ITypeLib* library = nullptr;
    HRESULT hr = ::LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) return hr;
    hr = library->GetTypeInfoOfGuid(iid_, out);
    library->Release();
    return hr;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (names == nullptr || ids == nullptr) return E_POINTER;
    return Boundary(IID_IDispatch, [&] { return IdsOfNames(table_, names, count, ids); });
}

HRESULT DispatchObject::Invoke(DISPID dispid, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    return Boundary(IID_IDispatch, [&] {
        auto call = [this](std::int32_t id, iface::Kind kind, std::vector<Variant>& args) {
            return CallMember(id, kind, args);
        };
        return InvokeByTable(table_, call, dispid, flags, params, result, exception, argError);
    });
}

HRESULT DispatchObject::InterfaceSupportsErrorInfo(REFIID iid) {
    return iid == iid_ || iid == IID_IDispatch ? S_OK : S_FALSE;
}

}  // namespace ocx
