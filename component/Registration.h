// The component's registration: the class as a control with its facts, its program
// identifier, the type library and the two interfaces. Both directions return an HRESULT and
// leave the registry as they found it for every key they could not write or remove.
#pragma once

#include <string_view>

#include "component/Com.h"

namespace ocx {

// Whose classes the registration goes into: the machine's, for every user (an administrator's
// regsvr32), or the current user's alone, which needs no administrator.
enum class RegistrationScope { Machine, User };

HRESULT RegisterComponent(RegistrationScope scope);
// Removes everything RegisterComponent writes; what is already absent is no failure.
HRESULT UnregisterComponent(RegistrationScope scope);
// DllInstall: "user" registers or unregisters for the current user, an empty command line or
// "machine" for the machine (case does not matter); any other command line is E_INVALIDARG.
HRESULT InstallComponent(bool install, std::wstring_view commandLine);

}  // namespace ocx
