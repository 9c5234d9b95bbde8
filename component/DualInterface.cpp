// The dual interface's own table of operations: each one reaches the control through the
// interface table by its published name, as late-bound calls do through Invoke.
#include "component/ColumnPickObject.h"
#include "component/ComError.h"
#include "component/ComVariant.h"
#include "platform/win32/Wide.h"
#include "runtime/Conversions.h"

namespace ocx {
namespace {

using iface::Kind;

const iface::Member* FindByName(std::string_view name, Kind kind) {
    for (const iface::Member& m : iface::Members()) {
        if (m.name == name && m.kind == kind) return &m;
    }
    return nullptr;
}

using Args = std::vector<Variant>;

Variant Text(BSTR text) {
    return Variant(win32::Narrow(std::wstring_view(text, text ? ::SysStringLen(text) : 0)));
}

// A database object as the fills take it: the component's own, or a host's called by name.
Variant DatabaseVariant(IDispatch* database) {
    VARIANT v;
    ::VariantInit(&v);
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = database;
    return FromVariant(v);
}

Variant Boolean(VARIANT_BOOL value) {
    return Variant(value != VARIANT_FALSE);
}

Variant Color(OLE_COLOR value) {
    return Variant(static_cast<std::int32_t>(value));
}

void Store(const Variant& v, short* out) {
    *out = CInt(v);
}
void Store(const Variant& v, LONG* out) {
    *out = CLng(v);
}
// VARIANT_BOOL is a short to the compiler: a Boolean result comes through a type of its own.
struct BooleanOut {
    VARIANT_BOOL* value;
};
void Store(const Variant& v, BooleanOut* out) {
    *out->value = CBool(v) ? VARIANT_TRUE : VARIANT_FALSE;
}
void Store(const Variant& v, OLE_COLOR* out) {
    *out = static_cast<OLE_COLOR>(CLng(v));
}
void Store(const Variant& v, ::typAppearance* out) {
    *out = static_cast<::typAppearance>(CLng(v));
}
void Store(const Variant& v, BSTR* out) {
    // A text may hold NUL characters: the string keeps its length.
    const std::wstring text = win32::Widen(CStr(v));
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (*out == nullptr) throw std::bad_alloc();
}
void Store(const Variant& v, VARIANT* out) {
    ToVariant(v, out);
}

// What an [out] parameter holds when the call fails: COM's callers free what they get back,
// failure or not.
template <class T>
void ClearOut(T* out) {
    *out = T{};
}
void ClearOut(BooleanOut* out) {
    *out->value = VARIANT_FALSE;
}
void ClearOut(VARIANT* out) {
    ::VariantInit(out);
}
void ClearOut(BSTR* out) {
    *out = nullptr;
}

}  // namespace

HRESULT ColumnPickObject::CallByName(std::string_view name, Kind kind, std::vector<Variant> args,
                                     Variant* result) {
    return Entered(IID__ColumnPick, [&] {
        const iface::Member* m = FindByName(name, kind);
        if (m == nullptr) return E_NOTIMPL;
        Variant answer = CallMember(m->dispid, kind, args);
        if (result != nullptr) *result = std::move(answer);
        return S_OK;
    });
}

template <class Out>
HRESULT ColumnPickObject::GetByName(std::string_view name, Out* out, std::vector<Variant> args) {
    if (out == nullptr) return E_POINTER;
    ClearOut(out);
    // The value is stored once the call has returned: the object is still whole then.
    const cp::CallFrames::Frame frame(host_->Frames());
    Variant answer;
    const HRESULT hr = CallByName(name, Kind::PropertyGet, std::move(args), &answer);
    if (FAILED(hr)) return hr;
    const HRESULT stored = Boundary(IID__ColumnPick, [&] {
        Store(answer, out);
        return S_OK;
    });
    if (FAILED(stored)) ClearOut(out);
    return stored;
}

HRESULT ColumnPickObject::About() {
    return CallByName("About", Kind::Method, {});
}
HRESULT ColumnPickObject::AddItem(BSTR strItem) {
    return CallWith("AddItem", Kind::Method, [&] { return Args{Text(strItem)}; });
}
HRESULT ColumnPickObject::AddList(BSTR strItem) {
    return CallWith("AddList", Kind::Method, [&] { return Args{Text(strItem)}; });
}
HRESULT ColumnPickObject::get_Appearance(::typAppearance* value) {
    return GetByName("Appearance", value);
}
HRESULT ColumnPickObject::put_Appearance(::typAppearance value) {
    return CallByName("Appearance", Kind::PropertyLet, {Variant(std::int32_t{value})});
}
HRESULT ColumnPickObject::get_ArrayWithItems(VARIANT* value) {
    return GetByName("ArrayWithItems", value);
}
HRESULT ColumnPickObject::get_BackColorNormal(OLE_COLOR* value) {
    return GetByName("BackColorNormal", value);
}
HRESULT ColumnPickObject::put_BackColorNormal(OLE_COLOR value) {
    return CallByName("BackColorNormal", Kind::PropertyLet, {Color(value)});
}
HRESULT ColumnPickObject::get_BackColorSelected(OLE_COLOR* value) {
    return GetByName("BackColorSelected", value);
}
HRESULT ColumnPickObject::put_BackColorSelected(OLE_COLOR value) {
    return CallByName("BackColorSelected", Kind::PropertyLet, {Color(value)});
}
HRESULT ColumnPickObject::get_BoundColumn(short* value) {
    return GetByName("BoundColumn", value);
}
HRESULT ColumnPickObject::put_BoundColumn(short* value) {
    if (value == nullptr) return E_POINTER;
    return CallByName("BoundColumn", Kind::PropertyLet, {Variant(std::int16_t{*value})});
}
HRESULT ColumnPickObject::Clear() {
    return CallByName("Clear", Kind::Method, {});
}
HRESULT ColumnPickObject::get_Column(short intColumn, VARIANT* value) {
    return GetByName("Column", value, {Variant(std::int16_t{intColumn})});
}
HRESULT ColumnPickObject::get_ColumnCount(short* value) {
    return GetByName("ColumnCount", value);
}
HRESULT ColumnPickObject::put_ColumnCount(short* value) {
    if (value == nullptr) return E_POINTER;
    return CallByName("ColumnCount", Kind::PropertyLet, {Variant(std::int16_t{*value})});
}
HRESULT ColumnPickObject::put_ColumnLineForeColor(OLE_COLOR value) {
    return CallByName("ColumnLineForeColor", Kind::PropertyLet, {Color(value)});
}
HRESULT ColumnPickObject::put_ColumnWidths(BSTR* value) {
    if (value == nullptr) return E_POINTER;
    return CallWith("ColumnWidths", Kind::PropertyLet, [&] { return Args{Text(*value)}; });
}
HRESULT ColumnPickObject::get_ComboBoxIsOpen(VARIANT_BOOL* value) {
    if (value == nullptr) return E_POINTER;
    BooleanOut out{value};
    return GetByName("ComboBoxIsOpen", &out);
}
HRESULT ColumnPickObject::get_Enabled(VARIANT_BOOL* value) {
    if (value == nullptr) return E_POINTER;
    BooleanOut out{value};
    return GetByName("Enabled", &out);
}
HRESULT ColumnPickObject::put_Enabled(VARIANT_BOOL* value) {
    if (value == nullptr) return E_POINTER;
    return CallByName("Enabled", Kind::PropertyLet, {Boolean(*value)});
}
HRESULT ColumnPickObject::FillComboBoxMultiColumn(IDispatch* dbDatabase, BSTR strSelectQuery) {
    return CallWith("FillComboBoxMultiColumn", Kind::Method, [&] {
        return Args{DatabaseVariant(dbDatabase), Text(strSelectQuery)};
    });
}
HRESULT ColumnPickObject::ConnectComboBoxMultiColumn(IDispatch* dbDatabase, BSTR strSource,
                                                     BSTR strKeyField) {
    return CallWith("ConnectComboBoxMultiColumn", Kind::Method, [&] {
        return Args{DatabaseVariant(dbDatabase), Text(strSource), Text(strKeyField)};
    });
}
HRESULT ColumnPickObject::FillComboBoxMultiColumnRecordset(VARIANT rec) {
    return CallWith("FillComboBoxMultiColumnRecordset", Kind::Method,
                    [&] { return Args{FromVariant(rec)}; });
}
HRESULT ColumnPickObject::get_ForeColorNormal(OLE_COLOR* value) {
    return GetByName("ForeColorNormal", value);
}
HRESULT ColumnPickObject::put_ForeColorNormal(OLE_COLOR value) {
    return CallByName("ForeColorNormal", Kind::PropertyLet, {Color(value)});
}
HRESULT ColumnPickObject::get_ForeColorSelected(OLE_COLOR* value) {
    return GetByName("ForeColorSelected", value);
}
HRESULT ColumnPickObject::put_ForeColorSelected(OLE_COLOR value) {
    return CallByName("ForeColorSelected", Kind::PropertyLet, {Color(value)});
}
HRESULT ColumnPickObject::get_ListCount(LONG* value) {
    return GetByName("ListCount", value);
}
HRESULT ColumnPickObject::get_ListIndex(LONG* value) {
    return GetByName("ListIndex", value);
}
HRESULT ColumnPickObject::put_ListIndex(LONG value) {
    return CallByName("ListIndex", Kind::PropertyLet, {Variant(std::int32_t{value})});
}
HRESULT ColumnPickObject::get_ListWidth(short* value) {
    return GetByName("ListWidth", value);
}
HRESULT ColumnPickObject::put_ListWidth(short* value) {
    if (value == nullptr) return E_POINTER;
    return CallByName("ListWidth", Kind::PropertyLet, {Variant(std::int16_t{*value})});
}
HRESULT ColumnPickObject::get_ListRows(short* value) {
    return GetByName("ListRows", value);
}
HRESULT ColumnPickObject::put_ListRows(short* value) {
    if (value == nullptr) return E_POINTER;
    return CallByName("ListRows", Kind::PropertyLet, {Variant(std::int16_t{*value})});
}
HRESULT ColumnPickObject::get_Locked(VARIANT_BOOL* value) {
    if (value == nullptr) return E_POINTER;
    BooleanOut out{value};
    return GetByName("Locked", &out);
}
HRESULT ColumnPickObject::put_Locked(VARIANT_BOOL value) {
    return CallByName("Locked", Kind::PropertyLet, {Boolean(value)});
}
HRESULT ColumnPickObject::RemoveItem(LONG* lngIndex) {
    if (lngIndex == nullptr) return E_POINTER;
    return CallByName("RemoveItem", Kind::Method, {Variant(std::int32_t{*lngIndex})});
}
HRESULT ColumnPickObject::SelectAllTextInTextBox() {
    return CallByName("SelectAllTextInTextBox", Kind::Method, {});
}
HRESULT ColumnPickObject::ShowDropDown() {
    return CallByName("ShowDropDown", Kind::Method, {});
}
HRESULT ColumnPickObject::put_Text(BSTR value) {
    return CallWith("Text", Kind::PropertyLet, [&] { return Args{Text(value)}; });
}
HRESULT ColumnPickObject::get_Text(BSTR* value) {
    return GetByName("Text", value);
}
HRESULT ColumnPickObject::get_Value(VARIANT* value) {
    return GetByName("Value", value);
}
HRESULT ColumnPickObject::put_Value(VARIANT value) {
    Variant v;
    const HRESULT hr = Boundary(IID__ColumnPick, [&] {
        v = FromVariant(value);
        return S_OK;
    });
    if (FAILED(hr)) return hr;
    return CallByName("Value", Kind::PropertyLet, {std::move(v)});
}
HRESULT ColumnPickObject::get_MatchMode(short* value) {
    return GetByName("MatchMode", value);
}
HRESULT ColumnPickObject::put_MatchMode(short value) {
    return CallByName("MatchMode", Kind::PropertyLet, {Variant(std::int16_t{value})});
}
HRESULT ColumnPickObject::get_SearchColumns(BSTR* value) {
    return GetByName("SearchColumns", value);
}
HRESULT ColumnPickObject::put_SearchColumns(BSTR value) {
    return CallWith("SearchColumns", Kind::PropertyLet, [&] { return Args{Text(value)}; });
}
HRESULT ColumnPickObject::get_FilterList(VARIANT_BOOL* value) {
    if (value == nullptr) return E_POINTER;
    BooleanOut out{value};
    return GetByName("FilterList", &out);
}
HRESULT ColumnPickObject::put_FilterList(VARIANT_BOOL value) {
    return CallByName("FilterList", Kind::PropertyLet, {Boolean(value)});
}

HRESULT ColumnPickObject::get_ColumnHeads(VARIANT_BOOL* value) {
    if (value == nullptr) return E_POINTER;
    *value = VARIANT_FALSE;
    BooleanOut out{value};
    return GetByName("ColumnHeads", &out);
}
HRESULT ColumnPickObject::put_ColumnHeads(VARIANT_BOOL value) {
    return CallByName("ColumnHeads", Kind::PropertyLet, {Boolean(value)});
}
HRESULT ColumnPickObject::get_ColumnCaptions(BSTR* value) {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    return GetByName("ColumnCaptions", value);
}
HRESULT ColumnPickObject::put_ColumnCaptions(BSTR value) {
    return CallWith("ColumnCaptions", Kind::PropertyLet, [&] { return Args{Text(value)}; });
}
HRESULT ColumnPickObject::get_ColumnAlignments(BSTR* value) {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    return GetByName("ColumnAlignments", value);
}
HRESULT ColumnPickObject::put_ColumnAlignments(BSTR value) {
    return CallWith("ColumnAlignments", Kind::PropertyLet, [&] { return Args{Text(value)}; });
}
HRESULT ColumnPickObject::FitColumnWidths(BSTR* widths) {
    if (widths == nullptr) return E_POINTER;
    *widths = nullptr;
    Variant answer;
    const HRESULT hr = CallByName("FitColumnWidths", Kind::Method, {}, &answer);
    if (FAILED(hr)) return hr;
    return Boundary(IID__ColumnPick, [&] {
        Store(answer, widths);
        return S_OK;
    });
}

}  // namespace ocx
