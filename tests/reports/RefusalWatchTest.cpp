#include <gtest/gtest.h>

#include <utility>

#include "platform/sim/World.h"
#include "reports/Reports.h"
#include "reports/Startup.h"
#include "runtime/RuntimeError.h"

namespace cp {
namespace {

// In a form a refused value is a message and the put returns normally: only the watch of the
// put that refused learns of it, not the put it runs inside, nor the next one. Outside a form
// the refusal is a run-time error, which its watch sees as well.
TEST(RefusalWatch, BelongsToTheInnermostPutAndSeesTheRefusalThatRaises) {
    sim::World world;
    const bool started = std::exchange(gblnStarted, true);
    const RefusalWatch outer;
    {
        const RefusalWatch inner;
        PropertyValueReport(777, "The value for this property can vary between 2 and 15.");
        EXPECT_TRUE(inner.Refused());
    }
    EXPECT_FALSE(outer.Refused());
    const RefusalWatch next;
    EXPECT_FALSE(next.Refused());
    EXPECT_EQ(world.MessageBoxes().size(), 1u);

    gblnStarted = false;
    const RefusalWatch raised;
    EXPECT_THROW(PropertyValueReport(775, "The number of columns must be 1 or more."),
                 RuntimeError);
    EXPECT_TRUE(raised.Refused());
    gblnStarted = started;
}

}  // namespace
}  // namespace cp
