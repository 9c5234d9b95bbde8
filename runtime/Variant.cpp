#include "runtime/Variant.h"

#include <utility>

#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

namespace cp {

VarType Variant::Type() const {
    static constexpr VarType kTypes[] = {
        VarType::Empty,  VarType::Null,   VarType::Boolean, VarType::Integer,  VarType::Long,
        VarType::Byte,   VarType::Single, VarType::Double,  VarType::Currency, VarType::Date,
        VarType::String, VarType::Object, VarType::Array,
    };
    return kTypes[value_.index()];
}

bool Variant::IsNumeric() const {
    switch (Type()) {
        case VarType::Boolean:
        case VarType::Integer:
        case VarType::Long:
        case VarType::Byte:
        case VarType::Single:
        case VarType::Double:
        case VarType::Currency:
        case VarType::Date:
            return true;
        default:
            return false;
    }
}

double Variant::Number() const {
    if (const auto* b = std::get_if<bool>(&value_)) return *b ? -1.0 : 0.0;
    if (const auto* i = std::get_if<std::int16_t>(&value_)) return *i;
    if (const auto* l = std::get_if<std::int32_t>(&value_)) return *l;
    if (const auto* y = std::get_if<std::uint8_t>(&value_)) return *y;
    if (const auto* f = std::get_if<float>(&value_)) return *f;
    if (const auto* d = std::get_if<double>(&value_)) return *d;
    if (const auto* c = std::get_if<Currency>(&value_)) return static_cast<double>(c->scaled) / 1e4;
    if (const auto* t = std::get_if<cp::Date>(&value_)) return t->serial;
    Raise(vberr::TypeMismatch);
}

namespace {

std::size_t ElementCount(const std::vector<std::int32_t>& extents) {
    std::size_t count = extents.empty() ? 0 : 1;
    for (std::int32_t e : extents) {
        if (e < 0) Raise(vberr::SubscriptOutOfRange);
        count *= static_cast<std::size_t>(e);
    }
    return count;
}

}  // namespace

VariantArray::VariantArray(std::vector<std::int32_t> extents)
    : extents_(std::move(extents)), elements_(ElementCount(extents_)) {}

VariantArray::VariantArray(std::vector<std::int32_t> extents, BlockVector<Variant> elements)
    : extents_(std::move(extents)), elements_(std::move(elements)) {
    if (elements_.size() != ElementCount(extents_)) Raise(vberr::SubscriptOutOfRange);
}

void VariantArray::RaiseSubscriptOutOfRange() {
    Raise(vberr::SubscriptOutOfRange);
}

const Variant& VariantArray::At(std::int32_t i) const {
    if (Dimensions() != 1 || i < 0 || i >= extents_[0]) Raise(vberr::SubscriptOutOfRange);
    return elements_[static_cast<std::size_t>(i)];
}

const Variant& VariantArray::At(std::int32_t i, std::int32_t j) const {
    if (Dimensions() != 2 || i < 0 || i >= extents_[0] || j < 0 || j >= extents_[1]) {
        Raise(vberr::SubscriptOutOfRange);
    }
    return elements_[static_cast<std::size_t>(j) * static_cast<std::size_t>(extents_[0]) +
                     static_cast<std::size_t>(i)];
}

Variant& VariantArray::At(std::int32_t i, std::int32_t j) {
    return const_cast<Variant&>(std::as_const(*this).At(i, j));
}

namespace {

bool IsContainer(const Variant& v) {
    return v.IsObject() || v.IsArray();
}

}  // namespace

bool VariantEquals(const Variant& a, const Variant& b) {
    if (IsContainer(a) || IsContainer(b)) Raise(vberr::TypeMismatch);
    if (a.IsNull() || b.IsNull()) return false;
    if (a.IsEmpty() && b.IsEmpty()) return true;
    if (a.IsEmpty()) return b.IsString() ? b.String().empty() : b.Number() == 0;
    if (b.IsEmpty()) return a.IsString() ? a.String().empty() : a.Number() == 0;
    if (a.IsString() && b.IsString()) return a.String() == b.String();
    // A numeric value is always less than a String, never equal to it.
    if (a.IsString() || b.IsString()) return false;
    if (const auto* ca = a.Get<Currency>()) {
        if (const auto* cb = b.Get<Currency>()) return ca->scaled == cb->scaled;
    }
    return a.Number() == b.Number();
}

std::string CStr(const Variant& v) {
    switch (v.Type()) {
        case VarType::Empty:
            return {};
        case VarType::Null:
            Raise(vberr::InvalidUseOfNull);
        case VarType::Boolean:
            return *v.Get<bool>() ? "True" : "False";
        case VarType::Integer:
            return std::to_string(*v.Get<std::int16_t>());
        case VarType::Long:
            return std::to_string(*v.Get<std::int32_t>());
        case VarType::Byte:
            return std::to_string(*v.Get<std::uint8_t>());
        case VarType::Single:
            return FormatSingle(*v.Get<float>());
        case VarType::Double:
            return FormatDouble(*v.Get<double>());
        case VarType::Currency:
            return FormatCurrency(*v.Get<Currency>());
        case VarType::Date:
            return FormatDate(*v.Get<cp::Date>());
        case VarType::String:
            return v.String();
        default:
            Raise(vberr::TypeMismatch);
    }
}

std::string DisplayText(const Variant& v) {
    return v.IsNull() ? std::string() : CStr(v);
}

}  // namespace cp
