// The soak: round after round of opening the list with the button, drawing it, hovering over
// its rows and picking one (which closes it). After the first rounds have settled, neither the
// drawing objects alive nor the memory in use may change any more.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "tests/scenarios/Driver.h"
#include "tests/soak/SoakPlaces.h"
#include "tests/soak/SoakPlatform.h"

namespace cp::test {
namespace {

constexpr int kRows = 40;
constexpr int kVisibleRows = 8;

void Fill(ColumnPick& c) {
    std::string items;
    for (int i = 0; i < kRows; ++i)
        items += (i ? ";" : "") + std::to_string(i) + ";row " + std::to_string(i);
    c.ColumnCount(2);
    c.ColumnWidths("600;1500");
    c.AddList(items);
}

float RowY(int row) {
    return kRowTwips * static_cast<float>(row) + kRowTwips / 2;
}

// Open, draw, hover, pick, close: the pick commits a row and closes the list. Returns the row
// picked (the list opens scrolled to the row committed before).
int PlayRound(Driver& d, ColumnPick& c, int round) {
    d.MouseDownOnControl(c, kButtonX, kButtonY);
    d.MouseUpOnControl(c, kButtonX, kButtonY);
    const int shown = round % kVisibleRows;
    for (int hover = 0; hover <= shown; ++hover)
        d.MouseMoveOnList(c, kListX, RowY(hover));
    const int picked = d.ListTopIndex(c) + shown;
    d.MouseDownOnList(c, kListX, RowY(shown));
    d.MouseUpOnList(c, kListX, RowY(shown));
    return picked;
}

TEST(Soak, RoundsLeaveNoDrawingObjectsOrMemoryBehind) {
    std::unique_ptr<Driver> driver = MakeDriver();
    EventRecorder events;
    ColumnPick& c = driver->AddControl(events);
    Fill(c);
    driver->FocusControl(c);

    const auto start = std::chrono::steady_clock::now();
    SoakFigures settled;
    for (int round = 1; round <= kSoakPlan.lastRound; ++round) {
        const int picked = PlayRound(*driver, c, round);
        // Every round ends with the row picked committed and the list closed.
        ASSERT_FALSE(c.ComboBoxIsOpen()) << "round " << round;
        ASSERT_EQ(c.ListIndex(), picked) << "round " << round;
        ASSERT_EQ(events.Log(), std::vector<std::string>{"AfterUpdate"}) << "round " << round;
        ForgetRecords();
        events.ClearLog();
        if (round == kSoakPlan.settledRound) settled = MeasureSoak();
    }
    const SoakFigures last = MeasureSoak();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf(
        "soak: %d rounds in %.1f s; at round %d: %d drawing objects, %lld bytes; at "
        "round %d: %d drawing objects, %lld bytes\n",
        kSoakPlan.lastRound, seconds, kSoakPlan.settledRound, settled.drawingObjects,
        static_cast<long long>(settled.memoryBytes), kSoakPlan.lastRound, last.drawingObjects,
        static_cast<long long>(last.memoryBytes));
    EXPECT_EQ(last.drawingObjects, settled.drawingObjects);
    if (kSoakPlan.memoryComparable) {
        EXPECT_EQ(last.memoryBytes, settled.memoryBytes);
    }
    EXPECT_TRUE(driver->MessageBoxes().empty()) << driver->MessageBoxes().front().prompt;
}

}  // namespace
}  // namespace cp::test
