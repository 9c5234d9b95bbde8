#include "component/AutomationObject.h"

#include <dispex.h>

#include "component/ComError.h"
#include "component/ComVariant.h"
#include "platform/win32/Wide.h"

namespace ocx {
namespace {

// The arguments of one call as VARIANTs, last to first as Invoke takes them, cleared at the end.
class ArgumentBlock {
public:
    explicit ArgumentBlock(const std::vector<Variant>& args) : values_(args.size()) {
        for (VARIANT& v : values_)
            ::VariantInit(&v);
        // The arguments made before one that fails go with the block.
        try {
            for (std::size_t i = 0; i < args.size(); ++i)
                ToVariant(args[i], &values_[args.size() - 1 - i]);
        } catch (...) {
            Clear();
            throw;
        }
    }
    ~ArgumentBlock() { Clear(); }
    ArgumentBlock(const ArgumentBlock&) = delete;
    ArgumentBlock& operator=(const ArgumentBlock&) = delete;

    // A put names its value as such.
    DISPPARAMS Params(cp::CallType type) {
        const UINT named = type == cp::CallType::Let ? 1 : 0;
        return DISPPARAMS{values_.data(), named ? &put_ : nullptr,
                          static_cast<UINT>(values_.size()), named};
    }

private:
    void Clear() {
        for (VARIANT& v : values_)
            ::VariantClear(&v);
    }

    std::vector<VARIANT> values_;
    DISPID put_ = DISPID_PROPERTYPUT;
};

// A property is read as a late-bound host reads a name used as a value: the object may have
// it as a property or as a function.
WORD FlagsOf(cp::CallType type) {
    switch (type) {
        case cp::CallType::Get:
            return DISPATCH_PROPERTYGET | DISPATCH_METHOD;
        case cp::CallType::Let:
            return DISPATCH_PROPERTYPUT;
        default:
            return DISPATCH_METHOD;
    }
}

}  // namespace

// Some objects know their names only through IDispatchEx (the classes of Wine's script engine,
// for one): they are asked there, without regard to case as a late-bound host's names go.
HRESULT AutomationObject::DynamicIdOf(std::wstring& name, DISPID& id) {
    IDispatchEx* dynamic = nullptr;
    if (FAILED(
            dispatch_->QueryInterface(__uuidof(IDispatchEx), reinterpret_cast<void**>(&dynamic)))) {
        return E_NOTIMPL;
    }
    BSTR text = ::SysAllocStringLen(name.data(), static_cast<UINT>(name.size()));
    const HRESULT hr =
        text ? dynamic->GetDispID(text, fdexNameCaseInsensitive, &id) : E_OUTOFMEMORY;
    ::SysFreeString(text);
    dynamic->Release();
    return hr;
}

AutomationObject::AutomationObject(IDispatch* dispatch) : dispatch_(dispatch) {
    dispatch_->AddRef();
}

AutomationObject::~AutomationObject() {
    dispatch_->Release();
}

DISPID AutomationObject::IdOf(std::string_view name) {
    std::wstring wide = win32::Widen(name);
    LPOLESTR names[] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (hr == E_NOTIMPL) hr = DynamicIdOf(wide, id);
    if (hr == DISP_E_UNKNOWNNAME || hr == DISP_E_MEMBERNOTFOUND) Raise(vberr::NoSuchMember);
    if (FAILED(hr)) {
        EXCEPINFO none{};
        throw ErrorOfCall(hr, none, dispatch_);
    }
    return id;
}

Variant AutomationObject::CallByName(std::string_view name, cp::CallType type,
                                     std::vector<Variant> args) {
    const DISPID id = IdOf(name);
    ArgumentBlock block(args);
    DISPPARAMS params = block.Params(type);
    OwnedVariant answer;
    EXCEPINFO exception{};
    UINT argError = 0;
    // A put gives no result.
    VARIANT* result = type == cp::CallType::Let ? nullptr : &answer.v;
    const HRESULT hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, FlagsOf(type), &params,
                                         result, &exception, &argError);
    if (FAILED(hr)) throw ErrorOfCall(hr, exception, dispatch_);
    return FromVariant(answer.v);
}

}  // namespace ocx
