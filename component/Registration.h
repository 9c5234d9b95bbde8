// The component's registration: the class as a control with its facts, its program
// identifier, the type library and the two interfaces. Both directions return an HRESULT and
// leave the registry as they found it for every key they could not write or remove.
#pragma once

#include "component/Com.h"

namespace ocx {

HRESULT RegisterComponent();
// Removes everything RegisterComponent writes; what is already absent is no failure.
HRESULT UnregisterComponent();

}  // namespace ocx
