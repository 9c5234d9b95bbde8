// The window class of the idle steps on Win32 (platform/IdleStep.h): one message-only window per
// step, whose timer brings the step, registered for the module at the first step.
#pragma once

namespace cp::win32 {

inline constexpr const wchar_t* kIdleStepClass = L"ColumnPickIdleStep";
// The timer of a step's window.
inline constexpr unsigned kIdleStepTimer = 1;

}  // namespace cp::win32
