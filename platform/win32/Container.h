// What a control's host object learns from, and tells, an OLE container that holds the
// control in place of a form of the host's own: the container's ambient user mode and name, the
// properties that changed, and the focus coming to or going from the control.
#pragma once

#include <string>
#include <string_view>

namespace cp::win32 {

class Container {
public:
    virtual ~Container() = default;
    // Ambient.UserMode of the container: True at run time.
    virtual bool AmbientUserMode() = 0;
    // Ambient.UIDead of the container: while it holds, the user's keys and clicks are not the
    // control's to take.
    virtual bool AmbientUIDead() = 0;
    // Ambient.DisplayName: the name the container gives the control ("" for none), which
    // screen readers read when no label names the control.
    virtual std::string AmbientDisplayName() = 0;
    virtual void PropertyChanged(std::string_view key) = 0;
    // The focus came to a part of the control (true) or left it (false).
    virtual void FocusChanged(bool gotFocus) = 0;
};

}  // namespace cp::win32
