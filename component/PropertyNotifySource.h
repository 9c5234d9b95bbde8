// The connection point of IPropertyNotifySink: data binding and the hosts' property browsers
// learn through it that a published property changed (OnChanged), and a bound field may refuse
// a change of a bindable property before it happens (OnRequestEdit). A sink that fails, or that
// unadvises during a notification, does not stop the others.
#pragma once

#include "component/ConnectionPoint.h"

namespace ocx {

class PropertyNotifySource final : public ConnectionPoint<IPropertyNotifySink> {
public:
    explicit PropertyNotifySource(IConnectionPointContainer& container)
        : ConnectionPoint(container, IID_IPropertyNotifySink) {}

    // Tells every sink that the property `dispid` changed.
    void Changed(DISPID dispid);
    // Asks every sink whether the property `dispid` may change: false as soon as one answers
    // S_FALSE. A sink that fails otherwise has no say.
    bool MayEdit(DISPID dispid);
    // Connects `sink` as Advise does, for a container that hands its sink over another way
    // (quick activation); a sink of the wrong kind is ignored.
    void Connect(IUnknown* sink);
};

}  // namespace ocx
