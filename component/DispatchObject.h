// The common part of the component's small automation objects (its database and recordsets):
// IDispatch over a table of members with the standard dispatch errors, run-time errors as
// exceptions that name the object's program identifier, type information from the component's
// type library, reference counting, and the C++ object behind it for the component's own use.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "component/Com.h"
#include "component/DispatchEdge.h"
#include "component/Module.h"
#include "component/NativeObject.h"

namespace ocx {

class DispatchObject : public IDispatch, public ISupportErrorInfo, public NativeObject {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID iid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override;

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

protected:
    // An object with one reference that publishes `table` as the dispatch interface `iid`.
    DispatchObject(const IID& iid, DispatchTable table);
    virtual ~DispatchObject() = default;

    // Calls a member of the table with arguments already of its types; errors are thrown.
    virtual Variant CallMember(std::int32_t dispid, iface::Kind kind,
                               std::vector<Variant>& args) = 0;

private:
    ObjectLife life_;             // counts this object for DllCanUnloadNow
    std::atomic<ULONG> refs_{1};  // references
    const IID& iid_;              // the dispatch interface
    DispatchTable table_;         // its members
};

}  // namespace ocx
