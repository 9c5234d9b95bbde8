// The component's own automation objects (its database and recordsets) answer this interface
// with the C++ object behind them, so that a control of the same module uses that object
// directly instead of calling it back through Invoke. Only a direct pointer within the process
// has it: a proxy from another apartment does not, and is then called late-bound like any
// other object.
#pragma once

#include <memory>

#include "component/Com.h"

namespace ocx {

// {FB38866C-E0A9-4F36-A462-B8FDBE0D02AE}; in no type library and in no registry.
inline constexpr IID kNativeObjectIid = {
    0xFB38866C, 0xE0A9, 0x4F36, {0xA4, 0x62, 0xB8, 0xFD, 0xBE, 0x0D, 0x02, 0xAE}};

class NativeObject : public IUnknown {
public:
    // The C++ object, or none when there is nothing behind the object yet (a database that is
    // not open, say): it is then used through Invoke, whose answer tells why it cannot serve.
    virtual std::shared_ptr<Object> Native() = 0;
};

}  // namespace ocx
