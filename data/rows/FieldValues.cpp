#include "data/rows/FieldValues.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace cp::rows {
namespace {

// The largest integer from which on a Double no longer holds every integer.
constexpr std::int64_t kExactDoubleLimit = std::int64_t{1} << 53;
// The significant digits that any decimal number of that many digits keeps through a Double.
constexpr int kExactDoubleDigits = 15;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The significant digits of a decimal number written as text: the digits of its mantissa
// without leading zeros and without zeros after the last non-zero digit of a fraction. -1 when
// text is not a number.
int SignificantDigits(std::string_view text) {
    std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    std::string digits;
    bool point = false;
    std::size_t integral = 0;
    for (; i < text.size() && (IsDigit(text[i]) || (text[i] == '.' && !point)); ++i) {
        if (text[i] == '.') {
            point = true;
        } else {
            digits += text[i];
            if (!point) ++integral;
        }
    }
    if (digits.empty()) return -1;
    if (i < text.size()) {
        // Only an exponent may follow the mantissa.
        if (text[i] != 'e' && text[i] != 'E') return -1;
        std::size_t e = i + 1;
        if (e < text.size() && (text[e] == '-' || text[e] == '+')) ++e;
        if (e == text.size()) return -1;
        for (; e < text.size(); ++e)
            if (!IsDigit(text[e])) return -1;
    }
    // Zeros after the point and after the last non-zero digit do not count.
    std::size_t end = digits.size();
    while (end > integral && digits[end - 1] == '0')
        --end;
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos || first >= end) return 0;
    return static_cast<int>(end - first);
}

enum class IntegerFit { Long, Double, Digits };

IntegerFit FitOf(std::int64_t value) {
    if (value >= std::numeric_limits<std::int32_t>::min() &&
        value <= std::numeric_limits<std::int32_t>::max()) {
        return IntegerFit::Long;
    }
    if (value >= -kExactDoubleLimit && value <= kExactDoubleLimit) return IntegerFit::Double;
    return IntegerFit::Digits;
}

}  // namespace

Variant IntegerVariant(std::int64_t value) {
    switch (FitOf(value)) {
        case IntegerFit::Long:
            return Variant(static_cast<std::int32_t>(value));
        case IntegerFit::Double:
            return Variant(static_cast<double>(value));
        case IntegerFit::Digits:
            break;
    }
    return Variant(std::to_string(value));
}

void WriteInteger(std::int64_t value, FieldSink& sink) {
    switch (FitOf(value)) {
        case IntegerFit::Long:
            return sink.Long(static_cast<std::int32_t>(value));
        case IntegerFit::Double:
            return sink.Double(static_cast<double>(value));
        case IntegerFit::Digits:
            break;
    }
    sink.Text(std::to_string(value));
}

Variant DecimalVariant(std::string_view text) {
    const int digits = SignificantDigits(text);
    if (digits < 0) return Variant(text);
    // from_chars takes no plus sign, and unlike strtod it ignores the C locale of the moment.
    const std::string_view number = text[0] == '+' ? text.substr(1) : text;
    const char* const last = number.data() + number.size();
    if (number.find_first_of(".eE") == std::string_view::npos) {
        std::int64_t integer = 0;
        const auto [end, error] = std::from_chars(number.data(), last, integer);
        if (error == std::errc() && end == last) return IntegerVariant(integer);
    }
    if (digits > kExactDoubleDigits) return Variant(text);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), last, value);
    if (error != std::errc() || end != last) return Variant(text);
    return Variant(value);
}

}  // namespace cp::rows
