#include "tests/component/InPlaceSite.h"

#include <algorithm>

namespace cp::test {
namespace {

constexpr ::RECT kPosition{10, 10, 250, 31};

}  // namespace

InPlaceSite::InPlaceSite() {
    window = ::CreateWindowExW(0, L"STATIC", L"Site", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 400,
                               200, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(window);
    Pump();
}

InPlaceSite::~InPlaceSite() {
    if (::IsWindow(window)) ::DestroyWindow(window);
    Pump();
}

HRESULT InPlaceSite::Activate(IUnknown* control) {
    ComPtr<IOleObject> object = As<IOleObject>(control);
    if (!object) return E_NOINTERFACE;
    HRESULT hr = object->SetClientSite(this);
    if (FAILED(hr)) return hr;
    hr = object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, this, 0, window, &kPosition);
    Pump();
    return hr;
}

HWND InPlaceSite::Edit() const {
    return ::FindWindowExW(::FindWindowExW(window, nullptr, L"ThunderRT6UserControlDC", nullptr),
                           nullptr, L"Edit", nullptr);
}

HRESULT InPlaceSite::QueryInterface(REFIID iid, void** out) {
    if (iid == IID_IOleControlSite && !controlSite) {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    return ClientSite::QueryInterface(iid == IID_IOleWindow ? IID_IOleInPlaceSite : iid, out);
}

HRESULT InPlaceSite::GetWindow(HWND* out) {
    *out = window;
    return S_OK;
}

HRESULT InPlaceSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                      LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    *frame = nullptr;
    *document = nullptr;
    *position = kPosition;
    *clip = kPosition;
    *info = {info->cb, FALSE, window, nullptr, 0};
    return S_OK;
}

HRESULT InPlaceSite::Logged(const char* call) {
    log.push_back(call);
    return S_OK;
}

HRESULT InPlaceSite::OnUIDeactivate(BOOL) {
    log.push_back("OnUIDeactivate");
    if (onUIDeactivate) onUIDeactivate();
    return S_OK;
}

HRESULT InPlaceSite::OnInPlaceDeactivate() {
    log.push_back("OnInPlaceDeactivate");
    if (onInPlaceDeactivate) onInPlaceDeactivate();
    return S_OK;
}

HRESULT InPlaceSite::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT InPlaceSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                            UINT*) {
    const bool asked = id == DISPID_AMBIENT_USERMODE;
    if (result == nullptr || (!asked && !ambient)) return DISP_E_MEMBERNOTFOUND;
    ::VariantInit(result);
    if (!asked) return ambient(id, result);
    Var(userMode).CopyTo(result);
    return S_OK;
}

HRESULT InPlaceSite::GetExtendedControl(IDispatch** out) {
    *out = nullptr;
    return E_NOTIMPL;
}

HRESULT InPlaceSite::TranslateAccelerator(MSG* msg, ::DWORD) {
    log.push_back("TranslateAccelerator(" + std::to_string(msg->wParam) + ")");
    return msg->wParam == VK_TAB ? S_OK : S_FALSE;
}

ComPtr<IDispatch> ActiveControl(InPlaceSite& site, const wchar_t* rows) {
    ComPtr<IDispatch> control = CreateControl(&site);
    EXPECT_EQ(As<IPersistStreamInit>(control.Get())->InitNew(), S_OK);
    Fill(control.Get(), L"", rows);
    EXPECT_EQ(site.Activate(control.Get()), S_OK);
    return control;
}

void Close(IDispatch* control) {
    As<IOleObject>(control)->Close(OLECLOSE_NOSAVE);
    As<IOleObject>(control)->SetClientSite(nullptr);
}

AmbientAnswer Ambients(std::vector<DISPID> ids, std::function<void(DISPID id, VARIANT*)> value) {
    return [ids = std::move(ids), value = std::move(value)](DISPID id, VARIANT* result) {
        if (std::find(ids.begin(), ids.end(), id) == ids.end()) return DISP_E_MEMBERNOTFOUND;
        value(id, result);
        return S_OK;
    };
}

}  // namespace cp::test
