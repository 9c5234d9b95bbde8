#include "fuzz/com/ComRules.h"

#include <cstdio>

namespace cp::fuzz {
namespace {

bool Standard(HRESULT hr) {
    switch (hr) {
        case S_OK:
        case DISP_E_MEMBERNOTFOUND:
        case DISP_E_PARAMNOTOPTIONAL:
        case DISP_E_PARAMNOTFOUND:
        case DISP_E_BADPARAMCOUNT:
        case DISP_E_TYPEMISMATCH:
        case DISP_E_OVERFLOW:
        case DISP_E_NONAMEDARGS:
        case DISP_E_BADVARTYPE:
        case DISP_E_EXCEPTION:
        case E_INVALIDARG:
        case E_OUTOFMEMORY:
            return true;
        default:
            return false;
    }
}

bool AutomationType(const VARIANT& v) {
    switch (V_VT(&v)) {
        case VT_EMPTY:
        case VT_NULL:
        case VT_I2:
        case VT_I4:
        case VT_R4:
        case VT_R8:
        case VT_CY:
        case VT_DATE:
        case VT_BSTR:
        case VT_DISPATCH:
        case VT_BOOL:
        case VT_UI1:
        case VT_DECIMAL:
        case VT_ARRAY | VT_VARIANT:
            return true;
        default:
            return false;
    }
}

bool Filled(EXCEPINFO& exception) {
    if (exception.pfnDeferredFillIn != nullptr) exception.pfnDeferredFillIn(&exception);
    return exception.bstrSource != nullptr && exception.bstrDescription != nullptr &&
           (exception.wCode != 0 || FAILED(exception.scode));
}

}  // namespace

std::string Hex(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

std::vector<std::string> BrokenRules(const InvokeAnswer& a) {
    std::vector<std::string> broken;
    if (!Standard(a.hr)) broken.push_back("answered " + Hex(a.hr));
    if (a.malformed && a.hr != E_INVALIDARG && a.hr != DISP_E_MEMBERNOTFOUND) {
        broken.push_back("a malformed call answered " + Hex(a.hr));
    }
    if (a.hr == DISP_E_EXCEPTION && a.exception != nullptr && !Filled(*a.exception)) {
        broken.push_back("an exception without its error");
    }
    if (a.hr == DISP_E_TYPEMISMATCH && a.argError != nullptr &&
        (a.params == nullptr || *a.argError >= a.params->cArgs)) {
        broken.push_back("a type mismatch of argument " + std::to_string(*a.argError));
    }
    if (a.result == nullptr) return broken;
    if (FAILED(a.hr) && V_VT(a.result) != VT_EMPTY) {
        broken.push_back("failed with a result of type " + std::to_string(V_VT(a.result)));
    } else if (SUCCEEDED(a.hr) && !AutomationType(*a.result)) {
        broken.push_back("a result of type " + std::to_string(V_VT(a.result)));
    }
    return broken;
}

}  // namespace cp::fuzz
