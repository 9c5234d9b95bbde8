// The class factory of the ColumnPick class.
#pragma once

#include <atomic>

#include "component/Com.h"
#include "component/Module.h"

namespace ocx {

class ClassFactory final : public IClassFactory {
public:
    // A new factory with one reference.
    ClassFactory() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ~ClassFactory() = default;

    ObjectLife life_;             // a factory handed out keeps the DLL loaded
    std::atomic<ULONG> refs_{1};  // references
};

}  // namespace ocx
