// windows.h for the files of the Win32 platform, and only for them. The platform's own
// declarations come first: their constants share their names with the macros of windows.h,
// which must not rewrite them. The function macros that would rename the cp:: operations
// (SendMessage -> SendMessageW, ...) are removed; this platform calls the wide functions by
// their full names.
#pragma once

#include "platform/Host.h"
#include "platform/basApi.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

#undef SendMessage
#undef GetWindowLong
#undef SetWindowLong
#undef CallWindowProc
#undef GetClassName
#undef SetProp
#undef GetProp
#undef RemoveProp
#undef SetWindowsHookEx
#undef DrawText
#undef GetTextExtentExPoint
#undef MessageBox
#undef LoadBitmap
#undef CreateWindow
#undef GetObject
