#include "runtime/Conversions.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "runtime/Locale.h"
#include "runtime/RuntimeError.h"

namespace cp {
namespace {

// The first and last days that a Date can show: 1 January 100 and 31 December 9999.
constexpr double kFirstDateDay = -657434;
constexpr double kLastDateDay = 2958465;

template <class T>
T CheckedRound(double x) {
    const double r = RoundHalfEven(x);
    if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) &&
          r <= static_cast<double>(std::numeric_limits<T>::max()))) {
        Raise(vberr::Overflow);
    }
    return static_cast<T>(r);
}

std::string WithDecimalSeparator(std::string text) {
    const std::string separator = DecimalSeparator();
    if (separator == ".") return text;
    const auto dot = text.find('.');
    if (dot != std::string::npos) text.replace(dot, 1, separator);
    return text;
}

// printf's %G with the runtime's exponent form (at least two digits: 1E+15, 1E-05).
std::string FormatSignificant(double x, int digits) {
    if (x == 0) return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, x);
    return WithDecimalSeparator(buffer);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    }
    return true;
}

// &Hnnnn and &Onnnn: up to 16 bits they read as an Integer, up to 32 bits as a Long (so
// &HFFFF is -1).
double ParseRadix(std::string_view digits, int radix) {
    if (digits.empty()) Raise(vberr::TypeMismatch);
    std::uint64_t value = 0;
    for (char ch : digits) {
        const int d = std::isdigit(static_cast<unsigned char>(ch))
                          ? ch - '0'
                          : std::toupper(static_cast<unsigned char>(ch)) - 'A' + 10;
        if (d < 0 || d >= radix) Raise(vberr::TypeMismatch);
        value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(d);
        if (value > 0xFFFFFFFFu) Raise(vberr::Overflow);
    }
    if (value <= 0xFFFF) return static_cast<std::int16_t>(value);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Rewrites a decimal number in the locale's form into the C form that strtod reads: the
// decimal separator becomes '.', group separators in the integer part are dropped, and D is
// accepted for the exponent. Returns false for anything that is not such a number.
bool ToCNumber(std::string_view text, std::string& out) {
    const std::string decimal = DecimalSeparator();
    const char group = decimal == "," ? '.' : ',';
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) out += text[i++];
    bool digits = false, fraction = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            out += c;
            digits = true;
        } else if (!fraction && text.substr(i, decimal.size()) == decimal) {
            out += '.';
            fraction = true;
            i += decimal.size() - 1;
        } else if (!fraction && c == group && digits) {
            continue;
        } else {
            break;
        }
    }
    if (!digits) return false;
    if (i < text.size() && std::strchr("EeDd", text[i])) {
        out += 'E';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) out += text[i++];
        const std::size_t start = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            out += text[i++];
        if (i == start) return false;
    }
    return i == text.size();
}

}  // namespace

double RoundHalfEven(double x) {
    return std::nearbyint(x);
}

double Floor(double x) {
    return std::floor(x);
}

std::int16_t CInt(double x) {
    return CheckedRound<std::int16_t>(x);
}
std::int32_t CLng(double x) {
    return CheckedRound<std::int32_t>(x);
}
std::uint8_t CByte(double x) {
    return CheckedRound<std::uint8_t>(x);
}

double CDbl(const Variant& v) {
    if (v.IsNull()) Raise(vberr::InvalidUseOfNull);
    if (v.IsEmpty()) return 0;
    if (v.IsString()) return CDbl(std::string_view(v.String()));
    return v.Number();
}

std::int16_t CInt(const Variant& v) {
    return CInt(CDbl(v));
}
std::int32_t CLng(const Variant& v) {
    return CLng(CDbl(v));
}
std::uint8_t CByte(const Variant& v) {
    return CByte(CDbl(v));
}

bool CBool(const Variant& v) {
    if (v.IsString()) {
        const std::string_view text = Trim(v.String());
        if (text.size() == 4 && StartsWithNoCase(text, "TRUE")) return true;
        if (text.size() == 5 && StartsWithNoCase(text, "FALSE")) return false;
    }
    return CDbl(v) != 0;
}

double CDbl(std::string_view text) {
    text = Trim(text);
    if (StartsWithNoCase(text, "&H")) return ParseRadix(text.substr(2), 16);
    if (StartsWithNoCase(text, "&O")) return ParseRadix(text.substr(2), 8);
    std::string c;
    if (!ToCNumber(text, c)) Raise(vberr::TypeMismatch);
    const double value = std::strtod(c.c_str(), nullptr);
    if (!std::isfinite(value)) Raise(vberr::Overflow);
    return value;
}

std::string FormatDouble(double x) {
    return FormatSignificant(x, 15);
}

std::string FormatSingle(float x) {
    return FormatSignificant(x, 7);
}

std::string FormatCurrency(Currency c) {
    const bool negative = c.scaled < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(c.scaled) : static_cast<std::uint64_t>(c.scaled);
    std::string text = negative ? "-" : "";
    text += std::to_string(magnitude / 10000);
    std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty()) text += DecimalSeparator() + fraction;
    return text;
}

std::string FormatDate(Date d) {
    // Days since 30 December 1899; the time of day is the absolute value of the fraction.
    const double whole = std::trunc(d.serial);
    // The host shows the years 100 to 9999 only; beyond them (and for what is no number at
    // all) the day count would not even fit the integers below.
    if (!(whole >= kFirstDateDay && whole <= kLastDateDay)) Raise(vberr::Overflow);
    // Civil date from a day count (days since 1 March of year 0 shifted by eras of 400 years).
    const long z = static_cast<long>(whole) + 693899;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const long day = doy - (153 * mp + 2) / 5 + 1;
    const long month = mp < 10 ? mp + 3 : mp - 9;
    const long year = yoe + era * 400 + (month <= 2);
    const long seconds = std::lround(std::fabs(d.serial - whole) * 86400.0);
    char buffer[64] = "";
    int n = 0;
    if (whole != 0 || seconds == 0) {
        n = std::snprintf(buffer, sizeof buffer, "%ld/%ld/%ld", month, day, year);
    }
    if (seconds != 0) {
        const long h = seconds / 3600 % 24, m = seconds / 60 % 60, s = seconds % 60;
        std::snprintf(buffer + n, sizeof buffer - static_cast<std::size_t>(n),
                      "%s%ld:%02ld:%02ld %s", n ? " " : "", h % 12 == 0 ? 12 : h % 12, m, s,
                      h < 12 ? "AM" : "PM");
    }
    return buffer;
}

}  // namespace cp
