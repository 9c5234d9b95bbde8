// The window class of the component's own forms (the About box), for the module's
// unregistration.
#pragma once

namespace cp::win32 {

inline constexpr const wchar_t* kModalFormClass = L"ThunderRT6FormDC.Modal";

// Destroys this thread's forms, before the module that holds their window procedure goes.
void DestroyModalForms();

}  // namespace cp::win32
