// What a host at a cautious security setting asks before it scripts an object or loads it from
// a document: IObjectSafety over a fixed answer per interface. The control is safe for scripting
// and for initialization (its members and stored properties touch no file, registry or
// network); the database object opens files and connections and is safe for neither.
#pragma once

#include <span>

#include "component/Com.h"

#include <objsafe.h>

namespace ocx {

// The options an interface of the object supports for untrusted callers and data.
struct SafeInterface {
    const IID* iid;
    DWORD options;  // INTERFACESAFE_FOR_UNTRUSTED_CALLER and/or ..._DATA, or none
};

class ObjectSafety final : public IObjectSafety {
public:
    // `owner` is the object whose interface this is (AddRef, Release and QueryInterface go to
    // it); `interfaces` are the interfaces it answers for, with their options.
    ObjectSafety(IUnknown& owner, std::span<const SafeInterface> interfaces)
        : owner_(owner), interfaces_(interfaces) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return owner_.QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }
    HRESULT STDMETHODCALLTYPE GetInterfaceSafetyOptions(REFIID iid, DWORD* supported,
                                                        DWORD* enabled) override;
    HRESULT STDMETHODCALLTYPE SetInterfaceSafetyOptions(REFIID iid, DWORD mask,
                                                        DWORD enabled) override;

private:
    const SafeInterface* Find(REFIID iid) const;

    IUnknown& owner_;
    std::span<const SafeInterface> interfaces_;
    DWORD enabled_ = 0;  // the options a host turned on
};

}  // namespace ocx
