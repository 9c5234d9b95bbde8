// A host's handler of the control's events, as a C++ client connects one: an IDispatch that
// records each event by name with its arguments, and can write by-reference arguments back
// (swallow a character, cancel NotInList) or let go of its connection during an event. And a
// bound field's or a property browser's sink of property changes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/component/ComponentFixture.h"

namespace cp::test {

class EventSink final : public StackDispatch {
public:
    // Connects to the control's events; false when the control refuses.
    bool Connect(IUnknown* control);
    void Disconnect();
    // Lets go of the connection point, and with it of the control, without unadvising: as a
    // host that leaves its sinks to the control's end.
    void Forget() { point_.Reset(); }

    std::vector<std::string> log;    // "KeyPress(98)", "Change", "AfterUpdate", ...
    wchar_t swallow = 0;             // a character whose KeyPress is answered with 0
    bool cancelNotInList = false;    // NotInList answered with Cancel = True
    bool disconnectInEvent = false;  // lets go of the connection in its first event
    HRESULT answer = S_OK;           // what Invoke returns
    // Runs after each event is logged, with its entry; the host's own handler.
    std::function<void(const std::string& entry)> onEvent;

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO*, UINT*) override;

private:
    ComPtr<IConnectionPoint> point_;
    ::DWORD cookie_ = 0;
};

// Records each notification by the name of its property ("Changed(ListRows)",
// "RequestEdit(Value)") and refuses the edits of one property.
class NotifySink final : public StackObject<IPropertyNotifySink> {
public:
    explicit NotifySink(IDispatch* control) : control_(control) {}
    // Connects to the control's property changes; false when the control refuses.
    bool Connect();
    void Disconnect();
    // Lets go of the connection point, and with it of the control, without unadvising.
    void Forget() { point_.Reset(); }

    std::vector<std::string> log;
    DISPID refuse = DISPID_UNKNOWN;
    std::function<void()> onChanged;  // runs after each change is logged

    HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override;
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID id) override;

private:
    std::string NameOf(DISPID id) const;
    IDispatch* control_;
    ComPtr<IConnectionPoint> point_;
    ::DWORD cookie_ = 0;
};

}  // namespace cp::test
