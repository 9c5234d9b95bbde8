#include "component/PropertyNotifySource.h"

namespace ocx {

void PropertyNotifySource::Changed(DISPID dispid) {
    if (!Connected()) return;
    const Moment now = Now();
    for (const ComPtr<IPropertyNotifySink>& sink : now.sinks)
        sink->OnChanged(dispid);
}

bool PropertyNotifySource::MayEdit(DISPID dispid) {
    if (!Connected()) return true;
    const Moment now = Now();
    for (const ComPtr<IPropertyNotifySink>& sink : now.sinks) {
        if (sink->OnRequestEdit(dispid) == S_FALSE) return false;
    }
    return true;
}

void PropertyNotifySource::Connect(IUnknown* sink) {
    DWORD cookie = 0;
    if (sink != nullptr) Advise(sink, &cookie);
}

}  // namespace ocx
