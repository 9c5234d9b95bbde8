#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "tests/support/ErrorOf.h"

namespace cp {
namespace {

using test::ErrorOf;

TEST(Rounding, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ((std::tuple{RoundHalfEven(8.5), RoundHalfEven(-9.5), Floor(66.67), Floor(-0.5)}),
              (std::tuple{8.0, -10.0, 66.0, -1.0}));
}

TEST(CheckedConversions, RaiseOverflowOutsideTheirRange) {
    // Ties go to the even neighbour, so -32768.5 stays inside.
    EXPECT_EQ((std::tuple{CInt(32767.4), CInt(-32768.5), CByte(255.4), CLng(2147483647.0)}),
              (std::tuple{32767, -32768, 255, std::numeric_limits<std::int32_t>::max()}));
    const std::function<void()> outside[] = {
        [] { CInt(32768.0); }, [] { CInt(-32768.6); },     [] { CByte(255.5); },
        [] { CByte(-1.0); },   [] { CLng(2147483648.0); }, [] { CInt(std::nan("")); }};
    for (std::size_t i = 0; i < std::size(outside); ++i)
        EXPECT_EQ(ErrorOf(outside[i]), vberr::Overflow) << "case " << i;
}

TEST(VariantConversions, FollowTheRuntime) {
    EXPECT_EQ((std::vector<std::int32_t>{CInt(Variant("12")), CInt(Variant(true)), CInt(Variant()),
                                         ErrorOf([] { CInt(Variant::Null()); }),
                                         ErrorOf([] { CInt(Variant("abc")); }),
                                         ErrorOf([] { CInt(Variant(std::int32_t{40000})); }),
                                         ErrorOf([] { CBool(Variant("maybe")); })}),
              (std::vector<std::int32_t>{12, -1, 0, vberr::InvalidUseOfNull, vberr::TypeMismatch,
                                         vberr::Overflow, vberr::TypeMismatch}));
    EXPECT_EQ((std::vector<bool>{CBool(Variant(std::int16_t{-1})), CBool(Variant(std::int16_t{0})),
                                 CBool(Variant("true")), CBool(Variant("False"))}),
              (std::vector<bool>{true, false, true, false}));
}

TEST(TextToDouble, AcceptsNumbersInTheLocalesFormOnly) {
    // A group separator in the whole part is taken; four hex digits read as an Integer.
    const std::pair<const char*, double> cases[] = {
        {"1000", 1000}, {"  1500  ", 1500}, {"1000.5", 1000.5}, {"-12", -12}, {"1,000", 1000},
        {"1e3", 1000},  {"&H10", 16},       {"&HFFFF", -1},     {"&O17", 15}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(CDbl(std::string_view(text)), value) << text;
    for (const char* bad : {"", " ", "abc", "12a", "1e", "--1", "1.2.3", "&H", "&HZZ", ";"}) {
        EXPECT_EQ(ErrorOf([&] { CDbl(std::string_view(bad)); }), vberr::TypeMismatch) << bad;
    }
    EXPECT_EQ(ErrorOf([] { CDbl(std::string_view("1e999")); }), vberr::Overflow);
}

TEST(NumberText, UpToFifteenSignificantDigits) {
    EXPECT_EQ(
        (std::vector<std::string>{
            FormatDouble(0), FormatDouble(1.5), FormatDouble(-2), FormatDouble(1.0 / 3),
            FormatDouble(123456789012345.0), FormatDouble(1e15), FormatDouble(0.0001),
            FormatDouble(0.00001), FormatSingle(1.0f / 3), FormatCurrency(Currency{12345}),
            FormatCurrency(Currency{-20000}), FormatCurrency(Currency{1}), FormatDate(Date{0}),
            FormatDate(Date{36526}), FormatDate(Date{36526.5}), FormatDate(Date{0.25})}),
        (std::vector<std::string>{"0", "1.5", "-2", "0.333333333333333", "123456789012345", "1E+15",
                                  "0.0001", "1E-05", "0.3333333", "1.2345", "-2", "0.0001",
                                  "12/30/1899", "1/1/2000", "1/1/2000 12:00:00 PM", "6:00:00 AM"}));
}

}  // namespace
}  // namespace cp
