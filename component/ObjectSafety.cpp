#include "component/ObjectSafety.h"

namespace ocx {

const SafeInterface* ObjectSafety::Find(REFIID iid) const {
    for (const SafeInterface& entry : interfaces_) {
        if (*entry.iid == iid) return &entry;
    }
    return nullptr;
}

HRESULT ObjectSafety::GetInterfaceSafetyOptions(REFIID iid, DWORD* supported, DWORD* enabled) {
    if (supported == nullptr || enabled == nullptr) return E_POINTER;
    *supported = 0;
    *enabled = 0;
    const SafeInterface* entry = Find(iid);
    if (entry == nullptr) return E_NOINTERFACE;
    *supported = entry->options;
    *enabled = enabled_ & entry->options;
    return S_OK;
}

HRESULT ObjectSafety::SetInterfaceSafetyOptions(REFIID iid, DWORD mask, DWORD enabled) {
    const SafeInterface* entry = Find(iid);
    if (entry == nullptr) return E_NOINTERFACE;
    // An option the interface does not support cannot be turned on; turning one off always can.
    if ((mask & enabled & ~entry->options) != 0) return E_FAIL;
    enabled_ = (enabled_ & ~mask) | (enabled & mask);
    return S_OK;
}

}  // namespace ocx
