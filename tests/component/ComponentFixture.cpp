#include "tests/component/ComponentFixture.h"

#include <algorithm>

#include "platform/win32/Wide.h"

namespace cp::test {
namespace {

constexpr const wchar_t* kProgId = L"ColumnPick.ColumnPick";

HMODULE gModule = nullptr;

// Registers the component for the run and removes it at the end, in one apartment.
class ComponentEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        gModule = ::LoadLibraryW(ComponentPath().c_str());
        ASSERT_NE(gModule, nullptr) << "cannot load " << win32::Narrow(ComponentPath());
        ASSERT_EQ(CallEntryPoint("DllRegisterServer"), S_OK);
    }
    void TearDown() override {
        EXPECT_EQ(CallEntryPoint("DllUnregisterServer"), S_OK);
        ::CoFreeUnusedLibraries();
        ::OleUninitialize();
    }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ComponentEnvironment);

}  // namespace

std::wstring ComponentPath() {
    return win32::Widen(CP_COMPONENT_PATH);
}

HRESULT CallEntryPoint(const char* name) {
    using EntryPoint = HRESULT(STDAPICALLTYPE*)();
    const auto entry =
        reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(::GetProcAddress(gModule, name)));
    return entry ? entry() : E_NOTIMPL;
}

CLSID ControlClass() {
    CLSID clsid{};
    ::CLSIDFromProgID(kProgId, &clsid);
    return clsid;
}

std::string Var::Text() const {
    VARIANT text;
    ::VariantInit(&text);
    if (FAILED(::VariantChangeType(&text, const_cast<VARIANT*>(&v), VARIANT_ALPHABOOL, VT_BSTR))) {
        return "<type " + std::to_string(V_VT(&v)) + ">";
    }
    std::string result = win32::Narrow(V_BSTR(&text));
    ::VariantClear(&text);
    return result;
}

ComPtr<IDispatch> CreateControl(IOleClientSite* site) {
    ComPtr<IDispatch> control;
    EXPECT_EQ(::CoCreateInstance(ControlClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                 reinterpret_cast<void**>(control.GetAddressOf())),
              S_OK);
    if (control && site) {
        EXPECT_EQ(As<IOleObject>(control.Get())->SetClientSite(site), S_OK);
    }
    return control;
}

QACONTAINER QuickContainer(IOleClientSite* site, IPropertyNotifySink* notify, IUnknown* events) {
    QACONTAINER container{};
    container.cbSize = sizeof(QACONTAINER);
    container.pClientSite = site;
    container.pPropertyNotifySink = notify;
    container.pUnkEventSink = events;
    container.dwAmbientFlags = QACONTAINER_USERMODE | QACONTAINER_AUTOCLIP;
    container.colorFore = 0x80000008;
    container.colorBack = 0x80000005;
    container.lcid = 0x409;
    return container;
}

void Fill(IDispatch* control, const wchar_t* widths, const wchar_t* rows) {
    const std::wstring named = widths;
    const auto columns = static_cast<short>(std::count(named.begin(), named.end(), L';') + 1);
    if (columns > 1) PutOk(control, L"ColumnCount", Var(columns).v);
    PutOk(control, L"ColumnWidths", Var(widths).v);
    CallOk(control, L"AddList", {Var(rows).v});
}

DISPID IdOf(IDispatch* control, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    EXPECT_EQ(control->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK)
        << win32::Narrow(name);
    return id;
}

Answer InvokeId(IDispatch* control, DISPID id, WORD flags, std::vector<VARIANT> args,
                VARIANT* result) {
    // rgvarg holds the arguments last to first.
    std::reverse(args.begin(), args.end());
    DISPID named = DISPID_PROPERTYPUT;
    const bool put = flags == DISPATCH_PROPERTYPUT || flags == DISPATCH_PROPERTYPUTREF;
    DISPPARAMS params{args.data(), put ? &named : nullptr, static_cast<UINT>(args.size()),
                      put ? 1u : 0u};
    EXCEPINFO exception{};
    Answer answer;
    answer.hr = control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                                &exception, &answer.argError);
    answer.scode = exception.scode;
    if (exception.bstrSource != nullptr) answer.source = win32::Narrow(exception.bstrSource);
    if (exception.bstrDescription != nullptr) {
        answer.description = win32::Narrow(exception.bstrDescription);
    }
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
    return answer;
}

HRESULT Get(IDispatch* control, const wchar_t* name, Var& result, std::vector<VARIANT> args) {
    ::VariantClear(&result.v);
    return InvokeId(control, IdOf(control, name), DISPATCH_PROPERTYGET | DISPATCH_METHOD,
                    std::move(args), &result.v)
        .hr;
}

std::string GetText(IDispatch* control, const wchar_t* name) {
    Var result;
    EXPECT_EQ(Get(control, name, result), S_OK) << win32::Narrow(name);
    return result.Text();
}

void PutOk(IDispatch* control, const wchar_t* name, const VARIANT& value) {
    const Answer put = InvokeId(control, IdOf(control, name), DISPATCH_PROPERTYPUT, {value});
    EXPECT_EQ(put.hr, S_OK) << win32::Narrow(name) << ": " << put.description;
}

void CallOk(IDispatch* control, const wchar_t* name, std::vector<VARIANT> args) {
    EXPECT_EQ(InvokeId(control, IdOf(control, name), DISPATCH_METHOD, std::move(args)).hr, S_OK)
        << win32::Narrow(name);
}

std::string DescribeFont(IUnknown* object) {
    constexpr LONGLONG kCyPerPoint = 10000;
    ComPtr<IFont> font = object ? As<IFont>(object) : nullptr;
    if (!font) return "no font";
    CY size{};
    BOOL bold = FALSE;
    font->get_Size(&size);
    font->get_Bold(&bold);
    return BstrText([&](BSTR* name) { font->get_Name(name); }) + " " +
           std::to_string(size.int64 / kCyPerPoint) + (bold ? " bold" : "");
}

std::string FontOf(IDispatch* control) {
    Var font;
    if (FAILED(Get(control, L"Font", font)) || V_VT(&font.v) != VT_DISPATCH) return "no font";
    return DescribeFont(V_DISPATCH(&font.v));
}

std::string SystemFont() {
    return FontOf(CreateControl().Get());
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

}  // namespace cp::test
