// The class factory of one of the component's creatable classes.
#pragma once

#include <atomic>

#include "component/Com.h"
#include "component/Module.h"

namespace ocx {

class ClassFactory final : public IClassFactory {
public:
    // Makes a new object with one reference and hands out its interface `iid`.
    using Creator = HRESULT (*)(REFIID iid, void** out);

    // A new factory with one reference.
    explicit ClassFactory(Creator create) : create_(create) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ~ClassFactory() = default;

    Creator create_;              // the class's objects
    ObjectLife life_;             // a factory handed out keeps the DLL loaded
    std::atomic<ULONG> refs_{1};  // references
};

}  // namespace ocx
