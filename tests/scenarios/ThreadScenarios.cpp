// Two user-interface threads in one host, each with its own form and controls, typing and
// filling at the same time: each thread sees exactly what it sees alone. The control's
// module-level state (the start flag, the hooks, the open list's owner, the locale facts) exists
// once per thread, and the platforms' own shared state is safe to reach from both. Natively the
// same scenario runs under ThreadSanitizer (preset native-tsan), which also reports any race.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "runtime/Conversions.h"
#include "tests/scenarios/Driver.h"
#include "tests/support/BlockRecordset.h"

namespace cp::test {
namespace {

// Enough rows that typing searches through the first column's index, not row by row.
constexpr std::int32_t kRows = 3000;
constexpr int kRounds = 4;

struct Script {
    std::string prefix;  // the first column of every row: prefix and number
    std::string typed;   // what the user types
};

// Rows ("<prefix><n> even" or "odd", n + 0.5): a text to complete and a number, the bound
// column.
Variant Rows(const std::string& prefix, std::int32_t count) {
    VariantArray block({2, count});
    for (std::int32_t n = 0; n < count; ++n) {
        block.At(0, n) = Variant(prefix + std::to_string(n) + (n % 2 == 0 ? " even" : " odd"));
        block.At(1, n) = Variant(n + 0.5);
    }
    return BlockRecordset::Of(std::move(block));
}

// What the user sees of the control and what its host has heard, as one line.
std::string Seen(Driver& driver, ColumnPick& control, const EventRecorder& events) {
    const Variant value = control.Value();
    return driver.EditText(control) + " [" + std::to_string(driver.SelStart(control)) + "+" +
           std::to_string(driver.SelLength(control)) + "] row " +
           std::to_string(control.ListIndex()) + " value " +
           (value.IsNull() ? "Null" : CStr(value)) + " rows " +
           std::to_string(control.ListCount()) + " events " + events.Joined();
}

// One session on a form of its own: a fill, typing that completes, Enter, a smaller fill,
// typing again from an empty field.
std::vector<std::string> PlaySession(const Script& script) {
    std::unique_ptr<Driver> driver = MakeDriver();
    EventRecorder events;
    ColumnPick& control = driver->AddControl(events);
    control.ColumnCount(std::int16_t{2});
    control.ColumnWidths("1500;800");
    control.BoundColumn(std::int16_t{1});
    control.FillComboBoxMultiColumnRecordset(Rows(script.prefix, kRows));
    std::vector<std::string> seen;
    driver->TypeTextTo(control, script.typed);
    seen.push_back(Seen(*driver, control, events));
    driver->PressKeyTo(control, vbKeyReturn);
    seen.push_back(Seen(*driver, control, events));
    events.ClearLog();
    control.FillComboBoxMultiColumnRecordset(Rows(script.prefix, 20));
    driver->PressKeyTo(control, vbKeyBack);
    driver->TypeTextTo(control, script.typed.substr(0, 2));
    seen.push_back(Seen(*driver, control, events));
    seen.push_back(std::to_string(driver->MessageBoxes().size()) + " message boxes");
    return seen;
}

TEST(ThreadScenario, TwoUserInterfaceThreadsTypeAndFillAtOnceAsEachDoesAlone) {
    if (EditFieldsHangAcrossThreads())
        GTEST_SKIP() << "Wine's edit control hangs two threads that lay out at once";
    const Script scripts[] = {{"Apple", "apple12"}, {"Zebra", "zEBRA7"}};
    std::vector<std::string> alone[2];
    for (int s = 0; s < 2; ++s)
        alone[s] = PlaySession(scripts[s]);
    ASSERT_NE(alone[0], alone[1]);

    std::vector<std::string> together[2][kRounds];
    std::vector<std::thread> threads;
    for (int s = 0; s < 2; ++s) {
        threads.emplace_back([&, s] {
            for (int round = 0; round < kRounds; ++round)
                together[s][round] = PlaySession(scripts[s]);
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    for (int s = 0; s < 2; ++s)
        for (int round = 0; round < kRounds; ++round)
            EXPECT_EQ(together[s][round], alone[s]) << "thread " << s << ", round " << round;
}

}  // namespace
}  // namespace cp::test
