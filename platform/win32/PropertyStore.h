// The form's property store for one control on Win32: the store every host keeps (see
// StoredProperties.h), with nothing of the window system's own.
#pragma once

#include "platform/StoredProperties.h"

namespace cp::win32 {

using PropertyStore = StoredProperties;

}  // namespace cp::win32
