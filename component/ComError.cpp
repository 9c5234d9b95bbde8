#include "component/ComError.h"

#include "component/Module.h"
#include "platform/win32/Wide.h"

namespace ocx {
namespace {

constexpr std::int32_t kLargestErrorNumber = 0xFFFF;

BSTR Bstr(std::string_view text) {
    return ::SysAllocString(win32::Widen(text).c_str());
}

std::string Text(BSTR text) {
    return text ? win32::Narrow(std::wstring_view(text, ::SysStringLen(text))) : std::string();
}

// The runtime's error for the failures that IDispatch::Invoke reports itself.
std::int32_t DispatchFailureNumber(HRESULT hr) {
    switch (hr) {
        case DISP_E_UNKNOWNNAME:
        case DISP_E_MEMBERNOTFOUND:
            return vberr::NoSuchMember;
        case DISP_E_TYPEMISMATCH:
            return vberr::TypeMismatch;
        case DISP_E_OVERFLOW:
            return vberr::Overflow;
        case DISP_E_BADINDEX:
            return vberr::SubscriptOutOfRange;
        case DISP_E_DIVBYZERO:
            return vberr::DivisionByZero;
        case DISP_E_PARAMNOTOPTIONAL:
            return vberr::ArgumentNotOptional;
        case DISP_E_BADPARAMCOUNT:
            return vberr::WrongArgumentCount;
        case DISP_E_NONAMEDARGS:
            return vberr::NamedArgumentsUnsupported;
        case E_OUTOFMEMORY:
            return vberr::OutOfMemory;
        default:
            return 0;
    }
}

std::int32_t NumberOf(HRESULT hr) {
    if (HRESULT_FACILITY(hr) == FACILITY_CONTROL && HRESULT_CODE(hr) != 0) {
        return HRESULT_CODE(hr);
    }
    if (const std::int32_t number = DispatchFailureNumber(hr)) return number;
    return static_cast<std::int32_t>(hr);
}

// The system's text for an HRESULT, if it has one.
std::string SystemText(HRESULT hr) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    if (buffer != nullptr) ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r'))
        text.pop_back();
    return win32::Narrow(text);
}

// The description that an object which supports error objects left in the thread's one.
std::string ErrorObjectText(IUnknown* object) {
    ISupportErrorInfo* support = nullptr;
    if (object == nullptr ||
        FAILED(object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)))) {
        return {};
    }
    const bool supported = support->InterfaceSupportsErrorInfo(IID_IDispatch) == S_OK;
    support->Release();
    IErrorInfo* info = nullptr;
    if (!supported || ::GetErrorInfo(0, &info) != S_OK || info == nullptr) return {};
    BSTR description = nullptr;
    info->GetDescription(&description);
    info->Release();
    std::string text = Text(description);
    ::SysFreeString(description);
    return text;
}

// The description of a failure that came without one of its own.
std::string StandardText(HRESULT hr, std::int32_t number) {
    if (number > 0 && number <= kLargestErrorNumber) return StandardDescription(number);
    const std::string system = SystemText(hr);
    return system.empty() ? "Automation error" : "Automation error\r\n" + system;
}

}  // namespace

HRESULT ErrorResult(const RuntimeError& error) {
    // A number that is an HRESULT (another object's failure passed on) stays one.
    if (error.Number() < 0) return static_cast<HRESULT>(error.Number());
    if (error.Number() <= 0 || error.Number() > kLargestErrorNumber) return E_FAIL;
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, error.Number());
}

void FillException(EXCEPINFO* info, const RuntimeError& error, std::string_view source) {
    if (info == nullptr) return;
    *info = EXCEPINFO{};
    info->scode = ErrorResult(error);
    info->bstrSource = Bstr(source.empty() ? std::string_view(kProgIdUtf8) : source);
    info->bstrDescription = Bstr(error.Description());
}

RuntimeError ErrorOfCall(HRESULT hr, EXCEPINFO& exception, IUnknown* object) {
    std::string description;
    std::int32_t number = 0;
    if (hr == DISP_E_EXCEPTION) {
        if (exception.pfnDeferredFillIn != nullptr) exception.pfnDeferredFillIn(&exception);
        description = Text(exception.bstrDescription);
        if (exception.wCode != 0) {
            number = exception.wCode;
        } else if (FAILED(exception.scode)) {
            number = NumberOf(exception.scode);
            hr = exception.scode;
        } else {
            number = vberr::AutomationError;
        }
    } else {
        number = NumberOf(hr);
        description = ErrorObjectText(object);
    }
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
    exception = EXCEPINFO{};
    if (description.empty()) description = StandardText(hr, number);
    return RuntimeError(number, std::move(description));
}

HRESULT ReturnError(const RuntimeError& error, REFIID iid) {
    ICreateErrorInfo* create = nullptr;
    if (SUCCEEDED(::CreateErrorInfo(&create))) {
        create->SetGUID(iid);
        create->SetSource(const_cast<LPOLESTR>(kProgId));
        const std::wstring description = win32::Widen(error.Description());
        create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            ::SetErrorInfo(0, info);
            info->Release();
        }
        create->Release();
    }
    return ErrorResult(error);
}

}  // namespace ocx
