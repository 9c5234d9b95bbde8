// The design-time settings through the container: a stream (IPersistStreamInit) or a property
// bag (IPersistPropertyBag), under the keys and defaults of the control's property store. A
// value that the control cannot take fails the load with its run-time error, which also goes
// to the container's error log.
#include "component/ColumnPickObject.h"
#include "component/ComError.h"
#include "component/ComPropertyBag.h"
#include "component/StreamFormat.h"

namespace ocx {
namespace {

void LogError(IErrorLog* log, const RuntimeError& error) {
    if (log == nullptr) return;
    EXCEPINFO info{};
    FillException(&info, error);
    log->AddError(L"ColumnPick", &info);
    ::SysFreeString(info.bstrSource);
    ::SysFreeString(info.bstrDescription);
}

}  // namespace

HRESULT ColumnPickObject::GetClassID(CLSID* clsid) {
    if (clsid == nullptr) return E_POINTER;
    *clsid = CLSID_ColumnPick;
    return S_OK;
}

HRESULT ColumnPickObject::IsDirty() {
    return dirty_ ? S_OK : S_FALSE;
}

HRESULT ColumnPickObject::InitNew() {
    if (started_) return CO_E_ALREADYINITIALIZED;
    return Entered(IID_IPersistStreamInit, [&] {
        Start(nullptr);
        dirty_ = false;
        return S_OK;
    });
}

HRESULT ColumnPickObject::Load(LPSTREAM stream) {
    if (stream == nullptr) return E_POINTER;
    if (started_) return CO_E_ALREADYINITIALIZED;
    return Entered(IID_IPersistStreamInit, [&] {
        win32::PropertyStore store;
        const HRESULT hr = LoadSettings(*stream, store);
        if (FAILED(hr)) return hr;
        Start(&store);
        dirty_ = false;
        return S_OK;
    });
}

HRESULT ColumnPickObject::Save(LPSTREAM stream, BOOL clearDirty) {
    if (stream == nullptr) return E_POINTER;
    return Entered(IID_IPersistStreamInit, [&] {
        win32::PropertyStore store;
        SaveTo(store);
        const HRESULT hr = SaveSettings(store, *stream);
        if (SUCCEEDED(hr) && clearDirty) dirty_ = false;
        return hr;
    });
}

HRESULT ColumnPickObject::GetSizeMax(ULARGE_INTEGER* size) {
    if (size == nullptr) return E_POINTER;
    size->QuadPart = 0;
    return Entered(IID_IPersistStreamInit, [&] {
        win32::PropertyStore store;
        SaveTo(store);
        size->QuadPart = SettingsSize(store);
        return S_OK;
    });
}

HRESULT ColumnPickObject::Load(IPropertyBag* bag, IErrorLog* log) {
    if (bag == nullptr) return E_POINTER;
    if (started_) return CO_E_ALREADYINITIALIZED;
    return Entered(IID_IPersistPropertyBag, [&] {
        ComPropertyBag settings(*bag);
        try {
            Start(&settings);
        } catch (...) {
            const RuntimeError error = CurrentError();
            LogError(log, error);
            return ReturnError(error, IID_IPersistPropertyBag);
        }
        dirty_ = false;
        return S_OK;
    });
}

HRESULT ColumnPickObject::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    if (bag == nullptr) return E_POINTER;
    return Entered(IID_IPersistPropertyBag, [&] {
        ComPropertyBag settings(*bag);
        SaveTo(settings);
        if (clearDirty) dirty_ = false;
        return S_OK;
    });
}

void ColumnPickObject::SaveTo(PropertyBag& store) {
    Control();
    const OwnColors own(*this);
    host_->Put([&] { host_->WriteProperties(store); });
    font_.Write(store);
}

}  // namespace ocx
