// A held reference to a COM object, let go of however the scope is left. (mingw-w64's WRL
// ComPtr takes a reference of its own in Attach, unlike the original, so the component keeps
// this small one.)
#pragma once

#include <utility>

namespace ocx {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes a reference of its own to `object`.
    explicit ComPtr(T* object) : p_(object) {
        if (p_ != nullptr) p_->AddRef();
    }
    // Takes over the reference that `object` came with.
    static ComPtr Adopt(T* object) {
        ComPtr held;
        held.p_ = object;
        return held;
    }
    ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComPtr() {
        if (p_ != nullptr) p_->Release();
    }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    // Where a call that hands out a new reference writes it (QueryInterface, say).
    void** Receive() {
        *this = ComPtr();
        return reinterpret_cast<void**>(&p_);
    }

private:
    T* p_ = nullptr;
};

}  // namespace ocx
