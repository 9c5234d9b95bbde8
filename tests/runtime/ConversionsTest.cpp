#include <gtest/gtest.h>

#include <limits>

#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "tests/support/ErrorOf.h"

namespace cp {
namespace {

using test::ErrorOf;

TEST(Rounding, TiesGoToTheEvenNeighbour) {
    const struct {
        double in, out;
    } cases[] = {{8.5, 8}, {9.5, 10},   {-8.5, -8},  {-9.5, -10}, {0.5, 0},
                 {1.5, 2}, {2.4999, 2}, {2.5001, 3}, {63.5, 64},  {81.5 - 18, 64}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(RoundHalfEven(cases[i].in), cases[i].out) << "case " << i;
    }
    EXPECT_EQ(Floor(66.67), 66);
    EXPECT_EQ(Floor(-0.5), -1);
}

TEST(CheckedConversions, RaiseOverflowOutsideTheirRange) {
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(ErrorOf([] { CInt(32768.0); }), vberr::Overflow);
    EXPECT_EQ(ErrorOf([] { CInt(-32768.6); }), vberr::Overflow);
    EXPECT_EQ(CInt(-32768.5), -32768);  // ties to even stay inside
    EXPECT_EQ(ErrorOf([] { CByte(255.5); }), vberr::Overflow);
    EXPECT_EQ(ErrorOf([] { CByte(-1.0); }), vberr::Overflow);
    EXPECT_EQ(CByte(255.4), 255);
    EXPECT_EQ(CLng(2147483647.0), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ErrorOf([] { CLng(2147483648.0); }), vberr::Overflow);
    EXPECT_EQ(ErrorOf([] { CInt(std::numeric_limits<double>::quiet_NaN()); }), vberr::Overflow);
}

TEST(VariantConversions, FollowTheRuntime) {
    EXPECT_EQ(CInt(Variant("12")), 12);
    EXPECT_EQ(CInt(Variant(true)), -1);
    EXPECT_EQ(CInt(Variant()), 0);
    EXPECT_EQ(ErrorOf([] { CInt(Variant::Null()); }), vberr::InvalidUseOfNull);
    EXPECT_EQ(ErrorOf([] { CInt(Variant("abc")); }), vberr::TypeMismatch);
    EXPECT_EQ(ErrorOf([] { CInt(Variant(std::int32_t{40000})); }), vberr::Overflow);
    EXPECT_TRUE(CBool(Variant(std::int16_t{-1})));
    EXPECT_FALSE(CBool(Variant(std::int16_t{0})));
    EXPECT_TRUE(CBool(Variant("true")));
    EXPECT_FALSE(CBool(Variant("False")));
    EXPECT_EQ(ErrorOf([] { CBool(Variant("maybe")); }), vberr::TypeMismatch);
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
    EXPECT_EQ(FormatDouble(0), "0");
    EXPECT_EQ(FormatDouble(1.5), "1.5");
    EXPECT_EQ(FormatDouble(-2), "-2");
    EXPECT_EQ(FormatDouble(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FormatDouble(123456789012345.0), "123456789012345");
    EXPECT_EQ(FormatDouble(1e15), "1E+15");
    EXPECT_EQ(FormatDouble(0.0001), "0.0001");
    EXPECT_EQ(FormatDouble(0.00001), "1E-05");
    EXPECT_EQ(FormatSingle(1.0f / 3), "0.3333333");
    EXPECT_EQ(FormatCurrency(Currency{12345}), "1.2345");
    EXPECT_EQ(FormatCurrency(Currency{-20000}), "-2");
    EXPECT_EQ(FormatCurrency(Currency{1}), "0.0001");
    EXPECT_EQ(FormatDate(Date{0}), "12/30/1899");
    EXPECT_EQ(FormatDate(Date{36526}), "1/1/2000");
    EXPECT_EQ(FormatDate(Date{36526.5}), "1/1/2000 12:00:00 PM");
    EXPECT_EQ(FormatDate(Date{0.25}), "6:00:00 AM");
}

}  // namespace
}  // namespace cp
