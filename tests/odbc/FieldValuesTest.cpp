// How a database's numbers become Variants: exact where a Variant can hold them, their digits
// kept where only a rounding Double could.
#include <gtest/gtest.h>

#include "data/rows/FieldValues.h"
#include "runtime/Variant.h"

namespace cp::test {
namespace {

TEST(FieldValuesTest, DecimalTextBecomesTheNarrowestExactValue) {
    struct Case {
        const char* text;
        VarType type;
        double number;  // for the numeric types
    };
    const Case cases[] = {
        {"-7", VarType::Long, -7},
        {"+5", VarType::Long, 5},
        {"12.50", VarType::Double, 12.5},
        {"0.1000000000000000000000", VarType::Double, 0.1},
        {"4000000000", VarType::Double, 4e9},
        {"1e+30", VarType::Double, 1e30},
        {"9007199254740992", VarType::Double, 9007199254740992.0},
        {"9007199254740993", VarType::String, 0},
        {"123456789012345678901234567890", VarType::String, 0},
        {"1234567890123456.5", VarType::String, 0},
        {"NaN", VarType::String, 0},
        {"1.2.3", VarType::String, 0},
        {"", VarType::String, 0},
    };
    for (const Case& c : cases) {
        const Variant v = rows::DecimalVariant(c.text);
        EXPECT_EQ(v.Type(), c.type) << c.text;
        if (c.type == VarType::String)
            EXPECT_EQ(v.String(), c.text);
        else
            EXPECT_EQ(v.Number(), c.number) << c.text;
    }
}

TEST(FieldValuesTest, IntegersBeyondADoublesReachKeepTheirDigits) {
    EXPECT_EQ(rows::IntegerVariant(-2147483648LL).Type(), VarType::Long);
    EXPECT_EQ(rows::IntegerVariant(2147483648LL).Type(), VarType::Double);
    EXPECT_EQ(rows::IntegerVariant(-9007199254740992LL).Type(), VarType::Double);
    EXPECT_EQ(rows::IntegerVariant(-9223372036854775807LL - 1).String(), "-9223372036854775808");
}

}  // namespace
}  // namespace cp::test
