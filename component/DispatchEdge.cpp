#include "component/DispatchEdge.h"

#include <new>
#include <optional>

#include "component/ComError.h"
#include "component/ComVariant.h"
#include "component/Module.h"
#include "platform/win32/Wide.h"

namespace ocx {
namespace {

using iface::Kind;
using iface::Member;

bool SameName(std::string_view a, std::wstring_view b) {
    const std::wstring wide = win32::Widen(a);
    return ::CompareStringOrdinal(wide.data(), static_cast<int>(wide.size()), b.data(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

const Member* FindMember(std::span<const Member> members, DISPID dispid, Kind kind) {
    for (const Member& m : members) {
        if (m.dispid == dispid && m.kind == kind) return &m;
    }
    return nullptr;
}

// The operation that a call's flags ask for, among those the identifier has.
const Member* Resolve(std::span<const Member> members, DISPID dispid, WORD flags) {
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) {
        return FindMember(members, dispid, Kind::PropertyLet);
    }
    if ((flags & DISPATCH_METHOD) != 0) {
        if (const Member* method = FindMember(members, dispid, Kind::Method)) return method;
    }
    if ((flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) != 0) {
        return FindMember(members, dispid, Kind::PropertyGet);
    }
    return nullptr;
}

// A colour arrives as a signed or an unsigned 32-bit number; either keeps its bits.
HRESULT ToColor(const VARIANT& in, VARIANT& out) {
    if (V_VT(&in) == VT_UI4) {
        V_VT(&out) = VT_I4;
        V_I4(&out) = static_cast<LONG>(V_UI4(&in));
        return S_OK;
    }
    HRESULT hr = ::VariantChangeType(&out, Source(in), 0, VT_I4);
    if (FAILED(hr) && SUCCEEDED(::VariantChangeType(&out, Source(in), 0, VT_UI4))) {
        const ULONG bits = V_UI4(&out);
        V_VT(&out) = VT_I4;
        V_I4(&out) = static_cast<LONG>(bits);
        hr = S_OK;
    }
    return hr;
}

// A reference to nothing, directly or through a reference to a VARIANT, is no value that a
// caller can pass; the system's copy would follow it.
bool IsNullReference(const VARIANT& v) {
    if ((V_VT(&v) & VT_BYREF) == 0) return false;
    if (V_BYREF(&v) == nullptr) return true;
    if (V_VT(&v) != (VT_BYREF | VT_VARIANT)) return false;
    const VARIANT& target = *V_VARIANTREF(&v);
    return (V_VT(&target) & VT_BYREF) != 0 && V_BYREF(&target) == nullptr;
}

// The argument as the parameter's type, or the failure that the dispatch layer reports. A value
// that becomes the type but that the runtime cannot hold (an array of other than Variants, an
// object without IDispatch) is a type mismatch as well.
HRESULT Coerce(const VARIANT& given, std::string_view type, Variant& out) {
    if (IsNullReference(given)) return DISP_E_TYPEMISMATCH;
    OwnedVariant direct;
    OwnedVariant typed;
    HRESULT hr = ::VariantCopyInd(&direct.v, Source(given));
    if (SUCCEEDED(hr)) {
        if (type == "Variant") {
            hr = ::VariantCopy(&typed.v, &direct.v);
        } else if (type == "OLE_COLOR") {
            hr = ToColor(direct.v, typed.v);
        } else {
            VARTYPE vt = VT_I4;
            if (type == "String") vt = VT_BSTR;
            if (type == "Integer") vt = VT_I2;
            if (type == "Boolean") vt = VT_BOOL;
            if (type == "Database") vt = VT_DISPATCH;
            hr = ::VariantChangeType(&typed.v, &direct.v, 0, vt);
        }
    }
    if (hr == DISP_E_OVERFLOW) return hr;
    if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
    try {
        out = FromVariant(typed.v);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return CurrentError().Number() == vberr::Overflow ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
    }
    return S_OK;
}

bool IsMissing(const VARIANT& v) {
    return V_VT(&v) == VT_ERROR && V_ERROR(&v) == DISP_E_PARAMNOTFOUND;
}

// The arguments in the member's order: the positional ones (given last to first), then, for
// a Let, the value named DISPID_PROPERTYPUT.
HRESULT Arguments(const Member& m, const DISPPARAMS& p, std::vector<Variant>& args,
                  UINT* argError) {
    const UINT named = p.cNamedArgs;
    const bool let = m.kind == Kind::PropertyLet;
    // Counts that the arrays cannot hold are no call at all.
    if (named > p.cArgs || (p.cArgs > 0 && p.rgvarg == nullptr) ||
        (named > 0 && p.rgdispidNamedArgs == nullptr)) {
        return E_INVALIDARG;
    }
    if (named > (let ? 1u : 0u)) return DISP_E_NONAMEDARGS;
    if (named == 1 && p.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) return DISP_E_NONAMEDARGS;
    if (let && named == 0) return DISP_E_PARAMNOTOPTIONAL;
    const std::size_t expected = m.params.size();
    if (p.cArgs > expected) return DISP_E_BADPARAMCOUNT;
    // rgvarg holds the named value first, then the positional arguments last to first.
    auto slot = [&](std::size_t i) -> std::optional<UINT> {
        if (let && i + 1 == expected) return 0u;
        const std::size_t positional = p.cArgs - named;
        if (i >= positional) return std::nullopt;
        return static_cast<UINT>(named + positional - 1 - i);
    };
    args.assign(expected, Variant());
    for (std::size_t i = 0; i < expected; ++i) {
        const std::optional<UINT> at = slot(i);
        if (!at || IsMissing(p.rgvarg[*at])) {
            if (argError) *argError = at.value_or(static_cast<UINT>(expected - 1 - i));
            return DISP_E_PARAMNOTOPTIONAL;
        }
        const HRESULT hr = Coerce(p.rgvarg[*at], m.params[i].type, args[i]);
        if (FAILED(hr)) {
            if (argError) *argError = *at;
            return hr;
        }
    }
    return S_OK;
}

}  // namespace

DispatchTable ControlTable() {
    return {iface::Members(), kProgIdUtf8};
}

HRESULT IdsOfNames(const DispatchTable& table, LPOLESTR* names, UINT count, DISPID* ids) {
    if (count == 0) return S_OK;
    HRESULT result = S_OK;
    const Member* found = nullptr;
    // A name that is no string names nothing.
    for (const Member& m : table.members) {
        if (names[0] != nullptr && SameName(m.name, names[0])) {
            found = &m;
            break;
        }
    }
    ids[0] = found ? found->dispid : DISPID_UNKNOWN;
    if (!found) result = DISP_E_UNKNOWNNAME;
    for (UINT n = 1; n < count; ++n) {
        ids[n] = DISPID_UNKNOWN;
        for (std::size_t i = 0; found && names[n] != nullptr && i < found->params.size(); ++i) {
            if (SameName(found->params[i].name, names[n])) ids[n] = static_cast<DISPID>(i);
        }
        if (ids[n] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
    }
    return result;
}

HRESULT InvokeByTable(const DispatchTable& table, const MemberCall& call, DISPID dispid, WORD flags,
                      DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    // The result is Empty unless the call gives one, failed calls included.
    if (result != nullptr) ::VariantInit(result);
    const Member* m = Resolve(table.members, dispid, flags);
    // An identifier without the operation asked for (reading a write-only property, say) is
    // the member the dispatch layer cannot find.
    if (m == nullptr) return DISP_E_MEMBERNOTFOUND;
    static const DISPPARAMS none{};
    std::vector<Variant> args;
    HRESULT hr = Arguments(*m, params ? *params : none, args, argError);
    if (FAILED(hr)) return hr;
    try {
        const Variant answer = call(m->dispid, m->kind, args);
        if (result != nullptr && (m->kind == Kind::PropertyGet || !m->type.empty())) {
            ToVariant(answer, result);
        }
        return S_OK;
    } catch (...) {
        if (result != nullptr) {
            ::VariantClear(result);
            ::VariantInit(result);
        }
        FillException(exception, CurrentError(), table.source);
        return DISP_E_EXCEPTION;
    }
}

}  // namespace ocx
