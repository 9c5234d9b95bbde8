// The accessible objects of one control, made when a reader first asks for them and cut off
// from the control when it ends (a reader may hold them longer): the list's, its header's and
// the control's.
#pragma once

#include <optional>
#include <string>

#include "platform/win32/ComboAccessible.h"
#include "platform/win32/HeaderAccessible.h"
#include "platform/win32/ListAccessible.h"

namespace cp::win32 {

class ControlHost;

class ReaderObjects {
public:
    explicit ReaderObjects(ControlHost& host) : host_(host) {}
    ~ReaderObjects() { Disconnect(); }
    ReaderObjects(const ReaderObjects&) = delete;
    ReaderObjects& operator=(const ReaderObjects&) = delete;

    // The answer to WM_GETOBJECT: the object of the window's client area when the window is
    // the list or the control's own; none for any other object (the system answers those).
    std::optional<LRESULT> Answer(HWND window, WPARAM flags, LPARAM objectId);
    ::IAccessible* ListObject();
    ::IAccessible* HeaderObject();
    ::IAccessible* ControlObject();
    // The control's name: the host's, or else the text of the label just before the control
    // on its form (its mnemonic marks removed), or else the name its OLE container gives it.
    std::string ControlName();
    // The control ends: the objects answer nothing more.
    void Disconnect();

private:
    ControlHost& host_;
    ListAccessible* list_ = nullptr;      // made at the first request; one reference is ours
    HeaderAccessible* header_ = nullptr;  // likewise
    ComboAccessible* combo_ = nullptr;    // likewise
};

}  // namespace cp::win32
