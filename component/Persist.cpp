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

// The store as the control writes it, but for the normal colours that the host chose: they
// are stored even where they are the control's defaults, since a colour absent from the store
// follows the container's when the store is loaded.
class ChosenColorsKept final : public PropertyBag {
public:
    ChosenColorsKept(PropertyBag& store, bool back, bool fore)
        : store_(store), back_(back), fore_(fore) {}
    Variant ReadProperty(std::string_view key, const Variant& defaultValue) override {
        return store_.ReadProperty(key, defaultValue);
    }
    void WriteProperty(std::string_view key, const Variant& value,
                       const Variant& defaultValue) override {
        const bool chosen =
            (key == "BackColorNormal" && back_) || (key == "ForeColorNormal" && fore_);
        store_.WriteProperty(key, value, chosen ? Variant::Null() : defaultValue);
    }

private:
    PropertyBag& store_;
    bool back_;
    bool fore_;
};

}  // namespace

bool ColumnPickObject::Stored(PropertyBag* saved, std::string_view key) {
    if (saved == nullptr) return false;
    try {
        return !saved->ReadProperty(key, Variant::Null()).IsNull();
    } catch (...) {
        return true;  // there, if of no use
    }
}

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
    ChosenColorsKept kept(store, !followBackColor_, !followForeColor_);
    host_->Put([&] { host_->WriteProperties(kept); });
    font_.Write(store);
}

}  // namespace ocx
