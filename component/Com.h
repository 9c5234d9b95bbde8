// The COM headers of the component, after the platform's own view of windows.h, and the
// declarations that widl makes from the type library's IDL (the interfaces and their GUIDs).
// The component's code lives in namespace ocx, outside cp, whose own window-system types
// (DWORD, LONG, BOOL, ...) would hide those of windows.h that the COM interfaces use.
#pragma once

#include "platform/win32/WindowsApi.h"

// The core's headers come before the OLE headers, whose macros would rewrite the interface
// table's own DISPID_VALUE and DISPID_ABOUTBOX.
#include "component/CoreNames.h"

#include <ocidl.h>
#include <ole2.h>
#include <olectl.h>

#include "ColumnPick_h.h"

#undef DISPID_VALUE
#undef DISPID_ABOUTBOX
