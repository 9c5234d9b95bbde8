// The ambient properties that quick activation hands over (the flags, the colours, the locale
// and the font of the container's structure), answered as a site's IDispatch answers them. A
// container whose site has no ambients of its own is asked through this instead, so that the
// control takes the container's colours and font from the structure as it would from the site.
#pragma once

#include <atomic>

#include "component/Com.h"
#include "component/Module.h"

namespace ocx {

class QuickAmbients final : public IDispatch {
public:
    // A new object with one reference, with its own reference on the container's font.
    static QuickAmbients* Create(const QACONTAINER& container);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID iid, LCID, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                     UINT*) override;

private:
    explicit QuickAmbients(const QACONTAINER& container);
    ~QuickAmbients();
    HRESULT Font(VARIANT* result) const;

    ObjectLife life_;             // counts this object for DllCanUnloadNow
    std::atomic<ULONG> refs_{1};  // references
    DWORD flags_;                 // QACONTAINER_USERMODE, ..._UIDEAD, ...
    OLE_COLOR fore_;
    OLE_COLOR back_;
    LCID locale_;
    IFont* font_ = nullptr;  // the container's font, if it gave one
};

}  // namespace ocx
