#include "tests/component/EventSink.h"

#include "control/PublicInterface.h"
#include "platform/win32/Wide.h"

namespace cp::test {

namespace {

// Advises `sink` at the control's connection point for `iid`; false when the control refuses.
bool Advise(IUnknown* control, REFIID iid, IUnknown* sink, ComPtr<IConnectionPoint>& point,
            ::DWORD& cookie) {
    ComPtr<IConnectionPointContainer> container = As<IConnectionPointContainer>(control);
    return container && SUCCEEDED(container->FindConnectionPoint(iid, point.GetAddressOf())) &&
           SUCCEEDED(point->Advise(sink, &cookie));
}

}  // namespace

bool EventSink::Connect(IUnknown* control) {
    IID events{};
    ::IIDFromString(win32::Widen(iface::Ids().eventInterface).c_str(), &events);
    return Advise(control, events, this, point_, cookie_);
}

void EventSink::Disconnect() {
    if (point_ && cookie_ != 0) point_->Unadvise(cookie_);
    cookie_ = 0;
}

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                          UINT*) {
    std::string entry = "?" + std::to_string(id);
    for (const iface::Event& e : iface::Events()) {
        if (e.dispid == id) entry = std::string(e.name);
    }
    // The arguments come last to first, each by reference.
    std::string args;
    for (UINT i = params->cArgs; i-- > 0;) {
        const VARIANT& a = params->rgvarg[i];
        if (V_VT(&a) == (VT_BYREF | VT_I2))
            args += (args.empty() ? "" : ",") + std::to_string(*V_I2REF(&a));
        if (V_VT(&a) == (VT_BYREF | VT_BOOL)) args += *V_BOOLREF(&a) ? "True" : "False";
    }
    log.push_back(args.empty() ? entry : entry + "(" + args + ")");
    if (entry == "KeyPress" && swallow != 0 && *V_I2REF(&params->rgvarg[0]) == swallow) {
        *V_I2REF(&params->rgvarg[0]) = 0;
    }
    if (entry == "NotInList" && cancelNotInList) *V_BOOLREF(&params->rgvarg[0]) = VARIANT_TRUE;
    if (disconnectInEvent) {
        disconnectInEvent = false;
        Disconnect();
    }
    if (onEvent) onEvent(log.back());
    return answer;
}

bool NotifySink::Connect() {
    return Advise(control_, IID_IPropertyNotifySink, this, point_, cookie_);
}

void NotifySink::Disconnect() {
    if (point_ && cookie_ != 0) {
        EXPECT_EQ(point_->Unadvise(cookie_), S_OK);
    }
    cookie_ = 0;
}

HRESULT NotifySink::OnChanged(DISPID id) {
    log.push_back("Changed(" + NameOf(id) + ")");
    if (onChanged) onChanged();
    return S_OK;
}

HRESULT NotifySink::OnRequestEdit(DISPID id) {
    log.push_back("RequestEdit(" + NameOf(id) + ")");
    return id == refuse ? S_FALSE : S_OK;
}

std::string NotifySink::NameOf(DISPID id) const {
    BSTR name = nullptr;
    UINT count = 0;
    ComPtr<ITypeInfo> info;
    control_->GetTypeInfo(0, 0, info.GetAddressOf());
    if (!info || FAILED(info->GetNames(id, &name, 1, &count)) || count == 0) {
        return std::to_string(id);
    }
    std::string text = win32::Narrow(name);
    ::SysFreeString(name);
    return text;
}

}  // namespace cp::test
