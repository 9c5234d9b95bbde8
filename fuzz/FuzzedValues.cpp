#include "fuzz/FuzzedValues.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

namespace cp::fuzz {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Values at the edges of what the conversions accept.
constexpr double kEdgeNumbers[] = {
    0,       -0.0,    0.5,        1.5,    2.5,        -1,           255.5,       -0.5,
    32767.5, 32768,   -32768.5,   -32769, 2147483647, 2147483647.5, -2147483649, 1e15,
    1e16,    1e308,   kMax,       -kMax,  kInf,       -kInf,        -657434,     -657435,
    2958465, 2958466, 2958465.99, 9.3e18, -9.3e18,    5e-324,
};

// Pieces that the item strings, widths and numbers are made of.
constexpr const char* kPieces[] = {
    ";",
    ";;",
    "1",
    "-1",
    "1000",
    "0",
    "&H",
    "&HFFFF",
    "&O17",
    "1e400",
    "1,5",
    "1.5",
    "1D3",
    " ",
    "True",
    "False",
    "first",
    "é",
    "\xff",
    "\xc0\x80",
    "\xed\xa0\x80",
    "\xf4\x90\x80\x80",
    "𝄞",
    "ß",
    "İ",
    "\t",
    "60",
    "-0",
    "+",
    "E",
};

Variant ConsumeObject(FuzzedDataProvider& in) {
    if (in.ConsumeBool()) return Variant(std::shared_ptr<Object>());
    return Variant(std::make_shared<Object>());
}

}  // namespace

double ConsumeDouble(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return in.PickValueInArray(kEdgeNumbers);
        case 1:
            return in.ConsumeIntegralInRange<std::int32_t>(-100000, 100000);
        case 2:
            return in.ConsumeFloatingPoint<double>();
        default:
            return std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>());
    }
}

std::string ConsumeText(FuzzedDataProvider& in, std::size_t maxBytes) {
    if (in.ConsumeBool()) return in.ConsumeRandomLengthString(maxBytes);
    std::string text;
    const int pieces = in.ConsumeIntegralInRange(0, 12);
    for (int i = 0; i < pieces && text.size() < maxBytes; ++i)
        text += in.PickValueInArray(kPieces);
    return text;
}

Variant ConsumeVariant(FuzzedDataProvider& in, int depth) {
    switch (in.ConsumeIntegralInRange(0, depth > 0 ? 13 : 12)) {
        case 0:
            return Variant();
        case 1:
            return Variant::Null();
        case 2:
            return Variant(in.ConsumeBool());
        case 3:
            return Variant(in.ConsumeIntegral<std::int16_t>());
        case 4:
            return Variant(in.ConsumeIntegral<std::int32_t>());
        case 5:
            return Variant(in.ConsumeIntegral<std::uint8_t>());
        case 6:
            return Variant(static_cast<float>(ConsumeDouble(in)));
        case 7:
            return Variant(ConsumeDouble(in));
        case 8:
            return Variant(Currency{in.ConsumeIntegral<std::int64_t>()});
        case 9:
            return Variant(Date{ConsumeDouble(in)});
        case 10:
        case 11:
            return Variant(ConsumeText(in));
        case 12:
            return ConsumeObject(in);
        default:
            return Variant(ConsumeTable(in, 3, 3, depth - 1));
    }
}

std::shared_ptr<VariantArray> ConsumeTable(FuzzedDataProvider& in, int maxFields, int maxRows,
                                           int depth) {
    const std::int32_t fields = in.ConsumeIntegralInRange(0, maxFields);
    const std::int32_t rows = in.ConsumeIntegralInRange(0, maxRows);
    auto table = std::make_shared<VariantArray>(std::vector<std::int32_t>{fields, rows});
    for (Variant& v : table->Elements())
        v = ConsumeVariant(in, depth);
    return table;
}

std::size_t FieldCount(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), ';')) + 1;
}

std::string Describe(const Variant& v) {
    const std::string type = std::to_string(static_cast<int>(v.Type()));
    if (v.IsObject() || v.IsArray() || v.IsNull() || v.IsEmpty()) return "type " + type;
    if (v.IsString()) return "\"" + v.String() + "\"";
    char number[40];
    std::snprintf(number, sizeof number, "%.17g", v.Number());
    return "type " + type + " " + number;
}

bool SameValue(const Variant& a, const Variant& b) {
    if (a.Type() != b.Type()) return false;
    if (a.IsString()) return a.String() == b.String();
    if (a.IsObject()) return a.ObjectRef() == b.ObjectRef();
    if (a.IsArray()) return a.Array() == b.Array();
    if (const auto* c = a.Get<Currency>()) return c->scaled == b.Get<Currency>()->scaled;
    if (!a.IsNumeric()) return true;
    const double x = a.Number(), y = b.Number();
    return std::memcmp(&x, &y, sizeof x) == 0;
}

}  // namespace cp::fuzz
