// The objects that the fuzzer hands the control, as hosts hand theirs: an automation object that
// answers every member it is asked for with whatever the run chooses (a value, an array, a
// failure, an exception), as a hostile database or recordset would, a plain object without
// IDispatch, and the sink of the control's events. They live for the whole run and count the
// references that others hold, so that the run can see every one of them given back.
#pragma once

#include <functional>
#include <random>

#include "platform/win32/WindowsApi.h"

#include <ole2.h>

namespace cp::fuzz {

using Random = std::mt19937_64;

// A number from 0 to below - 1.
inline int Pick(Random& random, int below) {
    return std::uniform_int_distribution<int>(0, below - 1)(random);
}

inline bool OneIn(Random& random, int n) {
    return Pick(random, n) == 0;
}

class CountedObject {
public:
    virtual ~CountedObject() = default;
    // The references that others hold now.
    ULONG Others() const { return refs_ - 1; }

protected:
    ULONG refs_ = 1;
};

class PlainObject final : public IUnknown, public CountedObject {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
};

class HostileObject final : public IDispatch, public CountedObject {
public:
    explicit HostileObject(Random& random) : random_(random) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT*) override;

private:
    Random& random_;
};

// The host's handler of the control's events: what it does is the run's affair (onEvent), and
// what it answers is `answer`.
class EventSink final : public IDispatch, public CountedObject {
public:
    std::function<void(DISPID id, DISPPARAMS* params)> onEvent;
    HRESULT answer = S_OK;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO*, UINT*) override;
};

}  // namespace cp::fuzz
