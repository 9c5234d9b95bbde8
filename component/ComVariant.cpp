#include "component/ComVariant.h"

#include <limits>
#include <vector>

#include "component/ComPtr.h"
#include "component/NativeObject.h"
#include "data/rows/FieldValues.h"

#include "platform/win32/Wide.h"
#include "runtime/RuntimeError.h"

namespace ocx {
namespace {

std::string FromBstr(BSTR text) {
    return win32::Narrow(std::wstring_view(text, text ? ::SysStringLen(text) : 0));
}

BSTR ToBstr(const std::string& text) {
    const std::wstring wide = win32::Widen(text);
    BSTR result = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (result == nullptr) throw std::bad_alloc();
    return result;
}

// A value of a type the runtime lacks, as the nearest one it has.
Variant Coerced(const VARIANT& value, VARTYPE to) {
    VARIANT changed;
    ::VariantInit(&changed);
    const HRESULT hr = ::VariantChangeType(&changed, Source(value), 0, to);
    if (FAILED(hr)) Raise(hr == DISP_E_OVERFLOW ? vberr::Overflow : vberr::TypeMismatch);
    Variant result = FromVariant(changed);
    ::VariantClear(&changed);
    return result;
}

// The C++ object behind one of the component's own objects, if it is one.
std::shared_ptr<Object> NativeOf(IUnknown* unknown) {
    NativeObject* own = nullptr;
    if (FAILED(unknown->QueryInterface(kNativeObjectIid, reinterpret_cast<void**>(&own)))) {
        return nullptr;
    }
    std::shared_ptr<Object> native = own->Native();
    own->Release();
    return native;
}

Variant FromObject(IUnknown* unknown) {
    if (unknown == nullptr) return Variant(std::shared_ptr<Object>());
    if (std::shared_ptr<Object> native = NativeOf(unknown)) return Variant(std::move(native));
    ComPtr<IDispatch> dispatch;
    if (FAILED(unknown->QueryInterface(IID_IDispatch, dispatch.Receive()))) {
        Raise(vberr::TypeMismatch);
    }
    return Variant(std::shared_ptr<Object>(std::make_shared<AutomationObject>(dispatch.Get())));
}

// The extents of an array of VARIANTs, first dimension first; anything else, or an array whose
// elements are not VARIANTs whatever its type says, is a type mismatch rather than memory read
// with the wrong stride.
std::vector<std::int32_t> VariantArrayExtents(SAFEARRAY* array) {
    VARTYPE type = VT_EMPTY;
    const UINT dims = ::SafeArrayGetDim(array);
    if (dims == 0 || ::SafeArrayGetElemsize(array) != sizeof(VARIANT) ||
        ((array->fFeatures & FADF_HAVEVARTYPE) != 0 &&
         (FAILED(::SafeArrayGetVartype(array, &type)) || type != VT_VARIANT))) {
        Raise(vberr::TypeMismatch);
    }
    std::vector<std::int32_t> extents;
    for (UINT d = 1; d <= dims; ++d) {
        LONG lower = 0;
        LONG upper = -1;
        if (FAILED(::SafeArrayGetLBound(array, d, &lower)) ||
            FAILED(::SafeArrayGetUBound(array, d, &upper))) {
            Raise(vberr::TypeMismatch);
        }
        const std::int64_t extent = std::int64_t{upper} - lower + 1;
        if (extent < 0 || extent > std::numeric_limits<std::int32_t>::max()) {
            Raise(vberr::OutOfMemory);
        }
        extents.push_back(static_cast<std::int32_t>(extent));
    }
    return extents;
}

std::size_t ElementCount(const std::vector<std::int32_t>& extents) {
    std::size_t count = 1;
    for (std::int32_t extent : extents) {
        const auto n = static_cast<std::size_t>(extent);
        if (n != 0 && count > std::numeric_limits<std::size_t>::max() / n) {
            Raise(vberr::OutOfMemory);
        }
        count *= n;
    }
    return count;
}

// Reads each element in place: the block is as long as its extents say.
Variant FromArray(SAFEARRAY* array) {
    if (array == nullptr) return Variant(std::make_shared<VariantArray>());
    std::vector<std::int32_t> extents = VariantArrayExtents(array);
    const std::size_t count = ElementCount(extents);
    VARIANT* data = nullptr;
    if (FAILED(::SafeArrayAccessData(array, reinterpret_cast<void**>(&data)))) {
        Raise(vberr::TypeMismatch);
    }
    cp::BlockVector<Variant> elements;
    try {
        for (std::size_t i = 0; i < count; ++i)
            elements.emplace_back(FromVariant(data[i]));
    } catch (...) {
        ::SafeArrayUnaccessData(array);
        throw;
    }
    ::SafeArrayUnaccessData(array);
    // Both keep the first index varying fastest.
    return Variant(std::make_shared<VariantArray>(std::move(extents), std::move(elements)));
}

// The text of a number in the invariant locale ("-12.5"), for the database layer's rule on
// keeping digits.
std::string InvariantText(const VARIANT& value) {
    VARIANT text;
    ::VariantInit(&text);
    if (FAILED(::VariantChangeTypeEx(&text, Source(value), LOCALE_INVARIANT, 0, VT_BSTR))) {
        Raise(vberr::TypeMismatch);
    }
    std::string result = FromBstr(V_BSTR(&text));
    ::VariantClear(&text);
    return result;
}

// Wide integers and decimals keep their type where a Variant can hold them exactly, and their
// digits as text where only a Double could round them, as the database layer keeps them.
Variant FromWideNumber(const VARIANT& value) {
    switch (V_VT(&value)) {
        case VT_I8:
            return cp::rows::IntegerVariant(V_I8(&value));
        case VT_UI4:
            return cp::rows::IntegerVariant(V_UI4(&value));
        case VT_INT:
            return cp::rows::IntegerVariant(V_INT(&value));
        case VT_UINT:
            return cp::rows::IntegerVariant(V_UINT(&value));
        default:
            return cp::rows::DecimalVariant(InvariantText(value));
    }
}

void ToArray(const VariantArray& array, VARIANT* out) {
    V_VT(out) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(out) = nullptr;
    if (!array.Allocated()) return;
    std::vector<SAFEARRAYBOUND> bounds;
    for (int d = 0; d < array.Dimensions(); ++d) {
        bounds.push_back({static_cast<ULONG>(array.Extent(d)), 0});
    }
    SAFEARRAY* made =
        ::SafeArrayCreate(VT_VARIANT, static_cast<UINT>(bounds.size()), bounds.data());
    if (made == nullptr) throw std::bad_alloc();
    VARIANT* data = nullptr;
    ::SafeArrayAccessData(made, reinterpret_cast<void**>(&data));
    const auto& elements = array.Elements();
    try {
        for (std::size_t i = 0; i < elements.size(); ++i)
            ToVariant(elements[i], &data[i]);
    } catch (...) {
        ::SafeArrayUnaccessData(made);
        ::SafeArrayDestroy(made);
        throw;
    }
    ::SafeArrayUnaccessData(made);
    V_ARRAY(out) = made;
}

}  // namespace

Variant FromVariant(const VARIANT& value) {
    if (V_VT(&value) == (VT_BYREF | VT_VARIANT)) {
        // A reference to another reference is not a valid VARIANT, and following a chain of
        // them that comes back on itself would never end.
        const VARIANT* target = V_VARIANTREF(&value);
        if (target == nullptr || V_VT(target) == (VT_BYREF | VT_VARIANT)) {
            Raise(vberr::TypeMismatch);
        }
        return FromVariant(*target);
    }
    if ((V_VT(&value) & VT_BYREF) != 0) {
        if (V_BYREF(&value) == nullptr) Raise(vberr::TypeMismatch);
        VARIANT direct;
        ::VariantInit(&direct);
        if (FAILED(::VariantCopyInd(&direct, Source(value)))) Raise(vberr::TypeMismatch);
        Variant result = FromVariant(direct);
        ::VariantClear(&direct);
        return result;
    }
    if ((V_VT(&value) & VT_ARRAY) != 0) {
        if (V_VT(&value) != (VT_ARRAY | VT_VARIANT)) Raise(vberr::TypeMismatch);
        return FromArray(V_ARRAY(&value));
    }
    switch (V_VT(&value)) {
        case VT_EMPTY:
            return Variant();
        case VT_NULL:
            return Variant::Null();
        case VT_I2:
            return Variant(static_cast<std::int16_t>(V_I2(&value)));
        case VT_I4:
            return Variant(static_cast<std::int32_t>(V_I4(&value)));
        case VT_UI1:
            return Variant(static_cast<std::uint8_t>(V_UI1(&value)));
        case VT_R4:
            return Variant(V_R4(&value));
        case VT_R8:
            return Variant(V_R8(&value));
        case VT_CY:
            return Variant(Currency{V_CY(&value).int64});
        case VT_DATE:
            return Variant(Date{V_DATE(&value)});
        case VT_BSTR:
            return Variant(FromBstr(V_BSTR(&value)));
        case VT_BOOL:
            return Variant(V_BOOL(&value) != VARIANT_FALSE);
        case VT_DISPATCH:
            return FromObject(V_DISPATCH(&value));
        case VT_UNKNOWN:
            return FromObject(V_UNKNOWN(&value));
        case VT_I1:
        case VT_UI2:
            return Coerced(value, VT_I4);
        case VT_I8:
        case VT_UI8:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_DECIMAL:
            return FromWideNumber(value);
        default:
            return Coerced(value, VT_R8);
    }
}

void ToVariant(const Variant& value, VARIANT* out) {
    ::VariantInit(out);
    if (value.IsNull()) {
        V_VT(out) = VT_NULL;
    } else if (const auto* b = value.Get<bool>()) {
        V_VT(out) = VT_BOOL;
        V_BOOL(out) = *b ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (const auto* i2 = value.Get<std::int16_t>()) {
        V_VT(out) = VT_I2;
        V_I2(out) = *i2;
    } else if (const auto* i4 = value.Get<std::int32_t>()) {
        V_VT(out) = VT_I4;
        V_I4(out) = *i4;
    } else if (const auto* u1 = value.Get<std::uint8_t>()) {
        V_VT(out) = VT_UI1;
        V_UI1(out) = *u1;
    } else if (const auto* r4 = value.Get<float>()) {
        V_VT(out) = VT_R4;
        V_R4(out) = *r4;
    } else if (const auto* r8 = value.Get<double>()) {
        V_VT(out) = VT_R8;
        V_R8(out) = *r8;
    } else if (const auto* cy = value.Get<Currency>()) {
        V_VT(out) = VT_CY;
        V_CY(out).int64 = cy->scaled;
    } else if (const auto* date = value.Get<Date>()) {
        V_VT(out) = VT_DATE;
        V_DATE(out) = date->serial;
    } else if (value.IsString()) {
        V_BSTR(out) = ToBstr(value.String());
        V_VT(out) = VT_BSTR;
    } else if (value.IsArray()) {
        if (value.Array()) ToArray(*value.Array(), out);
    } else if (value.IsObject()) {
        const auto* automation = dynamic_cast<const AutomationObject*>(value.ObjectRef().get());
        V_VT(out) = VT_DISPATCH;
        V_DISPATCH(out) = automation ? automation->Dispatch() : nullptr;
        if (V_DISPATCH(out) != nullptr) V_DISPATCH(out)->AddRef();
    }
}

}  // namespace ocx
