#include <gtest/gtest.h>

#include "platform/Conversions.h"

namespace cp {
namespace {

TEST(Rounding, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(8.5), 8);
    EXPECT_EQ(RoundHalfEven(9.5), 10);
}

}  // namespace
}  // namespace cp
