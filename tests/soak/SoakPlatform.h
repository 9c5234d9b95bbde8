// What the soak needs of each platform besides the scenario driver: how many rounds it plays,
// how to count the drawing objects alive and the memory in use, and how to let go of the
// records that the platform keeps for its tests.
#pragma once

#include <cstdint>

namespace cp::test {

struct SoakFigures {
    int drawingObjects = 0;        // pens, brushes, fonts, bitmaps and contexts alive
    std::int64_t memoryBytes = 0;  // heap memory in use by the process
};

struct SoakPlan {
    int settledRound = 0;           // after it, the figures must no longer change
    int lastRound = 0;              // the rounds played
    bool memoryComparable = false;  // memory is measured exactly enough to compare
};
extern const SoakPlan kSoakPlan;

SoakFigures MeasureSoak();
// Forgets what the platform records for tests (drawing logs, message boxes), which grows with
// every round by design.
void ForgetRecords();

}  // namespace cp::test
