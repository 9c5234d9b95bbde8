// The window class of the post boxes on Win32 (platform/ThreadPost.h): one message-only window
// per box, registered for the module at the first box.
#pragma once

namespace cp::win32 {

inline constexpr const wchar_t* kThreadPostClass = L"ColumnPickThreadPost";

}  // namespace cp::win32
