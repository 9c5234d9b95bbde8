#include "tests/component/EventSink.h"

#include "control/PublicInterface.h"
#include "platform/win32/Wide.h"

namespace cp::test {

bool EventSink::Connect(IUnknown* control) {
    ComPtr<IConnectionPointContainer> container;
    if (FAILED(control->QueryInterface(IID_IConnectionPointContainer,
                                       reinterpret_cast<void**>(container.GetAddressOf())))) {
        return false;
    }
    IID events{};
    ::IIDFromString(win32::Widen(iface::Ids().eventInterface).c_str(), &events);
    if (FAILED(container->FindConnectionPoint(events, point_.GetAddressOf()))) return false;
    return SUCCEEDED(point_->Advise(this, &cookie_));
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
    ComPtr<IConnectionPointContainer> container = As<IConnectionPointContainer>(control_);
    return container &&
           SUCCEEDED(
               container->FindConnectionPoint(IID_IPropertyNotifySink, point_.GetAddressOf())) &&
           SUCCEEDED(point_->Advise(this, &cookie_));
}

void NotifySink::Disconnect() {
    if (point_ && cookie_ != 0) {
        EXPECT_EQ(point_->Unadvise(cookie_), S_OK);
    }
    cookie_ = 0;
}

HRESULT NotifySink::OnChanged(DISPID id) {
    log.push_back("Changed(" + NameOf(id) + ")");
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
