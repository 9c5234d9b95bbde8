// The enumerator of an object's connection points (IEnumConnectionPoints): the points that the
// object had when it was asked, in its order, each held while the enumerator lives. Clones go
// on from the same place on their own.
#pragma once

#include <atomic>
#include <cstddef>
#include <span>
#include <vector>

#include "component/Com.h"
#include "component/ComPtr.h"
#include "component/Module.h"

namespace ocx {

class PointEnumerator final : public IEnumConnectionPoints {
public:
    // A new enumerator at the first of `points`, with one reference, in *out.
    static HRESULT Create(std::span<IConnectionPoint* const> points, IEnumConnectionPoints** out);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** points, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** out) override;

private:
    using Points = std::vector<ComPtr<IConnectionPoint>>;
    PointEnumerator(Points points, std::size_t next);
    ~PointEnumerator() = default;

    ObjectLife life_;             // counts for DllCanUnloadNow
    std::atomic<ULONG> refs_{1};  // references
    const Points points_;         // the points, each held
    std::size_t next_;            // the point that Next hands out first
};

}  // namespace ocx
