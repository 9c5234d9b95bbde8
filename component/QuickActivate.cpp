// Quick activation: a container hands over its site, its sinks and its ambient values in one
// call, and each is taken as if it had come the long way (SetClientSite, IViewObject's advise,
// the two connection points). The structure's ambients (flags, colours, locale, font) answer
// for a site that has none of its own. A container of an older, shorter structure is served as
// far as its structure reaches; one too short to hold the sinks is refused.
#include <cstddef>
#include <utility>

#include "component/ColumnPickObject.h"

namespace ocx {
namespace {

// The first structures of the protocol ended before the bind host; the control's answer
// needs no more than the two connection cookies.
constexpr ULONG kShortestContainer = offsetof(QACONTAINER, pBindHost);
constexpr ULONG kShortestControl = offsetof(QACONTROL, dwPointerActivationPolicy);

}  // namespace

HRESULT ColumnPickObject::QuickActivate(QACONTAINER* container, QACONTROL* control) {
    if (container == nullptr || control == nullptr) return E_POINTER;
    if (container->cbSize < kShortestContainer || control->cbSize < kShortestControl) {
        return E_INVALIDARG;
    }
    return Entered(IID_IQuickActivate, [&] {
        const ULONG controlSize = control->cbSize;
        control->dwEventCookie = 0;
        control->dwPropNotifyCookie = 0;
        quickUserMode_ = (container->dwAmbientFlags & QACONTAINER_USERMODE) != 0;
        quickUIDead_ = (container->dwAmbientFlags & QACONTAINER_UIDEAD) != 0;
        ambientLocale_ = container->lcid;
        if (quickAmbients_ != nullptr) std::exchange(quickAmbients_, nullptr)->Release();
        quickAmbients_ = QuickAmbients::Create(*container);
        HRESULT hr = SetClientSite(container->pClientSite);
        if (FAILED(hr)) return hr;
        if (container->pAdviseSink != nullptr) {
            SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
        }
        if (container->pPropertyNotifySink != nullptr) {
            notify_.Advise(container->pPropertyNotifySink, &control->dwPropNotifyCookie);
        }
        if (container->pUnkEventSink != nullptr) {
            events_.Advise(container->pUnkEventSink, &control->dwEventCookie);
        }
        GetMiscStatus(DVASPECT_CONTENT, &control->dwMiscStatus);
        control->dwViewStatus = VIEWSTATUS_OPAQUE;
        if (controlSize >= sizeof(QACONTROL)) control->dwPointerActivationPolicy = 0;
        // A control that has started already takes the ambients now; one that has not takes
        // them when it starts.
        return OnAmbientPropertyChange(DISPID_UNKNOWN);
    });
}

HRESULT ColumnPickObject::SetContentExtent(LPSIZEL size) {
    return SetExtent(DVASPECT_CONTENT, size);
}

HRESULT ColumnPickObject::GetContentExtent(LPSIZEL size) {
    return GetExtent(DVASPECT_CONTENT, size);
}

}  // namespace ocx
