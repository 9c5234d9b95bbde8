// Checked conversions and rounding of the host runtime, and the fixed twips-per-pixel factor.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Variant.h"

namespace cp {

// Twips per pixel on a screen of 96 pixels per inch; the screen in use has its own factor
// (runtime/ScreenUnits.h).
inline constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest integer, ties to the even one (8.5 -> 8, 9.5 -> 10).
double RoundHalfEven(double x);

// The largest whole number not above x (the runtime's Int).
double Floor(double x);

// Conversions that round ties to even and raise error 6 when the result is out of range.
std::int16_t CInt(double x);
std::int32_t CLng(double x);
std::uint8_t CByte(double x);

// Conversions of a Variant: numbers convert as numbers, numeric Strings through CDbl, Boolean
// as -1 or 0; Null is error 94, anything else error 13.
std::int16_t CInt(const Variant& v);
std::int32_t CLng(const Variant& v);
std::uint8_t CByte(const Variant& v);
double CDbl(const Variant& v);
bool CBool(const Variant& v);

// The locale-aware conversion of a text to a double: surrounding blanks, a sign, digits with
// the locale's decimal separator, an exponent, or &H / &O numbers. Anything else is error 13.
double CDbl(std::string_view text);
inline double CDbl(const char* text) {
    return CDbl(std::string_view(text));
}
inline double CDbl(const std::string& text) {
    return CDbl(std::string_view(text));
}

// The text form of numbers as the host formats them: up to 15 significant digits for Double,
// 7 for Single, with the locale's decimal separator, and E+nn beyond that range.
std::string FormatDouble(double x);
std::string FormatSingle(float x);
std::string FormatCurrency(Currency c);
// A Date outside the years 100 to 9999, infinite or not a number, is error 6.
std::string FormatDate(Date d);

}  // namespace cp
