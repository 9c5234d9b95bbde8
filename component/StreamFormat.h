// The control's settings in a container's stream (IPersistStreamInit): a signature, the
// number of entries, then each key with its value. The values are those of the property
// store: Long, Integer, Byte, Boolean and String.
#pragma once

#include <cstdint>

#include "component/Com.h"
#include "platform/win32/PropertyStore.h"

namespace ocx {

HRESULT SaveSettings(const win32::PropertyStore& store, IStream& stream);
// Reads a whole record into `store`; a stream that holds something else, or that ends early,
// fails without a partial store.
HRESULT LoadSettings(IStream& stream, win32::PropertyStore& store);
// The bytes that SaveSettings writes for `store`.
std::uint64_t SettingsSize(const win32::PropertyStore& store);

}  // namespace ocx
