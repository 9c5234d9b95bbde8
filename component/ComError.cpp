#include "component/ComError.h"

#include "component/Module.h"
#include "platform/win32/Wide.h"

namespace ocx {
namespace {

constexpr std::int32_t kLargestErrorNumber = 0xFFFF;

BSTR Bstr(std::string_view text) {
    return ::SysAllocString(win32::Widen(text).c_str());
}

}  // namespace

HRESULT ErrorResult(const RuntimeError& error) {
    if (error.Number() <= 0 || error.Number() > kLargestErrorNumber) return E_FAIL;
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, error.Number());
}

void FillException(EXCEPINFO* info, const RuntimeError& error) {
    if (info == nullptr) return;
    *info = EXCEPINFO{};
    info->scode = ErrorResult(error);
    info->bstrSource = Bstr(kProgIdUtf8);
    info->bstrDescription = Bstr(error.Description());
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
