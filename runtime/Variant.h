// The host runtime's tagged value: Empty, Null, Boolean, Integer (16-bit), Long (32-bit), Byte,
// Single, Double, Currency, Date, String, an object reference, or an array of values.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "runtime/BlockVector.h"

namespace cp {

enum class VarType : std::uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Boolean = 11,
    Byte = 17,
    Array = 0x2000,
};

// A fixed-point amount with four decimals, kept as value x 10000.
struct Currency {
    std::int64_t scaled = 0;
    friend bool operator==(Currency, Currency) = default;
};

// A date as days since 30 December 1899, the fraction being the time of day.
struct Date {
    double serial = 0;
    friend bool operator==(Date, Date) = default;
};

// Base of the automation objects that a Variant can refer to (a recordset, for instance).
class Object {
public:
    virtual ~Object() = default;
};

class VariantArray;

class Variant {
public:
    Variant() = default;
    static Variant Null() { return Variant(NullTag{}); }
    Variant(bool v) : value_(v) {}
    Variant(std::int16_t v) : value_(v) {}
    Variant(std::int32_t v) : value_(v) {}
    Variant(std::uint8_t v) : value_(v) {}
    Variant(float v) : value_(v) {}
    Variant(double v) : value_(v) {}
    Variant(Currency v) : value_(v) {}
    Variant(Date v) : value_(v) {}
    Variant(std::string v) : value_(std::move(v)) {}
    Variant(std::string_view v) : value_(std::in_place_type<std::string>, v) {}
    Variant(const char* v) : value_(std::in_place_type<std::string>, v) {}
    Variant(std::shared_ptr<Object> v) : value_(std::move(v)) {}
    Variant(std::shared_ptr<VariantArray> v) : value_(std::move(v)) {}

    VarType Type() const;
    bool IsEmpty() const { return value_.index() == 0; }
    bool IsNull() const { return std::holds_alternative<NullTag>(value_); }
    bool IsString() const { return std::holds_alternative<std::string>(value_); }
    bool IsNumeric() const;  // Boolean, Byte, Integer, Long, Single, Double, Currency, Date
    bool IsArray() const { return std::holds_alternative<std::shared_ptr<VariantArray>>(value_); }
    bool IsObject() const { return std::holds_alternative<std::shared_ptr<Object>>(value_); }

    // Direct access; the caller has checked the type.
    const std::string& String() const { return std::get<std::string>(value_); }
    const std::shared_ptr<Object>& ObjectRef() const {
        return std::get<std::shared_ptr<Object>>(value_);
    }
    const std::shared_ptr<VariantArray>& Array() const {
        return std::get<std::shared_ptr<VariantArray>>(value_);
    }

    // The numeric value of a numeric Variant (Boolean True is -1); error 13 otherwise.
    double Number() const;

    template <class T>
    const T* Get() const {
        return std::get_if<T>(&value_);
    }

private:
    struct NullTag {
        friend bool operator==(NullTag, NullTag) = default;
    };
    explicit Variant(NullTag tag) : value_(tag) {}

    std::variant<std::monostate, NullTag, bool, std::int16_t, std::int32_t, std::uint8_t, float,
                 double, Currency, Date, std::string, std::shared_ptr<Object>,
                 std::shared_ptr<VariantArray>>
        value_;
};

// An array of Variants with one or more dimensions, each indexed from 0. Elements are stored
// with the first index varying fastest, so a two-dimensional (column, row) table keeps each
// row's entries together. The elements are kept in blocks, so that a large table is never one
// allocation and a reader that takes them over never copies them.
class VariantArray {
public:
    VariantArray() = default;  // unallocated: no dimensions, no elements
    explicit VariantArray(std::vector<std::int32_t> extents);
    // An array that takes over elements laid out as described above; their number must match.
    VariantArray(std::vector<std::int32_t> extents, BlockVector<Variant> elements);

    bool Allocated() const { return !extents_.empty(); }
    int Dimensions() const { return static_cast<int>(extents_.size()); }
    // The number of elements along a dimension (0-based dimension); UBound is Extent - 1.
    // Inline: the drawing, the searches and AddItem ask for it per row.
    std::int32_t Extent(int dimension) const {
        if (dimension < 0 || dimension >= Dimensions()) RaiseSubscriptOutOfRange();
        return extents_[static_cast<std::size_t>(dimension)];
    }

    // Checked access: error 9 when an index lies outside the array.
    const Variant& At(std::int32_t i) const;
    const Variant& At(std::int32_t i, std::int32_t j) const;
    Variant& At(std::int32_t i, std::int32_t j);

    BlockVector<Variant>& Elements() { return elements_; }
    const BlockVector<Variant>& Elements() const { return elements_; }

private:
    [[noreturn]] static void RaiseSubscriptOutOfRange();

    std::vector<std::int32_t> extents_;
    BlockVector<Variant> elements_;
};

// Variant equality of the host runtime's "=": Strings character for character, numbers as
// numbers, Empty as 0 or "", a number never equal to a String, Null never equal to anything.
// Comparing an object or an array is error 13.
bool VariantEquals(const Variant& a, const Variant& b);

// The text form of a value (CStr): numbers as the host formats them, Boolean as "True" or
// "False", Empty as "". Null is error 94; an object or an array is error 13; a Date that the
// host cannot show is error 6.
std::string CStr(const Variant& v);

// The text that a cell or the edit field shows for an entry: "" for Null, else CStr.
std::string DisplayText(const Variant& v);

}  // namespace cp
