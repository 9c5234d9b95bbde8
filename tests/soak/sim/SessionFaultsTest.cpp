// Fault injection over a whole session: a session that fills, types, opens, hovers, picks and
// commits is first played once to count every host call it makes; then it is played again
// once per call, with that one call failing. Whatever fails, the control must not crash, the
// list window must end in step with the table, and the item table must be the one the clean
// session had, unless the failure hit the fill itself (which keeps what its steps before the
// failure did).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/sim/User.h"
#include "runtime/RuntimeError.h"
#include "tests/soak/SoakPlaces.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

constexpr std::int32_t kInjected = 1001;  // an error number no operation raises by itself
constexpr float kThirdRowY = 2 * kRowTwips + 100;

// The calls that give a drawing object back: when one of them fails, the object stays.
const std::set<std::string, std::less<>> kReleases = {"DeleteObject", "DeleteDC", "ReleaseDC",
                                                      "SelectObject"};

enum class Phase { Fill, Use };

struct SessionStep {
    const char* name;
    Phase phase;
    std::function<void(SimControl&, sim::User&)> play;
};

const std::vector<SessionStep>& Session() {
    static const std::vector<SessionStep> steps = {
        {"ColumnCount", Phase::Fill, [](SimControl& s, sim::User&) { s.control().ColumnCount(2); }},
        {"ColumnWidths", Phase::Fill,
         [](SimControl& s, sim::User&) { s.control().ColumnWidths("600;1500"); }},
        {"AddList", Phase::Fill,
         [](SimControl& s, sim::User&) {
             s.control().AddList("1;apple;2;apricot;3;banana;4;cherry;5;damson");
         }},
        {"AddItem", Phase::Fill, [](SimControl& s, sim::User&) { s.control().AddItem("6;elder"); }},
        {"typing", Phase::Use,
         [](SimControl& s, sim::User& u) {
             u.Focus(s.host().EditHwnd());
             u.TypeText("ap");
         }},
        {"opening", Phase::Use,
         [](SimControl& s, sim::User& u) {
             u.MouseDown(s.host().Hwnd(), kButtonX, kButtonY);
             u.MouseUp(s.host().Hwnd(), kButtonX, kButtonY);
         }},
        {"hovering", Phase::Use,
         [](SimControl& s, sim::User& u) { u.MouseMove(s.List(), kListX, kThirdRowY); }},
        {"picking", Phase::Use,
         [](SimControl& s, sim::User& u) { u.Click(s.List(), kListX, kThirdRowY); }},
        {"typing and Enter", Phase::Use,
         [](SimControl& s, sim::User& u) {
             u.Focus(s.host().EditHwnd());
             u.PressKey(vbKeyBack);
             u.TypeText("ch");
             u.PressKey(vbKeyReturn);
         }},
        {"Alt+Down and Escape", Phase::Use,
         [](SimControl&, sim::User& u) {
             u.PressKey(vbKeyDown, vbAltMask);
             u.PressKey(vbKeyDown);
             u.PressKey(vbKeyEscape);
         }},
        {"focus leaving", Phase::Use,
         [](SimControl& s, sim::User& u) { u.MoveFocusAway(s.form()); }},
        {"opening again", Phase::Use,
         [](SimControl& s, sim::User&) { s.control().ShowDropDown(); }},
    };
    return steps;
}

// The table as the host can read it: ListCount and every row's entries as text.
std::vector<std::string> Table(SimControl& s) {
    std::vector<std::string> rows = s.TableRows();
    rows.insert(rows.begin(), std::to_string(s.control().ListCount()));
    return rows;
}

struct Played {
    const SessionStep* failedIn = nullptr;  // the step during which the planned failure came
    std::vector<std::string> table;         // the table after the fill
    std::vector<std::string> end;           // the table at the end
    sim::GdiCounts drawing;                 // the drawing objects alive at the end
};

// Plays the session; a run-time error that a step lets through reaches the host, which goes
// on with the next step.
Played Play(SimControl& s) {
    sim::User user(s.world());
    Played played;
    const bool planned = s.world().PendingFailures() > 0;
    for (const SessionStep& step : Session()) {
        try {
            step.play(s, user);
        } catch (const RuntimeError&) {
        }
        if (planned && !played.failedIn && s.world().PendingFailures() == 0)
            played.failedIn = &step;
        if (step.phase == Phase::Fill) played.table = Table(s);
    }
    played.end = Table(s);
    played.drawing = s.world().Graphics().Live();
    return played;
}

TEST(SessionFaults, EveryHostCallFailingInTurnLeavesTheTableAndTheListInStep) {
    std::map<std::string, int, std::less<>> calls;
    Played clean;
    {
        SimControl s;
        s.world().Failures().CountCalls();
        clean = Play(s);
        calls = s.world().Failures().CallCounts();
        ASSERT_TRUE(s.world().MessageBoxes().empty()) << s.world().MessageBoxes()[0].prompt;
        ASSERT_EQ(clean.end, clean.table);
    }
    const auto start = std::chrono::steady_clock::now();
    int sessions = 0;
    for (const auto& [operation, count] : calls) {
        for (int call = 0; call < count; ++call, ++sessions) {
            SimControl s;
            s.world().FailNext(operation, kInjected, call);
            const Played played = Play(s);
            const std::string context = operation + " call " + std::to_string(call);
            ASSERT_NE(played.failedIn, nullptr) << context << " never came";
            const std::string where = context + " in " + played.failedIn->name;
            // A fill cut short keeps what it did; the session goes on with that table.
            EXPECT_EQ(played.end, played.failedIn->phase == Phase::Use ? clean.table : played.table)
                << where;
            EXPECT_EQ(s.ListState().count, s.control().ListCount()) << where;
            // Only a release that failed itself may leave its object behind.
            if (!kReleases.contains(operation)) {
                EXPECT_EQ(played.drawing, clean.drawing) << where;
            }
            EXPECT_TRUE(s.world().HostErrors().empty() ||
                        s.world().HostErrors()[0].number == kInjected)
                << context << ": " << s.world().HostErrors()[0].description;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("session faults: %zu operations, %d calls failed one at a time, %.1f s\n",
                calls.size(), sessions, seconds);
}

}  // namespace
}  // namespace cp::test
