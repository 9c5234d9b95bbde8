#include "component/PointEnumerator.h"

#include <algorithm>
#include <new>
#include <utility>

namespace ocx {

HRESULT PointEnumerator::Create(std::span<IConnectionPoint* const> points,
                                IEnumConnectionPoints** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    try {
        *out = new PointEnumerator(Points(points.begin(), points.end()), 0);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

PointEnumerator::PointEnumerator(Points points, std::size_t next)
    : points_(std::move(points)), next_(next) {}

HRESULT PointEnumerator::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IEnumConnectionPoints) {
        *out = static_cast<IEnumConnectionPoints*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG PointEnumerator::AddRef() {
    return ++refs_;
}

ULONG PointEnumerator::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT PointEnumerator::Next(ULONG count, IConnectionPoint** points, ULONG* fetched) {
    if (fetched != nullptr) *fetched = 0;
    if (points == nullptr || (fetched == nullptr && count != 1)) return E_POINTER;
    ULONG given = 0;
    for (; given < count && next_ < points_.size(); ++given, ++next_) {
        points[given] = points_[next_].Get();
        points[given]->AddRef();
    }
    if (fetched != nullptr) *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

HRESULT PointEnumerator::Skip(ULONG count) {
    const std::size_t left = points_.size() - next_;
    next_ += std::min<std::size_t>(count, left);
    return count <= left ? S_OK : S_FALSE;
}

HRESULT PointEnumerator::Reset() {
    next_ = 0;
    return S_OK;
}

HRESULT PointEnumerator::Clone(IEnumConnectionPoints** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    try {
        *out = new PointEnumerator(points_, next_);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace ocx
